// Files on Windows through the wide calls: paths beyond MAX_PATH given whole
// (the \\?\ form), a file held for a moment by another program (antivirus,
// search indexer, a spreadsheet closing) waited for, and a file held open
// told from one the user may not write.
#pragma once

#include "base/platform/windows_lean.h"

#include <string>

#include "base/plateforme.h"

namespace quorva {

// How long a file held by another program is waited for, and how often it is
// tried meanwhile.
constexpr DWORD attente_fichier_tenu_ms = 2000;
constexpr DWORD pas_fichier_tenu_ms = 50;

// The path as the wide calls take it: a path whose whole form (from the
// current folder for a relative one; drive or UNC) the system would refuse
// as too long gets the \\?\ form of it (\\?\UNC\ for a share: no "." or
// "..", "\" separators); a shorter one is left as it is.
std::wstring long_path(const std::wstring& path);

// The longest path the shell (ShellExecuteW) takes, file or folder.
constexpr std::size_t shell_path_max = MAX_PATH - 3;

// The path for the shell: the path itself up to shell_path_max characters,
// else its short (8.3) form when the volume gives one that short; the path
// as it is otherwise.
std::wstring short_path(const std::wstring& path);

// Whether the path is longer than Windows takes even in that form: a name of
// more than 255 characters, or more than 32767 in all.
bool path_too_long(const std::wstring& path);

// A sharing or lock violation: another program holds the file for now.
bool held_error(DWORD code);

// Waiting for a held file: again(code) sleeps a step and says true while
// `code` is a hold and `limit_ms` (attente_fichier_tenu_ms; 0: no wait) has
// not passed since the first try.
class held_wait {
public:
    explicit held_wait(DWORD limit_ms = attente_fichier_tenu_ms) : start_(GetTickCount64()), limit_(limit_ms) {}
    bool again(bool held) {
        if (!held || GetTickCount64() - start_ >= limit_) return false;
        Sleep(pas_fichier_tenu_ms);
        return true;
    }

private:
    ULONGLONG start_;
    DWORD limit_;
};

// CreateFileW on long_path(path), tried again for `wait_ms` while the file is
// held. INVALID_HANDLE_VALUE and GetLastError() as CreateFileW on failure.
HANDLE open_file(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags,
                 DWORD wait_ms = attente_fichier_tenu_ms);

// MoveFileExW of long paths, tried again while the target is held (a
// sharing violation, or access denied on a file another program holds
// open). FALSE and GetLastError() as MoveFileExW on failure.
BOOL move_file(const std::wstring& from, const std::wstring& to, DWORD flags);

// Whether `path` is held open by another program (so that writing it or
// replacing it is refused for now): an existing, writable file that cannot be
// opened for deletion for a sharing violation.
bool held_by_other(const std::wstring& path);

// The cause of a failure on `path` from the system's error code: held by
// another program (a sharing or lock violation, or access denied on a file
// another program holds open), not allowed (access denied by the folder's
// rights, a read-only or protected file), too long, a full disk.
FileFailure failure_of(DWORD code, const std::wstring& path);
// The same from the code alone, `held_target` saying whether an access denied
// is another program's open handle.
FileFailure failure_of_code(DWORD code, bool held_target);

}  // namespace quorva
