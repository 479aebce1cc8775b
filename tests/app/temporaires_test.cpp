// The names of the temporary files of writes, and which leftovers may go.
#include "app/base/temporaires.h"

#include <gtest/gtest.h>

using namespace quorva;

TEST(Temporaires, TheNameSaysWhoWroteIt) {
    const std::string nom = nom_temporaire("essai.wav.slk", "pc-salle-2~4026531836", 4242, 7);
    EXPECT_EQ(nom, ".essai.wav.slk.quorva-pc-salle-2~4026531836-4242-7");
    const auto auteur = auteur_du_temporaire(nom);
    ASSERT_TRUE(auteur);
    EXPECT_EQ(auteur->machine, "pc-salle-2~4026531836");
    EXPECT_EQ(auteur->processus, 4242u);
    // A long name is cut, never inside a UTF-8 character.
    EXPECT_EQ(nom_temporaire("\xC3\xA9\xC3\xA9\xC3\xA9.wav", "pc", 1, 1, 5), ".\xC3\xA9\xC3\xA9.quorva-pc-1-1");
    EXPECT_EQ(texte_machine("PC salle/12"), "PC_salle_12");
    EXPECT_EQ(texte_machine(""), "?");
}

TEST(Temporaires, OnlyOurPatternIsOurs) {
    for (const char* nom : {".notes.quorva-2024-06", "essai.quorva-pc-1-1", ".quorva-pc-1-1", ".x.quorva--1-1",
                            ".x.quorva-pc-0-1", ".x.quorva-pc-12a-1", ".x.quorva-pc-1-", ".x.quorva-pc-1-1.bak"})
        EXPECT_FALSE(auteur_du_temporaire(nom)) << nom;
}

TEST(Temporaires, ALeftoverGoesOnlyWhenOursOldAndDead) {
    const auto mort = [](unsigned long) { return true; };
    const auto vivant = [](unsigned long) { return false; };
    const std::int64_t vieux = age_min_reste_secondes;
    const std::string nom = ".a.slk.quorva-pc-12-1";
    EXPECT_TRUE(reste_a_supprimer(nom, "pc", 99, vieux, mort));
    EXPECT_FALSE(reste_a_supprimer(nom, "pc", 99, vieux, vivant));
    EXPECT_FALSE(reste_a_supprimer(nom, "pc", 99, vieux - 1, mort));
    EXPECT_FALSE(reste_a_supprimer(nom, "autre", 99, vieux, mort));
    EXPECT_FALSE(reste_a_supprimer(nom, "pc", 12, vieux, mort));  // this process's own
    // Without a machine name nothing can be proved ours.
    EXPECT_FALSE(reste_a_supprimer(".a.slk.quorva-?-12-1", "?", 99, vieux, mort));
}
