#include "base/placement_fenetre.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorva;

namespace {

// The program's windows as they ask to open (client areas), how narrow each
// may become (the chart only: its OK and Cancel stay 130 pixels from its
// right edge, 208..264 down), framed or not.
struct fenetre_essai {
    std::string nom;
    rectangle_fenetre voulu;
    int largeur_min;
    bool cadre;
};
const fenetre_essai fenetres[] = {
    {"chart", {160, 184, 1130, 346}, 435, true},         {"size dialog", {431, 220, 419, 219}, 419, true},
    {"progress", {436, 274, 325, 60}, 325, true},        {"section 1", {996, 24, 200, 109}, 200, false},
    {"section 3, long rows", {956, 64, 320, 305}, 320, false}, {"message box", {550, 280, 350, 160}, 350, true},
};

// A Windows 10 frame in logical pixels (it scales with the display); the
// task bar, 40 of them, at the bottom.
constexpr marges_cadre cadre_windows{8, 31, 8, 8};

// Every screen at every usual scaling: its available area, and whether it
// is at least 1280 x 720 of logical pixels.
template <class F>
void sur_chaque_ecran(F&& essai) {
    const std::pair<int, int> tailles[] = {{1024, 768}, {1280, 720}, {1366, 768}, {1600, 900},
                                           {1920, 1080}, {1920, 1200}, {2560, 1440}, {3840, 2160}};
    for (const auto& [l, h] : tailles)
        for (int echelle : {100, 125, 150, 175, 200}) {
            const rectangle_fenetre zone{0, 0, l * 100 / echelle, h * 100 / echelle - 40};
            for (const auto& f : fenetres) {
                SCOPED_TRACE(std::to_string(l) + "x" + std::to_string(h) + " at " + std::to_string(echelle) + " %: " + f.nom);
                const marges_cadre cadre = f.cadre ? cadre_windows : marges_cadre{};
                essai(f, zone, zone.largeur >= 1280 && zone.hauteur + 40 >= 720, cadre,
                      placer_fenetre(f.voulu, cadre, zone, f.largeur_min));
            }
        }
}

}  // namespace

TEST(PlacementFenetre, OnEveryUsualScreenEveryWindowShowsWholeAndKeepsItsSize) {
    sur_chaque_ecran([](const fenetre_essai& f, const rectangle_fenetre& zone, bool usuel, const marges_cadre& cadre,
                        const rectangle_fenetre& r) {
        if (!usuel) return;
        EXPECT_TRUE(zone.contient(avec_cadre(r, cadre)));
        EXPECT_EQ(r.largeur, f.voulu.largeur);
        EXPECT_EQ(r.hauteur, f.voulu.hauteur);
    });
}

TEST(PlacementFenetre, OnSmallerScreensTheTitleBarAndTheChartsButtonsStay) {
    sur_chaque_ecran([](const fenetre_essai& f, const rectangle_fenetre& zone, bool usuel, const marges_cadre& cadre,
                        const rectangle_fenetre& r) {
        if (usuel) return;
        const auto entiere = avec_cadre(r, cadre);
        EXPECT_TRUE(zone.contient({entiere.gauche, entiere.haut, entiere.largeur, cadre.haut}));
        EXPECT_GE(r.largeur, f.largeur_min);
        EXPECT_TRUE(f.nom != "chart" || zone.contient({r.droite() - 130, r.haut + 208, 80, 56}));
    });
}

TEST(PlacementFenetre, AWindowMovesTheLeastThatBringsItInside) {
    const rectangle_fenetre zone{0, 0, 1280, 680};  // 1920 x 1080 at 150 %
    EXPECT_EQ(placer_fenetre({160, 184, 1130, 346}, cadre_windows, zone, 435), (rectangle_fenetre{142, 184, 1130, 346}));
    EXPECT_EQ(placer_fenetre({300, 600, 400, 200}, cadre_windows, zone, 0), (rectangle_fenetre{300, 472, 400, 200}));
    EXPECT_EQ(placer_fenetre({-50, -10, 400, 200}, cadre_windows, zone, 0), (rectangle_fenetre{8, 31, 400, 200}));
    // A screen left of the primary one, its task bar on top.
    EXPECT_EQ(placer_fenetre({-100, 0, 300, 100}, {}, {-1280, 40, 1280, 680}, 0), (rectangle_fenetre{-300, 40, 300, 100}));
}

TEST(PlacementFenetre, TooWideNarrowsDownToItsMinimumThenShowsItsLeftPart) {
    EXPECT_EQ(placer_fenetre({160, 184, 1130, 346}, cadre_windows, {0, 0, 960, 500}, 435),
              (rectangle_fenetre{8, 146, 944, 346}));
    EXPECT_EQ(placer_fenetre({160, 10, 1130, 50}, cadre_windows, {0, 0, 300, 500}, 435), (rectangle_fenetre{8, 31, 435, 50}));
    EXPECT_EQ(placer_fenetre({50, 10, 500, 50}, {}, {0, 0, 300, 500}, 500).largeur, 500);  // may not narrow
}

TEST(PlacementFenetre, TooTallHasItsTitleBarAtTheTopWithoutAScreenAsAsked) {
    EXPECT_EQ(placer_fenetre({10, 50, 300, 400}, cadre_windows, {0, 20, 800, 300}, 0), (rectangle_fenetre{10, 51, 300, 400}));
    EXPECT_EQ(placer_fenetre({160, 184, 1130, 346}, cadre_windows, {}, 435), (rectangle_fenetre{160, 184, 1130, 346}));
}

// A message box opened over the toolbar (centred on it, as on its parent)
// leaves it in sight, whole on the screen, below it where there is room.
TEST(PlacementFenetre, AMessageBoxLeavesTheToolbarInSight) {
    sur_chaque_ecran([](const fenetre_essai& f, const rectangle_fenetre& zone, bool, const marges_cadre& cadre,
                        const rectangle_fenetre&) {
        if (f.nom != "message box") return;
        const rectangle_fenetre barre{zone.droite() - 128, zone.haut, 128, 26};
        const rectangle_fenetre sur_barre{barre.gauche + 64 - 175, barre.haut + 13 - 80, 350, 160};
        const rectangle_fenetre r =
            degager_barre(placer_fenetre(sur_barre, cadre, zone, f.largeur_min), cadre, barre, zone);
        const rectangle_fenetre entier = avec_cadre(r, cadre);
        EXPECT_TRUE(zone.contient(entier));
        EXPECT_EQ(entier.haut, barre.bas());
        // Anywhere else it stays where it was placed.
        EXPECT_EQ(degager_barre(f.voulu, cadre, barre, zone), f.voulu);
    });
}

