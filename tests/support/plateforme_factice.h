// A platform for unit tests: real files in a temporary folder of the test's
// own, and a scripted rest (command line, special folders, exports, windows)
// with every shell open and every minimised window recorded.
//
// The file part is the system's own platform under mapped paths: the POSIX
// platform on Linux, the Win32 one on Windows (tests/support/fichiers_win32.h).
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include "tests/support/fichiers_win32.h"
#else
#include "base/platform/platform_posix.h"
#endif

namespace quorva::test {

#ifdef _WIN32
using FichiersFactices = FichiersWin32;
#else
using FichiersFactices = PlateformePosix;
#endif

struct ouverture_shell {
    std::string fichier, parametres, dossier;
    int affichage = 0;
};

struct fenetre_factice {
    fenetre_factice() = default;
    fenetre_factice(WindowId id_, std::string titre_, std::string programme_ = "")
        : id(id_), titre(std::move(titre_)), programme(std::move(programme_)) {}
    WindowId id = 0;
    std::string titre;
    std::string programme;  // program file of the window's process; "" unknown
};

class PlateformeFactice : public FichiersFactices {
public:
    // Creates a fresh temporary folder (racine(), ends with "/"), removed at
    // destruction.
    PlateformeFactice();
    ~PlateformeFactice() override;
    PlateformeFactice(const PlateformeFactice&) = delete;
    PlateformeFactice& operator=(const PlateformeFactice&) = delete;

    // Drive letters live under the temporary folder: C:\x\y is the file
    // racine() + "c/x/y", so that tests can use Windows paths as they are.
    // (On Windows, paths under racine() or under the folder that was current
    // when the fake was made are real paths, left as they are.)
    std::optional<std::string> chemin_posix(const std::string& path) override;

    // The test's temporary folder, "/tmp/quorva-test-XXXXXX/" (on Windows
    // "<temp>\quorva-test-XXXXXX\").
    const std::string& racine() const { return racine_; }
    // Writes a file (folders created as needed). Like every path of the
    // fake, a Windows path (C:\x\y.txt) or a POSIX one.
    void ecrire(const std::string& chemin, const std::string& contenu);
    // The whole content of a file; empty when it does not exist.
    std::string lire(const std::string& chemin);

    std::string ligne_commande;
    std::string fichier_programme;
    std::map<int, std::string> dossiers_speciaux;  // csidl -> path; missing: ""
    std::string dossier_temporaire;                // default: racine() + "temp/"
    std::set<std::string> exportations;            // names kernel32 exports
    bool sans_bibliotheque = false;
    char separateur = '.';
    std::vector<fenetre_factice> fenetres;
    std::vector<WindowId> premiers_plans;  // foreground_window() pops from the front
    std::vector<ouverture_shell> ouvertures;
    std::vector<WindowId> minimisees;
    // Windows (the default) or POSIX ways for programs and native paths; a
    // POSIX native path is the text with "/" for every "\".
    bool systeme_posix = false;
    std::map<std::string, std::string> programmes_installes;  // name -> path
    // Writes that fail at their commit with this cause (a file held open, a
    // full disk), by path as given to create_file: the old file stays.
    std::map<std::string, FileFailure> echecs_ecriture;

    // The recording folders' drive, and this computer's name.
    bool reseau = false;
    std::string nom_ordinateur = "POSTE-1";

    std::unique_ptr<OutputFile> create_file(const std::string& path) override;
    bool on_network_drive(const std::string&) override { return reseau; }
    std::string computer_name() override { return nom_ordinateur; }

    std::string command_line() override { return ligne_commande; }
    std::string program_file() override { return fichier_programme; }
    std::string special_folder(int csidl) override;
    std::string temp_folder() override { return dossier_temporaire; }
    void* system_library() override;
    bool library_exports(void* library, const std::string& name) override;
    std::intptr_t shell_open(const std::string& file, const std::string& parameters,
                             const std::string& folder, int show) override;
    char decimal_separator() override { return separateur; }
    std::vector<std::string> program_names(const std::string& name) override;
    std::string installed_program(const std::string& name) override;
    std::string native_path(const std::string& path) override;
    std::string dialog_path(const std::string& path) override;
    // "/" becomes "\" unless systeme_posix.
    std::string path_from_dialog(const std::string& utf8) override;
    void set_own_windows(own_windows) override {}  // the windows are scripted
    void enumerate_windows(const std::function<bool(WindowId)>& visit) override;
    std::string window_title(WindowId window, std::size_t max_chars) override;
    WindowId foreground_window() override;
    void minimize_window(WindowId window) override;
    std::string window_program_file(WindowId window) override;

private:
#ifdef _WIN32
    std::string dossier_depart_;  // the process's current folder at creation
#endif
    std::string racine_;
    std::filesystem::path depart_;  // given back if a test leaves the process in racine()
};

}  // namespace quorva::test
