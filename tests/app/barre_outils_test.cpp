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

TEST(GlisserBarre, TheFlagAndPartOfTheLabelAlwaysStayOnAScreen) {
    // Two screens side by side, the second one lower and smaller.
    const std::vector<rectangle_ecran> ecrans = {{0, 0, 1280, 1024}, {1280, 200, 800, 600}};
    struct cas {
        position_fenetre voulue, attendue;
    };
    const std::vector<cas> table = {
        {{300, 200}, {300, 200}},       // well inside: unchanged
        {{1210, 10}, {1210, 10}},       // the label's end beyond the edge is fine
        {{-100, 300}, {0, 300}},        // off to the left
        {{1270, -50}, {1220, 0}},       // above the top, flag at the right edge
        {{500, 1100}, {500, 998}},      // below the bottom: the whole height shows
        {{2100, 500}, {2020, 500}},     // past the second screen's right edge
        {{1500, 100}, {1500, 200}},     // above the lower second screen: onto it
        {{1500, 850}, {1500, 774}},     // below it
    };
    for (const auto& c : table) {
        const auto p = dans_un_ecran(c.voulue, ecrans, 26);
        EXPECT_EQ(p.gauche, c.attendue.gauche) << c.voulue.gauche << "," << c.voulue.haut;
        EXPECT_EQ(p.haut, c.attendue.haut) << c.voulue.gauche << "," << c.voulue.haut;
    }
    // No screen known: left as it is.
    EXPECT_EQ(dans_un_ecran({-5000, -5000}, {}, 26).gauche, -5000);
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
