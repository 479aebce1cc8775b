#include "app/base/temporaires.h"

#include <gtest/gtest.h>

using namespace quorva;

// The temporary name is never longer than its target (a short target gets
// the shortest form), keeps a whole first part of the target's name, and the
// leftovers' rule still reads back who made it.
TEST(NomTemporaire, NeverLongerThanItsTargetAndStillOurs) {
    const std::string machine = "POSTE-12";
    const std::string long_nom = std::string(240, 'x') + ".wav.slk";
    struct cas {
        std::string cible;
        std::string attendu;  // empty: only the length is checked
    };
    const cas table[] = {
        {"essai.wav.slk", ".e.quorva-POSTE-12-4242-7"},
        {"a", ".a.quorva-POSTE-12-4242-7"},
        {"\xC5\x81ukasz.wav.slk", ".\xC5\x81.quorva-POSTE-12-4242-7"},  // never half a letter
        {"enregistrement_du_patin_tracte.wav.slk", ".enregistrement.quorva-POSTE-12-4242-7"},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.wav.slk.txt.abcdefgh",
         ".\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.quorva-POSTE-12-4242-7"},
        {long_nom, ""},
    };
    for (const auto& [cible, attendu] : table) {
        const std::string nom = nom_temporaire(cible, machine, 4242, 7);
        if (!attendu.empty()) {
            EXPECT_EQ(nom, attendu);
        }
        // Below the shortest form (a dot, one letter, ".quorva-POSTE-12-4242-7"), that form.
        if (cible.size() >= 25) {
            EXPECT_LE(nom.size(), cible.size()) << cible;
        }
        const auto auteur = auteur_du_temporaire(nom);
        ASSERT_TRUE(auteur) << nom;
        EXPECT_EQ(auteur->machine, machine);
        EXPECT_EQ(auteur->processus, 4242u);
        EXPECT_TRUE(reste_a_supprimer(nom, machine, 1, age_min_reste_secondes, [](unsigned long) { return true; }));
    }
    EXPECT_NE(nom_temporaire(long_nom, machine, 4242, 7), nom_temporaire(long_nom, machine, 4242, 8));
}
