#include "base/nombres.h"

#include <gtest/gtest.h>

#include "base/erreur.h"

using namespace quorva;

TEST(FormatReel, GeneralFormatSwitchesToExponentAtItsLimits) {
    EXPECT_EQ(format_reel(1e-7), "1E-7");
    EXPECT_EQ(format_reel(1.5e20), "1.5E20");
    EXPECT_EQ(format_reel(0.00001), "0.00001");
    EXPECT_EQ(format_reel(0.000001), "1E-6");
    EXPECT_EQ(format_reel(1e15), "1E15");
    EXPECT_EQ(format_reel(999999999999999.0), "999999999999999");
    EXPECT_EQ(format_reel(0.25), "0.25");
    EXPECT_EQ(format_reel(-500), "-500");
    EXPECT_EQ(format_reel(0), "0");
    EXPECT_EQ(format_reel(-1.25e-9), "-1.25E-9");
}

TEST(FormatReel, KeepsFifteenSignificantDigitsAndTheSeparator) {
    EXPECT_EQ(format_reel(0.1 + 0.2), "0.3");
    EXPECT_EQ(format_reel(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(format_reel(2.0 / 3.0, ','), "0,666666666666667");
    EXPECT_EQ(format_reel(123456.789, ','), "123456,789");
    EXPECT_EQ(point_fixe("123456,789"), "123456.789");
    EXPECT_EQ(point_fixe("1,5,6"), "1.5,6");
    EXPECT_EQ(point_fixe("-500"), "-500");
}

TEST(FormatExposant, IsTheTwentyThreeCharacterField) {
    EXPECT_EQ(format_exposant(1234), " 1.23400000000000E+0003");
    EXPECT_EQ(format_exposant(-1234), "-1.23400000000000E+0003");
    EXPECT_EQ(format_exposant(0), " 0.00000000000000E+0000");
    EXPECT_EQ(format_exposant(0.00125), " 1.25000000000000E-0003");
    EXPECT_EQ(format_exposant(1e300).size(), 23u);
    // Read back to 15 significant digits.
    const double valeur = 12345.678901234567;
    EXPECT_DOUBLE_EQ(reel_de_texte(format_exposant(valeur)), 12345.6789012346);
}

TEST(EntierDeTexte, ReadsWhatTheSystemReadsAndNamesTheBadText) {
    EXPECT_EQ(entier_de_texte("42"), 42);
    EXPECT_EQ(entier_de_texte("  -7"), -7);
    EXPECT_EQ(entier_de_texte("$1F"), 31);
    EXPECT_EQ(entier_de_texte("2147483647"), 2147483647);
    for (const char* mauvais : {"", " ", "12a", "1.5", "2147483648", "4 ", "-"}) {
        try {
            entier_de_texte(mauvais);
            ADD_FAILURE() << "accepted '" << mauvais << "'";
        } catch (const erreur_quorva& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(mauvais) + "' n'est pas une valeur entière correcte");
        }
    }
}

TEST(ReelDeTexte, UsesTheSeparatorItIsGiven) {
    EXPECT_DOUBLE_EQ(reel_de_texte("12,5", ','), 12.5);
    EXPECT_DOUBLE_EQ(reel_de_texte(" 12.5 ", '.'), 12.5);
    EXPECT_DOUBLE_EQ(reel_de_texte("-1E-3"), -0.001);
    EXPECT_THROW(reel_de_texte("12.5", ','), erreur_quorva);
    EXPECT_THROW(reel_de_texte("abc"), erreur_quorva);
    EXPECT_THROW(reel_de_texte("1e"), erreur_quorva);
    EXPECT_THROW(reel_de_texte("1e999"), erreur_quorva);
}

TEST(Arrondi, GoesHalfToEven) {
    EXPECT_EQ(arrondi(30.5), 30);
    EXPECT_EQ(arrondi(31.5), 32);
    EXPECT_EQ(arrondi(-2.5), -2);
    EXPECT_EQ(arrondi(-3.5), -4);
    EXPECT_EQ(arrondi(2.4999), 2);
    EXPECT_EQ(arrondi(2.5001), 3);
    EXPECT_EQ(arrondi(1e300), 9200000000000000000LL);
}
