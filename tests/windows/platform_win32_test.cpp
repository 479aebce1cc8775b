// The Win32 platform layer against the system itself (Wine in CI): the
// generation probe, the folders and the command line, the shell open, the
// top-level windows and the file operations, through the same services the
// program calls.
//
// Started with --marqueur or --document, this program is the one the
// shell-open tests ask the shell to start: it writes a marker file and ends.
#include "base/platform/windows_lean.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/contexte.h"
#include "base/erreur.h"
#include "base/plateforme.h"
#include "base/platform/files_win32.h"
#include "base/platform/platform_win32.h"
#include "base/platform/wide_win32.h"
#include "base/recherche_fenetres.h"
#include "base/services_systeme.h"
#include "base/texte.h"

namespace quorva {
namespace {

// A fresh folder under the system's temporary folder, removed with all it
// holds at the end of the test.
class DossierTemporaire {
public:
    DossierTemporaire() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        std::random_device hasard;
        for (int essai = 0; essai < 100 && chemin_.empty(); ++essai) {
            const std::string nom = from_wide(temp) + "quorva-win32-" + std::to_string(hasard()) + "\\";
            if (CreateDirectoryW(to_wide(nom).c_str(), nullptr)) chemin_ = nom;
        }
        if (chemin_.empty()) throw erreur_quorva("no temporary folder");
    }
    ~DossierTemporaire() { supprimer(chemin_); }
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;
    const std::string& chemin() const { return chemin_; }

private:
    static void supprimer(const std::string& dossier) {
        WIN32_FIND_DATAW d;
        const HANDLE h = FindFirstFileW(to_wide(dossier + "*").c_str(), &d);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string nom = from_wide(d.cFileName);
                if (nom == "." || nom == "..") continue;
                if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    supprimer(dossier + nom + "\\");
                } else {
                    SetFileAttributesW(to_wide(dossier + nom).c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(to_wide(dossier + nom).c_str());
                }
            } while (FindNextFileW(h, &d));
            FindClose(h);
        }
        RemoveDirectoryW(to_wide(dossier).c_str());
    }
    std::string chemin_;
};

void ecrire(const std::string& chemin, const std::string& contenu) {
    const HANDLE f =
        CreateFileW(to_wide(chemin).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << chemin;
    DWORD ecrits = 0;
    WriteFile(f, contenu.data(), static_cast<DWORD>(contenu.size()), &ecrits, nullptr);
    CloseHandle(f);
}

std::string lire(Plateforme& os, const std::string& chemin) {
    std::string contenu;
    EXPECT_TRUE(os.read_file(chemin, contenu)) << chemin;
    return contenu;
}

bool chemin_absolu(const std::string& chemin) {
    return chemin.size() >= 3 && std::isalpha(static_cast<unsigned char>(chemin[0])) && chemin[1] == ':' &&
           chemin[2] == '\\';
}

class Win32 : public ::testing::Test {
protected:
    std::unique_ptr<Plateforme> os = creer_plateforme_systeme();
};

// --- Generation probe -----------------------------------------------------------

TEST_F(Win32, ProbeGivesAGenerationTheRulesAllow) {
    const std::uint8_t generation = detecte_windows(*os);
    EXPECT_TRUE((std::set<int>{2, 3, 4, 6, 8, 9, 10, 11, 13, 14}.count(generation))) << int(generation);
    const std::string nom = nom_version_windows(*os, generation);
    if (generation == 14)
        EXPECT_TRUE(nom == "Vista" || nom == "Seven") << nom;
    else
        EXPECT_EQ(nom, noms_windows[generation]);
    EXPECT_NE(nom, "Windows Vista/7");

    // Names are looked up exactly as written: no A or W suffix is added.
    void* noyau = os->system_library();
    ASSERT_NE(noyau, nullptr);
    EXPECT_TRUE(existe_export(*os, noyau, "Beep"));
    EXPECT_TRUE(existe_export(*os, noyau, "GetTempPathA"));
    EXPECT_FALSE(existe_export(*os, noyau, "GetTempPath"));
    EXPECT_FALSE(existe_export(*os, noyau, "QuorvaNExistePas"));
}

// --- Command line, special and temporary folders --------------------------------

TEST_F(Win32, ProgramFolderComesFromTheCommandLine) {
    const std::string programme = os->program_file();
    ASSERT_TRUE(chemin_absolu(programme)) << programme;
    const std::string ligne = os->command_line();
    EXPECT_NE(ligne.find('\\'), std::string::npos) << ligne;

    // The exe's folder, lower case, with its trailing backslash.
    const std::string attendu = minuscules_ascii(programme.substr(0, programme.rfind('\\') + 1));
    EXPECT_EQ(derive_chemin_appli(*os), attendu) << ligne;
    EXPECT_TRUE(os->folder_exists(derive_chemin_appli(*os) + "."));
}

TEST_F(Win32, SpecialAndTemporaryFoldersAreRealFolders) {
    for (const int csidl : {0, 5, 25, 26}) {
        const std::string dossier = dossier_special(*os, csidl);
        SCOPED_TRACE("CSIDL " + std::to_string(csidl) + ": " + dossier);
        ASSERT_TRUE(chemin_absolu(dossier));
        // Normally without a trailing backslash; Wine gives one for the
        // documents, which it links to the user's home folder.
        EXPECT_EQ(dossier.find("\\\\"), std::string::npos);
        EXPECT_TRUE(os->folder_exists(dossier));
    }
    // The desktops as the start-up sequence keeps them: one backslash at the end.
    for (const int csidl : {0, 25}) {
        const std::string dossier = dossier_special(*os, csidl), bureau = dossier_bureau(*os, csidl);
        EXPECT_EQ(bureau, dossier.back() == '\\' ? dossier : dossier + "\\");
    }
    // A number the shell does not know gives no folder, not a stray path.
    EXPECT_EQ(dossier_special(*os, 0x7ff0), "");
    EXPECT_EQ(dossier_bureau(*os, 0x7ff0), "");

    const std::string temp = dossier_temp(*os);
    ASSERT_TRUE(chemin_absolu(temp)) << temp;
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_LE(temp.size(), 255u);
    EXPECT_TRUE(os->folder_exists(temp));
}

TEST_F(Win32, StartUpPathsAreFilled) {
    contexte ctx(*os);
    remplir_chemins(ctx);
    EXPECT_EQ(ctx.chemins.chemin_temp, dossier_temp(*os));
    EXPECT_EQ(ctx.chemins.chemin_appli, derive_chemin_appli(*os));
    EXPECT_TRUE(ctx.chemins.version_windows == "XP" || ctx.chemins.version_windows == "Vista" ||
                ctx.chemins.version_windows == "Seven" ||
                ctx.chemins.version_windows == noms_windows[ctx.chemins.generation_windows]);
    EXPECT_EQ(ctx.chemins.bureau_utilisateur.back(), '\\');
    EXPECT_EQ(ctx.chemins.bureau_commun.back(), '\\');
    const char separateur = os->decimal_separator();
    EXPECT_TRUE(separateur == '.' || separateur == ',');
}

// --- Shell open ------------------------------------------------------------------

std::string programme_courant() { return creer_plateforme_systeme()->program_file(); }

// Waits (60 s at most) for the marker file that a started program writes
// whole, and gives its lines.
std::vector<std::string> attendre_marqueur(Plateforme& os, const std::string& marqueur) {
    for (int i = 0; i < 600 && !os.file_exists(marqueur); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::string contenu;
    os.read_file(marqueur, contenu);
    return decouper_lignes(contenu);
}

TEST_F(Win32, ExecuteFileStartsAProgramInItsFolderWithItsParameters) {
    DossierTemporaire dossier;
    // The program as a teacher installs it: a folder with capitals and blanks.
    const std::string installe = dossier.chemin() + "Programme Quorva\\";
    ASSERT_TRUE(os->create_folder(installe));
    ASSERT_TRUE(os->copy_file(programme_courant(), installe + "Quorva.exe"));
    const std::string travail = dossier.chemin() + "dossier de travail\\";
    ASSERT_TRUE(os->create_folder(travail));

    const auto resultat =
        ExecuteFile(*os, installe + "Quorva.exe", "--marqueur \"marqueur avec blancs.txt\" second", travail, 1);
    ASSERT_GT(resultat, 32);

    const auto lignes = attendre_marqueur(*os, travail + "marqueur avec blancs.txt");
    ASSERT_EQ(lignes.size(), 5u) << "the started program wrote nothing, or not all";
    // Its working folder is the one given (GetCurrentDirectory drops the
    // trailing backslash).
    EXPECT_TRUE(egal_sans_casse(lignes[0] + "\\", travail)) << lignes[0];
    // Its program folder, from the command line the shell gave it.
    EXPECT_EQ(lignes[1], minuscules_ascii(installe));
    // The quoted parameter came as one argument.
    EXPECT_EQ(lignes[2], "marqueur avec blancs.txt");
    EXPECT_EQ(lignes[3], "second");
}

// A file type of the test's own, opened by this program ("%1" the file),
// registered for the duration of the test. Through HKEY_CLASSES_ROOT: Windows
// puts it under the current user's classes, Wine under the machine's.
class Association {
public:
    Association() {
        const std::string commande = "\"" + programme_courant() + "\" --document \"%1\"";
        ok_ = valeur(".quorvaessai", "Quorva.Essai") &&
              valeur("Quorva.Essai\\shell\\open\\command", commande);
    }
    ~Association() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "Quorva.Essai");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".quorvaessai");
    }
    Association(const Association&) = delete;
    Association& operator=(const Association&) = delete;
    bool ok() const { return ok_; }

private:
    static bool valeur(const char* cle, const std::string& texte) {
        HKEY h = nullptr;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, cle, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
            return false;
        const bool ok = RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(texte.c_str()),
                                       static_cast<DWORD>(texte.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(h);
        return ok;
    }
    bool ok_ = false;
};

TEST_F(Win32, ExecuteFileOpensADocumentWithItsAssociatedProgram) {
    Association association;
    ASSERT_TRUE(association.ok());
    DossierTemporaire dossier;
    const std::string document = dossier.chemin() + "essai.wav.quorvaessai";
    ecrire(document, "x");

    ASSERT_GT(ExecuteFile(*os, document, "", dossier.chemin(), 1), 32);
    const auto lignes = attendre_marqueur(*os, document + ".ouvert");
    ASSERT_EQ(lignes.size(), 2u) << "the associated program was not started";
    EXPECT_TRUE(egal_sans_casse(lignes[1], document)) << lignes[1];
}

TEST_F(Win32, ExecuteFileOfAMissingFileFailsQuietly) {
    DossierTemporaire dossier;
    const auto resultat = ExecuteFile(*os, dossier.chemin() + "absent.exe", "", dossier.chemin(), 1);
    EXPECT_LE(resultat, 32);
}

// --- Top-level windows -------------------------------------------------------------

LRESULT CALLBACK procedure(HWND fenetre, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcW(fenetre, message, w, l);
}

// A top-level window of this test, destroyed with the object.
class Fenetre {
public:
    explicit Fenetre(const std::string& titre, bool visible = true) {
        static const ATOM classe = [] {
            WNDCLASSW c{};
            c.lpfnWndProc = procedure;
            c.hInstance = GetModuleHandleW(nullptr);
            c.lpszClassName = L"QuorvaEssaiWin32";
            return RegisterClassW(&c);
        }();
        fenetre_ = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(classe)), to_wide(titre).c_str(),
                                   WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10, 10, 200, 100, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~Fenetre() { fermer(); }
    Fenetre(const Fenetre&) = delete;
    Fenetre& operator=(const Fenetre&) = delete;
    void fermer() {
        if (fenetre_) DestroyWindow(fenetre_);
        fenetre_ = nullptr;
    }
    HWND hwnd() const { return fenetre_; }
    WindowId id() const { return reinterpret_cast<WindowId>(fenetre_); }

private:
    HWND fenetre_ = nullptr;
};

TEST_F(Win32, WindowSearchFindsExactTitlesOnly) {
    recherche_fenetres etat;
    ASSERT_FALSE(cherche_appli(*os, etat, "Quorva")) << "a window titled Quorva is already open";
    EXPECT_EQ(etat.nb_titres_trouves, 0);

    Fenetre petite("quorva");
    Fenetre longue("Quorva (RQ)");
    ASSERT_NE(petite.hwnd(), nullptr);
    EXPECT_FALSE(cherche_appli(*os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 0);

    Fenetre juste("Quorva");
    ASSERT_NE(juste.hwnd(), nullptr);
    EXPECT_EQ(nom_fenetre(*os, juste.id()), "Quorva");
    EXPECT_TRUE(cherche_appli(*os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 1);
    // Every stored window came from the enumeration, ours among them.
    bool vue = false;
    for (int i = 0; i <= etat.nb_fenetres; ++i) vue |= etat.fenetres_ouvertes[i] == juste.id();
    EXPECT_TRUE(vue);

    // Hidden windows are top-level windows too; the count only grows.
    Fenetre cachee("Quorva", false);
    Fenetre troisieme("Quorva");
    EXPECT_TRUE(cherche_appli(*os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 1 + 3);

    juste.fermer();
    cachee.fermer();
    troisieme.fermer();
    EXPECT_FALSE(cherche_appli(*os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 4);
}

TEST_F(Win32, WindowTitlesAreUtf8AndCut) {
    Fenetre accents("Fenêtre d'étude €");
    EXPECT_EQ(nom_fenetre(*os, accents.id()), "Fenêtre d'étude €");
    const std::string long_titre(300, 'Q');
    Fenetre longue(long_titre);
    EXPECT_EQ(nom_fenetre(*os, longue.id()), std::string(254, 'Q'));
    const WindowId disparue = longue.id();
    longue.fermer();
    EXPECT_EQ(nom_fenetre(*os, disparue), "");
}

TEST_F(Win32, MinimiseSendsTheSystemCommand) {
    Fenetre fenetre("Courbe");
    ASSERT_NE(fenetre.hwnd(), nullptr);
    os->minimize_window(fenetre.id());
    EXPECT_TRUE(IsIconic(fenetre.hwnd()));
    os->minimize_window(0);  // no window: nothing happens
}

// --- Files and folders ---------------------------------------------------------------

TEST_F(Win32, ListingsFollowMasksAndSortWithoutCase) {
    DossierTemporaire d;
    const std::string base = d.chemin();
    for (const char* nom : {"b.doc", "A.DOC", "c.rtf", "d.pdf", "été.doc", "sans extension"})
        ecrire(base + nom, "x");
    ASSERT_TRUE(os->create_folder(base + "dossier.doc"));
    ASSERT_TRUE(os->create_folder(base + "Zeta"));
    ASSERT_TRUE(os->create_folder(base + "alpha"));

    EXPECT_EQ(os->list_files(base, "*.doc;*.rtf"),
              (std::vector<std::string>{"A.DOC", "b.doc", "c.rtf", "été.doc"}));
    // Without a trailing backslash, with blanks around the masks, a mask
    // given twice: each file once.
    EXPECT_EQ(os->list_files(base.substr(0, base.size() - 1), " *.pdf ; *.PDF"), (std::vector<std::string>{"d.pdf"}));
    EXPECT_EQ(os->list_files(base, "*.*").size(), 6u);
    EXPECT_EQ(os->list_folders(base), (std::vector<std::string>{"alpha", "dossier.doc", "Zeta"}));
    EXPECT_TRUE(os->list_files(base + "absent\\", "*.*").empty());
    EXPECT_TRUE(os->list_folders(base + "absent\\").empty());

    EXPECT_TRUE(os->file_exists(base + "b.doc"));
    EXPECT_FALSE(os->folder_exists(base + "b.doc"));
    EXPECT_TRUE(os->folder_exists(base + "Zeta"));
    EXPECT_FALSE(os->file_exists(base + "Zeta"));
    EXPECT_TRUE(os->file_exists(base + "B.DOC"));  // Windows names ignore case
}

TEST_F(Win32, CreateFileReplacesOnlyAtCommit) {
    DossierTemporaire d;
    const std::string cible = d.chemin() + "audacity.cfg";
    ecrire(cible, "ancien");

    {
        auto fichier = os->create_file(cible);
        fichier->write("nouveau ");
        fichier->write(std::string(100000, 'n'));
        EXPECT_EQ(lire(*os, cible), "ancien");  // not yet
        fichier->commit();
    }
    EXPECT_EQ(lire(*os, cible), "nouveau " + std::string(100000, 'n'));

    // Abandoned without commit: the old file stays, no temporary file is left.
    {
        auto fichier = os->create_file(cible);
        fichier->write("perdu");
    }
    EXPECT_EQ(lire(*os, cible).substr(0, 8), "nouveau ");
    EXPECT_EQ(os->list_files(d.chemin(), "*"), (std::vector<std::string>{"audacity.cfg"}));

    // A new file, with an accented name.
    {
        auto fichier = os->create_file(d.chemin() + "résultat.slk");
        fichier->write("ID;P\r\n");
        fichier->commit();
    }
    EXPECT_EQ(lire(*os, d.chemin() + "résultat.slk"), "ID;P\r\n");

    std::string debut;
    EXPECT_TRUE(os->read_file(cible, debut, 3));
    EXPECT_EQ(debut, "nou");
}

TEST_F(Win32, FailedCommitKeepsTheOldFile) {
    DossierTemporaire d;
    const std::string cible = d.chemin() + "langue_quorva.txt";
    ecrire(cible, "2");
    // Another program holds the file open without letting it be replaced.
    const HANDLE tenu = CreateFileA(cible.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(tenu, INVALID_HANDLE_VALUE);
    {
        auto fichier = os->create_file(cible);
        fichier->write("1");
        try {
            fichier->commit();
            ADD_FAILURE() << "the commit replaced a file held open";
        } catch (const erreur_quorva& e) {
            EXPECT_EQ(std::string(e.what()), "Impossible de créer le fichier " + cible);
        }
    }
    CloseHandle(tenu);
    EXPECT_EQ(lire(*os, cible), "2");
    EXPECT_EQ(os->list_files(d.chemin(), "*"), (std::vector<std::string>{"langue_quorva.txt"}));
}

TEST_F(Win32, FileFailuresTellTheirCause) {
    using enum FileFailure;
    for (const auto& [code, occupable, cause] : std::vector<std::tuple<DWORD, bool, FileFailure>>{
             {ERROR_SHARING_VIOLATION, false, busy}, {ERROR_LOCK_VIOLATION, false, busy},
             {ERROR_ACCESS_DENIED, true, busy}, {ERROR_ACCESS_DENIED, false, denied}, {ERROR_WRITE_PROTECT, false, denied},
             {ERROR_DISK_FULL, false, disk_full}, {ERROR_HANDLE_DISK_FULL, false, disk_full}, {ERROR_PATH_NOT_FOUND, true, other}})
        EXPECT_EQ(failure_of_code(code, occupable), cause) << code;
}

// The leftovers of this machine's writes: only a dead process's old one goes.
// tenir_fichier.exe (beside this program) runs while its READY file exists,
// and ends at once when the file it is to hold is missing.
TEST_F(Win32, AWriteRemovesOnlyLeftoversCertainlyOursAndDead) {
    DossierTemporaire d;
    std::string tenir = programme_courant();
    tenir = tenir.substr(0, tenir.find_last_of('\\') + 1) + "tenir_fichier.exe";
    const auto demarrer = [&](const std::string& fichier) {
        std::string ligne = "\"" + tenir + "\" \"" + fichier + "\" \"" + d.chemin() + "pret\"";
        STARTUPINFOA demarrage{};
        demarrage.cb = sizeof demarrage;
        PROCESS_INFORMATION p{};
        EXPECT_TRUE(CreateProcessA(tenir.c_str(), ligne.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &demarrage, &p));
        for (int i = 0; i < 200 && GetFileAttributesA((d.chemin() + "pret").c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
            if (WaitForSingleObject(p.hProcess, 50) == WAIT_OBJECT_0) break;
        CloseHandle(p.hThread);
        return p;
    };
    PROCESS_INFORMATION fini = demarrer(d.chemin() + "absent");
    WaitForSingleObject(fini.hProcess, 10000);
    CloseHandle(fini.hProcess);
    ecrire(d.chemin() + "tenu", "");
    PROCESS_INFORMATION vivant = demarrer(d.chemin() + "tenu");
    const std::string ici = machine_locale();
    const std::vector<std::tuple<std::string, int, bool>> table = {  // name, age in days, stays
        {".a.slk.quorva-" + ici + "-" + std::to_string(vivant.dwProcessId) + "-1", 2, true},
        {".b.slk.quorva-" + ici + "-" + std::to_string(fini.dwProcessId) + "-1", 0, true},
        {".c.slk.quorva-" + ici + "-" + std::to_string(fini.dwProcessId) + "-2", 2, false},
    };
    for (const auto& [nom, jours, reste] : table) {
        ecrire(d.chemin() + nom, "reste");
        const HANDLE h = CreateFileA((d.chemin() + nom).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME t;
        GetSystemTimeAsFileTime(&t);
        const ULONGLONG avant = ((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) - jours * 864'000'000'000ULL;
        t = {static_cast<DWORD>(avant), static_cast<DWORD>(avant >> 32)};
        SetFileTime(h, nullptr, nullptr, &t);
        CloseHandle(h);
    }
    os->create_file(d.chemin() + "autre.slk")->commit();
    for (const auto& [nom, jours, reste] : table)
        EXPECT_EQ(GetFileAttributesA((d.chemin() + nom).c_str()) != INVALID_FILE_ATTRIBUTES, reste) << nom;
    DeleteFileA((d.chemin() + "pret").c_str());
    WaitForSingleObject(vivant.hProcess, 10000);
    CloseHandle(vivant.hProcess);
}

// The lock of machines sharing a folder, held by another process of this
// Wine server (--verrou below). A machine waiting for it, looking every
// 250 ms as a waiting launch does, reads who holds it but never takes it,
// and neither its read nor a removal by name (what a takeover did) takes it
// from its holder. Once the holder ends without letting go, the system has.
TEST_F(Win32, ALockIsNeverTakenNorRemovedWhileAnotherProcessHoldsIt) {
    DossierTemporaire d;
    const std::string verrou = d.chemin() + "quorva_audacity.verrou", pret = d.chemin() + "pret";
    std::string ligne = "\"" + programme_courant() + "\" --verrou \"" + verrou + "\" \"" + pret + "\"";
    STARTUPINFOA demarrage{};
    demarrage.cb = sizeof demarrage;
    PROCESS_INFORMATION p{};
    ASSERT_TRUE(CreateProcessA(nullptr, ligne.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &demarrage, &p));
    CloseHandle(p.hThread);
    for (int i = 0; i < 200 && GetFileAttributesA(pret.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    for (int vue = 0; vue < 8; ++vue, Sleep(250)) {
        const HANDLE lecture = CreateFileA(verrou.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(os->take_lock(verrou, "POSTE-A\r\n"), nullptr);
        EXPECT_FALSE(DeleteFileA(verrou.c_str()));
        if (lecture != INVALID_HANDLE_VALUE) CloseHandle(lecture);
        EXPECT_EQ(os->lock_holder(verrou), "POSTE-B\r\n");
    }
    DeleteFileA(pret.c_str());
    EXPECT_EQ(WaitForSingleObject(p.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(p.hProcess);
    auto nous = os->take_lock(verrou, "POSTE-A\r\n");
    ASSERT_TRUE(nous);
    EXPECT_EQ(os->lock_holder(verrou), "POSTE-A\r\n");
    nous.reset();
    EXPECT_EQ(GetFileAttributesA(verrou.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32, PathsFromTheFileDialogUseBackslashes) {
    EXPECT_EQ(os->path_from_dialog("Z:/tmp/x/pas_un_wav.wav"), "Z:\\tmp\\x\\pas_un_wav.wav");
    EXPECT_EQ(os->path_from_dialog("C:/Élèves/essai.wav"), "C:\\Élèves\\essai.wav");
}

TEST_F(Win32, CreateFileRefusesWhatCannotBeAFile) {
    DossierTemporaire d;
    for (const std::string& chemin : {d.chemin() + "absent\\x.txt", d.chemin(), std::string()}) {
        try {
            os->create_file(chemin);
            ADD_FAILURE() << chemin;
        } catch (const erreur_quorva& e) {
            EXPECT_EQ(std::string(e.what()), "Impossible de créer le fichier " + chemin);
        }
    }
    EXPECT_TRUE(os->list_files(d.chemin(), "*").empty());
}

TEST_F(Win32, CopyAndCreateFolder) {
    DossierTemporaire d;
    const std::string base = d.chemin();
    ecrire(base + "quorva.lnk", "raccourci");
    EXPECT_TRUE(os->copy_file(base + "quorva.lnk", base + "copie.lnk"));
    EXPECT_EQ(lire(*os, base + "copie.lnk"), "raccourci");
    ecrire(base + "quorva.lnk", "autre");
    EXPECT_TRUE(os->copy_file(base + "quorva.lnk", base + "copie.lnk"));  // replaces
    EXPECT_EQ(lire(*os, base + "copie.lnk"), "autre");
    EXPECT_FALSE(os->copy_file(base + "absent.lnk", base + "x.lnk"));
    EXPECT_FALSE(os->file_exists(base + "x.lnk"));

    // One level at a time.
    EXPECT_TRUE(os->create_folder(base + "patin_tracte"));
    EXPECT_FALSE(os->create_folder(base + "patin_tracte"));
    EXPECT_FALSE(os->create_folder(base + "a\\b"));
    EXPECT_FALSE(os->folder_exists(base + "a"));

    std::string contenu;
    EXPECT_FALSE(os->read_file(base + "absent.txt", contenu));
}

TEST_F(Win32, CurrentFolderRoundTrip) {
    DossierTemporaire d;
    const std::string avant = os->current_folder();
    ASSERT_TRUE(chemin_absolu(avant)) << avant;
    ASSERT_TRUE(os->set_current_folder(d.chemin()));
    EXPECT_TRUE(egal_sans_casse(os->current_folder() + "\\", d.chemin())) << os->current_folder();
    EXPECT_FALSE(os->set_current_folder(d.chemin() + "absent"));
    EXPECT_TRUE(os->set_current_folder(avant));
    EXPECT_EQ(os->current_folder(), avant);
}

// Child modes of the shell-open tests. The marker appears whole or not at
// all for the waiting test.
int ecrire_marqueur(const std::string& marqueur, const std::string& texte) {
    try {
        auto fichier = creer_plateforme_systeme()->create_file(marqueur);
        fichier->write(texte);
        fichier->commit();
        return 0;
    } catch (const erreur_quorva&) {
        return 1;
    }
}

// --marqueur NAME ARGS...: NAME in the current folder gets the current
// folder, the program folder as the start-up sequence derives it, and the
// arguments.
int programme_demarre(const std::vector<std::string>& arguments) {
    auto os = creer_plateforme_systeme();
    std::string texte = os->current_folder() + "\r\n" + derive_chemin_appli(*os) + "\r\n";
    for (std::size_t i = 1; i < arguments.size(); ++i) texte += arguments[i] + "\r\n";
    return ecrire_marqueur(arguments[1], texte + "fin\r\n");
}

// --document FILE: the associated program; FILE.ouvert gets the file.
int document_ouvert(const std::string& fichier) {
    return ecrire_marqueur(fichier + ".ouvert", "ouvert\r\n" + fichier + "\r\n");
}

// --verrou FILE READY: holds the lock FILE for "POSTE-B", makes READY, and
// ends without letting go once READY is gone (at most 30 s).
int tenir_verrou(const std::string& fichier, const std::string& pret) {
    auto os = creer_plateforme_systeme();
    auto verrou = os->take_lock(fichier, "POSTE-B\r\n");
    if (!verrou) return 1;
    os->create_file(pret)->commit();
    for (int i = 0; i < 300 && os->file_exists(pret); ++i) Sleep(100);
    verrou.release();  // the process's end lets go
    return 0;
}

}  // namespace
}  // namespace quorva

int main(int argc, char** argv) {
    const auto arguments = quorva::arguments_programme(argc, argv);
    if (arguments.size() >= 2 && arguments[0] == "--marqueur") return quorva::programme_demarre(arguments);
    if (arguments.size() == 3 && arguments[0] == "--verrou") return quorva::tenir_verrou(arguments[1], arguments[2]);
    if (arguments.size() == 2 && arguments[0] == "--document") return quorva::document_ouvert(arguments[1]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
