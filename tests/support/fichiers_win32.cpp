#include "tests/support/fichiers_win32.h"

#include "base/erreur.h"
#include "base/plateforme.h"

namespace quorva::test {

namespace {

// The system's messages name the file as the caller wrote it, not as it lies
// under the test's folder, as on Linux.
[[noreturn]] void relancer(const erreur_quorva& e, const std::string& reel, const std::string& ecrit) {
    std::string texte = e.what();
    for (auto at = texte.find(reel); !reel.empty() && at != std::string::npos; at = texte.find(reel, at + ecrit.size()))
        texte.replace(at, reel.size(), ecrit);
    if (const auto* ecriture = dynamic_cast<const WriteError*>(&e)) throw WriteError(texte, ecrit, ecriture->cause());
    throw erreur_quorva(texte);
}

class FichierRenomme : public OutputFile {
public:
    FichierRenomme(std::unique_ptr<OutputFile> fichier, std::string reel, std::string ecrit)
        : fichier_(std::move(fichier)), reel_(std::move(reel)), ecrit_(std::move(ecrit)) {}
    void write(std::string_view octets) override {
        try {
            fichier_->write(octets);
        } catch (const erreur_quorva& e) {
            relancer(e, reel_, ecrit_);
        }
    }
    void commit() override {
        try {
            fichier_->commit();
        } catch (const erreur_quorva& e) {
            relancer(e, reel_, ecrit_);
        }
    }

private:
    std::unique_ptr<OutputFile> fichier_;
    std::string reel_, ecrit_;
};

}  // namespace

FichiersWin32::FichiersWin32() : systeme_(creer_plateforme_systeme()) {}
FichiersWin32::~FichiersWin32() = default;

std::optional<std::string> FichiersWin32::chemin_posix(const std::string& path) { return path; }

bool FichiersWin32::file_exists(const std::string& path) { return systeme_->file_exists(reel(path)); }
bool FichiersWin32::folder_exists(const std::string& path) { return systeme_->folder_exists(reel(path)); }
bool FichiersWin32::create_folder(const std::string& path) { return systeme_->create_folder(reel(path)); }
std::vector<std::string> FichiersWin32::list_files(const std::string& folder, const std::string& masks) {
    return systeme_->list_files(reel(folder), masks);
}
std::vector<std::string> FichiersWin32::list_folders(const std::string& folder) {
    return systeme_->list_folders(reel(folder));
}
bool FichiersWin32::read_file(const std::string& path, std::string& contents, std::size_t max_bytes,
                              FileFailure* why) {
    return systeme_->read_file(reel(path), contents, max_bytes, why);
}
std::optional<FileStamp> FichiersWin32::file_stamp(const std::string& path) {
    return systeme_->file_stamp(reel(path));
}
std::unique_ptr<OutputFile> FichiersWin32::create_file(const std::string& path) {
    const std::string chemin = reel(path);
    try {
        return std::make_unique<FichierRenomme>(systeme_->create_file(chemin), chemin, path);
    } catch (const erreur_quorva& e) {
        relancer(e, chemin, path);
    }
}
bool FichiersWin32::copy_file(const std::string& from, const std::string& to) {
    return systeme_->copy_file(reel(from), reel(to));
}
std::string FichiersWin32::current_folder() { return systeme_->current_folder(); }
bool FichiersWin32::set_current_folder(const std::string& path) { return systeme_->set_current_folder(reel(path)); }
std::unique_ptr<HeldLock> FichiersWin32::take_lock(const std::string& path, std::string_view holder) {
    return systeme_->take_lock(reel(path), holder);
}
std::string FichiersWin32::lock_holder(const std::string& path) { return systeme_->lock_holder(reel(path)); }

}  // namespace quorva::test
