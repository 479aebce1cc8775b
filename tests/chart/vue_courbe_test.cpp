#include "chart/vue_courbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <numbers>

#include "app/contexte.h"
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

vue_courbe vue_ouverte(const etat_conversion& etat) {
    vue_courbe vue;
    ouvrir_vue(vue, etat);
    trace_courbe trace;
    calculer_trace(vue, etat, trace);
    return vue;
}

void molette(vue_courbe& vue, const etat_conversion& etat, char touche, bool haut, int x) {
    vue.touche_mod = touche;
    pas_molette(vue, etat, haut, x);
    trace_courbe trace;
    calculer_trace(vue, etat, trace);
}

// Largest number of polyline points that fall in one pixel column.
int points_par_colonne(const trace_courbe& trace) {
    std::map<int, int> par_colonne;
    for (std::size_t i = 1; i < trace.points.size(); ++i) ++par_colonne[trace.points[i].x];
    int pire = 0;
    for (const auto& [colonne, nb] : par_colonne) pire = std::max(pire, nb);
    return pire;
}

}  // namespace

TEST(VueCourbe, FullViewOf32000SamplesDrawsAboutEverySeventhSample) {
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
    // Every seventh sample (i = round(i + 7.4)), so about 4 points per column.
    ASSERT_GE(trace.points.size(), 3u);
    EXPECT_EQ(trace.points[1].x, 0);
    EXPECT_EQ(trace.points[2].x, 0);  // sample 8
    EXPECT_LE(points_par_colonne(trace), 5);
    EXPECT_NEAR(static_cast<double>(trace.points.size()), 4 * 1081, 4 * 1081 * 0.06);
    // The pen starts at round(echelle_x) = 0 on sample 1's height; positive
    // values are above the middle line.
    EXPECT_EQ(trace.points[0].x, 0);
    const int y_max = 80 - static_cast<int>(std::lround(10000 * vue.echelle_y));
    for (const auto& p : trace.points) {
        EXPECT_GE(p.y, y_max);
        EXPECT_LE(p.y, 80 + (80 - y_max));
    }
}

TEST(VueCourbe, DrawingStaysBoundedByTheImageWidthAtEveryZoom) {
    auto etat = enregistrement(32000);
    vue_courbe vue = vue_ouverte(*etat);
    trace_courbe entier;
    calculer_trace(vue, *etat, entier);
    // At most 4 x W samples visible: every sample is drawn.
    vue.premier_visible = 5001;
    vue.dernier_visible = 5000 + 4 * 1081;
    trace_courbe zoome;
    calculer_trace(vue, *etat, zoome);
    EXPECT_DOUBLE_EQ(vue.pas_trace, 1);
    EXPECT_EQ(zoome.points.size(), 4u * 1081 + 1);
    EXPECT_EQ(zoome.points.back().x, static_cast<int>(std::lround((4 * 1081 - 1) * 0.25)));
    // A narrow view: one point per sample, several pixels apart.
    vue.premier_visible = 101;
    vue.dernier_visible = 300;
    trace_courbe etroit;
    calculer_trace(vue, *etat, etroit);
    EXPECT_EQ(etroit.points.size(), 201u);
    EXPECT_LE(points_par_colonne(etroit), 1);
    EXPECT_NEAR(static_cast<double>(entier.points.size()), static_cast<double>(zoome.points.size()),
                0.1 * zoome.points.size());
}

TEST(VueCourbe, MarksAreDrawnStrictlyRightOfTheLeftEdgeAndUpToTheRightEdge) {
    auto etat = enregistrement(1000);
    etat->nb_pointes = 5;
    etat->pointes[1].x = 101;  // = premier_visible: not drawn
    etat->pointes[2].x = 102;
    etat->pointes[3].x = 300;  // = dernier_visible: drawn
    etat->pointes[4].x = 301;
    etat->pointes[5].x = 0;  // empty slot
    vue_courbe vue = vue_ouverte(*etat);
    vue.premier_visible = 101;
    vue.dernier_visible = 300;
    trace_courbe trace;
    calculer_trace(vue, *etat, trace);
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
    ASSERT_FALSE(trace.points.empty());
    for (const auto& p : trace.points) EXPECT_EQ(p.y, 80);

    // No sample at all: nothing drawn, and the wheel and the mouse do nothing.
    auto vide = std::make_unique<etat_conversion>();
    vue = vue_courbe{};
    ouvrir_vue(vue, *vide);
    calculer_trace(vue, *vide, trace);
    EXPECT_TRUE(trace.points.empty());
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
    vue.premier_visible = 801;
    vue.dernier_visible = 1700;  // 900 samples: pas_trace 1, a step takes 800
    trace_courbe trace;
    calculer_trace(vue, *etat, trace);
    molette(vue, *etat, 'c', true, 540);
    EXPECT_EQ(vue.premier_visible, 801);
    EXPECT_EQ(vue.dernier_visible, 1700);
    // Down to W div 10 = 108 samples is allowed.
    vue.premier_visible = 1;
    vue.dernier_visible = 908;
    molette(vue, *etat, 'c', true, 0);
    EXPECT_EQ(vue.premier_visible, 1);
    EXPECT_EQ(vue.dernier_visible, 108);
    molette(vue, *etat, 'c', true, 0);
    EXPECT_EQ(vue.dernier_visible, 108);
}

TEST(VueCourbe, ShiftWheelScrollsByAHundredDrawingStepsKeepingTheWidth) {
    auto etat = enregistrement(1000);
    vue_courbe vue = vue_ouverte(*etat);
    vue.premier_visible = 801;
    vue.dernier_visible = 950;
    trace_courbe trace;
    calculer_trace(vue, *etat, trace);
    molette(vue, *etat, 's', false, 300);  // d = 100: to the end, same width
    EXPECT_EQ(vue.premier_visible, 851);
    EXPECT_EQ(vue.dernier_visible, 1000);
    molette(vue, *etat, 's', true, 300);
    EXPECT_EQ(vue.premier_visible, 751);
    EXPECT_EQ(vue.dernier_visible, 900);
    vue.premier_visible = 51;
    vue.dernier_visible = 200;
    molette(vue, *etat, 's', true, 300);  // 51 < 100: to the start
    EXPECT_EQ(vue.premier_visible, 1);
    EXPECT_EQ(vue.dernier_visible, 150);
    // A view narrower than W div 10 (only a recording that short has one)
    // never moves: every step is undone.
    vue.premier_visible = 801;
    vue.dernier_visible = 900;
    molette(vue, *etat, 's', false, 300);
    EXPECT_EQ(vue.premier_visible, 801);

    // 32,000 samples seen through 32,000 - 740 .. : a step is 740 samples.
    auto grand = enregistrement(32100);
    vue = vue_ouverte(*grand);
    vue.premier_visible = 1;
    vue.dernier_visible = 32000;
    calculer_trace(vue, *grand, trace);
    EXPECT_EQ(std::lround(200 * vue.pas_trace / 2), 740);
    molette(vue, *grand, 's', false, 0);  // 32000 + 740 is past the end: to the end
    EXPECT_EQ(vue.premier_visible, 101);
    EXPECT_EQ(vue.dernier_visible, 32100);
    vue.premier_visible = 1001;
    vue.dernier_visible = 31000;  // 30000 samples: pas 6.94, d = 694
    calculer_trace(vue, *grand, trace);
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
    vue.premier_visible = 1;
    vue.dernier_visible = 200;
    trace_courbe trace;
    calculer_trace(vue, *etat, trace);
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
    vue.premier_visible = 101;
    vue.dernier_visible = 300;
    trace_courbe trace;
    calculer_trace(vue, *etat, trace);
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
    etat->nb_pointes = 3;
    etat->pointes[1].x = 100;
    etat->pointes[2].x = 200;
    etat->pointes[3].x = 300;
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
    ranger_fenetres_couvrantes(ctx, [](WindowId) { return false; });
    EXPECT_EQ(os.minimisees, (std::vector<WindowId>{1, 3}));

    // At most five rounds.
    os.minimisees.clear();
    os.premiers_plans = {1, 1, 1, 1, 1, 1, 1};
    ranger_fenetres_couvrantes(ctx, [](WindowId) { return false; });
    EXPECT_EQ(os.minimisees.size(), 5u);

    // The program's own windows are never put away, whatever their title.
    os.minimisees.clear();
    ctx.conversion.fichier_en_cours.clear();
    os.premiers_plans = {1, 4, 3};
    ranger_fenetres_couvrantes(ctx, [](WindowId w) { return w == 4; });
    EXPECT_EQ(os.minimisees, (std::vector<WindowId>{1}));
    // No foreground window and an empty caption: stop at once.
    os.minimisees.clear();
    os.premiers_plans.clear();
    ranger_fenetres_couvrantes(ctx, nullptr);
    EXPECT_TRUE(os.minimisees.empty());
}
