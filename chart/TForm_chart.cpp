#include "chart/TForm_chart.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "base/fenetres_qt.h"
#include "base/nombres.h"
#include "base/texte.h"
#include "chart/commandes_pointes.h"
#include "conversion/fichier_pointes.h"
#include "chart/preference_accroche.h"
#include "chart/textes_chart.h"
#include "conversion/detection.h"
#include "chart/disposition_chart.h"
#include "chart/dessin_courbe.h"

namespace quorva {

namespace {

const QColor couleur_marron(128, 0, 0);
const QColor couleur_memo(255, 255, 166);  // 10944511, a light yellow

// The ruler fills the strip between the image and the help (which, with the
// buttons, keeps its place); the status line goes under the help.
constexpr int hauteur_regle = 206 - (32 + hauteur_image);
constexpr int haut_etat = 206 + 115 + 3;
constexpr int hauteur_ligne_etat = 20;

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

// --- Regle1 ----------------------------------------------------------------------

Regle_temps::Regle_temps(QWidget* parent) : QWidget(parent) {
    setObjectName("Regle1");
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Regle_temps::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.fillRect(rect(), palette().window());
    peintre.setPen(Qt::black);
    peintre.drawLine(0, 0, width() - 1, 0);
    QFont petite = font();
    petite.setPixelSize(9);
    peintre.setFont(petite);
    const QFontMetrics mesure(petite);
    for (const auto& g : reperes) {
        peintre.drawLine(g.x, 0, g.x, g.majeure ? 3 : 1);
        if (g.texte.empty()) continue;
        const QString texte = qt(g.texte);
        const int l = mesure.horizontalAdvance(texte);
        const int x = std::clamp(g.x + 2, 0, std::max(width() - l, 0));  // beside its tick
        peintre.drawText(x, height() - 1 - mesure.descent(), texte);
    }
}

// --- TForm_chart -----------------------------------------------------------------

TForm_chart::TForm_chart(services& ctx, etat_conversion& conversion, const int& langue, QWidget* parent)
    : QDialog(parent), ctx_(ctx), conv_(conversion), langue_(langue) {
    setObjectName("Form_chart");
    setWindowTitle("Form_chart");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setGeometry(160, 184, largeur_chart, haut_etat + hauteur_ligne_etat + 2);
    setMinimumWidth(largeur_min_chart);  // how narrow a small screen may make it
    // The keys are the chart's: no child takes the focus from it.
    setFocusPolicy(Qt::StrongFocus);

    Image1 = new Image_courbe(*this, this);
    Image1->setGeometry(24, 32, largeur_image, hauteur_image);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->move(56, 8);
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->move(176, 8);

    Regle1 = new Regle_temps(this);
    Regle1->setGeometry(24, 32 + hauteur_image, largeur_image, hauteur_regle);
    Label_position = new QLabel(this);
    Label_position->setObjectName("Label_position");
    Label_position->setGeometry(24, haut_etat, 230, hauteur_ligne_etat);
    Label_resume = new QLabel(this);
    Label_resume->setObjectName("Label_resume");
    Label_resume->setGeometry(260, haut_etat, 420, hauteur_ligne_etat);
    Label_message = new QLabel(this);
    Label_message->setObjectName("Label_message");
    Label_message->setGeometry(690, haut_etat, 24 + largeur_image - 690, hauteur_ligne_etat);
    for (QLabel* partie : {Label_position, Label_resume, Label_message}) partie->setTextFormat(Qt::PlainText);

    creer_boutons();
    creer_memo();
    creer_menu();
    Timer2.setInterval(1000);
    Timer2.setSingleShot(true);
    connect(&Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

void TForm_chart::creer_boutons() {
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
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(1003, 239, 75, 25);
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TForm_chart::creer_memo() {
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(23, 206, 274, 115);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
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
}

void TForm_chart::creer_menu() {
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
    PopupMenu1->addSeparator();
    Annuler1 = PopupMenu1->addAction("Undo");
    Annuler1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Retablir1 = PopupMenu1->addAction("Redo");
    Retablir1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    PopupMenu1->addSeparator();
    Accrocher1 = PopupMenu1->addAction("Snap marks to the onset");
    Accrocher1->setCheckable(true);
    Detecteur1 = PopupMenu1->addAction("Show the detector");
    Detecteur1->setCheckable(true);
    PopupMenu1->addSeparator();
    Copierimage1 = PopupMenu1->addAction("Copy the image");
    Copierimage1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Copierimage1->setShortcutContext(Qt::WidgetShortcut);
    Compterendu1 = PopupMenu1->addAction("Save the report...");
    connect(Copierimage1, &QAction::triggered, this, [this] { Copierimage1Click(); });
    connect(Compterendu1, &QAction::triggered, this, [this] { Compterendu1Click(); });
    // The keys act through keyPressEvent; the shortcuts are only shown.
    for (QAction* a : {Annuler1, Retablir1}) a->setShortcutContext(Qt::WidgetShortcut);
    connect(Annuler1, &QAction::triggered, this, [this] { Annuler1Click(); });
    connect(Retablir1, &QAction::triggered, this, [this] { Retablir1Click(); });
    connect(Accrocher1, &QAction::triggered, this, [this](bool actif) { Accrocher1Click(actif); });
    connect(Detecteur1, &QAction::triggered, this, [this](bool actif) { Detecteur1Click(actif); });
}

int TForm_chart::langue() const { return langue_; }

void TForm_chart::ouvrir() {
    ouvrir_vue(vue, conv_);
    vue.pointe_selectionnee = 0;
    historique.commencer(conv_);
    ouverture_ = retenir_pointes(conv_, false);
    // The new captions follow the program's language; the setting is read
    // at each opening (a broken file means off).
    const legendes_chart l = legendes(langue());
    Annuler1->setText(qt(l.annuler));
    Retablir1->setText(qt(l.retablir));
    Accrocher1->setText(qt(l.accrocher));
    Detecteur1->setText(qt(l.detecteur));
    Copierimage1->setText(qt(l.copier_image));
    Compterendu1->setText(qt(l.compte_rendu));
    Compterendu1->setVisible(static_cast<bool>(enregistrer_compte_rendu));
    accroche = lire_accroche(ctx_);
    Accrocher1->setChecked(accroche);
    Detecteur1->setChecked(vue.detecteur_visible);
    ecrire_etat(Label_position, "");
    ecrire_etat(Label_message, "");
    Panel1->hide();
    Image1->unsetCursor();
    affich_courbe();
    setWindowTitle(qt(conv_.fichier_en_cours));
}

int TForm_chart::montrer_modal() {
    ouvrir();
    if (repondeur) QTimer::singleShot(0, this, [this] { repondeur(*this); });
    return exec();
}

void TForm_chart::affich_courbe() {
    calculer_trace(vue, conv_, trace_);
    {
        QPainter peintre(&Image1->bitmap);
        dessiner_courbe(peintre, QRectF(Image1->bitmap.rect()), vue, trace_, tampons_);
    }
    Label1->setText(qt(format_reel(vue.pas_trace, ctx_.separateur_decimal)));
    Label1->adjustSize();
    Image1->update();
    const auto& conv = conv_;
    Regle1->reperes = graduations(vue, conv.frequence_echantillonnage, conv.facteur_division, ctx_.separateur_decimal);
    Regle1->update();
    ecrire_etat(Label_resume, texte_resume(historique.resume(conv), langue()));
    Annuler1->setEnabled(historique.peut_annuler() || vue.placement);
    Retablir1->setEnabled(historique.peut_retablir());
}

void TForm_chart::dire(const std::string& texte) { ecrire_etat(Label_message, texte); }

// A part of the status line keeps its whole text as its tooltip, and shows
// it again at each width (lignes_etat): whole words, on more lines when
// needed, only the marks file's path shortened. The window grows to hold
// the tallest part while it shows (and never shrinks then, so that the
// mouse's position does not make it jump); it opens at one line.
void TForm_chart::ecrire_etat(QLabel* partie, const std::string& texte) {
    partie->setToolTip(qt(texte));
    disposer_etat(partie);
}

void TForm_chart::disposer_etat(QLabel* partie) {
    const QFontMetrics mesure = partie->fontMetrics();
    const auto lignes = lignes_etat(utf8(partie->toolTip()), partie == Label_message ? conv_.fichier_pointes : "",
                                    partie->width(), [&](const std::string& t) { return mesure.horizontalAdvance(qt(t)); });
    QStringList texte;
    for (const auto& ligne : lignes) texte << qt(ligne);
    partie->setText(texte.join('\n'));
    const int suite = std::max<int>(static_cast<int>(lignes.size()) - 1, 0) * mesure.lineSpacing();
    partie->resize(partie->width(), hauteur_ligne_etat + suite);
    int hauteur = 0;
    for (const QLabel* p : {Label_position, Label_resume, Label_message}) hauteur = std::max(hauteur, p->height());
    const int voulue = haut_etat + hauteur + 2;
    if (voulue > height() || (!isVisible() && voulue != height())) resize(width(), voulue);
}

// --- Opening ---------------------------------------------------------------------

void TForm_chart::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gere([this] { FormShow(); });
}

// Narrowed on a small screen, the image, its ruler and the status line narrow
// with the window; OK and Cancel keep their distance to its right edge.
void TForm_chart::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const disposition_chart d = disposer_chart(width());
    if (!Image1 || d.largeur_image == vue.largeur) return;
    vue.largeur = d.largeur_image;
    Image1->bitmap = QImage(d.largeur_image, hauteur_image, QImage::Format_RGB32);
    Image1->bitmap.fill(Qt::white);
    Image1->resize(d.largeur_image, hauteur_image);
    Regle1->resize(d.largeur_image, hauteur_regle);
    BitBtn1->move(d.x_ok, BitBtn1->y());
    BitBtn2->move(d.x_cancel, BitBtn2->y());
    Label_position->setGeometry(d.x_position, haut_etat, d.largeur_position, Label_position->height());
    Label_resume->setGeometry(d.x_resume, haut_etat, d.largeur_resume, Label_resume->height());
    Label_message->setGeometry(d.x_message, haut_etat, d.largeur_message, Label_message->height());
    disposer_etat(Label_position);
    disposer_etat(Label_message);
    affich_courbe();
}

void TForm_chart::FormShow() {
    raise();
    activateWindow();
    setFocus();
    // Put away what covers the chart (Audacity above all), never our own
    // windows.
    ranger_fenetres_couvrantes(ctx_.os, conv_.fichier_en_cours, [](WindowId fenetre) {
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
    lire(true);
    gere([this] {
        ctx_.information(texte_aide_message());  // guidance, not a warning
        Memo1->setVisible(true);
    });
}

void TForm_chart::message(const std::string& texte) {
    if (ctx_.afficher_message)
        ctx_.afficher_message(texte);
    else
        montrer_information(texte);
}

// --- Navigation --------------------------------------------------------------------

// Tab and Shift+Tab choose marks: they never move the focus.
bool TForm_chart::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QDialog::event(event);
}

// The focus never moves (no child takes it): a Tab that a child saw comes
// back here through keyPressEvent.
bool TForm_chart::focusNextPrevChild(bool) { return false; }

void TForm_chart::keyPressEvent(QKeyEvent* event) {
    const auto m = event->modifiers();
    vue.touche_mod = touche_de(m & Qt::ShiftModifier, m & Qt::ControlModifier, m & (Qt::AltModifier | Qt::MetaModifier));
    bool prise = false;
    gere([&] { prise = touche(event); });
    if (prise)
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

// The chart's keys; false for a key that is not the chart's.
bool TForm_chart::touche(QKeyEvent* event) {
    auto& conv = conv_;
    const auto m = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = m & Qt::ControlModifier, shift = m & Qt::ShiftModifier;
    const bool autre = m & (Qt::AltModifier | Qt::MetaModifier);
    if (autre) return false;
    switch (event->key()) {
    case Qt::Key_Z:
        if (!ctrl) return false;
        shift ? Retablir1Click() : Annuler1Click();
        return true;
    case Qt::Key_Y:
        if (!ctrl || shift) return false;
        Retablir1Click();
        return true;
    case Qt::Key_C:
        if (!ctrl || shift) return false;
        Copierimage1Click();
        return true;
    default:
        break;
    }
    if (ctrl) return false;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        selectionner_pointe(vue, conv, event->key() == Qt::Key_Tab && !shift);
        montrer_position_pointe();
        affich_courbe();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        deplacer_selection(event->key() == Qt::Key_Left, shift);
        return true;
    case Qt::Key_Delete:
        if (historique.supprimer_selection(vue, conv)) {
            Panel1->hide();
            affich_courbe();
        }
        return true;
    case Qt::Key_Insert:
        inserer_pointe();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
        zoom_clavier(vue, conv, event->key() != Qt::Key_Minus);
        affich_courbe();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BitBtn1Click();
        return true;
    case Qt::Key_Escape:
        echap();
        return true;
    default:
        return false;
    }
}

// Escape cancels a placement in progress, and otherwise is Cancel.
void TForm_chart::echap() {
    if (!vue.placement) return BitBtn2Click();
    historique.abandonner_placement(vue, conv_);
    Panel1->hide();
    Image1->setCursor(Qt::ArrowCursor);
    affich_courbe();
}

void TForm_chart::deplacer_selection(bool vers_gauche, bool par_colonne) {
    const double pas = pas_fleche(vue, par_colonne);
    if (!historique.deplacer_selection(vue, conv_, vers_gauche ? -pas : pas)) return;
    Panel1->hide();
    montrer_position_pointe();
    affich_courbe();
}

void TForm_chart::inserer_pointe() {
    const QPoint ici = Image1->mapFromGlobal(QCursor::pos());
    const auto x_souris = Image1->rect().contains(ici) ? std::optional<int>(ici.x()) : std::nullopt;
    if (!historique.inserer(vue, conv_, position_insertion(vue, x_souris), accroche)) {
        if (nb_utilisables(conv_) > 0) message(texte_table_pleine());
        return;
    }
    Panel1->hide();
    montrer_position_pointe();
    affich_courbe();
}

void TForm_chart::montrer_position_pointe() {
    const std::int32_t k = pointe_selectionnee(vue, conv_);
    if (k == 0) return;
    const auto& conv = conv_;
    ecrire_etat(Label_position, texte_position(conv.pointes[k].x, conv.frequence_echantillonnage,
                                               conv.facteur_division, ctx_.separateur_decimal, langue()));
}

void TForm_chart::Annuler1Click() {
    gere([this] {
        historique.annuler(vue, conv_);
        Panel1->hide();
        affich_courbe();
    });
}

void TForm_chart::Retablir1Click() {
    gere([this] {
        historique.retablir(vue, conv_);
        Panel1->hide();
        affich_courbe();
    });
}

void TForm_chart::Accrocher1Click(bool actif) {
    accroche = actif;
    gere([&] { ecrire_accroche(ctx_, actif); });
}

// The view as it stands, with its title and scales, as an image.
void TForm_chart::Copierimage1Click() {
    gere([this] {
        const auto& conv = conv_;
        options_figure o;
        o.titre = qt(conv.fichier_en_cours);
        if (conv.facteur_division > 1) o.titre += QString::fromUtf8(" ×") + QString::number(conv.facteur_division);
        // The marks' numbers as the page gives them: in time order.
        const tables_evenements t = tables_reconstruites(conv);
        for (int i = 1; i <= t.nb_pointes; ++i) o.numeros.push_back(t.pointes[static_cast<std::size_t>(i)].x);
        const legendes_chart l = legendes(langue());
        o.axe_temps = qt(l.axe_temps);
        o.axe_amplitude = qt(l.axe_amplitude);
        o.separateur = ctx_.separateur_decimal;
        QApplication::clipboard()->setImage(image_vue(vue, trace_, conv, o));
    });
}

void TForm_chart::Compterendu1Click() {
    gere([this] {
        if (enregistrer_compte_rendu) enregistrer_compte_rendu(*this);
    });
}

void TForm_chart::Detecteur1Click(bool actif) {
    vue.detecteur_visible = actif;
    gere([this] { affich_courbe(); });
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
        pas_molette(vue, conv_, vers_haut, x_image);
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
        const auto& conv = conv_;
        if (vue.nb_visibles > 0)
            ecrire_etat(Label_position, texte_position(position_de(vue, x), conv.frequence_echantillonnage,
                                                       conv.facteur_division, ctx_.separateur_decimal, langue()));
        if (vue.placement) {
            suivre_placement(x);
            return;
        }
        const bool sur_pointe = tester_pointe(vue, conv_, x);
        Image1->setCursor(sur_pointe ? Qt::PointingHandCursor : Qt::ArrowCursor);
    });
}

void TForm_chart::Image1MouseDown(Qt::MouseButton bouton, int x) {
    if (bouton != Qt::LeftButton) return;
    gere([&] {
        historique.clic_gauche(vue, conv_, x, accroche);
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
        if (!historique.ajouter(vue, conv_)) {
            message(texte_table_pleine());
            return;
        }
        // The bar appears under the mouse when it is over the image.
        const int x = Image1->mapFromGlobal(QCursor::pos()).x();
        suivre_placement(std::clamp(x, 0, vue.largeur - 1));
        Panel1->show();
        affich_courbe();
    });
}

void TForm_chart::Deletethemark1Click() {
    gere([this] {
        historique.supprimer(vue, conv_);
        Panel1->hide();
        Image1->setCursor(Qt::ArrowCursor);
        affich_courbe();
    });
}

void TForm_chart::Savemarks1Click() {
    gere([this] {
        const auto& conv = conv_;
        Savemarks(ctx_, conv);
        dire(texte_sauvegarde(conv.fichier_pointes, std::clamp(conv.nb_pointes, 0, capacite_pointes), langue()));
    });
}

// A broken file is reported by the guard and changes nothing.
void TForm_chart::lire(bool automatique) {
    gere([&] {
        const compte_rendu dit = lire_pointes(ctx_, vue, historique, conv_, automatique, langue());
        // The recording's own marks, read as the chart opens, are what it
        // opened with.
        if (automatique && dit.pointes_lues) ouverture_ = retenir_pointes(conv_, true);
        if (!vue.placement) Panel1->hide();
        affich_courbe();
        if (!dit.ligne_etat.empty()) dire(dit.ligne_etat);
        if (!dit.message.empty()) message(dit.message);
    });
}

void TForm_chart::Readmarks1Click() { lire(false); }

void TForm_chart::BitBtn1Click() {
    // The events are rebuilt from the marks and the marks saved; a failure
    // to save is reported, and the conversion goes on with the rebuilt
    // events.
    gere([this] {
        Panel1->hide();
        valider_graphique(ctx_, vue, conv_);
        affich_courbe();
    });
    accept();
}

void TForm_chart::BitBtn2Click() { reject(); }

void TForm_chart::done(int resultat) {
    Timer2.stop();
    if (resultat != QDialog::Accepted) {
        historique.abandonner_placement(vue, conv_);
        Panel1->hide();
        abandonner_graphique(conv_, ouverture_);
    }
    historique.terminer();
    PopupMenu1->hide();
    QDialog::done(resultat);
}

}  // namespace quorva
