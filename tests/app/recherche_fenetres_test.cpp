#include "app/recherche_fenetres.h"

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
