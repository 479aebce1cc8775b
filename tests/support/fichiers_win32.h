// The file part of the test fake on Windows: every file and folder operation
// goes to the real Win32 platform, after chemin_posix() has placed the path
// under the test's own folder (the name is the Linux one; here it gives the
// Win32 file name). The rest of the interface is the fake's scripted part.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/plateforme.h"

namespace quorva::test {

class FichiersWin32 : public Plateforme {
public:
    FichiersWin32();
    ~FichiersWin32() override;

    // The Win32 file name of a path text; the path itself by default.
    virtual std::optional<std::string> chemin_posix(const std::string& path);

    bool file_exists(const std::string& path) override;
    bool folder_exists(const std::string& path) override;
    bool create_folder(const std::string& path) override;
    std::vector<std::string> list_files(const std::string& folder, const std::string& masks) override;
    std::vector<std::string> list_folders(const std::string& folder) override;
    bool read_file(const std::string& path, std::string& contents, std::size_t max_bytes = SIZE_MAX,
                   FileFailure* why = nullptr) override;
    std::optional<FileStamp> file_stamp(const std::string& path) override;
    std::unique_ptr<OutputFile> create_file(const std::string& path) override;
    bool copy_file(const std::string& from, const std::string& to) override;
    std::string current_folder() override;
    bool set_current_folder(const std::string& path) override;
    std::unique_ptr<HeldLock> take_lock(const std::string& path, std::string_view holder) override;
    std::string lock_holder(const std::string& path) override;

private:
    std::string reel(const std::string& path) { return chemin_posix(path).value_or(path); }
    std::unique_ptr<Plateforme> systeme_;
};

}  // namespace quorva::test
