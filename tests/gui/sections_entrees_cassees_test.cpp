// Section windows fed by a broken translation file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>

#include "app/contexte.h"
#include "launcher/menu.h"
#include "sections/Tform_TP.h"
#include "sections/sections.h"
#include "tests/support/plateforme_factice.h"

namespace quorva::test {
namespace {

// A caption megabytes long (a translation line without its line breaks) is
// measured and shown by its beginning only: the window could never show the
// rest, and laying it all out would freeze the program.
TEST(SectionsEntreesCassees, HugeCaptionsAreShownByTheirBeginning) {
    PlateformeFactice os;
    contexte ctx{os};
    ctx.chemins.chemin_appli = "c:\\quorva\\";
    installe_feuilles_tp(ctx, ctx.menu, ctx.sections);
    trouve_entree(ctx.menu, "N3")->caption = "_____" + std::string(1u << 20, 'A');
    trouve_entree(ctx.menu, "Filmstable1D1")->caption = std::string(1u << 20, 'B');
    ASSERT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, *trouve_entree(ctx.menu, "N3")), 1);
    Tform_TP* fenetre = feuille_tp_qt(ctx.sections, 1);
    ASSERT_NE(fenetre, nullptr);
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_LT(fenetre->lab_nom_tp->text().size(), 10000);
    ASSERT_EQ(fenetre->ListBox1->count(), 4);
    EXPECT_LT(fenetre->ListBox1->item(2)->text().size(), 10000);
    EXPECT_TRUE(fenetre->ListBox1->item(2)->text().startsWith("BBBB"));
    // The record keeps the whole texts; the double-click still finds its entry.
    EXPECT_EQ(ctx.sections.feuilles_tp[1].ListBox1[2].size(), 1u << 20);
    EXPECT_LE(fenetre->width(), 16000);
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
}

}  // namespace
}  // namespace quorva::test
