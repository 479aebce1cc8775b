#include "base/recherche_fenetres.h"

#include <gtest/gtest.h>

#include "tests/support/plateforme_factice.h"

using namespace quorva;
using quorva::test::PlateformeFactice;

TEST(ChercheAppli, MatchesWholeTitlesExactlyAndCountsEveryMatch) {
    PlateformeFactice os;
    os.fenetres = {{1, "Quorva"}, {2, "quorva"}, {3, "Quorva "}, {4, "Quorva"}, {5, ""}, {6, "Quorva"}};
    recherche_fenetres etat;
    EXPECT_TRUE(cherche_appli(os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 3);
    EXPECT_EQ(etat.nb_fenetres, 5);
    // Never reset: a later search adds to it.
    EXPECT_FALSE(cherche_appli(os, etat, "Audacity"));
    EXPECT_TRUE(cherche_appli(os, etat, "quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 4);
}

TEST(ChercheAppli, ComparesOnTheFirst254Characters) {
    PlateformeFactice os;
    const std::string long_titre(254, 'x');
    os.fenetres = {{1, long_titre + "yz"}};
    recherche_fenetres etat;
    EXPECT_TRUE(cherche_appli(os, etat, long_titre));
    EXPECT_FALSE(cherche_appli(os, etat, long_titre + "y"));
}

TEST(ChercheAppli, SeesTheFirst2001WindowsOnly) {
    PlateformeFactice os;
    for (WindowId i = 1; i <= 2500; ++i) os.fenetres.push_back({i, i > 2001 ? "Quorva" : "autre"});
    recherche_fenetres etat;
    EXPECT_FALSE(cherche_appli(os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_fenetres, 2000);
    os.fenetres[2000].titre = "Quorva";  // the 2001st
    EXPECT_TRUE(cherche_appli(os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 1);
}

TEST(CopieDejaLancee, OnlyWindowsOfARunningQuorvaProgramCount) {
    PlateformeFactice os;
    os.fichier_programme = "C:\\Quorva\\quorva.exe";
    const std::string nous = "C:\\Quorva\\quorva.exe", autre_copie = "D:\\CLE\\QUORVA.EXE";
    struct cas {
        const char* quoi;
        std::vector<quorva::test::fenetre_factice> fenetres;
        bool refus;
    };
    const std::vector<cas> table = {
        {"our window alone", {{1, "Quorva", nous}}, false},
        {"an Explorer window on a folder named Quorva",
         {{1, "Quorva", nous}, {2, "Quorva", "C:\\Windows\\explorer.exe"}}, false},
        {"another program's window, and one whose process is gone",
         {{1, "Quorva", nous}, {2, "Quorva", "/usr/bin/quorva-viewer"}, {3, "Quorva", ""}}, false},
        {"a second copy, elsewhere and in capitals", {{1, "Quorva", autre_copie}, {2, "Quorva", nous}}, true},
        {"a second copy whose window has another title", {{1, "Quorva", nous}, {2, "Quorva 2", nous}}, false},
    };
    for (const auto& c : table) {
        os.fenetres = c.fenetres;
        recherche_fenetres etat;
        EXPECT_EQ(copie_deja_lancee(os, etat), c.refus) << c.quoi;
    }

    // A process that cannot name its own program file counts every title.
    os.fichier_programme.clear();
    os.fenetres = {{1, "Quorva", nous}, {2, "Quorva", "C:\\Windows\\explorer.exe"}};
    recherche_fenetres etat;
    EXPECT_TRUE(copie_deja_lancee(os, etat));
}
