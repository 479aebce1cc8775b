// The Linux platform on real files: Windows path texts, names in UTF-8,
// listings, atomic writing, the shell open and the system folders.
#include "base/platform/platform_posix.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <tuple>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "base/erreur.h"
#include "base/recherche_fenetres.h"

using namespace quorva;
namespace fs = std::filesystem;

namespace {

// A temporary folder of the test's own, removed at the end.
class Dossier {
public:
    Dossier() {
        std::string modele = (fs::temp_directory_path() / "quorva-posix-XXXXXX").string();
        if (!::mkdtemp(modele.data())) throw std::runtime_error("mkdtemp");
        chemin_ = modele;
    }
    ~Dossier() {
        std::error_code erreur;
        fs::permissions(chemin_, fs::perms::owner_all, fs::perm_options::add, erreur);
        fs::remove_all(chemin_, erreur);
    }
    const std::string& chemin() const { return chemin_; }
    std::string operator/(const std::string& nom) const { return chemin_ + "/" + nom; }

private:
    std::string chemin_;
};

void ecrire(const std::string& chemin, const std::string& contenu) {
    fs::create_directories(fs::path(chemin).parent_path());
    std::ofstream(chemin, std::ios::binary) << contenu;
}

std::string lire(const std::string& chemin) {
    std::ifstream flux(chemin, std::ios::binary);
    std::ostringstream contenu;
    contenu << flux.rdbuf();
    return contenu.str();
}

std::vector<std::string> noms_du_dossier(const std::string& dossier) {
    std::vector<std::string> noms;
    for (const auto& entree : fs::directory_iterator(dossier)) noms.push_back(entree.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

// Sets an environment variable for the life of the object.
class Variable {
public:
    Variable(const char* nom, const std::optional<std::string>& valeur) : nom_(nom) {
        if (const char* avant = std::getenv(nom)) avant_ = avant;
        if (valeur) ::setenv(nom, valeur->c_str(), 1);
        else ::unsetenv(nom);
    }
    ~Variable() {
        if (avant_) ::setenv(nom_, avant_->c_str(), 1);
        else ::unsetenv(nom_);
    }

private:
    const char* nom_;
    std::optional<std::string> avant_;
};

// Waits (generously) for a file that a started process writes.
std::string attendre_fichier(const std::string& chemin) {
    for (int i = 0; i < 200; ++i) {
        std::string contenu = lire(chemin);
        if (!contenu.empty() && contenu.back() == '\n') return contenu;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return lire(chemin);
}

void script(const std::string& chemin, const std::string& corps) {
    ecrire(chemin, "#!/bin/sh\n" + corps);
    fs::permissions(chemin, fs::perms::owner_all);
}

}  // namespace

TEST(PlateformePosix, WindowsPathTextsReachFilesWhateverTheSeparatorAndCase) {
    Dossier d;
    ecrire(d / "Fic_Quorva/Docs/Lisez-moi.TXT", "bonjour");
    PlateformePosix os(false);
    const std::string racine = d.chemin();
    for (const std::string& chemin : {racine + "\\Fic_Quorva\\Docs\\Lisez-moi.TXT", racine + "/fic_quorva/docs/lisez-moi.txt",
                                     racine + "\\FIC_QUORVA/docs\\LISEZ-MOI.txt", racine + "\\fic_quorva\\.\\docs\\..\\Docs\\lisez-moi.txt"}) {
        EXPECT_TRUE(os.file_exists(chemin)) << chemin;
        std::string contenu;
        EXPECT_TRUE(os.read_file(chemin, contenu)) << chemin;
        EXPECT_EQ(contenu, "bonjour");
    }
    EXPECT_TRUE(os.folder_exists(racine + "\\FIC_QUORVA\\docs\\"));
    EXPECT_FALSE(os.folder_exists(racine + "\\fic_quorva\\docs\\lisez-moi.txt"));
    EXPECT_FALSE(os.file_exists(racine + "\\fic_quorva\\docs"));
    EXPECT_FALSE(os.file_exists(racine + "\\fic_quorva\\absent.txt"));
    // A drive letter names nothing here; neither does an empty path.
    EXPECT_FALSE(os.file_exists("C:\\Windows\\win.ini"));
    EXPECT_FALSE(os.folder_exists(""));
    std::string contenu = "x";
    EXPECT_FALSE(os.read_file("C:\\autoexec.bat", contenu));
    EXPECT_TRUE(contenu.empty());
    // read_file stops at max_bytes.
    EXPECT_TRUE(os.read_file(racine + "\\fic_quorva\\docs\\lisez-moi.txt", contenu, 3));
    EXPECT_EQ(contenu, "bon");

    // Two names differing only by case: the exact one wins, else always the
    // same one.
    ecrire(d / "Casse/abc", "1");
    ecrire(d / "Casse/ABC", "2");
    EXPECT_TRUE(os.read_file(racine + "\\casse\\ABC", contenu));
    EXPECT_EQ(contenu, "2");
    EXPECT_TRUE(os.read_file(racine + "\\casse\\Abc", contenu));
    EXPECT_EQ(contenu, "2");  // "ABC" < "abc" in byte order
}

TEST(PlateformePosix, AccentedNamesAreTheirUtf8BytesOnDisk) {
    Dossier d;
    PlateformePosix os(false);
    const std::string dossier = d.chemin() + "\\Séismes";
    ASSERT_TRUE(os.create_folder(dossier));
    EXPECT_TRUE(fs::is_directory(d / "S\xC3\xA9ismes"));  // UTF-8 é
    EXPECT_FALSE(os.create_folder(dossier));                // already there
    EXPECT_FALSE(os.create_folder(d.chemin() + "\\a\\b"));  // one level only

    auto fichier = os.create_file(dossier + "\\Élève €.txt");  // É, è, €
    fichier->write("10€");
    fichier->commit();
    EXPECT_EQ(lire(d / "S\xC3\xA9ismes/\xC3\x89l\xC3\xA8ve \xE2\x82\xAC.txt"), "10€");
    // Listings give the names back as they are; accented letters match
    // without case too.
    EXPECT_EQ(os.list_files(d.chemin() + "\\SÉISMES", "*.txt"), std::vector<std::string>{"Élève €.txt"});
    EXPECT_TRUE(os.file_exists(d.chemin() + "\\séismes\\éLÈVE €.TXT"));
    EXPECT_EQ(os.list_folders(d.chemin()), std::vector<std::string>{"Séismes"});
}

TEST(PlateformePosix, ListingsFilterByMasksAndSort) {
    Dossier d;
    for (const char* nom : {"b.doc", "A.RTF", "c.Doc", "notes.txt", "sans_point", "z.docx", ".cache.doc"})
        ecrire(d / nom, "x");
    fs::create_directories(d / "dossier.doc");
    fs::create_directories(d / "Films");
    fs::create_directories(d / "autres");
    PlateformePosix os(false);
    EXPECT_EQ(os.list_files(d.chemin(), "*.doc;*.rtf"),
              (std::vector<std::string>{".cache.doc", "A.RTF", "b.doc", "c.Doc"}));
    EXPECT_EQ(os.list_files(d.chemin(), " *.RTF ; *.doc "), (std::vector<std::string>{".cache.doc", "A.RTF", "b.doc", "c.Doc"}));
    EXPECT_EQ(os.list_files(d.chemin(), "?.doc"), (std::vector<std::string>{"b.doc", "c.Doc"}));
    EXPECT_EQ(os.list_files(d.chemin(), "*.*").size(), 7u);  // names without a point too
    EXPECT_EQ(os.list_files(d.chemin(), "*"), os.list_files(d.chemin(), "*.*"));
    EXPECT_TRUE(os.list_files(d.chemin(), "").empty());
    EXPECT_EQ(os.list_folders(d.chemin()), (std::vector<std::string>{"autres", "dossier.doc", "Films"}));
    // A missing or unreadable folder is an empty list, not an error.
    EXPECT_TRUE(os.list_files(d / "absent", "*.*").empty());
    EXPECT_TRUE(os.list_folders("C:\\Program Files").empty());
}

TEST(PlateformePosix, CreateFileReplacesAtomicallyAndNeverHalfWrites) {
    Dossier d;
    PlateformePosix os(false);
    const std::string cible = d.chemin() + "\\notes.txt";
    ecrire(d / "notes.txt", "ancien");

    {   // Dropped without commit: the old file stays, no temporary is left.
        auto fichier = os.create_file(cible);
        fichier->write("nouveau, mais abandonné");
        EXPECT_EQ(lire(d / "notes.txt"), "ancien");
    }
    EXPECT_EQ(lire(d / "notes.txt"), "ancien");
    EXPECT_EQ(noms_du_dossier(d.chemin()), std::vector<std::string>{"notes.txt"});

    {   // Two writers of one file at once do not share a temporary file.
        auto premier = os.create_file(cible);
        auto second = os.create_file(cible);
        premier->write("premier");
        second->write("second");
        premier->commit();
        EXPECT_EQ(lire(d / "notes.txt"), "premier");
        second->commit();
    }
    EXPECT_EQ(lire(d / "notes.txt"), "second");
    EXPECT_EQ(noms_du_dossier(d.chemin()), std::vector<std::string>{"notes.txt"});

    // A missing folder, a folder in the way, a drive letter: the program's
    // own message, and nothing written.
    for (const std::string& mauvais : {d.chemin() + "\\absent\\x.txt", d.chemin(), std::string("C:\\x.txt")}) {
        try {
            os.create_file(mauvais);
            ADD_FAILURE() << mauvais;
        } catch (const erreur_quorva& e) {
            EXPECT_EQ(std::string(e.what()), "Impossible de créer le fichier " + mauvais);
        }
    }

    // A folder we may not write to: refused at once, the old file intact.
    if (::geteuid() != 0) {
        fs::permissions(d.chemin(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(os.create_file(cible), erreur_quorva);
        fs::permissions(d.chemin(), fs::perms::owner_all);
        EXPECT_EQ(lire(d / "notes.txt"), "second");
    }

    // Copy: whole, replacing; false when the source is missing.
    EXPECT_TRUE(os.copy_file(cible, d.chemin() + "/copie.txt"));
    EXPECT_EQ(lire(d / "copie.txt"), "second");
    EXPECT_FALSE(os.copy_file(d.chemin() + "\\absent.txt", d.chemin() + "/copie.txt"));
    EXPECT_EQ(lire(d / "copie.txt"), "second");
}

TEST(PlateformePosix, ShellStartsProgramsDirectlyAndHandsTheRestToXdgOpen) {
    Dossier d;
    PlateformePosix os(false);
    // A stand-in program that records its arguments and working folder.
    script(d / "Outils/prog.exe",
           "out=\"$(dirname \"$0\")/trace.txt\"\n"
           "{ pwd; for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; } > \"$out.tmp\" && mv \"$out.tmp\" \"$out\"\n");
    // The xdg-open stub, first on PATH.
    script(d / "bin/xdg-open", "printf '%s|%s\\n' \"$(pwd)\" \"$*\" > \"" + d.chemin() + "/xdg.tmp\" && mv \"" +
                                   d.chemin() + "/xdg.tmp\" \"" + d.chemin() + "/xdg.txt\"\n");
    fs::create_directories(d / "Travail dir");
    ecrire(d / "Mes Documents/Projet \xC3\xA9t\xC3\xA9.aup", "x");
    Variable chemin("PATH", d.chemin() + "/bin:" + std::string(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin"));

    // Arguments one argv element each, quotes grouping, ; and $ reaching the
    // program untouched: no shell in between.
    const std::string parametres = "-a \"deux mots\" ;echo $HOME";
    EXPECT_GT(os.shell_open(d.chemin() + "\\OUTILS\\prog.exe", parametres, d.chemin() + "\\travail dir", 1), 32);
    EXPECT_EQ(attendre_fichier(d / "Outils/trace.txt"),
              d.chemin() + "/Travail dir\n[-a][deux mots][;echo][$HOME]\n");
    fs::remove(d / "Outils/trace.txt");

    // A parameter naming an existing file (blanks and all, no quotes) gets
    // there as one POSIX path.
    EXPECT_GT(os.shell_open(d.chemin() + "/Outils/prog.exe", d.chemin() + "\\mes documents\\PROJET été.aup", "", 1), 32);
    EXPECT_EQ(attendre_fichier(d / "Outils/trace.txt"),
              fs::current_path().string() + "\n[" + d.chemin() + "/Mes Documents/Projet \xC3\xA9t\xC3\xA9.aup]\n");
    fs::remove(d / "Outils/trace.txt");

    // A bare name is looked for in the working folder, like the shell does.
    EXPECT_GT(os.shell_open("prog.exe", "x", d.chemin() + "\\Outils\\", 1), 32);
    EXPECT_EQ(attendre_fichier(d / "Outils/trace.txt"), d.chemin() + "/Outils\n[x]\n");

    // A document (even one with the execute bit, as on a FAT stick) goes to
    // xdg-open with its POSIX path; parameters do not apply.
    ecrire(d / "Docs/cours.pdf", "%PDF");
    fs::permissions(d / "Docs/cours.pdf", fs::perms::owner_all);
    EXPECT_GT(os.shell_open(d.chemin() + "\\docs\\COURS.pdf", "/s", d.chemin() + "\\Docs", 1), 32);
    EXPECT_EQ(attendre_fichier(d / "xdg.txt"), d.chemin() + "/Docs|" + d.chemin() + "/Docs/cours.pdf\n");

    // Failures are results, never exceptions.
    EXPECT_LE(os.shell_open(d.chemin() + "\\absent.doc", "", "", 1), 32);
    EXPECT_LE(os.shell_open("C:\\Program Files\\Audacity\\audacity.exe", "", "", 1), 32);
    EXPECT_LE(os.shell_open("", "", "", 1), 32);
    Variable sans_chemin("PATH", d.chemin() + "/vide");
    EXPECT_LE(os.shell_open(d.chemin() + "/Docs/cours.pdf", "", "", 1), 32);  // no xdg-open at all
}

TEST(PlateformePosix, SystemFoldersFollowXdgAndNeverComeBackEmpty) {
    Dossier d;
    PlateformePosix os(false);
    ecrire(d / ".config/user-dirs.dirs", "# comment\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\nXDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
    {
        Variable maison("HOME", d.chemin());
        Variable config("XDG_CONFIG_HOME", std::nullopt);
        Variable donnees("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(os.special_folder(0), d / "Bureau");
        EXPECT_EQ(os.special_folder(25), d / "Bureau");
        EXPECT_EQ(os.special_folder(5), "/srv/docs");
        EXPECT_EQ(os.special_folder(26), d / ".config");
        EXPECT_EQ(os.special_folder(23), d / ".local/share/applications");
        EXPECT_EQ(os.special_folder(12345), d.chemin());
    }
    {   // No user-dirs file: the usual names under the home folder.
        Variable maison("HOME", d / "vide");
        Variable config("XDG_CONFIG_HOME", std::nullopt);
        EXPECT_EQ(os.special_folder(0), d / "vide/Desktop");
        EXPECT_EQ(os.special_folder(5), d / "vide/Documents");
    }
    {   // No HOME at all: the account's home folder, never an empty text.
        Variable maison("HOME", std::nullopt);
        for (const int csidl : {0, 5, 23, 25, 26}) {
            const std::string dossier = os.special_folder(csidl);
            EXPECT_FALSE(dossier.empty()) << csidl;
            EXPECT_EQ(dossier[0], '/') << csidl;
        }
    }
    {   // The temporary folder ends with a separator and exists.
        Variable temp("TMPDIR", d.chemin());
        EXPECT_EQ(os.temp_folder(), d.chemin() + "/");
    }
    for (const std::optional<std::string>& mauvais : {std::optional<std::string>(), std::optional<std::string>(""),
                                                      std::optional<std::string>(d / "absent")}) {
        Variable temp("TMPDIR", mauvais);
        EXPECT_EQ(os.temp_folder(), "/tmp/");
    }
}

TEST(PlateformePosix, WithoutX11TheWindowSearchSeesTheProgramsOwnWindows) {
    // No display, or Qt drawing offscreen: no X11 connection is even tried.
    for (const auto& [display, qpa] : {std::pair<std::optional<std::string>, std::optional<std::string>>{std::nullopt, std::nullopt},
                                       {std::string(""), std::nullopt},
                                       {std::string(":0"), std::string("offscreen")},
                                       {std::string(":0"), std::string("wayland")},
                                       {std::string(":0"), std::string("")}}) {
        Variable v1("DISPLAY", display);
        Variable v2("QT_QPA_PLATFORM", qpa);
        // A Wayland session: Qt draws there unless told xcb.
        Variable v3("WAYLAND_DISPLAY", std::string("wayland-0"));
        PlateformePosix os;
        recherche_fenetres etat;
        EXPECT_FALSE(cherche_appli(os, etat, "Quorva"));
        EXPECT_EQ(os.foreground_window(), 0u);
        os.minimize_window(1234);  // nothing to do, and no crash

        os.set_own_windows([] {
            return std::vector<std::pair<WindowId, std::string>>{{7, "Quorva"}, {8, "S\xC3\xA9isme"}};
        });
        EXPECT_TRUE(cherche_appli(os, etat, "Quorva"));
        EXPECT_EQ(etat.nb_titres_trouves, 1);
        EXPECT_EQ(os.window_title(8, 254), "Séisme");
        EXPECT_EQ(os.window_title(8, 2), "Sé");
        EXPECT_EQ(os.window_title(9, 254), "");
    }
}

TEST(PlateformePosix, ADisplayThatDoesNotAnswerIsNoDisplay) {
    Variable v1("DISPLAY", std::string(":4093"));
    Variable v2("QT_QPA_PLATFORM", std::nullopt);
    Variable v3("WAYLAND_DISPLAY", std::nullopt);
    Variable v4("XDG_SESSION_TYPE", std::nullopt);
    PlateformePosix os;
    recherche_fenetres etat;
    os.set_own_windows([] { return std::vector<std::pair<WindowId, std::string>>{{3, "Quorva"}}; });
    EXPECT_TRUE(cherche_appli(os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_fenetres, 0);
}

TEST(PlateformePosix, SystemValuesHaveSensibleDefaults) {
    PlateformePosix os(false);
    EXPECT_FALSE(os.command_line().empty());
    EXPECT_EQ(os.program_file().find("quorva_unit_tests") != std::string::npos, true);
    // No kernel32 here: the probe sees a current system.
    EXPECT_TRUE(os.library_exports(os.system_library(), "GetLocaleInfoEx"));
    {
        Variable langue("LC_ALL", "C");
        EXPECT_EQ(os.decimal_separator(), '.');
    }
    Dossier d;
    const std::string ici = os.current_folder();
    EXPECT_TRUE(os.set_current_folder(d.chemin() + "\\"));
    EXPECT_EQ(os.current_folder(), d.chemin());
    EXPECT_FALSE(os.set_current_folder(d.chemin() + "\\absent"));
    EXPECT_TRUE(os.set_current_folder(ici));
}

// What dead writes left: only what is certainly ours and dead goes.
TEST(PlateformePosix, AWriteRemovesOnlyLeftoversCertainlyOursAndDead) {
    Dossier d;
    PlateformePosix os(false);
    const std::string ici = machine_locale(), hote = ici.substr(0, ici.find('~'));
    const pid_t fini = ::fork();
    if (fini == 0) ::_exit(0);
    ::waitpid(fini, nullptr, 0);
    const std::string mort = "-" + std::to_string(fini) + "-1";
    const std::vector<std::tuple<std::string, int, bool>> table = {  // name, age in hours, stays
        {".notes.quorva-2024-06", 72, true},                         // a user's look-alike
        {".essai.wav.slk.quorva-poste-12" + mort, 72, true},          // another host's
        {".essai.wav.slk.quorva-" + hote + "~1" + mort, 72, true},    // another process namespace's
        {".essai.wav.slk.quorva-" + ici + "-1-1", 72, true},          // a live process's
        {".essai.wav.txt.quorva-" + ici + mort, 0, true},             // a dead one's but fresh
        {".essai.wav.xls.quorva-" + ici + mort, 25, false},           // a dead one's and old
    };
    for (const auto& [nom, heures, reste] : table) {
        ecrire(d / nom, "reste");
        fs::last_write_time(d / nom, fs::file_time_type::clock::now() - std::chrono::hours(heures));
    }
    auto fichier = os.create_file(d.chemin() + "\\autre.slk");
    fichier->commit();
    for (const auto& [nom, heures, reste] : table) EXPECT_EQ(fs::exists(d / nom), reste) << nom;
}

// An update puts a new program file in place of a running one: that process
// still runs the program (the guard counts it). A file merely named so keeps
// its name.
TEST(PlateformePosix, AProgramWhoseFileWasReplacedIsStillThatProgram) {
    Dossier d;
    for (const std::string& programme : {d / "quorva", d / "veille (deleted)"}) {
        fs::copy_file("/bin/sleep", programme);
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(::execl(programme.c_str(), "sleep", "30", static_cast<char*>(nullptr)));
        for (int i = 0; i < 200 && programme_du_processus(pid) != programme; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (programme.ends_with("quorva")) {
            fs::copy_file("/bin/sleep", programme + ".neuf");
            fs::rename(programme + ".neuf", programme);
        }
        EXPECT_EQ(programme_du_processus(pid), programme);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
}
