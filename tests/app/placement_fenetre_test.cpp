#include "app/base/placement_fenetre.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorva;

namespace {

// The program's windows as they ask to open (client areas), with how narrow
// each may become: only the chart narrows (its OK and Cancel keep their
// place 130 pixels from its right edge, 208..264 down).
struct fenetre_essai {
    const char* nom;
    rectangle_fenetre voulu;
    int largeur_min;
    bool cadre;
};
const fenetre_essai fenetres[] = {
    {"chart", {160, 184, 1130, 346}, 435, true},
    {"size dialog", {431, 220, 419, 219}, 419, true},
    {"progress", {436, 274, 325, 60}, 325, true},
    {"section, slot 1", {996, 24, 200, 109}, 200, false},
    {"section, slot 3, long rows", {956, 64, 320, 305}, 320, false},
    {"message box over the chart", {550, 280, 350, 160}, 350, true},
};

// A Windows 10 frame in logical pixels (it scales with the display), and the
// task bar, 40 of them, at the bottom of the screen.
constexpr marges_cadre cadre_windows{8, 31, 8, 8};
constexpr int barre_taches = 40;

struct ecran_essai {
    int largeur, hauteur;  // physical pixels
    int echelle;           // percent
    rectangle_fenetre zone() const {
        return {0, 0, largeur * 100 / echelle, hauteur * 100 / echelle - barre_taches};
    }
    bool usuel() const { return largeur * 100 / echelle >= 1280 && hauteur * 100 / echelle >= 720; }
};

std::vector<ecran_essai> ecrans_essai() {
    std::vector<ecran_essai> liste;
    const std::pair<int, int> tailles[] = {{1024, 768}, {1280, 720}, {1366, 768}, {1600, 900},
                                           {1920, 1080}, {1920, 1200}, {2560, 1440}, {3840, 2160}};
    for (const auto& [l, h] : tailles)
        for (int echelle : {100, 125, 150, 175, 200}) liste.push_back({l, h, echelle});
    return liste;
}

rectangle_fenetre placer(const fenetre_essai& f, const rectangle_fenetre& zone) {
    return placer_fenetre(f.voulu, f.cadre ? cadre_windows : marges_cadre{}, zone, f.largeur_min);
}

std::string nom(const ecran_essai& e, const fenetre_essai& f) {
    return std::to_string(e.largeur) + "x" + std::to_string(e.hauteur) + " at " + std::to_string(e.echelle) +
           " %: " + f.nom;
}

}  // namespace

TEST(PlacementFenetre, OnEveryUsualScreenEveryWindowShowsWholeAndKeepsItsSize) {
    for (const auto& e : ecrans_essai()) {
        if (!e.usuel()) continue;
        for (const auto& f : fenetres) {
            const auto r = placer(f, e.zone());
            EXPECT_TRUE(e.zone().contient(avec_cadre(r, f.cadre ? cadre_windows : marges_cadre{}))) << nom(e, f);
            EXPECT_EQ(r.largeur, f.voulu.largeur) << nom(e, f);
            EXPECT_EQ(r.hauteur, f.voulu.hauteur) << nom(e, f);
        }
    }
}

TEST(PlacementFenetre, OnSmallerScreensTheTitleBarAndTheChartsButtonsStay) {
    for (const auto& e : ecrans_essai()) {
        if (e.usuel()) continue;
        for (const auto& f : fenetres) {
            const auto r = placer(f, e.zone());
            const auto entiere = avec_cadre(r, f.cadre ? cadre_windows : marges_cadre{});
            const rectangle_fenetre barre_titre{entiere.gauche, entiere.haut, entiere.largeur, r.haut - entiere.haut};
            EXPECT_TRUE(e.zone().contient(barre_titre)) << nom(e, f);
            EXPECT_GE(r.largeur, f.largeur_min) << nom(e, f);
            if (std::string(f.nom) == "chart") {
                EXPECT_TRUE(e.zone().contient({r.droite() - 130, r.haut + 208, 80, 56})) << nom(e, f);
            }
        }
    }
}

TEST(PlacementFenetre, AWindowMovesTheLeastThatBringsItInside) {
    const rectangle_fenetre zone{0, 0, 1280, 680};  // 1920 x 1080 at 150 %
    // The chart: 18 pixels too far right; nothing else changes.
    EXPECT_EQ(placer_fenetre({160, 184, 1130, 346}, cadre_windows, zone, 435), (rectangle_fenetre{142, 184, 1130, 346}));
    // Past the bottom and the top left: back against the edges, frame inside.
    EXPECT_EQ(placer_fenetre({300, 600, 400, 200}, cadre_windows, zone, 0), (rectangle_fenetre{300, 472, 400, 200}));
    EXPECT_EQ(placer_fenetre({-50, -10, 400, 200}, cadre_windows, zone, 0), (rectangle_fenetre{8, 31, 400, 200}));
    // A screen left of the primary one, its task bar on top.
    EXPECT_EQ(placer_fenetre({-100, 0, 300, 100}, {}, {-1280, 40, 1280, 680}, 0), (rectangle_fenetre{-300, 40, 300, 100}));
}

TEST(PlacementFenetre, TooWideNarrowsDownToItsMinimumThenShowsItsLeftPart) {
    const rectangle_fenetre zone{0, 0, 960, 500};  // 1920 x 1080 at 200 %
    EXPECT_EQ(placer_fenetre({160, 184, 1130, 346}, cadre_windows, zone, 435), (rectangle_fenetre{8, 146, 944, 346}));
    // Narrower than its minimum: the minimum, against the left edge.
    EXPECT_EQ(placer_fenetre({160, 10, 1130, 50}, cadre_windows, {0, 0, 300, 500}, 435), (rectangle_fenetre{8, 31, 435, 50}));
    // A window that may not narrow keeps its width.
    EXPECT_EQ(placer_fenetre({50, 10, 500, 50}, {}, {0, 0, 300, 500}, 500).largeur, 500);
}

TEST(PlacementFenetre, TooTallHasItsTitleBarAtTheTop) {
    EXPECT_EQ(placer_fenetre({10, 50, 300, 400}, cadre_windows, {0, 20, 800, 300}, 0), (rectangle_fenetre{10, 51, 300, 400}));
}

TEST(PlacementFenetre, WithoutAScreenTheWindowStaysAsAsked) {
    const rectangle_fenetre voulu{160, 184, 1130, 346};
    EXPECT_EQ(placer_fenetre(voulu, cadre_windows, {}, 435), voulu);
}
