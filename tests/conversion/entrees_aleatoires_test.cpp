// Bounded random inputs for the two readers of outside files: recordings and
// marks files. Every input must end in a defined outcome; the sanitizer
// build runs these too.
#include <gtest/gtest.h>

#include <cstring>

#include "base/erreur.h"
#include "conversion/fichier_pointes.h"
#include "conversion/detection.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva::test {
namespace {

namespace gen = quorva::generateur;

TEST(EntreesAleatoires, RecordingsNeverEscapeTheirOutcomes) {
    banc_conversion b;
    gen::aleatoire hasard(2026);
    for (int essai = 0; essai < 300; ++essai) {
        std::string f = gen::wav(gen::patin(hasard.entre(0, 2500), static_cast<std::uint64_t>(essai)));
        switch (hasard.entre(0, 4)) {
        case 0:  // header bytes changed
            for (int k = hasard.entre(1, 6); k > 0; --k)
                f[static_cast<std::size_t>(hasard.entre(0, 47))] = static_cast<char>(hasard.entre(0, 255));
            break;
        case 1:  // cut anywhere
            f.resize(static_cast<std::size_t>(hasard.entre(0, static_cast<int>(f.size()))));
            break;
        case 2: {  // any data size
            const std::uint32_t taille = hasard.suivant() | (hasard.entre(0, 1) ? 0x80000000u : 0u);
            std::memcpy(&f[40], &taille, 4);
            break;
        }
        case 3:  // trailing chunk
            f += "LIST" + std::string(static_cast<std::size_t>(hasard.entre(0, 99)), 'x');
            break;
        default:  // random bytes behind a plausible start
            f = "RIFF????WAVEfmt " + std::string(static_cast<std::size_t>(hasard.entre(0, 200)), '\0');
            for (std::size_t i = 16; i < f.size(); ++i) f[i] = static_cast<char>(hasard.entre(0, 255));
        }
        b.reponse = hasard.entre(1, 3);
        const int facteur = hasard.entre(1, 5);
        resultat_conversion r;
        ASSERT_NO_THROW(r = b.convertit("f.wav", f, facteur)) << essai;
        const auto& e = b.ctx.conversion;
        EXPECT_GE(e.nb_echantillons, 0);
        EXPECT_LT(static_cast<std::size_t>(e.nb_echantillons), e.echantillons.size());
        EXPECT_GE(e.nb_pointes, 0);
        EXPECT_LE(e.nb_pointes, capacite_pointes);
        if (r.lecture == resultat_lecture::accepte && e.conversion_annulee == 0) {
            const std::string classeur = b.os.lire(b.chemin("f.wav.slk"));
            EXPECT_EQ(classeur.substr(classeur.size() - 3), "E\r\n");
        }
    }
}

std::string ligne_au_hasard(gen::aleatoire& h) {
    switch (h.entre(0, 9)) {
    case 0: return "Pointes";
    case 1: return std::to_string(h.entre(-5, 40));
    case 2: return " " + std::to_string(h.entre(0, 2000)) + ".5E+000" + std::to_string(h.entre(0, 3));
    case 3: return "";
    case 4: return "1e999";
    case 5: return std::string(static_cast<std::size_t>(h.entre(1, 30)), static_cast<char>(h.entre(1, 255)));
    case 6: return "-" + std::to_string(h.suivant());
    default: return std::to_string(h.entre(-32768, 32767));
    }
}

TEST(EntreesAleatoires, MarksFilesAreReadWholeOrNotAtAll) {
    PlateformeFactice os;
    contexte ctx(os);
    auto& e = ctx.conversion;
    e.fichier_pointes = os.racine() + "m.wav.txt";
    gen::aleatoire h(7);
    int lus = 0;
    for (int essai = 0; essai < 500; ++essai) {
        std::string texte;
        if (h.entre(0, 1)) {  // a plausible file with a few changes
            const int n = h.entre(0, 30), m = h.entre(0, 8);
            texte = std::to_string(n) + "\r\n";
            e.nb_echantillons = n;  // the file's own recording: its marks count
            for (int i = 1; i <= n; ++i) {
                const int valeur = h.entre(-32768, 32767);
                e.echantillons[static_cast<std::size_t>(i)] = valeur;
                texte += std::to_string(valeur) + "\r\n";
            }
            texte += "Pointes\r\n" + std::to_string(m) + "\r\n";
            for (int k = 0; k < 2 * m; ++k) texte += " " + std::to_string(h.entre(0, 40)) + ".0E+0000\r\n";
            for (int k = h.entre(0, 2); k > 0; --k) {
                const auto lignes = std::count(texte.begin(), texte.end(), '\n');
                const auto cible = static_cast<std::size_t>(h.entre(0, static_cast<int>(lignes)));
                std::size_t p = 0;
                for (std::size_t l = 0; l < cible; ++l) p = texte.find('\n', p) + 1;
                texte.insert(p, ligne_au_hasard(h) + "\n");
            }
        } else {
            for (int k = h.entre(0, 12); k > 0; --k) texte += ligne_au_hasard(h) + (h.entre(0, 1) ? "\r\n" : "\n");
        }
        os.ecrire(e.fichier_pointes, texte);
        const etat_conversion avant = e;
        try {
            Readmarks(ctx, ctx.conversion);
            ++lus;
        } catch (const erreur_quorva&) {
            EXPECT_EQ(e.nb_echantillons, avant.nb_echantillons);
            EXPECT_EQ(e.nb_pointes, avant.nb_pointes);
            EXPECT_TRUE(e.echantillons == avant.echantillons);
            EXPECT_EQ(std::memcmp(e.pointes.data(), avant.pointes.data(), sizeof e.pointes), 0);
        }
        ASSERT_GE(e.nb_pointes, 0);
        ASSERT_LE(e.nb_pointes, capacite_pointes);
        // What was read can be confirmed (OK) and saved again.
        etat_conversion copie = e;
        reconstruit_pointes(copie);
        ASSERT_NO_THROW(Savemarks(ctx, ctx.conversion));
        const etat_conversion sauve = e;
        ASSERT_EQ(Readmarks(ctx, ctx.conversion), accord_pointes::lues);
        EXPECT_EQ(e.nb_echantillons, sauve.nb_echantillons);
        EXPECT_EQ(e.nb_pointes, sauve.nb_pointes);
    }
    EXPECT_GT(lus, 50);  // the generator does make readable files
}

}  // namespace
}  // namespace quorva::test
