#include "tests/support/plateforme_factice.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "base/erreur.h"
#include "base/texte.h"

namespace quorva::test {

namespace fs = std::filesystem;

namespace {

// The file name the standard library is to open. Path texts are UTF-8; on
// Windows the library reads a narrow name in the ANSI code page, so it is
// given as UTF-8 explicitly.
fs::path nom_systeme(const std::string& chemin) {
#ifdef _WIN32
    return fs::path(std::u8string(chemin.begin(), chemin.end()));
#else
    return fs::path(chemin);
#endif
}

}  // namespace

#ifdef _WIN32
PlateformeFactice::PlateformeFactice() : dossier_depart_(current_folder()) {
    std::error_code erreur;
    depart_ = fs::current_path(erreur);
    std::random_device hasard;
    for (int essai = 0; racine_.empty(); ++essai) {
        if (essai == 100) throw erreur_quorva("quorva-test");
        const std::string nom = (fs::temp_directory_path() / ("quorva-test-" + std::to_string(hasard()))).string();
        if (fs::create_directory(nom, erreur)) racine_ = nom + "\\";
    }
    dossier_temporaire = racine_ + "temp\\";
    fs::create_directories(dossier_temporaire);
}
#else
PlateformeFactice::PlateformeFactice() : PlateformePosix(false) {
    std::error_code erreur;
    depart_ = fs::current_path(erreur);
    std::string modele = (fs::temp_directory_path() / "quorva-test-XXXXXX").string();
    if (!::mkdtemp(modele.data())) throw erreur_quorva("mkdtemp");
    racine_ = modele + "/";
    dossier_temporaire = racine_ + "temp/";
    fs::create_directories(dossier_temporaire);
}
#endif

PlateformeFactice::~PlateformeFactice() {
    std::error_code erreur;
    // The start-up sequence leaves the process in the last folder it listed:
    // never in a folder that is about to go (Windows would refuse to remove
    // it, and the next test would run nowhere).
    const auto bas = [](fs::path::string_type texte) {
        for (auto& c : texte) {
            if (c >= 'A' && c <= 'Z') c = static_cast<fs::path::value_type>(c - 'A' + 'a');
            if (c == '/') c = fs::path::preferred_separator;
        }
        return texte;
    };
    const fs::path ici = fs::current_path(erreur);
    const bool dedans = erreur || (bas(ici.native()) + fs::path::preferred_separator)
                                      .starts_with(bas(nom_systeme(racine_).native()));
    if (dedans && !depart_.empty()) fs::current_path(depart_, erreur);
    fs::permissions(racine_, fs::perms::owner_all, fs::perm_options::add, erreur);
    for (const auto& entree : fs::recursive_directory_iterator(racine_, erreur))
        fs::permissions(entree.path(), fs::perms::owner_all, fs::perm_options::add, erreur);
    fs::remove_all(racine_, erreur);
}

void PlateformeFactice::ecrire(const std::string& chemin, const std::string& contenu) {
    const fs::path cible = nom_systeme(chemin_posix(chemin).value_or(chemin));
    if (cible.has_parent_path()) fs::create_directories(cible.parent_path());
    std::ofstream flux(cible, std::ios::binary);
    flux << contenu;
}

std::string PlateformeFactice::lire(const std::string& chemin) {
    std::ifstream flux(nom_systeme(chemin_posix(chemin).value_or(chemin)), std::ios::binary);
    std::ostringstream contenu;
    contenu << flux.rdbuf();
    return contenu.str();
}

#ifdef _WIN32
std::optional<std::string> PlateformeFactice::chemin_posix(const std::string& path) {
    const bool lecteur = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    const auto barres = [](std::string texte) {
        for (auto& c : texte)
            if (c == '/') c = '\\';
        return minuscules_ascii(texte);
    };
    // The test's folder and the folder the test started in (the system gives
    // it back as a real path) are real; any other drive is under racine().
    const auto sous = [&](const std::string& dossier) {
        const std::string d = barres(dossier), p = barres(path);
        return !d.empty() && p.compare(0, d.size(), d) == 0 &&
               (p.size() == d.size() || d.back() == '\\' || p[d.size()] == '\\');
    };
    if (!lecteur || sous(racine_) || sous(dossier_depart_)) return path;
    const char lettre = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
    const auto reste = path.find_first_not_of("\\/", 2);
    return racine_ + lettre + "\\" + (reste == std::string::npos ? "" : path.substr(reste));
}
#else
std::optional<std::string> PlateformeFactice::chemin_posix(const std::string& path) {
    const bool lecteur = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    if (!lecteur) return PlateformePosix::chemin_posix(path);
    const char lettre = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
    return PlateformePosix::chemin_posix(racine_ + lettre + "/" + path.substr(2));
}
#endif

std::string PlateformeFactice::special_folder(int csidl) {
    const auto trouve = dossiers_speciaux.find(csidl);
    return trouve == dossiers_speciaux.end() ? "" : trouve->second;
}

void* PlateformeFactice::system_library() {
    if (sans_bibliotheque) throw erreur_quorva("Le module spécifié est introuvable");
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

std::string PlateformeFactice::window_program_file(WindowId window) {
    for (const auto& fenetre : fenetres)
        if (fenetre.id == window) return fenetre.programme;
    return "";
}

std::vector<std::string> PlateformeFactice::program_names(const std::string& name) {
    if (systeme_posix) return {name, name + ".exe"};
    return {name + ".exe"};
}

std::string PlateformeFactice::installed_program(const std::string& name) {
    const auto programme = programmes_installes.find(name);
    return systeme_posix && programme != programmes_installes.end() ? programme->second : "";
}

std::string PlateformeFactice::native_path(const std::string& path) {
    if (!systeme_posix) return path;
    std::string natif = path;
    std::replace(natif.begin(), natif.end(), '\\', '/');
    return natif;
}

namespace {

class FichierEnEchec : public OutputFile {
public:
    FichierEnEchec(std::string chemin, FileFailure cause) : chemin_(std::move(chemin)), cause_(cause) {}
    void write(std::string_view) override {}
    void commit() override { throw WriteError("Impossible de créer le fichier %s", chemin_, cause_); }

private:
    std::string chemin_;
    FileFailure cause_;
};

}  // namespace

std::unique_ptr<OutputFile> PlateformeFactice::create_file(const std::string& path) {
    const auto echec = echecs_ecriture.find(path);
    if (echec == echecs_ecriture.end()) return FichiersFactices::create_file(path);
    return std::make_unique<FichierEnEchec>(path, echec->second);
}

std::string PlateformeFactice::path_from_dialog(const std::string& utf8) {
    std::string chemin = utf8;
    if (!systeme_posix) std::replace(chemin.begin(), chemin.end(), '/', '\\');
    return chemin;
}

std::string PlateformeFactice::dialog_path(const std::string& path) {
    const auto fichier = chemin_posix(path);
    return fichier ? *fichier : path;
}

WindowId PlateformeFactice::foreground_window() {
    if (premiers_plans.empty()) return 0;
    const WindowId fenetre = premiers_plans.front();
    premiers_plans.erase(premiers_plans.begin());
    return fenetre;
}

void PlateformeFactice::minimize_window(WindowId window) { minimisees.push_back(window); }

}  // namespace quorva::test
