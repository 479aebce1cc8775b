// Quorva's platform on Linux: Windows path texts over a POSIX file system,
// the shell as posix_spawn or xdg-open, XDG folders, X11 windows.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/plateforme.h"

namespace quorva {

class FenetresX11;

class PlateformePosix : public Plateforme {
public:
    PlateformePosix();
    // Without X11 the window search sees only the windows set_own_windows gives.
    explicit PlateformePosix(bool avec_x11);
    ~PlateformePosix() override;

    // The POSIX file name of a Windows path text: "\" and "/" separate, each
    // component that does not exist with its exact case is matched without
    // regard to case; the text's bytes are the name's. Empty for a path with a drive
    // letter or an empty path: there is no such file here.
    virtual std::optional<std::string> chemin_posix(const std::string& path);

    bool file_exists(const std::string& path) override;
    bool folder_exists(const std::string& path) override;
    bool create_folder(const std::string& path) override;
    std::vector<std::string> list_files(const std::string& folder, const std::string& masks) override;
    std::vector<std::string> list_folders(const std::string& folder) override;
    bool read_file(const std::string& path, std::string& contents, std::size_t max_bytes = SIZE_MAX,
                   FileFailure* why = nullptr) override;
    std::optional<FileStamp> file_stamp(const std::string& path) override;
    // The temporary file of a write is nom_temporaire() beside the target,
    // with machine_locale() and this process's id; each write first removes
    // the dead writes' leftovers there (base/temporaires.h). Failures
    // carry cause_de_errno(). Test hook: when QUORVA_PAUSE_ECRITURE holds
    // the target's file name, the process stops itself (SIGSTOP) once the
    // temporary file holds part of the new bytes, so that a test can kill
    // it mid-write.
    std::unique_ptr<OutputFile> create_file(const std::string& path) override;
    bool copy_file(const std::string& from, const std::string& to) override;
    std::string current_folder() override;
    bool set_current_folder(const std::string& path) override;

    std::string command_line() override;
    std::string program_file() override;
    std::string special_folder(int csidl) override;
    std::string temp_folder() override;
    void* system_library() override;
    bool library_exports(void* library, const std::string& name) override;
    std::intptr_t shell_open(const std::string& file, const std::string& parameters,
                             const std::string& folder, int show) override;
    char decimal_separator() override;
    std::vector<std::string> program_names(const std::string& name) override;
    std::string installed_program(const std::string& name) override;
    std::string native_path(const std::string& path) override;
    std::string dialog_path(const std::string& path) override;
    std::string path_from_dialog(const std::string& utf8) override;

    void enumerate_windows(const std::function<bool(WindowId)>& visit) override;
    std::string window_title(WindowId window, std::size_t max_chars) override;
    WindowId foreground_window() override;
    void minimize_window(WindowId window) override;
    std::string window_program_file(WindowId window) override;

    // Where the display is not X11 (offscreen, Wayland) the window search
    // sees the program's own windows only: the windows layer tells which.
    void set_own_windows(own_windows liste) override;

    bool on_network_drive(const std::string& path) override;
    std::string computer_name() override;
    std::unique_ptr<HeldLock> take_lock(const std::string& path, std::string_view holder) override;
    std::string lock_holder(const std::string& path) override;

private:
    void recolter_enfants();
    bool est_programme(const std::string& fichier, const struct stat& infos);
    std::vector<std::string> arguments(const std::string& parametres);
    std::unique_ptr<FenetresX11> x11_;
    own_windows propres_;
    std::vector<int> enfants_;  // processes started and not yet reaped
};

// X11 top-level windows (windows_x11.cpp). ouvrir() fails when there is no
// X11 display; the platform then falls back to the program's own windows.
class FenetresX11 {
public:
    static std::unique_ptr<FenetresX11> ouvrir();
    virtual ~FenetresX11() = default;
    virtual std::vector<WindowId> lister() = 0;
    virtual std::string titre(WindowId window) = 0;  // UTF-8
    virtual WindowId active() = 0;
    virtual void minimiser(WindowId window) = 0;
    // The process id the window's client announced (_NET_WM_PID); 0 when none.
    virtual long processus(WindowId window) = 0;
};

// The program file of a local process (/proc/<pid>/exe); empty when
// it cannot be read. A program file replaced or removed since the process
// started is still the file it runs (the system adds " (deleted)" to it).
std::string programme_du_processus(long pid);

// The cause of a write's failure from the system's error number.
FileFailure cause_de_errno(int code);

// This machine in the names of temporary files: the host name and the
// process namespace (texte_machine() rules); "?" without a host name.
std::string machine_locale();

}  // namespace quorva
