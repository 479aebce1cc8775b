// The page's numbers as a person reads them, and the plots' round ticks.
#include <gtest/gtest.h>

#include <cmath>

#include "rapport/formats_rapport.h"

namespace quorva {
namespace {

TEST(FormatsRapport, CoefficientsEnergiesAndTimesToTheDigitsShown) {
    const struct {
        std::string obtenu, attendu;
    } cas[] = {
        {texte_coefficient(-0.126677176045355, '.'), "-0.127"},
        {texte_coefficient(-0.0004, ','), "0,000"},  // a rounded zero has no sign
        {texte_coefficient(1, '.'), "1.000"},
        {texte_significatif(1363.04052794726, 4, '.'), "1363"},
        {texte_significatif(9999.7, 4, '.'), "10000"},
        {texte_significatif(123456, 4, '.'), "123500"},
        {texte_significatif(-0.0123456, 4, ','), "-0,01235"},
        {texte_significatif(20.7896, 4, '.'), "20.79"},
        {texte_significatif(0, 4, '.'), "0"},
        {texte_secondes(0.35262, '.'), "0.353"},
        {texte_secondes(19.657, ','), "19,657"},
        {texte_droite(-40.79, 6483.2, 95, '.'), "y = -40.79 x + 6483   (95 points)"},
        {texte_droite(0.5, -2, 1, '.'), "y = 0.5000 x - 2.000   (1 point)"},
    };
    for (const auto& c : cas) EXPECT_EQ(c.obtenu, c.attendu);
}

TEST(FormatsRapport, TicksAreRoundStepsCoveringTheDataFromZeroWhereTheyAllow) {
    const struct {
        double minimum, maximum;
        int intervalles;
        double debut, fin, pas;
    } cas[] = {
        {0.878, 1.727, 5, 0.8, 1.8, 0.2},      // far from 0: not from it
        {0.513, 25.774, 5, 0, 30, 10},         // from 0
        {-79500, 11790, 4, -100000, 50000, 50000},
        {-0.35262, 20.7896, 8, -5, 25, 5},
        {5, 5, 4, 0, 6, 2},                    // one value
        {0, 0, 4, 0, 1, 0.5},                  // nothing
        {-3, -2.5, 5, -3, -2.5, 0.1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.minimum);
        const echelle_ronde e = echelle_pour(c.minimum, c.maximum, c.intervalles);
        EXPECT_NEAR(e.debut, c.debut, 1e-12);
        EXPECT_NEAR(e.fin, c.fin, 1e-12);
        EXPECT_NEAR(e.pas, c.pas, 1e-12);
        ASSERT_GE(e.valeurs.size(), 2u);
        EXPECT_LE(static_cast<int>(e.valeurs.size()) - 1, c.intervalles);
        EXPECT_LE(e.valeurs.front(), c.minimum);
        EXPECT_GE(e.valeurs.back(), c.maximum);
        // A step is 1, 2 or 5 times a power of ten.
        const double mantisse = e.pas / std::pow(10.0, std::floor(std::log10(e.pas) + 1e-12));
        EXPECT_TRUE(std::abs(mantisse - 1) < 1e-9 || std::abs(mantisse - 2) < 1e-9 || std::abs(mantisse - 5) < 1e-9);
    }
    EXPECT_EQ(texte_graduation(0.30000000000000004, 0.1, '.'), "0.3");
    EXPECT_EQ(texte_graduation(-100000, 50000, '.'), "-100000");
    EXPECT_EQ(texte_graduation(0.05, 0.05, ','), "0,05");
}

}  // namespace
}  // namespace quorva
