#include "app/barre_outils.h"

#include <gtest/gtest.h>

using namespace quorva;

namespace {

// A press at (10, 5) on a window at (100, 100), moves to the given pointer
// positions, then the release and the click.
bool glisser_puis_cliquer(etat_barre& etat, std::initializer_list<std::pair<int, int>> deplacements) {
    position_fenetre fenetre{100, 100};
    FormMouseDown(etat, false, 10, 5, fenetre);
    for (const auto& [x, y] : deplacements) fenetre = FormMouseMove(etat, x, y, fenetre);
    FormMouseUp(etat, 10, 5);
    return Label4Click(etat);
}

}  // namespace

TEST(GlisserBarre, FourPixelsIsStillAClickFiveIsADrag) {
    etat_barre etat;
    EXPECT_TRUE(glisser_puis_cliquer(etat, {{13, 6}}));  // 3 across, 1 down
    EXPECT_FALSE(glisser_puis_cliquer(etat, {{13, 7}}));  // 5 in all
    EXPECT_FALSE(etat.fenetre_deplacee);                  // cleared by the click
    EXPECT_TRUE(glisser_puis_cliquer(etat, {}));          // so the next click opens
}

TEST(GlisserBarre, TheFlagFollowsTheWindowBackToItsStart) {
    etat_barre etat;
    position_fenetre fenetre{100, 100};
    FormMouseDown(etat, false, 10, 5, fenetre);
    fenetre = FormMouseMove(etat, 20, 5, fenetre);  // the pointer stays in the control
    EXPECT_EQ(fenetre.gauche, 110);
    EXPECT_TRUE(etat.fenetre_deplacee);
    fenetre = FormMouseMove(etat, 2, 5, fenetre);  // back to 2 pixels from the start
    EXPECT_EQ(fenetre.gauche, 102);
    EXPECT_FALSE(etat.fenetre_deplacee);
    FormMouseUp(etat, 2, 5);
    EXPECT_TRUE(Label4Click(etat));
}

TEST(GlisserBarre, RightButtonNeverDragsAndFrameDragSwallowsOneClick) {
    etat_barre etat;
    position_fenetre fenetre{100, 100};
    FormMouseDown(etat, true, 10, 5, fenetre);
    EXPECT_EQ(FormMouseMove(etat, 50, 50, fenetre).gauche, 100);

    // A drag by the frame has no click of its own: the next click on the
    // label only clears the flag.
    FormMouseDown(etat, false, 1, 1, fenetre);
    fenetre = FormMouseMove(etat, 11, 1, fenetre);
    FormMouseUp(etat, 11, 1);
    EXPECT_FALSE(Label4Click(etat));
    EXPECT_TRUE(Label4Click(etat));
    EXPECT_EQ(point_menu(fenetre).haut, 120);
}

TEST(AnimationArrivee, JigglesThirtyOneTimesThenGlidesToTheCorner) {
    etat_barre etat;
    position_fenetre fenetre{619, 371};
    int sauts = 0;
    while (Timer_sauteTimer(etat, fenetre, 1366, 128) == suite_animation::continuer) {
        ++sauts;
        ASSERT_LT(sauts, 100);
    }
    EXPECT_EQ(etat.nb_sauts, 31);
    EXPECT_LE(std::abs(fenetre.gauche - 619), 31 * 20);
    int pas = 0;
    while (Timer_placeTimer(etat, fenetre, 1366, 128) == suite_animation::continuer) ++pas;
    EXPECT_EQ(pas + 1, 20);
    EXPECT_EQ(fenetre.gauche, 1366 - 129);
    EXPECT_EQ(fenetre.haut, 18);
}

TEST(AnimationArrivee, GlideStepsRoundHalfToEven) {
    // Force the last jump to land on a chosen place: the step is computed from
    // where the window stands after the 31st jump.
    for (const auto& [gauche, attendu] : {std::pair{623, 30}, std::pair{603, 32}}) {
        etat_barre etat;
        etat.nb_sauts = 30;
        position_fenetre fenetre{0, 225};
        // Undo the random jump of the 31st tick.
        etat_barre copie = etat;
        position_fenetre essai = fenetre;
        Timer_sauteTimer(copie, essai, 1366, 128);
        fenetre.gauche = gauche - (essai.gauche - fenetre.gauche);
        fenetre.haut = 225 - (essai.haut - 225);
        ASSERT_EQ(Timer_sauteTimer(etat, fenetre, 1366, 128), suite_animation::fin_sauts);
        EXPECT_EQ(fenetre.gauche, gauche);
        EXPECT_EQ(etat.pas_x, attendu);
        EXPECT_EQ(etat.pas_y, 10);  // (225 - 25) / 20
    }
}
