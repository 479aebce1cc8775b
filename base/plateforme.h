// The operations Quorva needs from the operating system, and nothing more.
// The core reaches files, folders, the shell and the top-level windows only
// through this interface, so that every rule can be tested with a fake and
// the same core runs on Windows (platform_win32.cpp) and Linux
// (platform_posix.cpp + windows_x11.cpp).
//
// Every path and name is a Windows-style text in UTF-8: "\" and "/" both
// separate components. Implementations convert at the system-call boundary
// (Win32: UTF-16 through base/platform/wide_win32.h; POSIX: the bytes
// as they are), never to a look-alike: a text the system cannot take is an
// error naming it, and a file the system names comes back whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/erreur.h"

namespace quorva {

using WindowId = std::uintptr_t;

// Why a file could not be written or read, as the system tells it.
enum class FileFailure {
    busy,       // locked or in use by another program (Windows: sharing or
                // lock violation still there after about two seconds of
                // retries, or access denied on a file another program holds
                // open; POSIX: ETXTBSY, EBUSY)
    disk_full,  // no space or quota left (ENOSPC, EDQUOT; ERROR_DISK_FULL,
                // ERROR_HANDLE_DISK_FULL, ERROR_DISK_QUOTA_EXCEEDED)
    denied,     // writing there is not allowed (EACCES, EPERM, EROFS; access
                // denied by the folder's rights, a read-only or protected
                // target, write-protected)
    too_long,   // the path is longer than the system takes (ENAMETOOLONG; a
                // name of more than 255 characters, a path beyond 32767, or
                // beyond 259 where it cannot be given whole with \\?\)
    other,
};

// The error of a file that could not be created, written or put in place:
// the text is the system's own ("Impossible de créer le fichier %s",
// "Erreur d'écriture dans le fichier %s", %s the path as given), with
// the path and the cause beside it for whoever can say more.
class WriteError : public erreur_quorva {
public:
    WriteError(const std::string& text, std::string path, FileFailure cause)
        : erreur_quorva(message(text, path)), path_(std::move(path)), cause_(cause) {}
    // The same failure with a line added to its text (what it means for
    // the user).
    WriteError(const WriteError& e, const std::string& line)
        : erreur_quorva(std::string(e.what()) + "\r" + line), path_(e.path_), cause_(e.cause_) {}
    const std::string& path() const { return path_; }
    FileFailure cause() const { return cause_; }

private:
    std::string path_;
    FileFailure cause_;
};

// A file that could not be read: the text says why, path and cause beside
// it for whoever decides what comes next (the export watcher tries a held
// recording again later).
class ReadError : public erreur_quorva {
public:
    ReadError(const std::string& text, std::string path, FileFailure cause)
        : erreur_quorva(text), path_(std::move(path)), cause_(cause) {}
    const std::string& path() const { return path_; }
    FileFailure cause() const { return cause_; }

private:
    std::string path_;
    FileFailure cause_;
};

// A file being written. Bytes go to a temporary file beside the target
// (base/temporaires.h); only commit() puts it in place (rename over the
// old one). Destroying the object without commit() removes the temporary
// file and leaves the target as it was. A disk that fills midway, a target
// held open: the old file stays whole and no temporary file is left.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Throws WriteError ("Erreur d'écriture dans le fichier %s") when the
    // bytes cannot be written.
    virtual void write(std::string_view bytes) = 0;
    // Throws WriteError when the bytes cannot reach the disk (as write()) or
    // the file cannot be put in place ("Impossible de créer le fichier %s").
    virtual void commit() = 0;
};

// Size and last modification time of a file: enough to tell that it changed
// (the time's unit is the system's own; only equality matters).
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    // The same time for a person to read: seconds since 1970-01-01 UTC.
    std::int64_t unix_seconds = 0;
    bool operator==(const FileStamp&) const = default;
};

// A lock that the system holds for this process (Plateforme::take_lock),
// let go when the object is destroyed.
class HeldLock {
public:
    virtual ~HeldLock() = default;
};

class Plateforme {
public:
    virtual ~Plateforme() = default;

    // --- Files and folders -------------------------------------------------
    virtual bool file_exists(const std::string& path) = 0;
    virtual bool folder_exists(const std::string& path) = 0;
    // Creates one folder level; false when it could not be created.
    virtual bool create_folder(const std::string& path) = 0;
    // Names (no folder part) of the plain files of `folder` matching one of
    // the masks ("*.doc;*.rtf", case-insensitive like Windows), sorted
    // without regard to ASCII case, then by byte order. An unreadable or
    // missing folder gives an empty list.
    virtual std::vector<std::string> list_files(const std::string& folder,
                                                const std::string& masks) = 0;
    // Names of the sub-folders of `folder` (no "." or ".."), sorted.
    virtual std::vector<std::string> list_folders(const std::string& folder) = 0;
    // Reads at most max_bytes of the file into `contents`; false when the
    // file cannot be opened or read, and then `why` (when given) says why.
    // A file another program holds for a moment is waited for (Windows:
    // about two seconds on a sharing or lock violation).
    virtual bool read_file(const std::string& path, std::string& contents,
                           std::size_t max_bytes = SIZE_MAX, FileFailure* why = nullptr) = 0;
    // The stamp of a plain file; nothing when it does not exist or cannot be
    // examined.
    virtual std::optional<FileStamp> file_stamp(const std::string& path) = 0;
    // Starts writing `path` (see OutputFile), after removing the leftovers
    // of dead writes in its folder (base/temporaires.h). Throws
    // WriteError ("Impossible de créer le fichier %s") when it cannot be
    // created.
    virtual std::unique_ptr<OutputFile> create_file(const std::string& path) = 0;
    // Copies a file, replacing the destination; false on failure.
    virtual bool copy_file(const std::string& from, const std::string& to) = 0;
    virtual std::string current_folder() = 0;
    virtual bool set_current_folder(const std::string& path) = 0;

    // --- System --------------------------------------------------------------
    // The whole command line of the process as one text.
    virtual std::string command_line() = 0;
    // Full path of the running program file.
    virtual std::string program_file() = 0;
    // Path of a shell special folder (CSIDL number), normally without a
    // trailing backslash; empty when the system has none.
    virtual std::string special_folder(int csidl) = 0;
    // The temporary folder, with a trailing separator; never longer than 255 characters.
    virtual std::string temp_folder() = 0;
    // Handle of the already loaded system library (kernel32); throws
    // erreur_quorva with the system's text when there is none.
    virtual void* system_library() = 0;
    // Whether the library exports an entry point of exactly that name.
    virtual bool library_exports(void* library, const std::string& name) = 0;
    // Opens or starts a file with its associated application. Returns the
    // shell's result: above 32 for success.
    virtual std::intptr_t shell_open(const std::string& file, const std::string& parameters,
                                     const std::string& folder, int show) = 0;
    // The user's decimal separator ('.' or ',').
    virtual char decimal_separator() = 0;
    // The file names a program called `name` may have in a folder, in the
    // order to try: "name.exe" on Windows; "name", then "name.exe" elsewhere.
    virtual std::vector<std::string> program_names(const std::string& name) = 0;
    // The system's own installed program `name` (looked up as the system's
    // shell does: PATH on POSIX); empty when there is none. Windows gives
    // none: there Quorva starts only the programs of its own folder.
    virtual std::string installed_program(const std::string& name) = 0;
    // A path as the system's own programs write it in their settings: on
    // Windows the text as it is; on POSIX the file system's name (UTF-8,
    // "/" separators, the case of the existing components), a trailing
    // separator kept. The text unchanged when the system cannot name it.
    virtual std::string native_path(const std::string& path) = 0;
    // A path as the windows hand it to the system's file dialogs; on POSIX
    // the file system's name as native_path gives it.
    virtual std::string dialog_path(const std::string& path) = 0;
    // A path as a file dialog gives it back ("/" separators, as Qt writes
    // paths everywhere) turned into the program's path text, with the
    // system's own separators ("\" on Windows), so that every message shows
    // it as the user's system writes it.
    virtual std::string path_from_dialog(const std::string& utf8) = 0;

    // --- Top-level windows ---------------------------------------------------
    // Calls `visit` for each top-level window in the system's order until it
    // returns false.
    virtual void enumerate_windows(const std::function<bool(WindowId)>& visit) = 0;
    // The window's title, at most max_chars characters; empty when it has
    // none or no longer exists.
    virtual std::string window_title(WindowId window, std::size_t max_chars) = 0;
    // The window that has the keyboard focus now; 0 when none.
    virtual WindowId foreground_window() = 0;
    virtual void minimize_window(WindowId window) = 0;
    // Full path of the program file of the process that owns the window;
    // empty when it cannot be known (the window or its process is gone, the
    // system does not say).
    virtual std::string window_program_file(WindowId window) = 0;
    // Where the system cannot list the top-level windows (a display that is
    // not X11), the window search sees the program's own windows: the
    // windows layer says which, with their titles. Ignored where the
    // system lists them all.
    using own_windows = std::function<std::vector<std::pair<WindowId, std::string>>()>;
    virtual void set_own_windows(own_windows list) = 0;

    // --- Machines sharing a folder -------------------------------------------
    // Whether the path lies on a network drive: a UNC path, or a drive the
    // system reports as remote (Windows: GetDriveTypeW, DRIVE_REMOTE); on
    // POSIX a network file system (NFS, SMB/CIFS, AFS...) under the path's
    // nearest existing folder. False when the system cannot tell.
    virtual bool on_network_drive(const std::string& path) = 0;
    // This computer's name as the system gives it (UTF-8: Windows' NetBIOS
    // name, the POSIX host name); empty when it has none. Not yet a folder
    // name: dossier_machine() (base/services_systeme.h) makes it one.
    virtual std::string computer_name() = 0;
    // Takes the lock file `path` for this process and writes `holder` into
    // it, in one step that no other process can win at the same time, on
    // this machine or on another sharing the folder. The system holds the
    // lock: it is let go when the object returned is destroyed (the file is
    // removed then) or when the process ends, however it ends (a file server
    // lets go of a machine that is gone); a file left behind by a process
    // that died holds nothing and is taken again. Windows: the file open
    // without write or delete sharing, and a byte-range lock; POSIX: an open
    // file description lock (fcntl F_OFD_SETLK), which NFS and SMB send to
    // the server. Nothing when another process holds it; never waits.
    // Throws WriteError ("Impossible de créer le fichier %s") when the file
    // cannot be made or written for another reason.
    virtual std::unique_ptr<HeldLock> take_lock(const std::string& path, std::string_view holder) = 0;
    // What the holder of the lock `path` wrote (at most 4096 bytes), read at
    // once without waiting; empty when there is no such file or it cannot be
    // read.
    virtual std::string lock_holder(const std::string& path) = 0;
};

// The implementation for the system the program was built for.
std::unique_ptr<Plateforme> creer_plateforme_systeme();

// The program's arguments after its name, as main received them: on Windows
// read again from the wide command line (main's own are in the ANSI code
// page, where "Łukasz" becomes another pupil's "Lukasz"); elsewhere
// argv's bytes.
std::vector<std::string> arguments_programme(int argc, char** argv);

}  // namespace quorva
