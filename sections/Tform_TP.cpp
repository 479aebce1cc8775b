#include "sections/Tform_TP.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <algorithm>
#include <array>
#include <memory>

#include "base/fenetres_qt.h"
#include "base/texte.h"
#include "sections/sections.h"

namespace quorva {

namespace {


// A window never shows more than a few thousand characters of a row or a
// title (it is at most 16000 pixels wide); a caption megabytes long, from a
// broken translation file, is measured and shown by its beginning only, or
// laying it out would freeze the program.
QString qt_affiche(const std::string& texte) {
    constexpr std::size_t longueur_max = 4000;
    return qt(texte.size() > longueur_max ? texte.substr(0, longueur_max) : texte);
}
QColor couleur(const couleur_tp& c) { return QColor(c.r, c.g, c.b); }

QFont arial(int pixels, bool gras) {
    QFont police("Arial");
    police.setPixelSize(pixels);
    police.setBold(gras);
    return police;
}

using fenetres_tp = std::array<std::unique_ptr<Tform_TP>, nb_max_feuilles + 1>;

}  // namespace

Tform_TP::Tform_TP(services& ctx, etat_menu& menu, etat_sections& sections, int slot)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      ctx_(ctx),
      menu_(menu),
      sections_(sections),
      slot_(slot) {
    setObjectName("form_TP");
    setWindowTitle("form_TP");
    setAutoFillBackground(true);
    resize(189, 109);
    move(1016, 4);

    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setAutoFillBackground(true);
    Shape1->move(1, 1);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);

    lab_nom_tp = new QLabel(this);
    lab_nom_tp->setTextFormat(Qt::PlainText);  // a folder's name, never markup
    lab_nom_tp->setObjectName("lab_nom_tp");
    lab_nom_tp->setFont(arial(11, true));
    lab_nom_tp->move(5, 2);
    lab_nom_tp->installEventFilter(this);

    Speed_close = new QPushButton("X", this);
    Speed_close->setObjectName("Speed_close");
    QFont petite("Small Fonts");
    petite.setPixelSize(9);
    petite.setBold(true);
    Speed_close->setFont(petite);
    Speed_close->setFlat(true);
    Speed_close->setGeometry(189 - 16, 2, 14, 14);
    connect(Speed_close, &QPushButton::clicked, this,
            [this] { gere([this] { Speed_closeClick(sections_, slot_); }); });

    Lab_taille = new QLabel(this);
    Lab_taille->setTextFormat(Qt::PlainText);
    Lab_taille->setObjectName("Lab_taille");
    Lab_taille->setFont(arial(11, false));
    Lab_taille->hide();

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setFont(arial(11, false));
    ListBox1->setSortingEnabled(false);
    // Its height is made for its rows exactly: no frame, no scroll bars.
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setUniformItemSizes(true);
    ListBox1->move(3, 17);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int ligne = ListBox1->row(item);
        gere([&] { FileListBox1DblClick(ctx_, menu_, sections_, slot_, ligne); });
    });
}

void Tform_TP::affiche() {
    if (slot_ < 1 || slot_ > nb_max_feuilles) return;
    const feuille_tp& f = sections_.feuilles_tp[static_cast<std::size_t>(slot_)];
    if (!f.visible) {
        hide();
        return;
    }
    QPalette fond = palette();
    fond.setColor(QPalette::Window, couleur(f.fond));
    setPalette(fond);
    Shape1->setPalette(fond);
    QPalette titre = lab_nom_tp->palette();
    titre.setColor(QPalette::WindowText, couleur(f.couleur_titre));
    lab_nom_tp->setPalette(titre);
    lab_nom_tp->setText(qt_affiche(f.titre));
    lab_nom_tp->adjustSize();

    ListBox1->clear();
    for (const auto& ligne : f.ListBox1) {
        auto* item = new QListWidgetItem(qt_affiche(ligne), ListBox1);
        item->setSizeHint(QSize(f.liste_largeur, sections_.hauteur_ligne ? sections_.hauteur_ligne() + 2 : 15));
    }
    ListBox1->setGeometry(3, 17, f.liste_largeur, f.liste_hauteur);

    // A window system refuses windows beyond 32767 pixels; rows that wide
    // (a broken caption) are cut at the edge instead.
    setFixedSize(std::min(f.Width, 16000), std::min(f.Height, 16000));
    Shape1->setGeometry(1, 1, f.Width - 1, f.Height - 1);
    lab_nom_tp->move(f.titre_left, 2);
    Speed_close->move(f.close_left, 2);
    move(f.Left, f.Top);
    show();
    // Kept on the screen as it showed: the next shift and the drags go on
    // from where it is.
    sections_.feuilles_tp[static_cast<std::size_t>(slot_)].Left = x();
    sections_.feuilles_tp[static_cast<std::size_t>(slot_)].Top = y();
    raise();
    activateWindow();
}

bool Tform_TP::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == lab_nom_tp) {
        switch (evenement->type()) {
            case QEvent::MouseButtonPress: mousePressEvent(static_cast<QMouseEvent*>(evenement)); return true;
            case QEvent::MouseMove: mouseMoveEvent(static_cast<QMouseEvent*>(evenement)); return true;
            case QEvent::MouseButtonRelease: mouseReleaseEvent(static_cast<QMouseEvent*>(evenement)); return true;
            default: break;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

void Tform_TP::mousePressEvent(QMouseEvent* evenement) {
    const QPoint p = evenement->position().toPoint();
    gere(
          [&] { FormMouseDown(sections_, evenement->button() == Qt::RightButton, p.x(), p.y()); });
}

void Tform_TP::mouseMoveEvent(QMouseEvent* evenement) {
    const QPoint p = evenement->position().toPoint();
    gere([&] {
        if (FormMouseMove(sections_, slot_, p.x(), p.y())) {
            const feuille_tp& f = sections_.feuilles_tp[static_cast<std::size_t>(slot_)];
            move(f.Left, f.Top);
        }
    });
}

void Tform_TP::mouseReleaseEvent(QMouseEvent*) {
    gere([&] { FormMouseUp(sections_); });
}

void installe_feuilles_tp(services& ctx, etat_menu& menu, etat_sections& sections) {
    auto mesure = std::make_shared<QFontMetrics>(arial(11, false));
    sections.largeur_texte = [mesure](const std::string& texte) {
        return mesure->horizontalAdvance(qt_affiche(texte));
    };
    sections.hauteur_ligne = [mesure] { return mesure->height(); };

    auto fenetres = std::make_shared<fenetres_tp>();
    // The hook owns the windows: they go with the sections' state.
    sections.montrer_feuille = [&ctx, &menu, &sections, fenetres](int slot) {
        if (slot < 1 || slot > nb_max_feuilles) return;
        auto& fenetre = (*fenetres)[static_cast<std::size_t>(slot)];
        if (!fenetre) fenetre = std::make_unique<Tform_TP>(ctx, menu, sections, slot);
        fenetre->affiche();
    };
}

Tform_TP* feuille_tp_qt(const etat_sections& sections, int slot) {
    if (slot < 1 || slot > nb_max_feuilles) return nullptr;
    for (QWidget* fenetre : QApplication::topLevelWidgets())
        if (auto* feuille = qobject_cast<Tform_TP*>(fenetre); feuille && feuille->slot() == slot && &feuille->sections() == &sections)
            return feuille;
    return nullptr;
}

}  // namespace quorva
