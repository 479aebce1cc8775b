// Quorva's platform on Windows: the wide ("W") Win32 calls, one or two per
// operation, every text converted at the call (wide_win32.h); files that may
// be held or long through files_win32.h.
#include "base/platform/windows_lean.h"
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "base/erreur.h"
#include "base/listage.h"
#include "base/plateforme.h"
#include "base/platform/files_win32.h"
#include "base/platform/platform_win32.h"
#include "base/platform/wide_win32.h"
#include "base/temporaires.h"
#include "base/texte.h"

namespace quorva {

namespace {

// The system's own text for its last error, in the user's language.
std::string texte_derniere_erreur() {
    const DWORD code = GetLastError();
    wchar_t* tampon = nullptr;
    const DWORD longueur = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&tampon), 0, nullptr);
    std::string texte = longueur && tampon ? from_wide(std::wstring_view(tampon, longueur)) : "";
    if (tampon) LocalFree(tampon);
    while (!texte.empty() && (texte.back() == '\r' || texte.back() == '\n' || texte.back() == ' ')) texte.pop_back();
    if (texte.empty()) texte = "Erreur système " + std::to_string(code);
    return texte;
}

// The computer's name (UTF-8); empty when the system gives none.
std::string nom_ordinateur() {
    wchar_t nom[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD longueur = std::size(nom);
    return GetComputerNameW(nom, &longueur) ? from_wide({nom, longueur}) : std::string();
}

DWORD attributs(const std::string& chemin) { return GetFileAttributesW(long_path(to_wide(chemin)).c_str()); }

std::string dossier_avec_barre(const std::string& dossier) {
    if (dossier.empty()) return ".\\";
    const char fin = dossier.back();
    return fin == '\\' || fin == '/' || fin == ':' ? dossier : dossier + "\\";
}


// The same order as on Linux: letters without regard to case, then bytes.

template <class Garder>
std::vector<std::string> lister(const std::string& motif, Garder garder) {
    std::vector<std::string> noms;
    WIN32_FIND_DATAW donnees;
    const HANDLE recherche = FindFirstFileW(long_path(to_wide(motif)).c_str(), &donnees);
    if (recherche == INVALID_HANDLE_VALUE) return noms;
    do {
        const std::string nom = from_wide(donnees.cFileName);
        if (nom != "." && nom != ".." && garder(donnees, nom)) noms.push_back(nom);
    } while (FindNextFileW(recherche, &donnees));
    FindClose(recherche);
    return noms;
}

constexpr const char* texte_erreur_ecriture = "Erreur d'écriture dans le fichier %s";
constexpr const char* texte_creation_impossible = "Impossible de créer le fichier %s";

// Reads at most max_bytes of an open file; 0, or the system's error code.
DWORD lire_tout(HANDLE fichier, std::string& contents, std::size_t max_bytes) {
    LARGE_INTEGER taille{};
    if (GetFileSizeEx(fichier, &taille))
        contents.reserve(std::min<std::size_t>(static_cast<std::size_t>(taille.QuadPart), max_bytes));
    char tampon[65536];
    while (contents.size() < max_bytes) {
        const DWORD voulu = static_cast<DWORD>(std::min(sizeof tampon, max_bytes - contents.size()));
        DWORD lus = 0;
        if (!ReadFile(fichier, tampon, voulu, &lus, nullptr)) return GetLastError();
        if (lus == 0) break;
        contents.append(tampon, lus);
    }
    return 0;
}

// Whether a process of this machine has ended (or never was). A process we
// may not open runs.
bool processus_termine(unsigned long processus) {
    const HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processus));
    if (!h) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool fini = WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
    CloseHandle(h);
    return fini;
}

// Removes what dead writes left in `dossier` (base/temporaires.h).
void nettoyer_restes(const std::string& dossier) {
    const std::string machine = machine_locale();
    const unsigned long moi = GetCurrentProcessId();
    FILETIME maintenant;
    GetSystemTimeAsFileTime(&maintenant);
    const auto en_secondes = [](const FILETIME& t) {
        return static_cast<std::int64_t>(((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
                                         10'000'000u);
    };
    std::vector<std::pair<std::string, std::int64_t>> restes;
    lister(dossier + ".*.quorva-*", [&](const WIN32_FIND_DATAW& d, const std::string& nom) {
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            restes.emplace_back(nom, en_secondes(maintenant) - en_secondes(d.ftLastWriteTime));
        return false;
    });
    for (const auto& [nom, age] : restes)
        if (reste_a_supprimer(nom, machine, moi, age, processus_termine))
            DeleteFileW(long_path(to_wide(dossier + nom)).c_str());
}

class FichierWin32 : public OutputFile {
public:
    FichierWin32(std::string cible, std::wstring temporaire, HANDLE fichier)
        : cible_(std::move(cible)), temporaire_(std::move(temporaire)), fichier_(fichier) {}
    ~FichierWin32() override {
        if (fichier_ != INVALID_HANDLE_VALUE) CloseHandle(fichier_);
        if (!valide_) DeleteFileW(long_path(temporaire_).c_str());
    }
    void write(std::string_view octets) override {
        while (!octets.empty()) {
            if (fichier_ == INVALID_HANDLE_VALUE) echec_ecriture(ERROR_INVALID_HANDLE);
            const DWORD voulu = static_cast<DWORD>(std::min<std::size_t>(octets.size(), 1u << 30));
            DWORD ecrits = 0;
            if (!WriteFile(fichier_, octets.data(), voulu, &ecrits, nullptr)) echec_ecriture(GetLastError());
            if (ecrits == 0) echec_ecriture(ERROR_DISK_FULL);  // nothing taken, no error: no room
            octets.remove_prefix(ecrits);
        }
    }
    void commit() override {
        if (fichier_ == INVALID_HANDLE_VALUE) echec_ecriture(ERROR_INVALID_HANDLE);
        DWORD code = FlushFileBuffers(fichier_) ? 0 : GetLastError();
        if (!CloseHandle(fichier_) && code == 0) code = GetLastError();
        fichier_ = INVALID_HANDLE_VALUE;
        if (code != 0) echec_ecriture(code);
        // The old file stays whole until this one rename replaces it.
        if (!move_file(temporaire_, to_wide(cible_), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            code = GetLastError();
            throw WriteError(texte_creation_impossible, cible_, failure_of(code, to_wide(cible_)));
        }
        valide_ = true;
    }

private:
    [[noreturn]] void echec_ecriture(DWORD code) {
        throw WriteError(texte_erreur_ecriture, cible_, failure_of_code(code, false));
    }
    std::string cible_;
    std::wstring temporaire_;
    HANDLE fichier_;
    bool valide_ = false;
};

// The lock of machines sharing a folder (Plateforme::take_lock). The open
// handle shares reading only: no other process may write the file, remove
// it or open it to take the lock, and the waiting machines may read who
// holds it. The byte-range lock refuses a second holder where the share
// modes do not hold between the machines (two Wine servers, a file server
// that ignores them); it lies beyond the holder's text, which a byte-range
// lock would make unreadable on a Windows file server. The file is removed
// by its holder when it lets go, not on close (FILE_FLAG_DELETE_ON_CLOSE):
// a process that opened it where the share modes do not hold, and found the
// byte-range lock taken, would remove the holder's file with its own close.
// A file left by a holder that died holds nothing and is taken again.
constexpr DWORD octet_verrou = 1u << 30;

class VerrouWin32 : public HeldLock {
public:
    explicit VerrouWin32(HANDLE fichier) : fichier_(fichier) {}
    ~VerrouWin32() override {
        // Removed through this handle: only this lock's own file, never
        // one another machine made since under the same name.
        FILE_DISPOSITION_INFO retrait{TRUE};
        SetFileInformationByHandle(fichier_, FileDispositionInfo, &retrait, sizeof retrait);
        CloseHandle(fichier_);
    }
    VerrouWin32(const VerrouWin32&) = delete;
    VerrouWin32& operator=(const VerrouWin32&) = delete;

private:
    HANDLE fichier_;
};

// Whether the name still leads to the open file: a holder that let go
// removes it, and a handle opened just before names a file no longer there.
bool meme_fichier(HANDLE fichier, const std::wstring& chemin) {
    const HANDLE nom = CreateFileW(chemin.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (nom == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    const bool meme = GetFileInformationByHandle(fichier, &a) && GetFileInformationByHandle(nom, &b) &&
                      a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
                      a.nFileIndexLow == b.nFileIndexLow;
    CloseHandle(nom);
    return meme;
}

std::unique_ptr<HeldLock> prendre_verrou(const std::string& path, std::string_view holder) {
    const std::wstring chemin = long_path(to_wide(path));
    const HANDLE h = CreateFileW(chemin.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (held_error(code)) return nullptr;
        // A lock let go while a waiting machine read it stays a moment,
        // about to go, refusing every open; where there is no file, or a
        // read-only one, writing there is not allowed.
        if (code == ERROR_ACCESS_DENIED) {
            const DWORD a = GetFileAttributesW(chemin.c_str());
            if (a == INVALID_FILE_ATTRIBUTES ? GetLastError() == ERROR_ACCESS_DENIED : !(a & FILE_ATTRIBUTE_READONLY))
                return nullptr;
        }
        throw WriteError(texte_creation_impossible, path, failure_of(code, to_wide(path)));
    }
    OVERLAPPED position{};
    position.Offset = octet_verrou;
    // A file server without byte-range locks still keeps the share modes.
    const bool verrouille = LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &position) ||
                            !held_error(GetLastError());
    if (!verrouille || !meme_fichier(h, chemin)) {
        CloseHandle(h);
        return nullptr;
    }
    auto verrou = std::make_unique<VerrouWin32>(h);
    DWORD ecrits = 0, code = 0;
    if (!SetEndOfFile(h) || !WriteFile(h, holder.data(), static_cast<DWORD>(holder.size()), &ecrits, nullptr))
        code = GetLastError();
    else if (ecrits != holder.size())
        code = ERROR_DISK_FULL;  // nothing more taken, no error: no room
    if (code != 0) throw WriteError(texte_erreur_ecriture, path, failure_of_code(code, false));
    return verrou;
}

BOOL CALLBACK visiter_fenetre(HWND fenetre, LPARAM valeur) {
    const auto& visite = *reinterpret_cast<const std::function<bool(WindowId)>*>(valeur);
    return visite(reinterpret_cast<WindowId>(fenetre)) ? TRUE : FALSE;
}

class PlateformeWin32 : public Plateforme {
public:
    bool file_exists(const std::string& path) override {
        const DWORD a = attributs(path);
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool folder_exists(const std::string& path) override {
        const DWORD a = attributs(path);
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool create_folder(const std::string& path) override { return CreateDirectoryW(long_path(to_wide(path)).c_str(), nullptr) != 0; }

    std::vector<std::string> list_files(const std::string& folder, const std::string& masks) override {
        std::vector<std::string> noms;
        const std::string base = dossier_avec_barre(folder);
        for (const auto& masque : decouper_masques(masks)) {
            auto trouves = lister(base + masque, [](const WIN32_FIND_DATAW& d, const std::string&) {
                return !(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
            });
            noms.insert(noms.end(), trouves.begin(), trouves.end());
        }
        trier_noms(noms);
        return noms;
    }
    std::vector<std::string> list_folders(const std::string& folder) override {
        auto noms = lister(dossier_avec_barre(folder) + "*", [](const WIN32_FIND_DATAW& d, const std::string&) {
            return (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        });
        trier_noms(noms);
        return noms;
    }

    bool read_file(const std::string& path, std::string& contents, std::size_t max_bytes,
                   FileFailure* why) override {
        // A part locked by another program is waited for like a held file.
        for (held_wait attente;;) {
            contents.clear();
            const HANDLE fichier = open_file(to_wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
            DWORD code = fichier == INVALID_HANDLE_VALUE ? GetLastError() : 0;
            if (code == 0) {
                code = lire_tout(fichier, contents, max_bytes);
                CloseHandle(fichier);
            }
            if (code == 0) return true;
            if (attente.again(held_error(code))) continue;
            if (why) *why = failure_of(code, to_wide(path));
            return false;
        }
    }

    std::optional<FileStamp> file_stamp(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA donnees{};
        if (!GetFileAttributesExW(long_path(to_wide(path)).c_str(), GetFileExInfoStandard, &donnees) ||
            (donnees.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        FileStamp empreinte;
        empreinte.size = (static_cast<std::uint64_t>(donnees.nFileSizeHigh) << 32) | donnees.nFileSizeLow;
        empreinte.modified = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(donnees.ftLastWriteTime.dwHighDateTime) << 32) |
            donnees.ftLastWriteTime.dwLowDateTime);
        // FILETIME counts 100 ns from 1601-01-01.
        empreinte.unix_seconds = (empreinte.modified - 116'444'736'000'000'000LL) / 10'000'000;
        return empreinte;
    }

    std::unique_ptr<OutputFile> create_file(const std::string& path) override {
        const auto erreur = [&path](DWORD code) {
            return WriteError(texte_creation_impossible, path, failure_of(code, to_wide(path)));
        };
        if (path.empty() || folder_exists(path)) throw erreur(ERROR_INVALID_NAME);
        const auto barre = path.find_last_of("\\/:");
        const std::string dossier = barre == std::string::npos ? "" : path.substr(0, barre + 1);
        const std::string nom = barre == std::string::npos ? path : path.substr(barre + 1);
        nettoyer_restes(dossier);
        // A fresh temporary file in the same folder, so that the final rename
        // stays on one volume and is atomic; its name is never longer than the
        // target's, so it fits wherever the target does.
        static unsigned long compteur = 0;
        std::wstring temporaire;
        HANDLE fichier = INVALID_HANDLE_VALUE;
        DWORD code = 0;
        for (int essai = 0; essai < 100 && fichier == INVALID_HANDLE_VALUE; ++essai) {
            temporaire = to_wide(dossier + nom_temporaire(nom, machine_locale(), GetCurrentProcessId(), ++compteur));
            fichier = open_file(temporaire, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
            code = fichier == INVALID_HANDLE_VALUE ? GetLastError() : 0;
            if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) break;
        }
        if (fichier == INVALID_HANDLE_VALUE) throw erreur(code);
        return std::make_unique<FichierWin32>(path, temporaire, fichier);
    }

    bool copy_file(const std::string& from, const std::string& to) override {
        return CopyFileW(long_path(to_wide(from)).c_str(), long_path(to_wide(to)).c_str(), FALSE) != 0;
    }
    std::string current_folder() override {
        std::vector<wchar_t> tampon(MAX_PATH + 1);
        DWORD longueur = GetCurrentDirectoryW(static_cast<DWORD>(tampon.size()), tampon.data());
        if (longueur >= tampon.size()) {
            tampon.resize(longueur + 1);
            longueur = GetCurrentDirectoryW(static_cast<DWORD>(tampon.size()), tampon.data());
        }
        return longueur && longueur < tampon.size() ? from_wide({tampon.data(), longueur}) : "";
    }
    bool set_current_folder(const std::string& path) override {
        return SetCurrentDirectoryW(to_wide(path).c_str()) != 0;
    }

    std::string command_line() override {
        const wchar_t* ligne = GetCommandLineW();
        return ligne ? from_wide(ligne) : "";
    }
    std::string program_file() override {
        std::vector<wchar_t> tampon(MAX_PATH + 1);
        for (;;) {
            const DWORD longueur = GetModuleFileNameW(nullptr, tampon.data(), static_cast<DWORD>(tampon.size()));
            if (longueur == 0) return "";
            if (longueur < tampon.size()) return from_wide({tampon.data(), longueur});
            if (tampon.size() > 32768) return "";
            tampon.resize(tampon.size() * 2);
        }
    }
    std::string special_folder(int csidl) override {
        PIDLIST_ABSOLUTE liste = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &liste)) || !liste) return "";
        wchar_t chemin[MAX_PATH + 1] = {};
        const bool ok = SHGetPathFromIDListW(liste, chemin) != FALSE;
        CoTaskMemFree(liste);
        return ok ? from_wide(chemin) : "";
    }
    std::string temp_folder() override {
        wchar_t tampon[256] = {};
        // A longer path does not fit: the system then writes nothing.
        const DWORD longueur = GetTempPathW(std::size(tampon), tampon);
        return longueur && longueur < std::size(tampon) ? from_wide({tampon, longueur}) : "";
    }
    void* system_library() override {
        const HMODULE noyau = GetModuleHandleW(L"kernel32");
        if (!noyau) throw erreur_quorva(texte_derniere_erreur());
        return reinterpret_cast<void*>(noyau);
    }
    bool library_exports(void* library, const std::string& name) override {
        return library && GetProcAddress(static_cast<HMODULE>(library), name.c_str()) != nullptr;
    }
    std::intptr_t shell_open(const std::string& file, const std::string& parameters, const std::string& folder,
                             int show) override {
        // Whole texts, whatever their length: a cut path would open
        // something else, or nothing.
        const std::wstring dossier = to_wide(folder);
        const HINSTANCE resultat = ShellExecuteW(nullptr, nullptr, to_wide(file).c_str(), to_wide(parameters).c_str(),
                                                 folder.empty() ? nullptr : dossier.c_str(), show);
        return reinterpret_cast<std::intptr_t>(resultat);
    }
    char decimal_separator() override {
        wchar_t separateur[8] = {};
        if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separateur, std::size(separateur))) return '.';
        return separateur[0] == L',' ? ',' : '.';
    }
    std::vector<std::string> program_names(const std::string& name) override { return {name + ".exe"}; }
    std::string installed_program(const std::string&) override { return ""; }
    std::string native_path(const std::string& path) override { return path; }
    std::string dialog_path(const std::string& path) override { return path; }
    std::string path_from_dialog(const std::string& utf8) override {
        std::string chemin = utf8;
        std::replace(chemin.begin(), chemin.end(), '/', '\\');
        return chemin;
    }
    // Windows lists every top-level window, the program's own included.
    void set_own_windows(own_windows) override {}

    void enumerate_windows(const std::function<bool(WindowId)>& visit) override {
        EnumWindows(visiter_fenetre, reinterpret_cast<LPARAM>(&visit));
    }
    std::string window_title(WindowId window, std::size_t max_chars) override {
        std::vector<wchar_t> tampon(std::min<std::size_t>(max_chars, 65535) + 1);
        int longueur = GetWindowTextW(reinterpret_cast<HWND>(window), tampon.data(), static_cast<int>(tampon.size()));
        // A pair cut at the end of the buffer is no character.
        if (longueur > 0 && tampon[longueur - 1] >= 0xD800 && tampon[longueur - 1] <= 0xDBFF) --longueur;
        return longueur > 0 ? from_wide({tampon.data(), static_cast<std::size_t>(longueur)}) : "";
    }
    WindowId foreground_window() override { return reinterpret_cast<WindowId>(GetForegroundWindow()); }
    void minimize_window(WindowId window) override {
        // The minimise system command, as the window's own menu sends it; a
        // hung window must not hang us with it.
        DWORD_PTR resultat = 0;
        SendMessageTimeoutW(reinterpret_cast<HWND>(window), WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_ABORTIFHUNG, 2000,
                            &resultat);
    }
    std::string window_program_file(WindowId window) override {
        DWORD pid = 0;
        if (!GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &pid) || !pid) return "";
        const HANDLE processus = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (!processus) return "";
        std::vector<wchar_t> tampon(32768);
        DWORD longueur = static_cast<DWORD>(tampon.size());
        const BOOL lu = QueryFullProcessImageNameW(processus, 0, tampon.data(), &longueur);
        CloseHandle(processus);
        return lu ? from_wide({tampon.data(), longueur}) : "";
    }

    // --- Machines sharing a folder: the wide calls, UTF-8 at the call.
    bool on_network_drive(const std::string& path) override {
        std::wstring chemin = to_wide(path);
        std::replace(chemin.begin(), chemin.end(), L'/', L'\\');
        // "\\?\UNC\server\share" and "\\server\share" are shares; "\\?\X:\" is drive X.
        if (chemin.rfind(L"\\\\?\\", 0) == 0 || chemin.rfind(L"\\\\.\\", 0) == 0) {
            chemin.erase(0, 4);
            if (CompareStringOrdinal(chemin.c_str(), std::min<int>(4, static_cast<int>(chemin.size())), L"UNC\\", 4,
                                     TRUE) == CSTR_EQUAL)
                return true;
        } else if (chemin.rfind(L"\\\\", 0) == 0) {
            return true;
        }
        if (chemin.size() >= 2 && chemin[1] == L':')
            return GetDriveTypeW((chemin.substr(0, 2) + L"\\").c_str()) == DRIVE_REMOTE;
        return GetDriveTypeW(nullptr) == DRIVE_REMOTE;  // a relative path: the current folder's drive
    }
    std::string computer_name() override { return nom_ordinateur(); }
    std::unique_ptr<HeldLock> take_lock(const std::string& path, std::string_view holder) override {
        return prendre_verrou(path, holder);
    }
    std::string lock_holder(const std::string& path) override {
        const HANDLE h = CreateFileW(long_path(to_wide(path)).c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "";
        std::string contenu;
        if (lire_tout(h, contenu, 4096) != 0) contenu.clear();
        CloseHandle(h);
        return contenu;
    }
};

}  // namespace

std::string machine_locale() { return texte_machine(nom_ordinateur()); }

std::unique_ptr<Plateforme> creer_plateforme_systeme() { return std::make_unique<PlateformeWin32>(); }

std::vector<std::string> arguments_programme(int, char**) {
    std::vector<std::string> arguments;
    int nombre = 0;
    wchar_t** liste = CommandLineToArgvW(GetCommandLineW(), &nombre);
    if (!liste) return arguments;
    for (int i = 1; i < nombre; ++i) arguments.push_back(from_wide(liste[i]));
    LocalFree(liste);
    return arguments;
}

}  // namespace quorva
