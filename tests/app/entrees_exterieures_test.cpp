// Every reader of a file that comes from outside, given what a broken disk,
// a foreign program or a curious pupil leaves: an empty file, a cut file, a
// sparse file of 1 GB, binary garbage, and a sound file under a folder whose
// name holds ";&$()", blanks and accents. Whatever it is: no crash, no
// endless work, nothing written beside it, and a refusal says which file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>

#include "app/contexte.h"
#include "base/garde.h"
#include "audacity/lancement_audacity.h"
#include "audacity/localisation_audacity.h"
#include "bench/generateur_wav.h"
#include "conversion/fichier_pointes.h"
#include "conversion/pilote_conversion.h"
#include "i18n/traduction.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;
namespace fs = std::filesystem;

namespace {

enum class forme { vide, coupe, creux_1_go, binaire, nom_special };

struct lecteur {
    const char* nom;
    std::string relatif;  // the file, under the program folder
    std::string valide;   // a good file of its kind
    std::function<void(contexte&, test::PlateformeFactice&, const std::string& chemin)> lire;
    // What the reader's caller writes when it accepts the file (relative).
    std::string produit;
    // Whether a refusal must be said (the others keep their defaults, as the
    // system defines: a language preference without a value, a
    // translation or preferences file whose lines match nothing).
    std::function<bool(forme)> refus_attendu;
};

interface_conversion sans_fenetres() { return {}; }

std::vector<lecteur> lecteurs() {
    std::string marques = "3\r\n1\r\n2\r\n3\r\nPointes\r\n1\r\n 2.00000000000000E+0000\r\n 3.00000000000000E+0002\r\n";
    std::string base;
    std::ifstream(std::string(QUORVA_DONNEES_CONVERSION) + "/patin_tracte_base_EN.slk", std::ios::binary) >> std::noskipws >> base;
    std::vector<std::int16_t> signal(3000);
    for (std::size_t i = 0; i < signal.size(); ++i) signal[i] = static_cast<std::int16_t>(i % 200 == 0 ? 9000 : i % 7);
    const auto toujours = [](forme f) { return f != forme::nom_special; };
    return {
        {"recording", "essai.wav", generateur::wav(signal),
         [](contexte& ctx, test::PlateformeFactice&, const std::string& chemin) {
             Lectureconversionwav1Click(ctx, ctx.conversion, [&](auto&&...) { return chemin; }, sans_fenetres());
         },
         "essai.wav.slk", toujours},
        {"marks file", "essai.wav.txt", marques,
         [](contexte& ctx, test::PlateformeFactice&, const std::string& chemin) {
             ctx.conversion.fichier_pointes = chemin;
             ctx.conversion.nb_echantillons = 3;  // the recording of the good file
             for (int i = 1; i <= 3; ++i) ctx.conversion.echantillons[static_cast<std::size_t>(i)] = i;
             Readmarks(ctx, ctx.conversion);
         },
         "", toujours},
        {"base workbook", "fic_quorva\\patin_tracte_base_EN.slk", base,
         [](contexte& ctx, test::PlateformeFactice&, const std::string&) {
             ctx.langue.langue = 1;
             Lectureconversionwav1Click(ctx, ctx.conversion, [&](auto&&...) { return ctx.chemins.chemin_appli + "son.wav"; },
                                        sans_fenetres());
         },
         "son.wav.slk", [](forme f) { return f != forme::nom_special && f != forme::coupe; }},
        {"translation file", "fic_quorva\\fic_trad.txt", "Patintract1#STICK|PATIN\r\n",
         [](contexte& ctx, test::PlateformeFactice&, const std::string&) { lec_fic_trad(ctx, ctx.langue, ctx.menu); },
         "quorva\\langue_quorva.txt", [](forme) { return false; }},
        {"language preference", "quorva\\langue_quorva.txt", "langue=1\r\n",
         [](contexte& ctx, test::PlateformeFactice&, const std::string&) { lec_langue(ctx, ctx.langue); }, "",
         [](forme) { return false; }},
        {"Audacity preferences", "fic_quorva\\audacity\\Portable Settings\\audacity.cfg", "[Directories]\r\nTempDir=\r\n",
         [](contexte& ctx, test::PlateformeFactice&, const std::string&) {
             selection_copie_locale(ctx, ctx.audacity, ctx.chemins.chemin_appli + "fic_quorva\\");
             lancer_audacity(ctx, ctx.audacity, "patin");
         },
         "fic_quorva\\audacity\\Portable Settings\\audacity.cfg", [](forme f) { return f == forme::creux_1_go; }},
    };
}

// Names and sizes of every file under a folder.
std::map<std::string, std::uintmax_t> inventaire(const std::string& dossier) {
    std::map<std::string, std::uintmax_t> fichiers;
    for (const auto& e : fs::recursive_directory_iterator(dossier))
        if (e.is_regular_file()) fichiers[e.path().generic_string()] = e.file_size();
    return fichiers;
}

}  // namespace

TEST(EntreesExterieures, EveryReaderSurvivesBrokenFilesAndNamesThem) {
    std::mt19937 aleatoire(15);
    for (const auto& l : lecteurs()) {
        for (const forme f : {forme::vide, forme::coupe, forme::creux_1_go, forme::binaire, forme::nom_special}) {
            SCOPED_TRACE(std::string(l.nom) + " / form " + std::to_string(static_cast<int>(f)));
            test::PlateformeFactice os;
            contexte ctx(os);
            std::vector<std::string> messages;
            ctx.afficher_message = [&](const std::string& t) { messages.push_back(t); };
            const std::string dossier = f == forme::nom_special ? "prog; &$() été à l'école\\" : "prog\\";
            ctx.chemins.chemin_appli = os.racine() + dossier;
            ctx.chemins.chemin_temp = ctx.chemins.chemin_appli;
            // Every other file of the program folder is a good one; son.wav is
            // the recording the base workbook's reader converts.
            os.ecrire(ctx.chemins.chemin_appli + "son.wav", generateur::wav({1, 2, 3}));
            // Quorva's own copy of Audacity, whose preferences the launch edits.
            os.ecrire(ctx.chemins.chemin_appli + "fic_quorva\\audacity\\audacity.exe", "");
            for (const auto& autre : lecteurs())
                if (autre.relatif != l.relatif && std::string(autre.nom) != "recording")
                    os.ecrire(ctx.chemins.chemin_appli + autre.relatif, autre.valide);
            const std::string chemin = ctx.chemins.chemin_appli + l.relatif;
            std::string contenu;
            switch (f) {
                case forme::vide:
                case forme::creux_1_go: break;  // zeros, made without using the disk
                case forme::coupe: contenu = l.valide.substr(0, 30); break;
                case forme::binaire:
                    for (int i = 0; i < 5000; ++i) contenu += static_cast<char>(aleatoire());
                    break;
                default: contenu = l.valide;
            }
            os.ecrire(chemin, contenu);
            if (f == forme::creux_1_go) fs::resize_file(*os.chemin_posix(chemin), 1u << 30);
            auto avant = inventaire(os.racine());

            garde(ctx.afficher_message, [&] { l.lire(ctx, os, chemin); });

            auto apres = inventaire(os.racine());
            if (l.refus_attendu(f)) {
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_NE(messages[0].find(chemin), std::string::npos) << messages[0];
                EXPECT_EQ(apres, avant);  // nothing written, nothing removed
                continue;
            }
            if (!l.produit.empty()) {
                std::string produit = "/" + l.produit;
                std::replace(produit.begin(), produit.end(), '\\', '/');
                for (auto* liste : {&avant, &apres})
                    std::erase_if(*liste, [&](const auto& e) { return e.first.ends_with(produit); });
            }
            EXPECT_EQ(apres, avant);
            if (f == forme::nom_special) {
                EXPECT_TRUE(messages.empty()) << messages[0];
                // A good recording's workbook reaches the shell as one path.
                if (std::string(l.nom) == "recording") {
                    ASSERT_EQ(os.ouvertures.size(), 1u);
                    EXPECT_EQ(os.ouvertures[0].fichier, chemin + ".slk");
                }
            }
        }
    }
}
