#include <gtest/gtest.h>

#include <cmath>

#include "base/nombres.h"

#include "conversion/Models.h"
#include "conversion/detection.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva::test {
namespace {

namespace gen = quorva::generateur;

void detecte(banc_conversion& b, const std::vector<std::int16_t>& v) {
    auto& e = b.ctx.conversion;
    e.nb_echantillons = static_cast<std::int32_t>(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) e.echantillons[i + 1] = v[i];
    detecte_pointes(b.ctx, b.ctx.conversion, b.ui);
}

TEST(Detection, SilentRecordingHasNoEventAndOldTablesAreCleared) {
    banc_conversion b;
    auto& e = b.ctx.conversion;
    e.pointes[50] = {7, 7};
    e.intervalles[3] = {5, 5};
    detecte(b, std::vector<std::int16_t>(3000, 100));
    EXPECT_EQ(e.nb_pointes, 0);
    EXPECT_EQ(e.niveau_base, 0);
    EXPECT_EQ(e.pointes[50].x, 0);
    EXPECT_EQ(e.intervalles[3].x, 0);
}

TEST(Detection, TwoBurstsWithAQuietBlockBetween) {
    banc_conversion b;
    // Bursts of 50 samples of energy 100 start at samples 301 and 651.
    detecte(b, rafales({{300, 50}, {300, 50}}, 300));
    const auto& e = b.ctx.conversion;
    ASSERT_EQ(e.nb_pointes, 2);
    EXPECT_EQ(e.pointes[1].x, 281);  // the first window holding an energy above 80
    EXPECT_EQ(e.pointes[2].x, 631);
    EXPECT_DOUBLE_EQ(e.pointes[1].y, 5000);  // cumulative energy up to the quiet block after it
    EXPECT_DOUBLE_EQ(e.pointes[2].y, 5000);  // the rise between the two quiet blocks
    EXPECT_EQ(e.intervalles[1].x, 350);
    EXPECT_DOUBLE_EQ(e.intervalles[1].y, 5000);
    EXPECT_EQ(e.intervalles[2].x, 0);
    EXPECT_EQ(e.niveau_base, 0);
}

TEST(Detection, SecondBurstTooCloseIsNotDetected) {
    banc_conversion b;
    detecte(b, rafales({{300, 50}, {200, 50}}, 300));  // only 180 quiet positions between
    EXPECT_EQ(b.ctx.conversion.nb_pointes, 1);
    EXPECT_EQ(b.ctx.conversion.niveau_base, 0);  // one event: no baseline
}

TEST(Detection, BaselineIsTheQuietEnergyAfterEventsButTheFirst) {
    banc_conversion b;
    std::vector<std::int16_t> v;
    for (int k = 0; k < 3; ++k) {
        v.insert(v.end(), 400, 1000);  // energy 1 per sample: quiet
        v.insert(v.end(), 30, 20000);
    }
    v.insert(v.end(), 400, 1000);
    detecte(b, v);
    const auto& e = b.ctx.conversion;
    ASSERT_EQ(e.nb_pointes, 3);
    EXPECT_EQ(e.pointes[1].x, 381);
    EXPECT_DOUBLE_EQ(e.niveau_base, 1);
    // Each later event: its burst plus the quiet samples between the blocks.
    EXPECT_DOUBLE_EQ(e.pointes[2].y, 30 * 400 + 400);
}

TEST(Detection, AtMostOneHundredEventsAreStored) {
    banc_conversion b;
    std::vector<std::pair<int, int>> motif(105, {280, 10});
    detecte(b, rafales(motif, 300));
    const auto& e = b.ctx.conversion;
    EXPECT_EQ(e.nb_pointes, 100);
    EXPECT_EQ(e.pointes[100].x, 100 * 290 - 29);
    EXPECT_EQ(e.intervalles[100].x, 0);
}

TEST(Detection, TrendOfAConstantSignalAndItsLabels) {
    banc_conversion b(',');
    detecte(b, std::vector<std::int16_t>(3000, 1000));  // E[n] = n
    const auto& e = b.ctx.conversion;
    EXPECT_DOUBLE_EQ(e.coefficient_a, 1);
    EXPECT_NEAR(e.coefficient_b, 0, 1e-12);
    EXPECT_EQ(e.texte_label1.substr(0, 8), "1 * X + ");
    EXPECT_EQ(e.texte_label2.substr(0, 10), "Erreur : 0");
}

TEST(Detection, FewerThanTwoFitPointsGiveNoTrend) {
    banc_conversion b;
    b.ctx.conversion.coefficient_a = 9;
    detecte(b, std::vector<std::int16_t>(59, 1000));
    EXPECT_EQ(b.ctx.conversion.coefficient_a, 0);
    EXPECT_EQ(b.ctx.conversion.coefficient_b, 0);
    detecte(b, std::vector<std::int16_t>(60, 1000));
    EXPECT_DOUBLE_EQ(b.ctx.conversion.coefficient_a, 1);
}

TEST(ModelsFit, MeanOfPairwiseSlopesAndIntercepts) {
    Models m;
    m.clear();
    for (int x : {30, 60, 90, 120}) m.add(std::to_string(x) + "#" + std::to_string(2 * x + 3));
    auto r = m.fit();
    ASSERT_TRUE(r.fait);
    EXPECT_NEAR(static_cast<double>(r.pente), 2, 1e-15);
    EXPECT_NEAR(static_cast<double>(r.ordonnee), 3, 1e-12);
    EXPECT_NEAR(static_cast<double>(r.erreur), 0, 1e-12);

    m.clear();
    m.add("0#0");
    m.add("1#1");
    m.add("2#0");
    r = m.fit();
    EXPECT_NEAR(static_cast<double>(r.pente), 0, 1e-18);
    EXPECT_NEAR(static_cast<double>(r.ordonnee), 2.0 / 3, 1e-15);
    EXPECT_NEAR(static_cast<double>(r.erreur), 5.0 / 9, 1e-15);
}

TEST(ModelsFit, ItemsWithTheSystemSeparatorAndIndexBeyondTheEnd) {
    Models m(',');
    m.add("30#1,5");
    m.add("60#3,5");
    long double x = 0, y = 0;
    m.point(7, x, y);  // beyond the end: the last item
    EXPECT_EQ(x, 60);
    EXPECT_EQ(y, 3.5L);
    EXPECT_EQ(m.item(-1), "30#1,5");
    Models un;
    un.add("30#1");
    EXPECT_FALSE(un.fit().fait);
    EXPECT_FALSE(Models().fit().fait);
}

// The definition: sums over every ordered pair of points.
void fit_par_paires(const std::vector<long double>& x, const std::vector<long double>& y, long double& a,
                    long double& b) {
    long double pentes = 0, ordonnees = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        for (std::size_t j = 0; j < x.size(); ++j) {
            if (i == j) continue;
            const long double s = (y[j] - y[i]) / (x[j] - x[i]);
            pentes += s;
            ordonnees += y[i] - s * x[i];
        }
    const long double paires = static_cast<long double>(x.size()) * x.size() - x.size();
    a = pentes / paires;
    b = ordonnees / paires;
}

TEST(ModelsFit, ManyEvenlySpacedPointsGiveThePairwiseSumsInLinearTime) {
    // The detection's fit points (every 30th cumulative energy, as text) of
    // recordings over 32,100 samples, noisy, quiet and made of plateaus.
    gen::aleatoire h(17);
    for (int essai = 0; essai < 12; ++essai) {
        const int n = h.entre(32101, 70000);
        auto v = gen::patin(n, static_cast<std::uint64_t>(essai) + 500);
        if (essai % 3 == 1)
            for (auto& s : v) s = static_cast<std::int16_t>(s / 9);
        if (essai % 3 == 2) {
            v = rafales(std::vector<std::pair<int, int>>(8, {7000, 120}), 0);
            v.resize(static_cast<std::size_t>(n), 0);
        }
        Models m;
        std::vector<long double> x, y;
        double e = 0;
        for (int i = 1; i <= n; ++i) {
            e += energie(v[static_cast<std::size_t>(i) - 1]);
            if (i % 30 != 0) continue;
            const std::string texte = format_reel(e);
            m.add(std::to_string(i) + "#" + texte);
            x.push_back(i);
            y.push_back(reel_de_texte(texte));
        }
        long double a = 0, b = 0;
        fit_par_paires(x, y, a, b);
        const auto r = m.fit();
        // The pairwise sums themselves stray from the exact slope by up to
        // about 1e-15.
        EXPECT_NEAR(static_cast<double>(r.pente), static_cast<double>(a), 2e-15 * std::fabs(static_cast<double>(a)))
            << n;
        EXPECT_NEAR(static_cast<double>(r.ordonnee), static_cast<double>(b), 1e-12 * std::fabs(static_cast<double>(b)))
            << n;
    }
}

etat_conversion etat_uniforme(int n, double niveau) {
    etat_conversion e;
    e.nb_echantillons = n;
    for (int i = 1; i <= n; ++i) e.echantillons[static_cast<std::size_t>(i)] = 1000;  // energy 1
    e.niveau_base = niveau;
    return e;
}

TEST(Reconstruction, WorkedExampleWithBothEndsIncluded) {
    for (auto ordre : {std::vector<double>{100.4, 250.6}, std::vector<double>{250.6, 100.4}}) {
        auto e = etat_uniforme(400, 0.5);
        e.nb_pointes = 2;
        e.pointes[1].x = ordre[0];
        e.pointes[2].x = ordre[1];
        e.intervalles[5] = {9, 9};
        reconstruit_pointes(e);
        ASSERT_EQ(e.nb_pointes, 2);
        EXPECT_EQ(e.pointes[1].x, 100);
        EXPECT_EQ(e.pointes[2].x, 251);
        EXPECT_DOUBLE_EQ(e.pointes[1].y, 152 - 0.5);  // samples 100..251
        EXPECT_DOUBLE_EQ(e.pointes[2].y, 150 - 0.5);  // samples 251..400
        EXPECT_EQ(e.intervalles[1].x, 150);           // 150.2 rounded
        EXPECT_DOUBLE_EQ(e.intervalles[1].y, 149.5);
        EXPECT_EQ(e.intervalles[2].x, 0);
        EXPECT_EQ(e.intervalles[5].x, 0);
    }
}

TEST(Reconstruction, UnplacedAndOutOfRangeMarksAreSafe) {
    auto e = etat_uniforme(400, 0);
    e.nb_pointes = 4;
    e.pointes[1].x = 300;
    e.pointes[2].x = 0;  // being placed when OK was pressed: dropped
    e.pointes[3].x = 50000;
    e.pointes[4].x = -3;
    reconstruit_pointes(e);
    ASSERT_EQ(e.nb_pointes, 2);
    EXPECT_EQ(e.pointes[1].x, 300);
    EXPECT_DOUBLE_EQ(e.pointes[1].y, 101);  // 300..400, the next mark lies past the end
    EXPECT_EQ(e.pointes[2].x, 50000);
    EXPECT_DOUBLE_EQ(e.pointes[2].y, 0);  // no sample after it
    EXPECT_EQ(e.pointes[3].x, 0);

    auto f = etat_uniforme(10, 0);
    f.nb_pointes = 1000;  // never past the table
    f.pointes[1].x = 2.5;  // half to even: 2
    reconstruit_pointes(f);
    EXPECT_EQ(f.nb_pointes, 1);
    EXPECT_EQ(f.pointes[1].x, 2);
    EXPECT_DOUBLE_EQ(f.pointes[1].y, 9);  // samples 2..10
}

}  // namespace
}  // namespace quorva::test
