// The menu component and the section windows, on the real Qt classes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>

#include "app/TForm1.h"
#include "app/contexte.h"
#include "launcher/adaptation_menu.h"
#include "launcher/PopupMenu1.h"
#include "launcher/menu.h"
#include "sections/Tform_TP.h"
#include "sections/sections.h"
#include "tests/support/plateforme_factice.h"

namespace quorva::test {
namespace {

struct FenetresMenu : ::testing::Test {
    PlateformeFactice os;
    contexte ctx{os};
    FenetresMenu() {
        ctx.chemins.chemin_appli = "c:\\quorva\\";
        ctx.chemins.chemin_temp = os.dossier_temporaire;
    }
    ~FenetresMenu() override {
        for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    }
    entree_menu& e(const char* nom) { return *trouve_entree(ctx.menu, nom); }
    static void souris(QWidget* cible, QEvent::Type type, QPoint point) {
        QMouseEvent evenement(type, QPointF(point), QPointF(cible->mapToGlobal(point)), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cible, &evenement);
    }
};

TEST_F(FenetresMenu, PopupMenuDrawsTheModel) {
    os.ecrire("c:\\quorva\\Film_table_1D\\seismes.exe", "");
    adapte_menu(ctx, ctx.menu);
    entree_menu ajout;
    ajout.caption = "Sismo & Co.doc";
    ajout.tag = 1;
    ajout.clic = action_menu::document_ajoute;
    e("Documentsajout1").sous_menu.push_back(ajout);
    e("Documentsajout1").visible = true;

    PopupMenu1 menu(ctx, ctx.menu);
    ASSERT_EQ(menu.actions().size(), 39);
    EXPECT_EQ(menu.action("Mcanismesaufoyer1")->text(), QString::fromUtf8("Mécanismes au foyer"));
    EXPECT_FALSE(menu.action("Apropos1")->isVisible());
    EXPECT_TRUE(menu.action("Filmstable1D1")->isVisible());
    EXPECT_TRUE(menu.action("N4")->isSeparator());
    ASSERT_NE(menu.action("Documentsajout1")->menu(), nullptr);
    EXPECT_EQ(menu.action("Documentsajout1")->menu()->actions().at(0)->text(), "Sismo && Co.doc");
    EXPECT_EQ(menu.action("PowerpointIstanbul1")->menu()->actions().size(), 2);
    EXPECT_FALSE(menu.action("Simulseismes1")->icon().isNull());

    menu.action("Filmstable1D1")->trigger();
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, "c:\\quorva\\Film_table_1D\\seismes.exe");

    // It draws the model again each time it opens.
    e("Lectureconversionwav1").caption = "Lire convertir .wav ( 1 canal; 16 bits) Excel";
    e("Apropos1").visible = true;
    menu.Popup(10, 10);
    EXPECT_EQ(menu.action("Lectureconversionwav1")->text(), "Lire convertir .wav ( 1 canal; 16 bits) Excel");
    EXPECT_TRUE(menu.action("Apropos1")->isVisible());
    menu.hide();

    // A huge caption from a broken translation file: its beginning only.
    e("Azimut1").caption = std::string(100000, 'A');
    menu.reconstruire();
    EXPECT_LE(menu.action("Azimut1")->text().size(), 251);

    EXPECT_EQ(drapeau(Speed_FR()).size(), QSize(16, 11));
    EXPECT_EQ(drapeau(Speed_FR()).toImage().pixel(0, 0), 0xFF002395u);
}

TEST_F(FenetresMenu, OneClickOnAMenuEntryOpensItsDocumentOnce) {
    os.ecrire("c:\\quorva\\A_PROPOS_QUORVA.doc", "");
    adapte_menu(ctx, ctx.menu);
    e("Apropos1").visible = true;
    PopupMenu1 menu(ctx, ctx.menu);
    menu.Popup(10, 10);
    QApplication::processEvents();
    const QPoint centre = menu.actionGeometry(menu.action("Apropos1")).center();
    souris(&menu, QEvent::MouseMove, centre + QPoint(3, 0));
    souris(&menu, QEvent::MouseMove, centre);
    souris(&menu, QEvent::MouseButtonPress, centre);
    souris(&menu, QEvent::MouseButtonRelease, centre);
    QApplication::processEvents();
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, "c:\\quorva\\A_PROPOS_QUORVA.doc");
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(FenetresMenu, SectionWindowsAreSizedPlacedAndReused) {
    installe_feuilles_tp(ctx, ctx.menu, ctx.sections);
    ASSERT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("N3")), 1);
    Tform_TP* fenetre = feuille_tp_qt(ctx.sections, 1);
    ASSERT_NE(fenetre, nullptr);
    const feuille_tp& f = ctx.sections.feuilles_tp[1];
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_EQ(fenetre->size(), QSize(f.Width, f.Height));
    EXPECT_EQ(fenetre->pos(), QPoint(1016 - 20, 4 + 20));
    EXPECT_EQ(fenetre->ListBox1->count(), 4);
    EXPECT_EQ(fenetre->ListBox1->height(), f.liste_hauteur);
    EXPECT_EQ(fenetre->lab_nom_tp->text(), "________SHAKE TABLES__________");
    EXPECT_EQ(fenetre->palette().color(QPalette::Window), QColor(255, 255, 0));
    // Measured in Lab_taille's font: the widest row or the title with its margin.
    QFontMetrics mesure(fenetre->Lab_taille->font());
    int w = std::max(180, mesure.horizontalAdvance(fenetre->lab_nom_tp->text()) + 20);
    for (int i = 0; i < fenetre->ListBox1->count(); ++i)
        w = std::max(w, mesure.horizontalAdvance(fenetre->ListBox1->item(i)->text()));
    EXPECT_EQ(f.Width, w + 20);
    EXPECT_EQ(fenetre->Speed_close->x(), f.Width - 16);
    EXPECT_TRUE(fenetre->windowFlags() & Qt::WindowStaysOnTopHint);

    // Dragged by its title, then closed with "X", then reused.
    souris(fenetre->lab_nom_tp, QEvent::MouseButtonPress, QPoint(4, 4));
    souris(fenetre->lab_nom_tp, QEvent::MouseMove, QPoint(14, 9));
    souris(fenetre->lab_nom_tp, QEvent::MouseButtonRelease, QPoint(14, 9));
    EXPECT_EQ(fenetre->pos(), QPoint(1006, 29));
    fenetre->Speed_close->click();
    EXPECT_FALSE(fenetre->isVisible());
    EXPECT_EQ(f.Tag, 0);

    ASSERT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("Patintract1")), 1);
    EXPECT_EQ(feuille_tp_qt(ctx.sections, 1), fenetre);
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_EQ(fenetre->pos(), QPoint(986, 49));
    EXPECT_EQ(fenetre->ListBox1->count(), 5);

    // A double-click on a row performs its entry.
    int conversions = 0;
    ctx.menu.lancer_conversion = [&] { ++conversions; };
    QListWidgetItem* ligne = fenetre->ListBox1->item(3);
    const QPoint centre = fenetre->ListBox1->visualItemRect(ligne).center();
    souris(fenetre->ListBox1->viewport(), QEvent::MouseButtonPress, centre);
    souris(fenetre->ListBox1->viewport(), QEvent::MouseButtonRelease, centre);
    souris(fenetre->ListBox1->viewport(), QEvent::MouseButtonDblClick, centre);
    EXPECT_EQ(conversions, 1);

    ASSERT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("Patintract1")), 2);
    EXPECT_NE(feuille_tp_qt(ctx.sections, 2), fenetre);
    EXPECT_EQ(feuille_tp_qt(ctx.sections, 2)->pos(), QPoint(976, 44));
}

}  // namespace
}  // namespace quorva::test
