#include "base/temporaires.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quorva;
namespace fs = std::filesystem;

// The temporary name is never longer than its target (one shorter than the
// pattern gets its shortest form), keeps whole letters of the target's name,
// and the leftovers' rule still reads back who made it.
TEST(NomTemporaire, NeverLongerThanItsTargetAndStillOurs) {
    const std::string suite = ".quorva-POSTE-12-4242-7", long_nom = std::string(240, 'x') + ".wav.slk";
    std::string e_240;
    for (int i = 0; i < 240; ++i) e_240 += "\xC3\xA9";
    const std::pair<std::string, std::string> table[] = {
        {"essai.wav.slk", ".e" + suite},
        {"\xC5\x81ukasz.wav.slk", ".\xC5\x81" + suite},
        {"enregistrement_du_patin_tracte.wav.slk", ".enregistrement" + suite},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.wav.slk.txt.abcdefgh",
         ".\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9" + suite},
        {e_240 + ".wav.slk", "." + e_240.substr(0, 2 * 224) + suite},
        {long_nom, "." + long_nom.substr(0, long_nom.size() - suite.size() - 1) + suite},
    };
    for (const auto& [cible, attendu] : table) {
        const std::string nom = nom_temporaire(cible, "POSTE-12", 4242, 7);
        EXPECT_EQ(nom, attendu);
        // Windows counts a name in UTF-16 units, POSIX in bytes.
        const auto utf16 = [](const std::string& t) {
            return fs::path(std::u8string(t.begin(), t.end())).u16string().size();
        };
        if (cible.size() > suite.size()) {
            EXPECT_LE(utf16(nom), utf16(cible));
        }
        const auto auteur = auteur_du_temporaire(nom);
        ASSERT_TRUE(auteur) << nom;
        EXPECT_EQ(auteur->machine, "POSTE-12");
        EXPECT_EQ(auteur->processus, 4242u);
        EXPECT_TRUE(reste_a_supprimer(nom, "POSTE-12", 1, age_min_reste_secondes, [](unsigned long) { return true; }));
    }
}
