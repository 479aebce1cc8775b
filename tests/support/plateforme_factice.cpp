#include "tests/support/plateforme_factice.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/erreur.h"

namespace quorva::test {

namespace fs = std::filesystem;

PlateformeFactice::PlateformeFactice() : PlateformePosix(false) {
    std::string modele = (fs::temp_directory_path() / "quorva-test-XXXXXX").string();
    if (!::mkdtemp(modele.data())) throw erreur_quorva("mkdtemp");
    racine_ = modele + "/";
    dossier_temporaire = racine_ + "temp/";
    fs::create_directories(dossier_temporaire);
}

PlateformeFactice::~PlateformeFactice() {
    std::error_code erreur;
    fs::permissions(racine_, fs::perms::owner_all, fs::perm_options::add, erreur);
    for (const auto& entree : fs::recursive_directory_iterator(racine_, erreur))
        fs::permissions(entree.path(), fs::perms::owner_all, fs::perm_options::add, erreur);
    fs::remove_all(racine_, erreur);
}

void PlateformeFactice::ecrire(const std::string& chemin, const std::string& contenu) {
    fs::path cible(chemin_posix(chemin).value_or(chemin));
    if (cible.has_parent_path()) fs::create_directories(cible.parent_path());
    std::ofstream flux(cible, std::ios::binary);
    flux << contenu;
}

std::string PlateformeFactice::lire(const std::string& chemin) {
    std::ifstream flux(chemin_posix(chemin).value_or(chemin), std::ios::binary);
    std::ostringstream contenu;
    contenu << flux.rdbuf();
    return contenu.str();
}

std::optional<std::string> PlateformeFactice::chemin_posix(const std::string& path) {
    const bool lecteur = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    if (!lecteur) return PlateformePosix::chemin_posix(path);
    const char lettre = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
    return PlateformePosix::chemin_posix(racine_ + lettre + "/" + path.substr(2));
}

std::string PlateformeFactice::special_folder(int csidl) {
    const auto trouve = dossiers_speciaux.find(csidl);
    return trouve == dossiers_speciaux.end() ? "" : trouve->second;
}

void* PlateformeFactice::system_library() {
    if (sans_bibliotheque) throw erreur_quorva("Le module sp\xE9" "cifi\xE9 est introuvable");
    return this;
}

bool PlateformeFactice::library_exports(void*, const std::string& name) { return exportations.count(name) > 0; }

std::intptr_t PlateformeFactice::shell_open(const std::string& file, const std::string& parameters,
                                            const std::string& folder, int show) {
    ouvertures.push_back({file, parameters, folder, show});
    return 42;
}

void PlateformeFactice::enumerate_windows(const std::function<bool(WindowId)>& visit) {
    for (const auto& fenetre : fenetres)
        if (!visit(fenetre.id)) return;
}

std::string PlateformeFactice::window_title(WindowId window, std::size_t max_chars) {
    for (const auto& fenetre : fenetres)
        if (fenetre.id == window) return fenetre.titre.substr(0, max_chars);
    return "";
}

WindowId PlateformeFactice::foreground_window() {
    if (premiers_plans.empty()) return 0;
    const WindowId fenetre = premiers_plans.front();
    premiers_plans.erase(premiers_plans.begin());
    return fenetre;
}

void PlateformeFactice::minimize_window(WindowId window) { minimisees.push_back(window); }

}  // namespace quorva::test
