#include "base/platform/files_win32.h"

#include <vector>

namespace quorva {

namespace {

constexpr std::size_t nom_max = 255;
constexpr std::size_t chemin_max = 32767;
// Beyond this the plain form is refused (CreateDirectoryW stops at 248: a
// folder must leave room for an 8.3 name).
constexpr std::size_t chemin_court_max = 247;

bool separateur(wchar_t c) { return c == L'\\' || c == L'/'; }

bool deja_long(const std::wstring& p) {
    return p.size() >= 4 && separateur(p[0]) && separateur(p[1]) && (p[2] == L'?' || p[2] == L'.') && separateur(p[3]);
}

}  // namespace

std::wstring long_path(const std::wstring& path) {
    if (path.empty() || deja_long(path)) return path;
    const DWORD taille = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (taille == 0) return path;
    std::vector<wchar_t> tampon(taille + 1);
    const DWORD longueur = GetFullPathNameW(path.c_str(), static_cast<DWORD>(tampon.size()), tampon.data(), nullptr);
    if (longueur == 0 || longueur >= tampon.size()) return path;
    // A relative path counts with the folder it is taken from.
    const std::wstring entier(tampon.data(), longueur);
    if (entier.size() <= chemin_court_max) return path;
    if (entier.size() >= 2 && separateur(entier[0]) && separateur(entier[1])) return L"\\\\?\\UNC\\" + entier.substr(2);
    if (entier.size() >= 3 && entier[1] == L':' && separateur(entier[2])) return L"\\\\?\\" + entier;
    return path;
}

std::wstring short_path(const std::wstring& path) {
    if (path.size() <= shell_path_max) return path;
    const std::wstring entier = long_path(path);
    std::vector<wchar_t> tampon(entier.size() + 1);
    const DWORD longueur = GetShortPathNameW(entier.c_str(), tampon.data(), static_cast<DWORD>(tampon.size()));
    if (longueur == 0 || longueur >= tampon.size()) return path;
    std::wstring court(tampon.data(), longueur);
    if (court.rfind(L"\\\\?\\UNC\\", 0) == 0) court = L"\\\\" + court.substr(8);
    else if (court.rfind(L"\\\\?\\", 0) == 0) court = court.substr(4);
    return court.size() <= shell_path_max ? court : path;
}

bool path_too_long(const std::wstring& path) {
    if (path.size() > chemin_max) return true;
    std::size_t nom = 0;
    for (const wchar_t c : path) {
        nom = separateur(c) ? 0 : nom + 1;
        if (nom > nom_max) return true;
    }
    return false;
}

bool held_error(DWORD code) { return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION; }

HANDLE open_file(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags,
                 DWORD wait_ms) {
    const std::wstring chemin = long_path(path);
    for (held_wait a(wait_ms);;) {
        const HANDLE fichier = CreateFileW(chemin.c_str(), access, share, nullptr, disposition, flags, nullptr);
        if (fichier != INVALID_HANDLE_VALUE) return fichier;
        const DWORD code = GetLastError();
        if (!a.again(held_error(code))) {
            SetLastError(code);
            return INVALID_HANDLE_VALUE;
        }
    }
}

bool held_by_other(const std::wstring& path) {
    const std::wstring chemin = long_path(path);
    const DWORD a = GetFileAttributesW(chemin.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    // Asking for deletion with every sharing allowed: only another program's
    // open handle that does not share it refuses that with a sharing
    // violation; rights that forbid it say access denied.
    const HANDLE h = CreateFileW(chemin.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return false;
    }
    return held_error(GetLastError());
}

BOOL move_file(const std::wstring& from, const std::wstring& to, DWORD flags) {
    const std::wstring de = long_path(from), vers = long_path(to);
    for (held_wait a;;) {
        if (MoveFileExW(de.c_str(), vers.c_str(), flags)) return TRUE;
        const DWORD code = GetLastError();
        const bool tenu = held_error(code) || (code == ERROR_ACCESS_DENIED && held_by_other(to));
        if (!a.again(tenu)) {
            SetLastError(code);
            return FALSE;
        }
    }
}

FileFailure failure_of_code(DWORD code, bool held_target) {
    constexpr DWORD quota_disque_depasse = 1295;  // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW's headers
    switch (code) {
        case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION: return FileFailure::busy;
        case ERROR_ACCESS_DENIED: return held_target ? FileFailure::busy : FileFailure::denied;
        case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: case quota_disque_depasse: return FileFailure::disk_full;
        case ERROR_WRITE_PROTECT: return FileFailure::denied;
        case ERROR_FILENAME_EXCED_RANGE: return FileFailure::too_long;
        default: return FileFailure::other;
    }
}

FileFailure failure_of(DWORD code, const std::wstring& path) {
    if (path_too_long(path)) return FileFailure::too_long;
    return failure_of_code(code, code == ERROR_ACCESS_DENIED && held_by_other(path));
}

}  // namespace quorva
