// A program folder "c:\quorva\" in the fake platform's temporary folder, with
// a fresh context whose menu is the default one.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/contexte.h"
#include "launcher/menu.h"
#include "tests/support/plateforme_factice.h"

namespace quorva::test {

struct BancMenu : ::testing::Test {
    PlateformeFactice os;
    contexte ctx{os};
    const std::string appli = "c:\\quorva\\";
    const std::string donnees = "c:\\quorva\\fic_quorva\\";
    std::vector<int> attentes;

    BancMenu() {
        ctx.chemins.chemin_appli = appli;
        ctx.chemins.chemin_temp = os.dossier_temporaire;
        ctx.menu.attendre = [this](int ms) { attentes.push_back(ms); };
        os.ecrire(donnees + ".garde", "");  // the data folder exists
    }

    // A file under the program folder (relative name).
    void fichier(const std::string& relatif, const std::string& contenu = "x") { os.ecrire(appli + relatif, contenu); }
    // Many files: written by their POSIX path ("/" separated, exact case),
    // without the platform's case-insensitive look-up of each new name.
    void fichier_rapide(const std::string& relatif) {
        const std::string chemin = os.racine() + "c/quorva/" + relatif;
        std::filesystem::create_directories(std::filesystem::path(chemin).parent_path());
        std::ofstream(chemin) << "x";
    }
    void dossier(const std::string& relatif) { os.create_folder(appli + relatif); }
    entree_menu& e(const char* nom) {
        entree_menu* trouvee = trouve_entree(ctx.menu, nom);
        EXPECT_NE(trouvee, nullptr) << nom;
        return *trouvee;
    }
    std::vector<std::string> captions(const char* sous_menu) {
        std::vector<std::string> liste;
        for (const auto& s : e(sous_menu).sous_menu) liste.push_back(s.caption);
        return liste;
    }
    // Clicks an entry and returns what the shell was asked to open.
    ouverture_shell clic(entree_menu& entree) {
        os.ouvertures.clear();
        lance_entree(ctx, ctx.menu, entree);
        EXPECT_EQ(os.ouvertures.size(), 1u) << entree.nom << " " << entree.caption;
        return os.ouvertures.empty() ? ouverture_shell{} : os.ouvertures.back();
    }
};

}  // namespace quorva::test
