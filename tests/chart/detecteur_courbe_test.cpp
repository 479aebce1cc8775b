// The detector as the chart shows it, and the snap to the onset: both must
// agree with the detection itself.
#include "chart/detecteur_courbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "chart/historique_pointes.h"
#include "tests/chart/courbe_ouverte.h"

using namespace quorva;

namespace {

// 32,000 quiet samples (+-100) with a strong burst at 10001 (amplitude
// 4000: 16 per sample, so 5 samples of it with the quiet rest pass the threshold) and a weak
// one at 20001 (amplitude 1300: 1.69 per sample, 34 over a window: never
// detected).
class Detecteur : public test::CourbeOuverte {
protected:
    void SetUp() override {
        remplir(32000, [](int i) {
            double v = i % 2 ? 100 : -100;
            if (i > 10000 && i <= 10400) v = (i % 2 ? 4000 : -4000);
            if (i > 20000 && i <= 20400) v = (i % 2 ? 1300 : -1300);
            return v;
        });
        detecte_pointes(ctx, ctx.conversion, {});
        ouvrir();
    }
};

}  // namespace

TEST_F(Detecteur, TheCurveCrossesTheThresholdWhereTheDetectionFoundAnEventOnly) {
    ASSERT_EQ(ctx.conversion.nb_pointes, 1);
    const double debut = ctx.conversion.pointes[1].x;
    EXPECT_EQ(debut, 9985);  // 5 samples of the burst (80) and 15 quiet ones in the window after it
    vue.detecteur_visible = true;
    for (auto [premier, dernier] : {std::pair{1, 32000}, {9901, 10100}}) {
        const trace_courbe trace = test::afficher(vue, ctx.conversion, premier, dernier);
        EXPECT_EQ(trace.y_seuil, 160 - 40);  // a quarter of the height
        int au_dessus = 0, premier_dessus = -1;
        for (const auto& p : trace.detecteur)
            if (p.y < trace.y_seuil) {
                ++au_dessus;
                if (premier_dessus < 0) premier_dessus = p.x;
            }
        EXPECT_GT(au_dessus, 0);
        EXPECT_EQ(premier_dessus, colonne_de(vue, debut)) << premier;
        // The weak burst stays below the line, but is seen.
        if (premier == 1) {
            int faible = 160;
            for (const auto& p : trace.detecteur)
                if (p.x > colonne_de(vue, 19900) && p.x < colonne_de(vue, 20500)) faible = std::min(faible, p.y);
            EXPECT_GT(faible, trace.y_seuil);
            EXPECT_LT(faible, 160 - 10);
        }
    }
    // The curve ends 20 samples before the recording does.
    const trace_courbe fin = test::afficher(vue, ctx.conversion, 31901, 32000);
    ASSERT_FALSE(fin.detecteur.empty());
    EXPECT_EQ(fin.detecteur.back().x, colonne_de(vue, 31980));
}

// A drop within ten pixel columns of an onset goes to it; farther, in the
// quiet or beside the weak burst, it stays.
TEST_F(Detecteur, SnapGoesToTheOnsetWithinTenColumnsOnly) {
    const double debut = ctx.conversion.pointes[1].x;
    const double colonne = 1 / vue.echelle_x;  // about 30 samples at full view
    struct cas {
        double depot;
        std::optional<double> attendu;
    };
    for (const auto& [depot, attendu] : {cas{debut, debut}, cas{debut + 9.5 * colonne, debut},
                                         cas{debut - 9.5 * colonne, debut}, cas{debut + 10.5 * colonne, {}},
                                         cas{debut - 10.5 * colonne, {}}, cas{15000, {}}, cas{20000, {}},
                                         cas{31999, {}}, cas{-5, {}}})
        EXPECT_EQ(debut_proche(ctx.conversion, depot, 10 * colonne), attendu) << depot;

    // Through the history: a mark carried there and dropped, or inserted.
    historique_pointes h;
    h.commencer(ctx.conversion);
    vue.pointe_selectionnee = 0;
    ASSERT_TRUE(h.inserer(vue, ctx.conversion, debut + 200, true));
    EXPECT_EQ(ctx.conversion.pointes[2].x, debut);
    ASSERT_TRUE(h.inserer(vue, ctx.conversion, 15000, true));
    EXPECT_EQ(ctx.conversion.pointes[3].x, 15000);
    tester_pointe(vue, ctx.conversion, colonne_de(vue, 15000));
    h.clic_gauche(vue, ctx.conversion, colonne_de(vue, 15000), true);
    h.clic_gauche(vue, ctx.conversion, colonne_de(vue, debut) - 5, true);
    EXPECT_EQ(ctx.conversion.pointes[3].x, debut);
    h.annuler(vue, ctx.conversion);
    EXPECT_EQ(ctx.conversion.pointes[3].x, 15000);
}

// Too short to hold a window, or a flat recording: nothing to snap to.
TEST(DetecteurLimites, ShortOrFlatRecordingsNeverSnap) {
    auto c = std::make_unique<etat_conversion>();
    c->nb_echantillons = 20;
    for (int i = 1; i <= 20; ++i) c->echantillons[i] = 32767;
    EXPECT_FALSE(debut_proche(*c, 5, 100));
    c->nb_echantillons = 32100;
    for (int i = 1; i <= 32100; ++i) c->echantillons[i] = 32767;  // above the threshold everywhere
    EXPECT_EQ(debut_proche(*c, 5, 100), 1.0);  // the rise is at the very start
    EXPECT_FALSE(debut_proche(*c, 16000, 100));
}
