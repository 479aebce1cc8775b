#include <gtest/gtest.h>

#include "app/base/erreur.h"
#include "app/contexte.h"
#include "conversion/fichier_pointes.h"
#include "tests/support/plateforme_factice.h"

namespace quorva::test {
namespace {

struct banc_pointes {
    PlateformeFactice os;
    contexte ctx{os};
    banc_pointes() { ctx.conversion.fichier_pointes = os.racine() + "essai.wav.txt"; }
    void ecrire(const std::string& texte) { os.ecrire(ctx.conversion.fichier_pointes, texte); }
    std::string lire() { return os.lire(ctx.conversion.fichier_pointes); }
};

TEST(FichierPointes, SaveWritesTheFormatAndReadRestoresIt) {
    banc_pointes b;
    auto& e = b.ctx.conversion;
    e.nb_echantillons = 3;
    e.echantillons[1] = -500;
    e.echantillons[2] = 0;
    e.echantillons[3] = 32767;
    e.nb_pointes = 2;
    e.pointes[1] = {1234, 0.1};
    e.pointes[2] = {2, -123456.789012345};
    Savemarks(b.ctx, b.ctx.conversion);
    EXPECT_EQ(b.lire(),
              "3\r\n-500\r\n0\r\n32767\r\nPointes\r\n2\r\n"
              " 1.23400000000000E+0003\r\n 1.00000000000000E-0001\r\n"
              " 2.00000000000000E+0000\r\n-1.23456789012345E+0005\r\n");

    etat_conversion avant = e;
    e = etat_conversion{};
    e.fichier_pointes = avant.fichier_pointes;
    e.pointes[7] = {99, 99};  // a leftover is not kept
    EXPECT_TRUE(Readmarks(b.ctx, b.ctx.conversion));
    EXPECT_EQ(e.nb_echantillons, 3);
    EXPECT_EQ(e.echantillons[1], -500);
    EXPECT_EQ(e.echantillons[3], 32767);
    EXPECT_EQ(e.nb_pointes, 2);
    EXPECT_EQ(e.pointes[1].x, 1234);
    EXPECT_DOUBLE_EQ(e.pointes[2].y, -123456.789012345);
    EXPECT_EQ(e.pointes[7].x, 0);
}

TEST(FichierPointes, SamplesUseTheSystemSeparatorMarksAPoint) {
    banc_pointes b;
    b.ctx.separateur_decimal = ',';
    b.ecrire("  2 valeurs\n1,5\n-2\nPointes\n1\n 4.50000000000000E+0001\n 1.00000000000000E+0000\n");
    EXPECT_TRUE(Readmarks(b.ctx, b.ctx.conversion));
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 2);
    EXPECT_EQ(b.ctx.conversion.echantillons[1], 1.5);
    EXPECT_EQ(b.ctx.conversion.pointes[1].x, 45);
}

TEST(FichierPointes, AbsentFileChangesNothingAndWithoutPointesOnlySamples) {
    banc_pointes b;
    auto& e = b.ctx.conversion;
    e.nb_echantillons = 5;
    e.nb_pointes = 1;
    e.pointes[1] = {3, 4};
    EXPECT_FALSE(Readmarks(b.ctx, b.ctx.conversion));
    EXPECT_EQ(e.nb_echantillons, 5);

    b.ecrire("2\r\n10\r\n20\r\npointes\r\n1\r\n 9.00000000000000E+0000\r\n 1.0E+0000\r\n");
    EXPECT_TRUE(Readmarks(b.ctx, b.ctx.conversion));
    EXPECT_EQ(e.nb_echantillons, 2);
    EXPECT_EQ(e.echantillons[2], 20);
    EXPECT_EQ(e.nb_pointes, 1);
    EXPECT_EQ(e.pointes[1].x, 3);  // "pointes" is not "Pointes": marks kept
    b.ecrire("1\r\n10\r\n");  // ends after the samples
    EXPECT_TRUE(Readmarks(b.ctx, b.ctx.conversion));
    EXPECT_EQ(e.pointes[1].x, 3);
}

TEST(FichierPointes, BrokenFilesRaiseAndLeaveEverythingAsItWas) {
    const std::vector<std::string> casses{
        "",                                       // empty
        "abc\r\n1\r\n",                           // count not a number
        "3\r\n1\r\n2\r\n",                        // a sample line missing
        "2\r\n1\r\nx\r\nPointes\r\n0\r\n",        // a sample not a number
        "-4\r\n",                                 // negative count
        "99999999999\r\n",                        // beyond 32 bits
        "1\r\n1\r\nPointes\r\nz\r\n",             // marks count not a number
        "1\r\n1\r\nPointes\r\n-1\r\n",            // negative marks count
        "1\r\n1\r\nPointes\r\n2\r\n 1.0E+0000\r\n 2.0E+0000\r\n 3.0E+0000\r\n",  // a mark line missing
        "1\r\n1\r\nPointes\r\n1\r\n 1,0E+0000\r\n 2.0E+0000\r\n",                // mark with a comma
    };
    for (const auto& texte : casses) {
        banc_pointes b;
        auto& e = b.ctx.conversion;
        e.nb_echantillons = 2;
        e.echantillons[1] = 7;
        e.echantillons[2] = 8;
        e.nb_pointes = 1;
        e.pointes[1] = {5, 6};
        b.ecrire(texte);
        try {
            Readmarks(b.ctx, b.ctx.conversion);
            ADD_FAILURE() << texte;
        } catch (const erreur_quorva& erreur) {
            EXPECT_FALSE(std::string(erreur.what()).empty());
        }
        EXPECT_EQ(e.nb_echantillons, 2) << texte;
        EXPECT_EQ(e.echantillons[1], 7) << texte;
        EXPECT_EQ(e.nb_pointes, 1) << texte;
        EXPECT_EQ(e.pointes[1].x, 5) << texte;
    }
}

TEST(FichierPointes, EverySampleAndAtMostOneHundredMarksAreKept) {
    banc_pointes b;
    std::string texte = "32200\r\n";
    for (int i = 1; i <= 32200; ++i) texte += std::to_string(i) + "\r\n";
    texte += "Pointes\r\n150\r\n";
    for (int k = 1; k <= 150; ++k) texte += std::to_string(k * 10) + "\r\n1\r\n";
    b.ecrire(texte);
    EXPECT_TRUE(Readmarks(b.ctx, b.ctx.conversion));
    const auto& e = b.ctx.conversion;
    EXPECT_EQ(e.nb_echantillons, 32200);  // a recording kept whole
    EXPECT_EQ(e.echantillons[32200], 32200);
    EXPECT_EQ(e.nb_pointes, 100);
    EXPECT_EQ(e.pointes[100].x, 1000);
}

TEST(FichierPointes, SaveFailureKeepsThePreviousFile) {
    banc_pointes b;
    b.ecrire("ancien");
    b.ctx.conversion.fichier_pointes = b.os.racine() + "absent\\dossier\\x.txt";
    EXPECT_THROW(Savemarks(b.ctx, b.ctx.conversion), erreur_quorva);
    b.ctx.conversion.fichier_pointes = b.os.racine() + "essai.wav.txt";
    EXPECT_EQ(b.lire(), "ancien");
}

}  // namespace
}  // namespace quorva::test
