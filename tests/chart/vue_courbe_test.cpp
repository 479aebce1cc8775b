#include "chart/vue_courbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <random>

#include "app/contexte.h"
#include "tests/chart/courbe_ouverte.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;

namespace {

// A recording of n samples: a sine of amplitude 10000 (period 40 samples).
std::unique_ptr<etat_conversion> enregistrement(int n) {
    auto etat = std::make_unique<etat_conversion>();
    etat->nb_echantillons = n;
    for (int i = 1; i <= std::min(n, capacite_echantillons); ++i)
        etat->echantillons[i] = std::round(10000 * std::sin(i * 2 * std::numbers::pi / 40));
    return etat;
}

// 32,100 random samples: full scale every `tous_les` samples, the others
// divided by `diviseur`.
std::unique_ptr<etat_conversion> enregistrement_hasard(std::mt19937& hasard, int tous_les, int diviseur) {
    auto etat = std::make_unique<etat_conversion>();
    etat->nb_echantillons = 32100;
    std::uniform_int_distribution<int> valeur(-32768, 32767);
    for (int i = 1; i <= 32100; ++i)
        etat->echantillons[i] = i % tous_les == 0 ? valeur(hasard) : valeur(hasard) / diviseur;
    return etat;
}

// A view just opened on `etat`, not drawn yet.
vue_courbe vue_de(const etat_conversion& etat) {
    vue_courbe vue;
    ouvrir_vue(vue, etat);
    return vue;
}

// The same, drawn once.
vue_courbe vue_ouverte(const etat_conversion& etat) {
    vue_courbe vue = vue_de(etat);
    trace_courbe trace;
    calculer_trace(vue, etat, trace);
    return vue;
}

// Marks 1, 2, ... at these positions (0: an empty slot), and no other.
void placer_pointes(etat_conversion& etat, std::initializer_list<double> positions) {
    etat.nb_pointes = static_cast<int>(positions.size());
    int k = 0;
    for (const double x : positions) etat.pointes[++k].x = x;
}

// The visible range, first and last sample.
std::pair<int, int> visibles(const vue_courbe& vue) { return {vue.premier_visible, vue.dernier_visible}; }

void montrer(vue_courbe& vue, int premier, int dernier) {
    vue.premier_visible = premier;
    vue.dernier_visible = dernier;
}

void molette(vue_courbe& vue, const etat_conversion& etat, char touche, bool haut, int x) {
    vue.touche_mod = touche;
    pas_molette(vue, etat, haut, x);
    trace_courbe trace;
    calculer_trace(vue, etat, trace);
}

}  // namespace

TEST(VueCourbe, FullViewOf32000SamplesDrawsTheRangeOfEachColumn) {
    auto etat = enregistrement(32000);
    vue_courbe vue;
    ouvrir_vue(vue, *etat);
    EXPECT_DOUBLE_EQ(vue.valeur_max, 10000);
    EXPECT_DOUBLE_EQ(vue.valeur_min, -10000);
    EXPECT_DOUBLE_EQ(vue.echelle_y, 161.0 / 20000);
    trace_courbe trace;
    calculer_trace(vue, *etat, trace);
    EXPECT_EQ(vue.premier_visible, 1);
    EXPECT_EQ(vue.dernier_visible, 32000);
    EXPECT_NEAR(vue.pas_trace, 7.4, 0.001);
    EXPECT_DOUBLE_EQ(vue.echelle_x, 1081.0 / 32000);
    // One line per pixel column, left to right; a column holds about 30
    // samples, most of a period of 40: nearly the whole height.
    ASSERT_EQ(trace.enveloppe.size(), 1081u);
    const int y_max = 80 - static_cast<int>(std::lround(10000 * vue.echelle_y));
    for (std::size_t c = 0; c < trace.enveloppe.size(); ++c) {
        const auto& e = trace.enveloppe[c];
        EXPECT_EQ(e.x, static_cast<int>(c));
        EXPECT_GE(e.haut, y_max);
        EXPECT_LE(e.bas, 80 + (80 - y_max));
        if (c > 0 && c < 1080) {  // the edge columns hold half as many
            EXPECT_GT(e.bas - e.haut, 100) << c;
        }
    }
}

// A burst shorter than a column never vanishes, at any zoom: the column
// that holds it reaches its value.
TEST(VueCourbe, ABurstOfOneSampleIsSeenAtEveryZoom) {
    auto etat = std::make_unique<etat_conversion>();
    etat->nb_echantillons = 32100;
    for (int i = 1; i <= 32100; ++i) etat->echantillons[i] = (i % 2 ? 50 : -50);
    etat->echantillons[16003] = 30000;
    vue_courbe vue;
    ouvrir_vue(vue, *etat);
    const int y_pic = 80 - static_cast<int>(std::lround(30000 * vue.echelle_y));
    for (auto [premier, dernier] : {std::pair{1, 32100}, {12001, 20000}, {15001, 15000 + 4 * 1081}, {15501, 16500}, {15951, 16150}}) {
        const trace_courbe trace = test::afficher(vue, *etat, premier, dernier);
        int plus_haut = 161;
        for (const auto& e : trace.enveloppe) plus_haut = std::min(plus_haut, e.haut);
        EXPECT_EQ(plus_haut, y_pic) << premier << ".." << dernier;
    }
}

// The envelope read from the blocks is the one a plain walk over every
// sample gives, for any view: each column spans its samples and the last
// sample of the column before it.
TEST(VueCourbe, TheEnvelopeIsTheRangeOfEachColumnsSamplesForAnyView) {
    std::mt19937 hasard(12);
    auto etat = enregistrement_hasard(hasard, 97, 64);
    vue_courbe vue = vue_de(*etat);
    for (int essai = 0; essai < 100; ++essai) {
        std::uniform_int_distribution<int> debut(1, 32100 - 1082);
        const int premier = debut(hasard);
        const int dernier = std::uniform_int_distribution<int>(premier + 1081, 32100)(hasard);
        const trace_courbe trace = test::afficher(vue, *etat, premier, dernier);
        std::vector<colonne_enveloppe> attendue;
        double precedente = 0;
        for (int i = vue.premier_visible; i <= vue.dernier_visible; ++i) {
            const int c = std::min(static_cast<int>(std::nearbyint((i - vue.premier_visible) * vue.echelle_x)), 1080);
            const int y = 80 - static_cast<int>(std::nearbyint(etat->echantillons[i] * vue.echelle_y));
            const int y_avant = 80 - static_cast<int>(std::nearbyint(precedente * vue.echelle_y));
            if (attendue.empty() || attendue.back().x != c)
                attendue.push_back({c, i == vue.premier_visible ? y : std::min(y, y_avant),
                                    i == vue.premier_visible ? y : std::max(y, y_avant)});
            attendue.back().haut = std::min(attendue.back().haut, y);
            attendue.back().bas = std::max(attendue.back().bas, y);
            precedente = etat->echantillons[i];
        }
        ASSERT_EQ(trace.enveloppe.size(), attendue.size()) << vue.premier_visible << ".." << vue.dernier_visible;
        for (std::size_t c = 0; c < attendue.size(); ++c) {
            const auto &a = attendue[c], &e = trace.enveloppe[c];
            ASSERT_TRUE(a.x == e.x && a.haut == e.haut && a.bas == e.bas)
                << vue.premier_visible << ".." << vue.dernier_visible << " column " << c;
        }
    }
}

// Where a column holds one sample or fewer, the runs are what a one-pixel
// pen draws along the line through the samples, segment after segment (from
// the level stroke where the pen starts, at the second sample's column): in
// each column a segment crosses, the rows it passes through within half a
// column on either side, clamped to its ends.
TEST(VueCourbe, FewSamplesPerColumnDrawTheLineThroughTheSamples) {
    std::mt19937 hasard(7);
    auto etat = enregistrement_hasard(hasard, 13, 32);
    vue_courbe vue = vue_de(*etat);
    for (int essai = 0; essai < 100; ++essai) {
        const int nb = std::uniform_int_distribution<int>(1, 1081)(hasard);
        const int premier = std::uniform_int_distribution<int>(1, 32100 - nb + 1)(hasard);
        const trace_courbe trace = test::afficher(vue, *etat, premier, premier + nb - 1);
        const auto y = [&](int i) { return 80 - static_cast<int>(std::nearbyint(etat->echantillons[i] * vue.echelle_y)); };
        std::vector<point_trace> plume{{static_cast<int>(std::nearbyint(vue.echelle_x)), y(vue.premier_visible)}};
        for (int i = vue.premier_visible; i <= vue.dernier_visible; ++i)
            plume.push_back({static_cast<int>(std::nearbyint((i - vue.premier_visible) * vue.echelle_x)), y(i)});
        std::map<int, std::pair<int, int>> attendue;
        for (std::size_t s = 1; s < plume.size(); ++s) {
            auto a = plume[s - 1], b = plume[s];
            if (a.x > b.x) std::swap(a, b);
            ASSERT_LT(a.x, b.x);
            for (int x = a.x; x <= std::min(b.x, 1080); ++x) {
                const auto rangee = [&](double bord) {
                    const double t = std::clamp(bord - a.x, 0.0, static_cast<double>(b.x - a.x));
                    return static_cast<int>(std::nearbyint(a.y + t * (b.y - a.y) / (b.x - a.x)));
                };
                const int haut = std::min(rangee(x - 0.5), rangee(x + 0.5)), bas = std::max(rangee(x - 0.5), rangee(x + 0.5));
                auto [it, nouveau] = attendue.try_emplace(x, haut, bas);
                if (!nouveau) it->second = {std::min(it->second.first, haut), std::max(it->second.second, bas)};
            }
        }
        ASSERT_EQ(trace.enveloppe.size(), attendue.size()) << vue.premier_visible << ".." << vue.dernier_visible;
        std::size_t c = 0;
        for (const auto& [x, rangees] : attendue) {
            const auto& e = trace.enveloppe[c++];
            ASSERT_TRUE(e.x == x && e.haut == rangees.first && e.bas == rangees.second)
                << vue.premier_visible << ".." << vue.dernier_visible << " column " << x << ": " << e.haut << ".." << e.bas
                << " instead of " << rangees.first << ".." << rangees.second;
        }
    }
}

// Every view is one run of pixels per column, left to right, up to the last
// visible sample's column: the drawing follows the image width, not the zoom.
TEST(VueCourbe, DrawingStaysBoundedByTheImageWidthAtEveryZoom) {
    auto etat = enregistrement(32000);
    vue_courbe vue = vue_ouverte(*etat);
    struct cas {
        int premier, dernier;
        double pas;
        std::size_t colonnes;
    };
    for (const auto& [premier, dernier, pas, colonnes] :
         {cas{1, 32000, 7.4, 1081}, {5001, 5000 + 4 * 1081, 1, 1081}, {101, 1181, 1, 1081},
          {101, 300, 1, static_cast<std::size_t>(std::lround(199 * 1081.0 / 200)) + 1}}) {
        const trace_courbe trace = test::afficher(vue, *etat, premier, dernier);
        EXPECT_NEAR(vue.pas_trace, pas, 0.001);
        ASSERT_EQ(trace.enveloppe.size(), colonnes) << premier << ".." << dernier;
        for (std::size_t c = 0; c < colonnes; ++c) EXPECT_EQ(trace.enveloppe[c].x, static_cast<int>(c));
    }
}

TEST(VueCourbe, MarksAreDrawnStrictlyRightOfTheLeftEdgeAndUpToTheRightEdge) {
    auto etat = enregistrement(1000);
    // 101 = premier_visible: not drawn; 300 = dernier_visible: drawn; 0: an
    // empty slot.
    placer_pointes(*etat, {101, 102, 300, 301, 0});
    vue_courbe vue = vue_ouverte(*etat);
    const trace_courbe trace = test::afficher(vue, *etat, 101, 300);
    ASSERT_EQ(trace.colonnes_pointes.size(), 2u);
    EXPECT_EQ(trace.colonnes_pointes[0], static_cast<int>(std::lround(1081.0 / 200)));
    EXPECT_EQ(trace.colonnes_pointes[1], static_cast<int>(std::lround(199 * 1081.0 / 200)));
}

TEST(VueCourbe, FlatEmptyAndOversizedRecordingsAreDrawnSafely) {
    // A constant recording lies on the middle line.
    auto plat = std::make_unique<etat_conversion>();
    plat->nb_echantillons = 500;
    for (int i = 1; i <= 500; ++i) plat->echantillons[i] = 1234;
    vue_courbe vue;
    ouvrir_vue(vue, *plat);
    EXPECT_EQ(vue.echelle_y, 0);
    trace_courbe trace;
    calculer_trace(vue, *plat, trace);
    ASSERT_FALSE(trace.enveloppe.empty());
    for (const auto& e : trace.enveloppe) EXPECT_TRUE(e.haut == 80 && e.bas == 80);

    // No sample at all: nothing drawn, and the wheel and the mouse do nothing.
    auto vide = std::make_unique<etat_conversion>();
    vue = vue_courbe{};
    ouvrir_vue(vue, *vide);
    calculer_trace(vue, *vide, trace);
    EXPECT_TRUE(trace.enveloppe.empty());
    molette(vue, *vide, 'c', true, 500);
    EXPECT_FALSE(ajouter_pointe(vue, *vide) && clic_gauche(vue, *vide, 10) && vide->pointes[1].x != 0);

    // A count beyond the buffer's capacity draws only what the buffer holds.
    auto trop = enregistrement(50000);
    vue = vue_courbe{};
    ouvrir_vue(vue, *trop);
    EXPECT_EQ(vue.dernier_visible, capacite_echantillons);
    molette(vue, *trop, 's', false, 500);
    EXPECT_EQ(vue.dernier_visible, capacite_echantillons);
}

TEST(VueCourbe, CtrlWheelZoomsAroundTheMouse) {
    auto etat = enregistrement(32000);
    vue_courbe vue = vue_ouverte(*etat);
    const double perte = 800 * vue.pas_trace;  // about 5920 samples
    // At the left edge (f = 0) all the loss is taken on the right.
    molette(vue, *etat, 'c', true, 0);
    EXPECT_EQ(vue.premier_visible, 1);
    EXPECT_EQ(vue.dernier_visible, static_cast<int>(std::lround(32000 - perte)));
    // In the middle it is shared; zooming out there gives the width back.
    vue = vue_ouverte(*etat);
    molette(vue, *etat, 'c', true, 1081 / 2);
    const int premier = vue.premier_visible, dernier = vue.dernier_visible;
    EXPECT_NEAR(premier - 1, 32000 - dernier, 10);
    EXPECT_NEAR(dernier - premier + 1, 32000 - perte, 1);
    molette(vue, *etat, 'c', false, 1081 / 2);
    EXPECT_GE(vue.premier_visible, 1);
    EXPECT_LE(vue.dernier_visible, 32000);
    EXPECT_GT(vue.dernier_visible - vue.premier_visible, dernier - premier);
    // Zooming out at the edges is clamped to the recording.
    for (int i = 0; i < 10; ++i) molette(vue, *etat, 'c', false, 1080);
    EXPECT_EQ(vue.premier_visible, 1);
    for (int i = 0; i < 10; ++i) molette(vue, *etat, 'c', false, 0);
    EXPECT_EQ(vue.premier_visible, 1);
    EXPECT_EQ(vue.dernier_visible, 32000);
}

TEST(VueCourbe, ATooDeepZoomIsUndone) {
    auto etat = enregistrement(32000);
    vue_courbe vue = vue_ouverte(*etat);
    test::afficher(vue, *etat, 801, 1700);  // 900 samples: pas_trace 1, a step takes 800
    molette(vue, *etat, 'c', true, 540);
    EXPECT_EQ(visibles(vue), std::pair(801, 1700));
    // Down to W div 10 = 108 samples is allowed.
    montrer(vue, 1, 908);
    molette(vue, *etat, 'c', true, 0);
    EXPECT_EQ(visibles(vue), std::pair(1, 108));
    molette(vue, *etat, 'c', true, 0);
    EXPECT_EQ(vue.dernier_visible, 108);
}

TEST(VueCourbe, ShiftWheelScrollsByAHundredDrawingStepsKeepingTheWidth) {
    auto etat = enregistrement(1000);
    vue_courbe vue = vue_ouverte(*etat);
    test::afficher(vue, *etat, 801, 950);
    molette(vue, *etat, 's', false, 300);  // d = 100: to the end, same width
    EXPECT_EQ(visibles(vue), std::pair(851, 1000));
    molette(vue, *etat, 's', true, 300);
    EXPECT_EQ(visibles(vue), std::pair(751, 900));
    montrer(vue, 51, 200);
    molette(vue, *etat, 's', true, 300);  // 51 < 100: to the start
    EXPECT_EQ(visibles(vue), std::pair(1, 150));
    // A view narrower than W div 10 (only a recording that short has one)
    // never moves: every step is undone.
    montrer(vue, 801, 900);
    molette(vue, *etat, 's', false, 300);
    EXPECT_EQ(vue.premier_visible, 801);

    // 32,000 samples seen through 32,000 - 740 .. : a step is 740 samples.
    auto grand = enregistrement(32100);
    vue = vue_ouverte(*grand);
    test::afficher(vue, *grand, 1, 32000);
    EXPECT_EQ(std::lround(200 * vue.pas_trace / 2), 740);
    molette(vue, *grand, 's', false, 0);  // 32000 + 740 is past the end: to the end
    EXPECT_EQ(vue.premier_visible, 101);
    EXPECT_EQ(vue.dernier_visible, 32100);
    test::afficher(vue, *grand, 1001, 31000);  // 30000 samples: pas 6.94, d = 694
    molette(vue, *grand, 's', true, 0);
    EXPECT_EQ(vue.premier_visible, 1001 - std::lround(100 * vue.pas_trace));
}

TEST(VueCourbe, AWheelStepWithoutShiftOrCtrlChangesNothingAndModifiersLastOneStep) {
    auto etat = enregistrement(32000);
    vue_courbe vue = vue_ouverte(*etat);
    molette(vue, *etat, 'c', true, 0);
    const int dernier = vue.dernier_visible;
    molette(vue, *etat, 0, true, 0);
    EXPECT_EQ(vue.dernier_visible, dernier);
    vue.touche_mod = 'c';
    pas_molette(vue, *etat, true, 0);
    EXPECT_EQ(vue.touche_mod, 0);
    EXPECT_EQ(touche_de(true, false, false), 's');
    EXPECT_EQ(touche_de(false, true, false), 'c');
    EXPECT_EQ(touche_de(true, true, false), 0);
    EXPECT_EQ(touche_de(true, false, true), 0);
}

TEST(MarquesCourbe, HitTestTakesTheColumnsAroundTheMarkAndTheHighestIndex) {
    auto etat = enregistrement(1000);
    vue_courbe vue = vue_ouverte(*etat);
    test::afficher(vue, *etat, 1, 200);
    etat->nb_pointes = 2;
    etat->pointes[1].x = 100;
    const int c = colonne_de(vue, 100);
    EXPECT_EQ(c, static_cast<int>(std::lround(99 * 1081.0 / 200)));
    for (int x : {c - 1, c, c + 1}) {
        EXPECT_TRUE(tester_pointe(vue, *etat, x)) << x;
        EXPECT_EQ(vue.pointe_choisie, 1);
    }
    for (int x : {c - 2, c + 2}) {
        EXPECT_FALSE(tester_pointe(vue, *etat, x)) << x;
        EXPECT_EQ(vue.pointe_choisie, 0);
    }
    etat->pointes[2].x = 100.1;  // overlapping: the later mark wins
    EXPECT_TRUE(tester_pointe(vue, *etat, c));
    EXPECT_EQ(vue.pointe_choisie, 2);
    // A mark outside the view is never hit.
    etat->pointes[1].x = etat->pointes[2].x = 500;
    EXPECT_FALSE(tester_pointe(vue, *etat, colonne_de(vue, 500)));
}

TEST(MarquesCourbe, PickUpMoveAndDropAMark) {
    auto etat = enregistrement(1000);
    vue_courbe vue = vue_ouverte(*etat);
    trace_courbe trace = test::afficher(vue, *etat, 101, 300);
    etat->nb_pointes = 2;
    etat->pointes[1] = {150, 7};
    etat->pointes[2] = {250, 8};
    // A click beside any mark does nothing.
    tester_pointe(vue, *etat, 10);
    EXPECT_FALSE(clic_gauche(vue, *etat, 10));
    // Click on mark 1: it leaves the drawing and is being placed.
    tester_pointe(vue, *etat, colonne_de(vue, 150));
    ASSERT_TRUE(clic_gauche(vue, *etat, colonne_de(vue, 150)));
    EXPECT_TRUE(vue.placement);
    EXPECT_EQ(etat->pointes[1].x, 0);
    calculer_trace(vue, *etat, trace);
    EXPECT_EQ(trace.colonnes_pointes.size(), 1u);
    // Moves while placing leave the chosen mark alone, even over mark 2.
    EXPECT_FALSE(tester_pointe(vue, *etat, colonne_de(vue, 250)));
    EXPECT_EQ(vue.pointe_choisie, 1);
    // The drop: X / echelle_x + premier_visible, a fractional sample number.
    ASSERT_TRUE(clic_gauche(vue, *etat, 540));
    EXPECT_FALSE(vue.placement);
    EXPECT_EQ(vue.pointe_choisie, 0);
    EXPECT_DOUBLE_EQ(etat->pointes[1].x, 540 / vue.echelle_x + 101);
    EXPECT_EQ(etat->pointes[1].y, 7);
    EXPECT_EQ(etat->pointes[2].x, 250);
    EXPECT_EQ(etat->nb_pointes, 2);
}

TEST(MarquesCourbe, AddReusesAnEmptySlotAndIsRefusedAtAHundredMarks) {
    auto etat = enregistrement(1000);
    vue_courbe vue = vue_ouverte(*etat);
    placer_pointes(*etat, {100, 200, 300});
    etat->pointes[4] = {999, 999};  // leftover of an earlier recording
    ASSERT_TRUE(ajouter_pointe(vue, *etat));
    EXPECT_EQ(etat->nb_pointes, 4);
    EXPECT_EQ(vue.pointe_choisie, 4);
    EXPECT_EQ(etat->pointes[4].x, 0);
    clic_gauche(vue, *etat, 1081 / 2);
    EXPECT_NEAR(etat->pointes[4].x, 501, 1);

    // Add while a picked-up mark is not dropped: its slot is reused.
    tester_pointe(vue, *etat, colonne_de(vue, 200));
    clic_gauche(vue, *etat, colonne_de(vue, 200));
    ASSERT_TRUE(ajouter_pointe(vue, *etat));
    EXPECT_EQ(vue.pointe_choisie, 2);
    EXPECT_EQ(etat->nb_pointes, 4);
    clic_gauche(vue, *etat, 1000);
    EXPECT_GT(etat->pointes[2].x, 900);

    // A full table: refused, nothing changes.
    etat->nb_pointes = 100;
    for (int k = 1; k <= 100; ++k) etat->pointes[k].x = k;
    EXPECT_FALSE(ajouter_pointe(vue, *etat));
    EXPECT_EQ(etat->nb_pointes, 100);
    EXPECT_FALSE(vue.placement);
    EXPECT_EQ(vue.pointe_choisie, 0);
    etat->pointes[37].x = 0;  // an empty slot makes room again
    EXPECT_TRUE(ajouter_pointe(vue, *etat));
    EXPECT_EQ(vue.pointe_choisie, 37);
}

// A drop past the last sample lands on it; a wheel step beside the image
// acts as at its nearer edge.
TEST(MarquesCourbe, ADropAndAWheelStepBesideTheImageStayInsideTheRecording) {
    auto etat = enregistrement(1000);
    vue_courbe vue = vue_ouverte(*etat), au_bord = vue;
    ajouter_pointe(vue, *etat);
    clic_gauche(vue, *etat, 1080);
    EXPECT_EQ(etat->pointes[1].x, 1000);
    molette(vue, *etat, 'c', true, 5000);
    molette(au_bord, *etat, 'c', true, 1081);
    EXPECT_EQ(visibles(vue), visibles(au_bord));
}

TEST(MarquesCourbe, DeleteKeepsTheOrderAndOkDropsTheUnplacedMark) {
    auto etat = enregistrement(1000);
    vue_courbe vue = vue_ouverte(*etat);
    etat->nb_pointes = 4;
    for (int k = 1; k <= 4; ++k) etat->pointes[k] = {k * 100.0, k * 1.0};
    vue.pointe_choisie = 2;
    supprimer_pointe(vue, *etat);
    EXPECT_EQ(etat->nb_pointes, 3);
    EXPECT_EQ(etat->pointes[1].x, 100);
    EXPECT_EQ(etat->pointes[2].x, 300);
    EXPECT_EQ(etat->pointes[3].x, 400);
    EXPECT_EQ(etat->pointes[3].y, 4);
    EXPECT_EQ(etat->pointes[4].x, 0);
    EXPECT_EQ(vue.pointe_choisie, 0);
    // Nothing chosen: nothing deleted.
    supprimer_pointe(vue, *etat);
    EXPECT_EQ(etat->nb_pointes, 3);

    // A mark picked up and not dropped when OK is pressed is removed.
    vue.pointe_choisie = 2;
    clic_gauche(vue, *etat, 0);
    ASSERT_TRUE(vue.placement);
    retirer_pointes_vides(vue, *etat);
    EXPECT_FALSE(vue.placement);
    EXPECT_EQ(etat->nb_pointes, 2);
    EXPECT_EQ(etat->pointes[1].x, 100);
    EXPECT_EQ(etat->pointes[2].x, 400);
    EXPECT_EQ(etat->pointes[3].x, 0);
}

TEST(FenetresCouvrantes, MinimisesTheForegroundWindowsUntilTheChartIsInFront) {
    test::PlateformeFactice os;
    contexte ctx(os);
    os.fenetres = {{1, "Audacity"}, {2, "essai.wav"}, {3, "Bloc-notes"}, {4, "Quorva"}};
    ctx.conversion.fichier_en_cours = "essai.wav";
    os.premiers_plans = {1, 3, 2, 1};
    ranger_fenetres_couvrantes(ctx.os, ctx.conversion.fichier_en_cours, [](WindowId) { return false; });
    EXPECT_EQ(os.minimisees, (std::vector<WindowId>{1, 3}));

    // At most five rounds.
    os.minimisees.clear();
    os.premiers_plans = {1, 1, 1, 1, 1, 1, 1};
    ranger_fenetres_couvrantes(ctx.os, ctx.conversion.fichier_en_cours, [](WindowId) { return false; });
    EXPECT_EQ(os.minimisees.size(), 5u);

    // The program's own windows are never put away, whatever their title.
    os.minimisees.clear();
    ctx.conversion.fichier_en_cours.clear();
    os.premiers_plans = {1, 4, 3};
    ranger_fenetres_couvrantes(ctx.os, ctx.conversion.fichier_en_cours, [](WindowId w) { return w == 4; });
    EXPECT_EQ(os.minimisees, (std::vector<WindowId>{1}));
    // No foreground window and an empty caption: stop at once.
    os.minimisees.clear();
    os.premiers_plans.clear();
    ranger_fenetres_couvrantes(ctx.os, ctx.conversion.fichier_en_cours, nullptr);
    EXPECT_TRUE(os.minimisees.empty());
}

// Recordings that could break the drawing: one sample, 32,100 equal
// samples, full-scale square waves; each at its full view and at the last
// zoom step allowed. Always something on the image, always inside it.
TEST(VueCourbe, DegenerateRecordingsAreDrawnInsideTheImageAtEveryZoom) {
    struct cas {
        const char* nom;
        int n;
        double (*valeur)(int);
    };
    const cas recordings[] = {
        {"one sample", 1, [](int) { return 1234.0; }},
        {"32100 equal samples", 32100, [](int) { return -7.0; }},
        {"full-scale square", 32100, [](int i) { return (i / 50) % 2 ? 32767.0 : -32768.0; }},
        {"one-sample square", 32100, [](int i) { return i % 2 ? 32767.0 : -32768.0; }},
    };
    for (const auto& r : recordings) {
        auto etat = std::make_unique<etat_conversion>();
        etat->nb_echantillons = r.n;
        for (int i = 1; i <= r.n; ++i) etat->echantillons[i] = r.valeur(i);
        etat->nb_pointes = 1;
        etat->pointes[1].x = r.n;
        vue_courbe vue = vue_ouverte(*etat);
        vue.detecteur_visible = true;
        for (int pas = 0; pas < 60; ++pas) {  // zooms in to the limit, then some
            trace_courbe trace;
            calculer_trace(vue, *etat, trace);
            EXPECT_FALSE(trace.enveloppe.empty()) << r.nom;
            for (const auto& e : trace.enveloppe) {
                EXPECT_TRUE(e.x >= 0 && e.x < 1081 && e.haut >= 0 && e.bas <= 161 && e.haut <= e.bas) << r.nom;
            }
            for (const auto& p : trace.detecteur) EXPECT_TRUE(p.y >= 0 && p.y <= 160) << r.nom;
            EXPECT_GE(vue.dernier_visible - vue.premier_visible + 1, std::min(r.n, 108)) << r.nom;
            const auto regle = graduations(vue, 1000, 1, '.');
            EXPECT_FALSE(regle.empty()) << r.nom;
            zoom_clavier(vue, *etat, true);
        }
    }
}

TEST(RegleTemps, TicksFollowTheZoomAtOneTwoFiveSteps) {
    auto etat = enregistrement(32000);
    vue_courbe vue = vue_ouverte(*etat);
    struct cas {
        int premier, dernier;
        std::uint32_t frequence;
        int facteur;
        std::vector<std::string> etiquettes;  // the first ones
    };
    // 32 s on 1081 pixels: 34 pixels a second, labels every 5 s; 1000
    // samples: every 0.1 s; 200 samples: every 0.02 s; a factor of 2 doubles
    // the times (64 s: still every 5 s, half as far apart); with no rate the
    // ruler counts samples.
    const cas exemples[] = {
        {1, 32000, 1000, 1, {"0 s", "5 s", "10 s"}},
        {1001, 2000, 1000, 1, {"1.0 s", "1.1 s", "1.2 s"}},
        {5001, 5200, 1000, 1, {"5.00 s", "5.02 s", "5.04 s"}},
        {1, 32000, 1000, 2, {"0 s", "5 s", "10 s"}},
        {1, 32000, 0, 1, {"5000", "10000", "15000"}},
    };
    for (const auto& c : exemples) {
        test::afficher(vue, *etat, c.premier, c.dernier);
        const auto regle = graduations(vue, c.frequence, c.facteur, '.');
        std::vector<std::string> etiquettes;
        std::vector<int> colonnes;
        for (const auto& g : regle) {
            EXPECT_TRUE(g.x >= 0 && g.x <= 1081) << g.x;
            if (!g.majeure) continue;
            etiquettes.push_back(g.texte);
            colonnes.push_back(g.x);
        }
        ASSERT_GE(etiquettes.size(), 3u) << c.premier;
        etiquettes.resize(3);
        EXPECT_EQ(etiquettes, c.etiquettes) << c.premier << ".." << c.dernier;
        for (std::size_t i = 1; i < colonnes.size(); ++i) EXPECT_GE(colonnes[i] - colonnes[i - 1], 79);
        // "5 s" is sample 5001, or 2501 with a factor of 2.
        if (c.frequence != 0 && c.premier == 1) {
            EXPECT_EQ(colonnes[1], colonne_de(vue, 1 + 5000.0 / c.facteur)) << c.facteur;
        }
        EXPECT_LT(regle.size(), 1081u / 10);
    }
    // Sample 1 is time 0; the system's separator is used.
    test::afficher(vue, *etat, 1001, 2000);
    EXPECT_EQ(graduations(vue, 1000, 1, ',')[0].texte, "1,0 s");
    EXPECT_EQ(graduations(vue, 1000, 1, ',')[0].x, static_cast<int>(std::lround(0 * vue.echelle_x)));
    EXPECT_DOUBLE_EQ(secondes_de(1001, 1000, 1), 1.0);
    EXPECT_DOUBLE_EQ(secondes_de(1001, 22050, 3), 3000.0 / 22050);
}

TEST(ClavierCourbe, TabGoesThroughTheMarksInPositionOrderAndShowsTheChosenOne) {
    auto etat = enregistrement(32000);
    vue_courbe vue = vue_ouverte(*etat);
    placer_pointes(*etat, {20000, 500, 0, 9000});  // the empty slot 3 is skipped
    std::vector<int> ordre;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(selectionner_pointe(vue, *etat, true));
        ordre.push_back(vue.pointe_selectionnee);
    }
    EXPECT_EQ(ordre, (std::vector<int>{2, 4, 1, 2}));
    ASSERT_TRUE(selectionner_pointe(vue, *etat, false));
    EXPECT_EQ(vue.pointe_selectionnee, 1);

    // Zoomed elsewhere: the view scrolls to the chosen mark, same width.
    vue.premier_visible = 1;
    vue.dernier_visible = 1000;
    selectionner_pointe(vue, *etat, false);
    EXPECT_EQ(vue.pointe_selectionnee, 4);
    EXPECT_LT(vue.premier_visible, 9000);
    EXPECT_GE(vue.dernier_visible, 9000);
    EXPECT_EQ(vue.dernier_visible - vue.premier_visible + 1, 1000);
    trace_courbe trace;
    calculer_trace(vue, *etat, trace);
    EXPECT_EQ(trace.colonne_selection, colonne_de(vue, 9000));
    // Nothing to choose: no selection.
    etat->nb_pointes = 0;
    EXPECT_FALSE(selectionner_pointe(vue, *etat, true));
    EXPECT_EQ(vue.pointe_selectionnee, 0);
}

// A red mark takes its column and the next; the selected mark its column,
// one before and two after, over the red; columns past the image are cut.
TEST(MarquesCourbe, MarksAndTheSelectionTakeTheirColumnsInsideTheImage) {
    using m = marque_colonne;
    trace_courbe trace;
    trace.colonnes_pointes = {0, 4, 7, 11};
    trace.colonne_selection = 7;
    std::vector<marque_colonne> colonnes;
    colonnes_marquees(trace, 11, colonnes);
    EXPECT_EQ(colonnes, (std::vector<marque_colonne>{m::pointe, m::pointe, m::aucune, m::aucune, m::pointe, m::pointe,
                                                     m::selection, m::selection, m::selection, m::selection, m::aucune}));
}

// Insert: under the mouse over the image, else mid-view. Arrows: one sample,
// or one pixel column with Shift (one sample when nothing is drawn).
TEST(ClavierCourbe, InsertGoesUnderTheMouseOrMidViewAndArrowsStepBySampleOrColumn) {
    vue_courbe vue;
    vue.premier_visible = 1001;
    vue.dernier_visible = 3162;
    vue.echelle_x = 0.5;
    for (const auto& [souris, attendu] : {std::pair<std::optional<int>, double>{100, 1201}, {0, 1001},
                                          {std::nullopt, 2081.5}, {-3, 2081.5}, {largeur_image, 2081.5}})
        EXPECT_DOUBLE_EQ(position_insertion(vue, souris), attendu) << souris.value_or(-99);
    EXPECT_EQ(std::make_pair(pas_fleche(vue, false), pas_fleche(vue, true)), std::make_pair(1.0, 2.0));
    vue.echelle_x = 0;
    EXPECT_DOUBLE_EQ(pas_fleche(vue, true), 1);
}
