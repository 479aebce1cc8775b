#include "chart/TForm_chart.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/TForm1.h"
#include "app/garde.h"
#include "app/nombres.h"
#include "app/texte.h"
#include "chart/fichier_pointes.h"
#include "conversion/detection.h"

namespace quorva {

namespace {

QString qt(const std::string& cp1252) { return QString::fromStdString(cp1252_vers_utf8(cp1252)); }

const QColor couleur_marron(128, 0, 0);
const QColor couleur_memo(255, 255, 166);  // 10944511, a light yellow

template <class F>
void gere(F&& f) {
    garde(TForm1::montrer_erreur, std::forward<F>(f));
}

}  // namespace

// --- Image1 --------------------------------------------------------------------

Image_courbe::Image_courbe(TForm_chart& chart, QWidget* parent)
    : QWidget(parent), bitmap(largeur_image, hauteur_image, QImage::Format_RGB32), chart_(chart) {
    setObjectName("Image1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    bitmap.fill(Qt::white);
}

void Image_courbe::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.drawImage(0, 0, bitmap);
}

void Image_courbe::mouseMoveEvent(QMouseEvent* event) { chart_.Image1MouseMove(event->position().toPoint().x()); }

void Image_courbe::mousePressEvent(QMouseEvent* event) {
    chart_.Image1MouseDown(event->button(), event->position().toPoint().x());
}

void Image_courbe::contextMenuEvent(QContextMenuEvent* event) { chart_.Image1ContextPopup(event->globalPos()); }

// --- TForm_chart -----------------------------------------------------------------

TForm_chart::TForm_chart(contexte& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("Form_chart");
    setWindowTitle("Form_chart");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setGeometry(160, 184, 1130, 337);

    Image1 = new Image_courbe(*this, this);
    Image1->setGeometry(24, 32, largeur_image, hauteur_image);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->move(56, 8);
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->move(176, 8);

    // The mark being placed: a maroon bar that follows the mouse. Clicks go
    // through it to the image underneath.
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 25, 2, 173);
    Panel1->setAutoFillBackground(true);
    QPalette marron = Panel1->palette();
    marron.setColor(QPalette::Window, couleur_marron);
    Panel1->setPalette(marron);
    Panel1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Panel1->hide();

    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(1000, 208, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(1003, 239, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(23, 206, 274, 115);
    Memo1->setReadOnly(true);
    // Tahoma 13 pixels, or a sans-serif of about its width where it is
    // missing, small enough for the seven lines of help to show whole.
    QFont tahoma;
    tahoma.setFamilies({"Tahoma", "Liberation Sans", "Arial", "Nimbus Sans"});
    for (int taille = 13; taille >= 9; --taille) {
        tahoma.setPixelSize(taille);
        if (7 * QFontMetrics(tahoma).lineSpacing() + 8 <= Memo1->height()) break;
    }
    Memo1->setFont(tahoma);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette jaune = Memo1->palette();
    jaune.setColor(QPalette::Base, couleur_memo);
    jaune.setColor(QPalette::Text, Qt::black);
    Memo1->setPalette(jaune);
    QStringList lignes;
    for (const auto& ligne : lignes_aide_memo()) lignes << qt(ligne);
    Memo1->setPlainText(lignes.join('\n'));
    Memo1->document()->setDocumentMargin(2);  // the seven lines fit without scrolling
    // The wheel is the chart's wherever the mouse is: the read-only memo
    // would take Ctrl + wheel to zoom its own letters.
    Memo1->viewport()->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Addamark1 = PopupMenu1->addAction("Add a mark");
    Deletethemark1 = PopupMenu1->addAction("Delete the mark");
    Savemarks1 = PopupMenu1->addAction("Save marks");
    Readmarks1 = PopupMenu1->addAction("Read marks");
    connect(Addamark1, &QAction::triggered, this, [this] { Addamark1Click(); });
    connect(Deletethemark1, &QAction::triggered, this, [this] { Deletethemark1Click(); });
    connect(Savemarks1, &QAction::triggered, this, [this] { Savemarks1Click(); });
    connect(Readmarks1, &QAction::triggered, this, [this] { Readmarks1Click(); });

    Timer2.setInterval(1000);
    Timer2.setSingleShot(true);
    connect(&Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

void TForm_chart::ouvrir() {
    ouvrir_vue(vue, ctx_.conversion);
    Panel1->hide();
    Image1->unsetCursor();
    affich_courbe();
    setWindowTitle(qt(ctx_.conversion.fichier_en_cours));
}

int TForm_chart::montrer_modal() {
    ouvrir();
    if (repondeur) QTimer::singleShot(0, this, [this] { repondeur(*this); });
    return exec();
}

void TForm_chart::affich_courbe() {
    calculer_trace(vue, ctx_.conversion, trace_);
    QImage& bitmap = Image1->bitmap;
    bitmap.fill(Qt::white);
    {
        QPainter peintre(&bitmap);
        polyligne_.resize(static_cast<int>(trace_.points.size()));
        for (int i = 0; i < polyligne_.size(); ++i) polyligne_[i] = QPoint(trace_.points[i].x, trace_.points[i].y);
        peintre.setPen(QPen(Qt::black, 0));
        if (!polyligne_.isEmpty()) peintre.drawPolyline(polyligne_);
        // Red marks, two pixels wide over the whole height.
        for (int c : trace_.colonnes_pointes) peintre.fillRect(c, 0, 2, vue.hauteur + 1, QColor(255, 0, 0));
    }
    Label1->setText(qt(format_reel(vue.pas_trace, ctx_.separateur_decimal)));
    Label1->adjustSize();
    Image1->update();
}

// --- Opening ---------------------------------------------------------------------

void TForm_chart::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gere([this] { FormShow(); });
}

void TForm_chart::FormShow() {
    raise();
    activateWindow();
    setFocus();
    // Put away what covers the chart (Audacity above all), never our own
    // windows.
    ranger_fenetres_couvrantes(ctx_, [](WindowId fenetre) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->testAttribute(Qt::WA_WState_Created) && static_cast<WindowId>(w->winId()) == fenetre) return true;
        return false;
    });
    raise();
    activateWindow();
    repaint();
    Timer2.start();
}

void TForm_chart::Timer2Timer() {
    Timer2.stop();
    // A marks file that cannot be read is reported; the help still follows.
    gere([this] { lire_pointes(); });
    gere([this] {
        message(texte_aide_message());
        Memo1->setVisible(true);
    });
}

void TForm_chart::message(const std::string& texte) {
    if (ctx_.afficher_message)
        ctx_.afficher_message(texte);
    else
        QMessageBox::information(this, "Quorva", qt(fins_de_ligne_lf(texte)));
}

// --- Navigation --------------------------------------------------------------------

void TForm_chart::keyPressEvent(QKeyEvent* event) {
    const auto m = event->modifiers();
    vue.touche_mod = touche_de(m & Qt::ShiftModifier, m & Qt::ControlModifier, m & (Qt::AltModifier | Qt::MetaModifier));
    QDialog::keyPressEvent(event);
}

void TForm_chart::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    // Shift may turn the wheel sideways. Fine-grained wheels and touchpads
    // send parts of a notch: one step per whole notch (120).
    reste_molette_ += delta.y() != 0 ? delta.y() : delta.x();
    const int x = Image1->mapFrom(this, event->position().toPoint()).x();
    while (reste_molette_ >= 120 || reste_molette_ <= -120) {
        const bool vers_haut = reste_molette_ > 0;
        reste_molette_ += vers_haut ? -120 : 120;
        FormMouseWheel(vers_haut, x, event->modifiers());
    }
    event->accept();
}

bool TForm_chart::eventFilter(QObject* objet, QEvent* event) {
    if (Memo1 && objet == Memo1->viewport() && event->type() == QEvent::Wheel) {
        const auto* molette = static_cast<QWheelEvent*>(event);
        const QPointF ici = Memo1->viewport()->mapTo(this, molette->position().toPoint());
        QWheelEvent copie(ici, molette->globalPosition(), molette->pixelDelta(), molette->angleDelta(),
                          molette->buttons(), molette->modifiers(), molette->phase(), molette->inverted());
        wheelEvent(&copie);
        return true;
    }
    return QDialog::eventFilter(objet, event);
}

void TForm_chart::FormMouseWheel(bool vers_haut, int x_image, Qt::KeyboardModifiers m) {
    gere([&] {
        Label2->setText(QString::number(x_image));
        Label2->adjustSize();
        // The wheel event knows the modifiers held during the step.
        vue.touche_mod = touche_de(m & Qt::ShiftModifier, m & Qt::ControlModifier, m & (Qt::AltModifier | Qt::MetaModifier));
        pas_molette(vue, ctx_.conversion, vers_haut, x_image);
        affich_courbe();
    });
}

// --- Marks editing -------------------------------------------------------------------

void TForm_chart::suivre_placement(int x) {
    Panel1->move(x + Image1->x(), 25);
    Panel1->raise();
}

void TForm_chart::Image1MouseMove(int x) {
    gere([&] {
        if (vue.placement) {
            suivre_placement(x);
            return;
        }
        const bool sur_pointe = tester_pointe(vue, ctx_.conversion, x);
        Image1->setCursor(sur_pointe ? Qt::PointingHandCursor : Qt::ArrowCursor);
    });
}

void TForm_chart::Image1MouseDown(Qt::MouseButton bouton, int x) {
    if (bouton != Qt::LeftButton) return;
    gere([&] {
        clic_gauche(vue, ctx_.conversion, x);
        if (vue.placement) {
            suivre_placement(x);
            Panel1->show();
        } else {
            Panel1->hide();
            Image1->setCursor(Qt::ArrowCursor);
        }
        affich_courbe();
    });
}

void TForm_chart::Image1ContextPopup(const QPoint& global) {
    gere([&] {
        Deletethemark1->setEnabled(vue.pointe_choisie != 0);
        PopupMenu1->popup(global);
    });
}

void TForm_chart::Addamark1Click() {
    gere([this] {
        if (!ajouter_pointe(vue, ctx_.conversion)) {
            message("No room for another mark: 100 marks at most.\rDelete a mark first.");
            return;
        }
        // The bar appears under the mouse when it is over the image.
        const int x = Image1->mapFromGlobal(QCursor::pos()).x();
        suivre_placement(std::clamp(x, 0, largeur_image - 1));
        Panel1->show();
        affich_courbe();
    });
}

void TForm_chart::Deletethemark1Click() {
    gere([this] {
        supprimer_pointe(vue, ctx_.conversion);
        Panel1->hide();
        Image1->setCursor(Qt::ArrowCursor);
        affich_courbe();
    });
}

void TForm_chart::Savemarks1Click() {
    gere([this] { Savemarks(ctx_); });
}

void TForm_chart::lire_pointes() {
    if (!ctx_.os.file_exists(ctx_.conversion.fichier_pointes)) return;
    // The file replaces the marks: a mark being carried goes back first.
    annuler_placement(vue, ctx_.conversion);
    Panel1->hide();
    if (!Readmarks(ctx_)) return;
    ouvrir_vue(vue, ctx_.conversion);
    Panel1->hide();
    affich_courbe();
}

void TForm_chart::Readmarks1Click() {
    gere([this] { lire_pointes(); });
}

void TForm_chart::BitBtn1Click() {
    // The events are rebuilt from the marks and the marks saved; a failure
    // to save is reported, and the conversion goes on with the rebuilt
    // events.
    gere([this] {
        retirer_pointes_vides(vue, ctx_.conversion);
        Panel1->hide();
        reconstruit_pointes(ctx_.conversion);
        affich_courbe();
        Savemarks(ctx_);
    });
    accept();
}

void TForm_chart::BitBtn2Click() { reject(); }

void TForm_chart::done(int resultat) {
    Timer2.stop();
    if (resultat != QDialog::Accepted) {
        annuler_placement(vue, ctx_.conversion);
        Panel1->hide();
    }
    PopupMenu1->hide();
    QDialog::done(resultat);
}

}  // namespace quorva
