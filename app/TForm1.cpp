#include "app/TForm1.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QImage>
#include <QScreen>
#include <QToolTip>

#include "base/fenetres_qt.h"
#include "app/demarrage.h"
#include "base/texte.h"
#include "launcher/PopupMenu1.h"
#include "sections/Tform_TP.h"

namespace quorva {

namespace {

// The small round indicator on the panel.
class Cercle : public QWidget {
public:
    explicit Cercle(QWidget* parent) : QWidget(parent) {}
    QColor couleur = Qt::white;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter peintre(this);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.setPen(Qt::black);
        peintre.setBrush(couleur);
        peintre.drawEllipse(QRectF(0.5, 0.5, width() - 1, height() - 1));
    }
};

void colorer(QWidget* controle, QPalette::ColorRole role, const QColor& couleur) {
    QPalette palette = controle->palette();
    palette.setColor(role, couleur);
    controle->setPalette(palette);
}

position_fenetre position(const QWidget& fenetre) { return {fenetre.x(), fenetre.y()}; }

std::vector<rectangle_ecran> ecrans() {
    std::vector<rectangle_ecran> liste;
    for (const QScreen* ecran : QGuiApplication::screens()) {
        const QRect r = ecran->geometry();
        liste.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return liste;
}

// How long the tip of a waiting launch stays on its own; the toolbar's
// tooltip says it again for as long as the wait lasts.
constexpr int duree_tip_attente_ms = 30'000;

}  // namespace

TForm1::TForm1(contexte& ctx) : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setObjectName("Form1");
    setWindowTitle("Quorva");
    setAutoFillBackground(true);
    colorer(this, QPalette::Window, QColor(0, 0, 255));
    QFont police("MS Sans Serif");
    police.setPixelSize(11);
    setFont(police);
    move(679, 203);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(3, 3, 122, 20);
    Panel1->setAutoFillBackground(true);
    colorer(Panel1, QPalette::Window, QColor(255, 255, 0));
    Panel1->setCursor(Qt::PointingHandCursor);

    Label4 = new QLabel("QUORVA (RQ)", Panel1);
    Label4->setObjectName("Label4");
    Label4->setGeometry(22, 6, 97, 11);
    QFont petite("Small Fonts");
    petite.setPixelSize(9);
    petite.setBold(true);
    Label4->setFont(petite);
    colorer(Label4, QPalette::WindowText, QColor(128, 0, 0));
    Label4->setCursor(Qt::PointingHandCursor);

    Shape1 = new Cercle(Panel1);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(29, 0, 5, 7);

    creer_boutons();
    for (QWidget* controle : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Label4), Shape1})
        controle->installEventFilter(this);

    Timer_deb.setInterval(500);
    Timer_saute.setInterval(20);
    Timer_place.setInterval(20);
    Timer_surveille.setInterval(4000);
    Timer_verrou.setInterval(250);
    connect(&Timer_deb, &QTimer::timeout, this, [this] { gere([this] { Timer_debTimer(); }); });
    connect(&Timer_saute, &QTimer::timeout, this, [this] { gere([this] { Timer_sauteTimer(); }); });
    connect(&Timer_place, &QTimer::timeout, this, [this] { gere([this] { Timer_placeTimer(); }); });

    // The menu (and the section windows) until main.cpp builds them.
    if (!PopupMenu1_) branche_PopupMenu1(ctx_, *this);
    FormCreate();
}

// The language flag and the hidden "X".
void TForm1::creer_boutons() {
    SpeedButton3 = new QToolButton(Panel1);
    SpeedButton3->setObjectName("SpeedButton3");
    SpeedButton3->setGeometry(2, 2, 20, 15);
    SpeedButton3->setAutoRaise(true);
    SpeedButton3->setIconSize(QSize(16, 11));
    SpeedButton3->hide();

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("X");
    SpeedButton1->setGeometry(140, 4, 13, 14);
    SpeedButton1->hide();
    connect(SpeedButton3, &QToolButton::clicked, this,
            [this] {
                gere([this] {
                    afficher_SpeedButton3(SpeedButton3Click(ctx_, ctx_.langue, ctx_.menu));
                    ouvrir_PopupMenu1(QPoint(x(), y() + 20));
                });
            });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { gere([this] { SpeedButton1Click(); }); });
}

void TForm1::FormCreate() {
    resize(Panel1->x() + Panel1->width() + 3, Panel1->y() + Panel1->height() + 3);
    const QRect ecran = QGuiApplication::primaryScreen()->geometry();
    move((ecran.width() - width()) / 2, (ecran.height() - height()) / 2);
    repaint();

    // The native window, titled "Quorva", exists before the count: the
    // running copy's window plus this one make two.
    winId();
    QCoreApplication::processEvents();
    if (copie_deja_lancee(ctx_.os, ctx_.fenetres)) {
        // Counted, the refused copy's toolbar goes: only the message shows
        // (a window system may show a topmost native window of its own accord,
        // over the message's OK).
        destroy();
        const std::string refus = "Fermez l'ancien Audacity\rencore ouvert. Merci";
        montrer_information(refus);
        refuse_ = true;
        return;
    }
    Timer_deb.start();
}

void TForm1::Timer_debTimer() {
    Timer_deb.stop();
    ctx_.barre.aleatoire.seed(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
    Timer_saute.start();
    // The flag shows whatever the start-up met (a language preference that
    // cannot be written is reported by the guard, after this).
    struct drapeau_a_la_fin {
        TForm1& barre;
        ~drapeau_a_la_fin() { barre.afficher_SpeedButton3(bouton_langue(barre.ctx_.langue)); }
    } drapeau{*this};
    sequence_demarrage(ctx_);
}

void TForm1::afficher_SpeedButton3(const etat_SpeedButton3& etat) {
    if (etat.image) SpeedButton3->setIcon(drapeau(*etat.image));
    SpeedButton3->setVisible(etat.visible);
}

void TForm1::ouvrir_PopupMenu1(QPoint point) {
    dernier_point_menu_ = point;
    ++nb_ouvertures_menu_;
    if (PopupMenu1_) PopupMenu1_->popup(point);
}

void TForm1::montrer_attente(const QString& texte) {
    setToolTip(texte);
    if (texte.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(mapToGlobal(QPoint(0, height())), texte, this, QRect(), duree_tip_attente_ms);
}

void TForm1::colorer_Shape1(const QColor& couleur) {
    static_cast<Cercle*>(Shape1)->couleur = couleur;
    Shape1->update();
}

void TForm1::Label4Click() {
    if (quorva::Label4Click(ctx_.barre)) {
        const auto point = point_menu(position(*this));
        ouvrir_PopupMenu1(QPoint(point.gauche, point.haut));
    }
}

void TForm1::Shape1MouseDown() {
    const auto point = point_menu(position(*this));
    ouvrir_PopupMenu1(QPoint(point.gauche, point.haut));
}

void TForm1::QuitterQuorva1Click() { close(); }
void TForm1::SpeedButton1Click() { close(); }

void TForm1::Timer_sauteTimer() {
    auto fenetre = position(*this);
    const auto suite = quorva::Timer_sauteTimer(ctx_.barre, fenetre, QGuiApplication::primaryScreen()->geometry().width(),
                                                width());
    move(fenetre.gauche, fenetre.haut);
    repaint();
    if (suite == suite_animation::fin_sauts) {
        Timer_saute.stop();
        Timer_place.start();
    }
}

void TForm1::Timer_placeTimer() {
    auto fenetre = position(*this);
    const auto suite = quorva::Timer_placeTimer(ctx_.barre, fenetre, QGuiApplication::primaryScreen()->geometry().width(),
                                                width());
    move(fenetre.gauche, fenetre.haut);
    repaint();
    if (suite == suite_animation::fin_glissade) {
        Timer_place.stop();
        ouvrir_PopupMenu1(QPoint(fenetre.gauche, fenetre.haut + 20));
    }
}

// Press, move and release on the frame, the panel and the label all go to the
// same rules, with the pointer in the receiving control's coordinates.
bool TForm1::souris(QWidget* controle, QEvent* evenement) {
    switch (evenement->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(evenement);
            const QPoint p = e->position().toPoint();
            gere([&] {
                FormMouseDown(ctx_.barre, e->button() == Qt::RightButton, p.x(), p.y(), position(*this));
            });
            controle_presse_ = e->button() == Qt::LeftButton ? controle : nullptr;
            return true;
        }
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(evenement);
            // The pointer relative to the control where it was pressed; the
            // control moves with the window.
            const QPoint p = controle->mapFromGlobal(e->globalPosition().toPoint());
            gere([&] {
                const auto nouvelle =
                    dans_un_ecran(FormMouseMove(ctx_.barre, p.x(), p.y(), position(*this)), ecrans(), height());
                if (nouvelle.gauche != x() || nouvelle.haut != y()) move(nouvelle.gauche, nouvelle.haut);
            });
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(evenement);
            const QPoint p = controle->mapFromGlobal(e->globalPosition().toPoint());
            const bool clic = e->button() == Qt::LeftButton && controle_presse_ == controle &&
                              controle != this && controle->rect().contains(p);
            controle_presse_ = nullptr;
            gere([&] {
                FormMouseUp(ctx_.barre, p.x(), p.y());
                if (clic) Label4Click();
            });
            return true;
        }
        default:
            return false;
    }
}

bool TForm1::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == Shape1) {
        if (evenement->type() == QEvent::MouseButtonPress) {
            gere([this] { Shape1MouseDown(); });
            return true;
        }
        // The press opened the menu already: the right button's context
        // menu must not open it a second time from the panel.
        return evenement->type() == QEvent::MouseButtonRelease || evenement->type() == QEvent::MouseMove ||
               evenement->type() == QEvent::ContextMenu;
    }
    if (objet == Panel1 || objet == Label4) {
        if (evenement->type() == QEvent::ContextMenu) {
            const QPoint point = static_cast<QContextMenuEvent*>(evenement)->globalPos();
            gere([&] { ouvrir_PopupMenu1(point); });
            return true;
        }
        return souris(static_cast<QWidget*>(objet), evenement);
    }
    return QWidget::eventFilter(objet, evenement);
}

void TForm1::closeEvent(QCloseEvent* evenement) {
    QWidget::closeEvent(evenement);
    QCoreApplication::quit();
}

void TForm1::mousePressEvent(QMouseEvent* evenement) { souris(this, evenement); }
void TForm1::mouseMoveEvent(QMouseEvent* evenement) { souris(this, evenement); }
void TForm1::mouseReleaseEvent(QMouseEvent* evenement) { souris(this, evenement); }


QPixmap drapeau(const image_drapeau& image) {
    QImage dessin(image_drapeau::largeur, image_drapeau::hauteur, QImage::Format_RGB32);
    for (int y = 0; y < image_drapeau::hauteur; ++y)
        for (int x = 0; x < image_drapeau::largeur; ++x)
            dessin.setPixel(x, y, 0xFF000000u | image.pixels[static_cast<std::size_t>(y * image_drapeau::largeur + x)]);
    return QPixmap::fromImage(dessin);
}

PopupMenu1* branche_PopupMenu1(contexte& ctx, TForm1& form) {
    auto* menu = new PopupMenu1(ctx, ctx.menu, &form);
    form.installer_menu(menu);
    installe_feuilles_tp(ctx, ctx.menu, ctx.sections);
    if (!ctx.menu.quitter) ctx.menu.quitter = [&form] { form.close(); };
    if (!ctx.menu.repeindre) ctx.menu.repeindre = [&form] { form.repaint(); };
    return menu;
}

}  // namespace quorva
