#include <gtest/gtest.h>

#include "base/erreur.h"
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
    void enregistrement(const std::vector<double>& valeurs) {  // the recording in the buffer
        ctx.conversion.nb_echantillons = static_cast<std::int32_t>(valeurs.size());
        std::copy(valeurs.begin(), valeurs.end(), ctx.conversion.echantillons.begin() + 1);
    }
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

    e.nb_pointes = 1;
    e.pointes[7] = {99, 99};  // a leftover is not kept
    EXPECT_EQ(Readmarks(b.ctx, b.ctx.conversion), accord_pointes::lues);
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
    b.enregistrement({1.5, -2});
    b.ecrire("  2 valeurs\n1,5\n-2\nPointes\n1\n 4.50000000000000E+0001\n 1.00000000000000E+0000\n");
    EXPECT_EQ(Readmarks(b.ctx, b.ctx.conversion), accord_pointes::lues);
    EXPECT_EQ(b.ctx.conversion.pointes[1].x, 45);
}

TEST(FichierPointes, AbsentFileChangesNothingAndWithoutPointesOnlySamples) {
    banc_pointes b;
    auto& e = b.ctx.conversion;
    b.enregistrement({10, 20});
    e.nb_pointes = 1;
    e.pointes[1] = {3, 4};
    EXPECT_EQ(Readmarks(b.ctx, b.ctx.conversion), accord_pointes::absent);

    b.ecrire("2\r\n10\r\n20\r\npointes\r\n1\r\n 9.00000000000000E+0000\r\n 1.0E+0000\r\n");
    EXPECT_EQ(Readmarks(b.ctx, b.ctx.conversion), accord_pointes::lues);
    EXPECT_EQ(e.nb_pointes, 1);
    EXPECT_EQ(e.pointes[1].x, 3);  // "pointes" is not "Pointes": marks kept
    b.ecrire("2\r\n10\r\n20\r\n");  // ends after the samples
    EXPECT_EQ(Readmarks(b.ctx, b.ctx.conversion), accord_pointes::lues);
    EXPECT_EQ(e.pointes[1].x, 3);
}

TEST(FichierPointes, BrokenFilesRaiseAndLeaveEverythingAsItWas) {
    const std::vector<std::string> casses{
        "",                                       // empty
        "abc\r\n1\r\n",                           // count not a number
        "2\r\n7\r\n",                             // a sample line missing
        "2\r\n7\r\nx\r\nPointes\r\n0\r\n",        // a sample not a number
        "5000001\r\n",                             // more than any recording
        "-4\r\n",                                 // negative count
        "99999999999\r\n",                        // beyond 32 bits
        "2\r\n7\r\n8\r\nPointes\r\nz\r\n",             // marks count not a number
        "2\r\n7\r\n8\r\nPointes\r\n-1\r\n",            // negative marks count
        "2\r\n7\r\n8\r\nPointes\r\n2\r\n 1.0E+0000\r\n 2.0E+0000\r\n 3.0E+0000\r\n",  // a mark line missing
        "2\r\n7\r\n8\r\nPointes\r\n1\r\n 1,0E+0000\r\n 2.0E+0000\r\n",                // mark with a comma
        // far longer than its count allows
        "2\r\n7\r\n8\r\nPointes\r\n1" + std::string(100000, ' ') + "\r\n 1.0E+0000\r\n 2.0E+0000\r\n",
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
            EXPECT_NE(std::string(erreur.what()).find("essai.wav.txt"), std::string::npos) << texte;
        }
        EXPECT_EQ(e.nb_echantillons, 2) << texte;
        EXPECT_EQ(e.echantillons[1], 7) << texte;
        EXPECT_EQ(e.nb_pointes, 1) << texte;
        EXPECT_EQ(e.pointes[1].x, 5) << texte;
    }
}

// The file of another take under the same name, of the same recording
// converted with another answer to the size question, or of no samples:
// the marks stand, the file is left as it is.
TEST(FichierPointes, AnotherRecordingsFileChangesNothing) {
    for (const char* texte : {"2\r\n7\r\n9\r\nPointes\r\n1\r\n 3.0E+0000\r\n 1.0E+0000\r\n", "1\r\n7\r\n",
                              "4\r\n7\r\n8\r\n7\r\n8\r\n", "0\r\nPointes\r\n0\r\n", "2\r\n6\r\nx\r\n"}) {
        banc_pointes b;
        b.enregistrement({7, 8});
        b.ctx.conversion.nb_pointes = 1;
        b.ctx.conversion.pointes[1] = {5, 6};
        b.ecrire(texte);
        EXPECT_EQ(Readmarks(b.ctx, b.ctx.conversion), accord_pointes::autre_enregistrement) << texte;
        EXPECT_EQ(b.ctx.conversion.nb_pointes, 1);
        EXPECT_EQ(b.ctx.conversion.pointes[1].x, 5);
        EXPECT_EQ(b.lire(), texte);
    }
}

TEST(FichierPointes, EverySampleAndAtMostOneHundredMarksAreKept) {
    banc_pointes b;
    std::string texte = "32200\r\n";
    b.ctx.conversion.echantillons.resize(32201);  // a recording kept whole
    b.ctx.conversion.nb_echantillons = 32200;
    for (int i = 1; i <= 32200; ++i) {
        texte += std::to_string(i) + "\r\n";
        b.ctx.conversion.echantillons[static_cast<std::size_t>(i)] = i;
    }
    texte += "Pointes\r\n150\r\n";
    for (int k = 1; k <= 150; ++k) texte += std::to_string(k * 10) + "\r\n1\r\n";
    b.ecrire(texte);
    EXPECT_EQ(Readmarks(b.ctx, b.ctx.conversion), accord_pointes::lues);
    const auto& e = b.ctx.conversion;
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
