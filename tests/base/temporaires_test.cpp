#include "base/temporaires.h"

#include <gtest/gtest.h>

using namespace quorva;

// The temporary name is never longer than its target (one shorter than the
// pattern gets its shortest form), keeps whole letters of the target's name,
// and the leftovers' rule still reads back who made it.
TEST(NomTemporaire, NeverLongerThanItsTargetAndStillOurs) {
    const std::string suite = ".quorva-POSTE-12-4242-7", long_nom = std::string(240, 'x') + ".wav.slk";
    const std::pair<std::string, std::string> table[] = {
        {"essai.wav.slk", ".e" + suite},
        {"\xC5\x81ukasz.wav.slk", ".\xC5\x81" + suite},
        {"enregistrement_du_patin_tracte.wav.slk", ".enregistrement" + suite},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.wav.slk.txt.abcdefgh",
         ".\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9" + suite},
        {long_nom, "." + long_nom.substr(0, long_nom.size() - suite.size() - 1) + suite},
    };
    for (const auto& [cible, attendu] : table) {
        const std::string nom = nom_temporaire(cible, "POSTE-12", 4242, 7);
        EXPECT_EQ(nom, attendu);
        const auto auteur = auteur_du_temporaire(nom);
        ASSERT_TRUE(auteur) << nom;
        EXPECT_EQ(auteur->machine, "POSTE-12");
        EXPECT_EQ(auteur->processus, 4242u);
        EXPECT_TRUE(reste_a_supprimer(nom, "POSTE-12", 1, age_min_reste_secondes, [](unsigned long) { return true; }));
    }
}
