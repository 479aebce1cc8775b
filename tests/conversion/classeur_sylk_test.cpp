#include <gtest/gtest.h>

#include <algorithm>

#include "base/erreur.h"
#include "base/texte.h"
#include "conversion/classeur_sylk.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva::test {
namespace {

using test::e_aigu;

namespace gen = quorva::generateur;

// Writes a workbook for the given samples with the current tables.
std::vector<std::string> classeur(banc_conversion& b, const std::vector<std::int32_t>& valeurs, int langue = 1,
                                  const std::string& nom = "essai.wav") {
    ecrivain_classeur ecrivain(b.ctx, b.ctx.conversion, b.chemin(nom), langue);
    for (auto v : valeurs) ecrivain.echantillon(v);
    ecrivain.termine();
    return decouper_lignes(b.os.lire(b.chemin(nom) + ".slk"));
}

std::size_t position(const std::vector<std::string>& l, const std::string& texte) {
    return static_cast<std::size_t>(std::find(l.begin(), l.end(), texte) - l.begin());
}

TEST(ClasseurSylk, BaseWorkbookCopiedWithItsThreeValuesPatched) {
    banc_conversion b(',');
    b.ctx.conversion.niveau_base = 0.25;
    b.ctx.conversion.coefficient_a = 1.5e-7;
    const auto l = classeur(b, {1});
    EXPECT_EQ(l.front(), "ID;P");
    EXPECT_EQ(l.back(), "E");
    EXPECT_EQ(std::count(l.begin(), l.end(), "E"), 1);
    EXPECT_LT(position(l, "C;Y1;X1;K\"Stick-slip: essai.wav.slk\""), l.size());
    EXPECT_LT(position(l, "C;X2;K0.25"), l.size());  // a point even with a comma separator
    EXPECT_LT(position(l, "C;X5;K1.5E-7"), l.size());
    EXPECT_EQ(position(l, "C;X2;K0"), l.size());
    EXPECT_EQ(position(l, "C;X5;Kcoefficient_a"), l.size());
    const auto fr = classeur(b, {1}, 2);
    EXPECT_LT(position(fr, std::string("C;Y1;X1;K\"Patin tract") + e_aigu + ": essai.wav.slk\""), fr.size());
}

TEST(ClasseurSylk, RowsCarryFormulasAndTheValuesTheyGive) {
    banc_conversion b(',');
    auto& e = b.ctx.conversion;
    e.niveau_base = 0.001;
    e.coefficient_a = 2;
    const auto l = classeur(b, {-500, 1000});
    const auto debut = position(l, "C;Y6;X1;K1");
    ASSERT_LT(debut + 12, l.size());
    const std::vector<std::string> attendu{
        "C;Y6;X1;K1",
        "C;X2;K-500",
        "C;X3;K0.25;E(RC[-1]/R2C2)*(RC[-1]/R2C[-1])",
        "C;X4;K0.249;ERC[-1]-R3C2",
        "C;X5;K2;ER3C5*RC[-4]+R2C5",
        "C;X6;K1.751;ERC[-1]-RC[-2]",
    };
    // The empty tables: their titles and correlations come in row 6.
    EXPECT_EQ(std::vector<std::string>(l.begin() + static_cast<long>(debut), l.begin() + static_cast<long>(debut) + 6),
              attendu);
    EXPECT_EQ(l[debut + 6], "C;Y6;X7;K\"Correlation\"");
    EXPECT_EQ(l[debut + 7], "C;Y6;X8;K0;ECORREL(R[-0]C[-1]:R[-1]C[-1],R[-0]C:R[-1]C)");
    EXPECT_EQ(l[debut + 10], "C;Y7;X1;K2;ER[-1]C+1");
    EXPECT_EQ(l[debut + 12], "C;X3;K1;E(RC[-1]/R2C2)*(RC[-1]/R2C[-1])");
    EXPECT_EQ(l[debut + 13], "C;X4;K1.248;ER[-1]C+RC[-1]-R3C2");
}

TEST(ClasseurSylk, EventTablesEndWithTitleAndCorrelation) {
    banc_conversion b;
    auto& e = b.ctx.conversion;
    const double x[] = {0, 100, 250, 420}, y[] = {0, 10, 20, 31};
    for (int i = 1; i <= 3; ++i) e.pointes[static_cast<std::size_t>(i)] = {x[i], y[i]};
    for (int i = 1; i <= 2; ++i) e.intervalles[static_cast<std::size_t>(i)] = {x[i + 1] - x[i], y[i + 1]};
    e.nb_pointes = 3;
    const auto l = classeur(b, std::vector<std::int32_t>(20, 0), 2);
    EXPECT_LT(position(l, "C;X9;K250"), l.size());
    EXPECT_LT(position(l, "C;Y8;X10;K31"), l.size());
    EXPECT_LT(position(l, std::string("C;Y9;X9;K\"Corr") + e_aigu + "lation\""), l.size());
    EXPECT_LT(position(l, std::string("C;Y8;X7;K\"Corr") + e_aigu + "lation\""), l.size());
    // Interval table: two points, a correlation of exactly 1.
    EXPECT_LT(position(l, "C;Y8;X8;K1;ECORREL(R[-2]C[-1]:R[-1]C[-1],R[-2]C:R[-1]C)"), l.size());
    const auto correl = std::find_if(l.begin(), l.end(), [](const std::string& s) { return s.rfind("C;Y9;X10;K", 0) == 0; });
    ASSERT_NE(correl, l.end());
    EXPECT_NE(correl->find(";ECORREL(R[-3]C[-1]:R[-1]C[-1],R[-3]C:R[-1]C)"), std::string::npos);
    EXPECT_NEAR(std::stod(correl->substr(10)), correlation_table(e.pointes.data(), 3), 1e-14);
    EXPECT_GT(correlation_table(e.pointes.data(), 3), 0.99);
}

TEST(ClasseurSylk, TablesStopAtRow100AndWithTheSamples) {
    banc_conversion b;
    auto& e = b.ctx.conversion;
    for (int i = 1; i <= 100; ++i) e.pointes[static_cast<std::size_t>(i)] = {i * 10.0, 1};
    auto l = classeur(b, std::vector<std::int32_t>(200, 0));
    EXPECT_LT(position(l, "C;X9;K950"), l.size());     // row 100
    EXPECT_EQ(position(l, "C;X9;K960"), l.size());     // record 96 has no row
    EXPECT_EQ(std::count_if(l.begin(), l.end(), [](const std::string& s) { return s.find("X10;K") != std::string::npos && s.find("CORREL") != std::string::npos; }), 0);
    // Fewer samples than records: the table is cut with the rows.
    l = classeur(b, std::vector<std::int32_t>(3, 0));
    EXPECT_LT(position(l, "C;X9;K30"), l.size());
    EXPECT_EQ(position(l, "C;X9;K40"), l.size());
}

// Excel and LibreOffice Calc stop at row 1,048,576; the samples start at
// row 6, so 1,048,571 of them fit. Beyond, the size dialog says so.
TEST(ClasseurSylk, TheSpreadsheetsLastRowBoundsTheSamplesThatFit) {
    EXPECT_EQ(echantillons_max_tableur, 1'048'571);
    EXPECT_EQ(avertissement_tableur(1'048'571), "");
    EXPECT_EQ(avertissement_tableur(1'048'572), "Attention : 1048572 valeurs, mais Excel et LibreOffice n'en montrent que "
                                                "1048571 ; la fin du classeur sera coupée.");
}

TEST(ClasseurSylk, MissingBaseWorkbookRaisesAndWritesNothing) {
    banc_conversion b;
    b.ctx.chemins.chemin_appli = b.os.racine() + "ailleurs\\";
    EXPECT_THROW(ecrivain_classeur(b.ctx, b.ctx.conversion, b.chemin("x.wav"), 1), erreur_quorva);
    EXPECT_FALSE(b.os.file_exists(b.chemin("x.wav.slk")));
    // The program folder itself is the second place looked in.
    b.os.ecrire(b.os.racine() + "ailleurs/patin_tracte_base_EN.slk", "ID;P\r\nC;Y1;X1;K\"T\"\r\n");
    EXPECT_EQ(classeur(b, {3}, 7, "x.wav")[1], "C;Y1;X1;K\"T: x.wav.slk\"");  // any other language: English
}

TEST(ClasseurSylk, UnfinishedWorkbookLeavesThePreviousOne) {
    banc_conversion b;
    b.os.ecrire(b.chemin("x.wav.slk"), "ancien");
    {
        ecrivain_classeur ecrivain(b.ctx, b.ctx.conversion, b.chemin("x.wav"), 1);
        for (int i = 0; i < 50000; ++i) ecrivain.echantillon(i % 100);
        // an error here: no termine()
    }
    EXPECT_EQ(b.os.lire(b.chemin("x.wav.slk")), "ancien");
}

TEST(ClasseurSylk, CachedValuesFollowTheBaseWorkbookCells) {
    banc_conversion b;
    b.os.ecrire(b.os.racine() + "prog/fic_quorva/patin_tracte_base_EN.slk",
                "ID;P\r\nC;Y1;X1;K\"T\"\r\nC;Y2;X2;K10\r\nC;X5;K7\r\nC;Y3;X1;K\"n\"\r\nC;X2;K0\r\nC;X5;Kcoefficient_a\r\n");
    b.ctx.conversion.coefficient_a = 0.5;
    b.ctx.conversion.niveau_base = 1;
    const auto l = classeur(b, {20, 30});
    EXPECT_LT(position(l, "C;X3;K4;E(RC[-1]/R2C2)*(RC[-1]/R2C[-1])"), l.size());  // (20/10)^2
    EXPECT_LT(position(l, "C;X4;K3;ERC[-1]-R3C2"), l.size());
    EXPECT_LT(position(l, "C;X4;K11;ER[-1]C+RC[-1]-R3C2"), l.size());  // 3 + 9 - 1
    EXPECT_LT(position(l, "C;X5;K8;ER3C5*RC[-4]+R2C5"), l.size());     // 0.5 x 2 + 7
    EXPECT_LT(position(l, "C;X6;K-3;ERC[-1]-RC[-2]"), l.size());
}

TEST(ClasseurSylk, SemicolonInTheFileNameIsEscapedInTheTitle) {
    banc_conversion b;
    const auto l = classeur(b, {1}, 1, "a;b.wav");
    EXPECT_LT(position(l, "C;Y1;X1;K\"Stick-slip: a;;b.wav.slk\""), l.size());
}

TEST(ClasseurSylk, WholeConversionWritesTheWorkbookBesideTheRecording) {
    banc_conversion b;
    std::vector<std::int64_t> debuts;
    EXPECT_EQ(b.convertit("patin.wav", gen::wav(gen::patin(20000, 3, &debuts))).lecture, resultat_lecture::accepte);
    const auto l = decouper_lignes(b.os.lire(b.chemin("patin.wav.slk")));
    EXPECT_LT(position(l, "C;Y20005;X1;K20000;ER[-1]C+1"), l.size());
    EXPECT_EQ(l.back(), "E");
    const auto& e = b.ctx.conversion;
    EXPECT_EQ(static_cast<std::size_t>(e.nb_pointes), debuts.size());
    for (int k = 1; k <= e.nb_pointes; ++k)
        EXPECT_NEAR(e.pointes[static_cast<std::size_t>(k)].x, static_cast<double>(debuts[static_cast<std::size_t>(k) - 1]), 25);
}

}  // namespace
}  // namespace quorva::test
