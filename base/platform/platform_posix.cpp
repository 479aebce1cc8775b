#include "base/platform/platform_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/erreur.h"
#include "base/listage.h"
#include "base/temporaires.h"
#include "base/texte.h"

extern char** environ;

namespace quorva {

namespace {

std::vector<std::string> composants(const std::string& chemin) {
    std::vector<std::string> parties;
    std::string partie;
    for (const char c : chemin) {
        if (c == '\\' || c == '/') {
            if (!partie.empty()) parties.push_back(partie);
            partie.clear();
        } else {
            partie += c;
        }
    }
    if (!partie.empty()) parties.push_back(partie);
    return parties;
}

bool a_lettre_de_lecteur(const std::string& chemin) {
    return chemin.size() >= 2 && chemin[1] == ':' &&
           ((chemin[0] >= 'a' && chemin[0] <= 'z') || (chemin[0] >= 'A' && chemin[0] <= 'Z'));
}

bool existe(const std::string& posix, struct stat* infos = nullptr) {
    struct stat local;
    return ::stat(posix.c_str(), infos ? infos : &local) == 0;
}

std::vector<std::string> entrees(const std::string& dossier_posix) {
    std::vector<std::string> noms;
    DIR* dossier = ::opendir(dossier_posix.empty() ? "." : dossier_posix.c_str());
    if (!dossier) return noms;
    while (const dirent* entree = ::readdir(dossier)) {
        const std::string nom = entree->d_name;
        if (nom != "." && nom != "..") noms.push_back(nom);
    }
    ::closedir(dossier);
    return noms;
}

// Windows wildcards: "*" any run, "?" one character, letters without case.
bool correspond(std::string_view nom, std::string_view masque) {
    std::size_t n = 0, m = 0, etoile = std::string_view::npos, reprise = 0;
    while (n < nom.size()) {
        if (m < masque.size() && masque[m] == '*') {
            etoile = m++;
            reprise = n;
        } else if (m < masque.size() &&
                   (masque[m] == '?' || egal_sans_casse(nom.substr(n, 1), masque.substr(m, 1)))) {
            ++m;
            ++n;
        } else if (etoile != std::string_view::npos) {
            m = etoile + 1;
            n = ++reprise;
        } else {
            return false;
        }
    }
    while (m < masque.size() && masque[m] == '*') ++m;
    // "*.*" matches names without a point too, as on Windows.
    if (masque.substr(m) == ".*") return true;
    return m == masque.size();
}



std::string variable(const char* nom) {
    const char* valeur = std::getenv(nom);
    return valeur ? valeur : "";
}

// The home folder: $HOME, else the password database, else /tmp (a session
// started without HOME still gets folders that exist).
std::string maison() {
    std::string dossier = variable("HOME");
    if (dossier.empty()) {
        if (const passwd* compte = ::getpwuid(::getuid()); compte && compte->pw_dir) dossier = compte->pw_dir;
    }
    if (dossier.empty()) dossier = "/tmp";
    return dossier;
}

// A folder of the XDG user-dirs file (~/.config/user-dirs.dirs), else the
// default under the home folder.
std::string dossier_xdg(const std::string& cle, const std::string& defaut) {
    const std::string maison = quorva::maison();
    std::string config = variable("XDG_CONFIG_HOME");
    if (config.empty()) config = maison + "/.config";
    if (FILE* fichier = std::fopen((config + "/user-dirs.dirs").c_str(), "rb")) {
        char ligne[4096];
        while (std::fgets(ligne, sizeof ligne, fichier)) {
            std::string texte = ligne;
            if (!commence_par(texte, cle + "=\"")) continue;
            texte = texte.substr(cle.size() + 2);
            texte = texte.substr(0, texte.find('"'));
            if (commence_par(texte, "$HOME")) texte = maison + texte.substr(5);
            std::fclose(fichier);
            return texte;
        }
        std::fclose(fichier);
    }
    return defaut.empty() ? maison : maison + "/" + defaut;
}

// Parameters as the shell would split them: blanks separate, double quotes
// group.
std::vector<std::string> decouper_arguments(const std::string& parametres) {
    std::vector<std::string> liste;
    std::string courant;
    bool guillemets = false, present = false;
    for (const char c : parametres) {
        if (c == '"') {
            guillemets = !guillemets;
            present = true;
        } else if (c == ' ' && !guillemets) {
            if (present) liste.push_back(courant);
            courant.clear();
            present = false;
        } else {
            courant += c;
            present = true;
        }
    }
    if (present) liste.push_back(courant);
    return liste;
}

// The test hook of create_file: whether this write must stop midway.
bool pause_demandee(const std::string& nom_cible) {
    const char* nom = std::getenv("QUORVA_PAUSE_ECRITURE");
    return nom && *nom && nom_cible == nom;
}

// Removes what dead writes left in `dossier` (base/temporaires.h),
// whatever file they were writing: a workbook that is never written again
// must not keep its leftover for ever.
void nettoyer_restes(const std::string& dossier) {
    const std::string machine = machine_locale();
    const auto moi = static_cast<unsigned long>(::getpid());
    const auto maintenant = static_cast<std::int64_t>(::time(nullptr));
    for (const auto& entree : entrees(dossier)) {
        if (!auteur_du_temporaire(entree)) continue;
        const std::string chemin = dossier + entree;
        struct stat infos;
        if (::lstat(chemin.c_str(), &infos) != 0 || !S_ISREG(infos.st_mode)) continue;
        const auto mort = [](unsigned long processus) {
            return processus <= 0x7fffffffUL && ::kill(static_cast<pid_t>(processus), 0) != 0 && errno == ESRCH;
        };
        if (reste_a_supprimer(entree, machine, moi, maintenant - static_cast<std::int64_t>(infos.st_mtim.tv_sec), mort))
            ::unlink(chemin.c_str());
    }
}

constexpr const char* texte_erreur_ecriture = "Erreur d'écriture dans le fichier %s";
constexpr const char* texte_creation_impossible = "Impossible de créer le fichier %s";

class FichierPosix : public OutputFile {
public:
    FichierPosix(std::string cible, std::string temporaire, FILE* flux, std::string nom, bool pause)
        : cible_(std::move(cible)), temporaire_(std::move(temporaire)), flux_(flux), nom_(std::move(nom)),
          pause_(pause) {}
    ~FichierPosix() override {
        if (flux_) std::fclose(flux_);
        if (!valide_) ::unlink(temporaire_.c_str());
    }
    void write(std::string_view octets) override {
        if (!flux_) echec(EBADF);
        if (std::fwrite(octets.data(), 1, octets.size(), flux_) != octets.size()) echec(errno);
        ecrits_ += octets.size();
        if (ecrits_ > octets.size()) pause_si_demandee();  // part of the bytes are in, more to come
        vers_le_disque();
    }
    void commit() override {
        if (!flux_) echec(EBADF);
        pause_si_demandee();
        // The first failure says why (a full disk shows at the flush, or
        // only at the close on a network folder).
        int code = 0;
        if (std::fflush(flux_) != 0 || ::fsync(::fileno(flux_)) != 0) code = errno;
        if (std::fclose(flux_) != 0 && code == 0) code = errno;
        flux_ = nullptr;
        if (code != 0) echec(code);
        if (std::rename(temporaire_.c_str(), cible_.c_str()) != 0)
            throw WriteError(texte_creation_impossible, nom_, cause_de_errno(errno));
        valide_ = true;
    }

private:
    // A large file goes to the disk while the rest of it is being made: each
    // further megabyte written is handed to the disk at once (without waiting
    // for it), so that the fsync of commit() waits for the last part only
    // instead of the whole file.
    void vers_le_disque() {
#ifdef SYNC_FILE_RANGE_WRITE
        constexpr std::size_t seuil = 1 << 20;
        if (ecrits_ - envoyes_ < seuil) return;
        if (std::fflush(flux_) != 0) echec(errno);
        // Whole pages only: the last one, partly written, is still to be
        // completed. Only a hint: commit() checks that everything reached
        // the disk.
        const std::size_t fin = ecrits_ & ~static_cast<std::size_t>(4095);
        ::sync_file_range(::fileno(flux_), static_cast<off_t>(envoyes_), static_cast<off_t>(fin - envoyes_),
                          SYNC_FILE_RANGE_WRITE);
        envoyes_ = fin;
#endif
    }

    [[noreturn]] void echec(int code) { throw WriteError(texte_erreur_ecriture, nom_, cause_de_errno(code)); }

    void pause_si_demandee() {
        if (!pause_) return;
        pause_ = false;
        std::fflush(flux_);
        ::raise(SIGSTOP);
    }

    std::string cible_, temporaire_;
    FILE* flux_;
    std::string nom_;
    bool pause_;
    std::size_t ecrits_ = 0, envoyes_ = 0;
    bool valide_ = false;
};

}  // namespace

PlateformePosix::PlateformePosix() : x11_(FenetresX11::ouvrir()) {}
PlateformePosix::PlateformePosix(bool avec_x11) : x11_(avec_x11 ? FenetresX11::ouvrir() : nullptr) {}
PlateformePosix::~PlateformePosix() { recolter_enfants(); }

std::optional<std::string> PlateformePosix::chemin_posix(const std::string& path) {
    if (path.empty() || a_lettre_de_lecteur(path)) return std::nullopt;
    const bool absolu = path[0] == '/' || path[0] == '\\';
    std::string resultat = absolu ? "/" : "";
    for (const auto& partie : composants(path)) {
        std::string suivant = resultat + partie;
        if (partie != "." && partie != ".." && !existe(suivant)) {
            // Several names may differ only by case here (not on Windows):
            // take the first in byte order, so the choice never changes.
            std::string choisi;
            for (const auto& entree : entrees(resultat))
                if (egal_sans_casse(entree, partie) && (choisi.empty() || entree < choisi))
                    choisi = entree;
            if (!choisi.empty()) suivant = resultat + choisi;
        }
        resultat = suivant + "/";
    }
    if (resultat.size() > 1 && !(path.back() == '/' || path.back() == '\\')) resultat.pop_back();
    return resultat;
}

bool PlateformePosix::file_exists(const std::string& path) {
    const auto posix = chemin_posix(path);
    struct stat infos;
    return posix && existe(*posix, &infos) && S_ISREG(infos.st_mode);
}

bool PlateformePosix::folder_exists(const std::string& path) {
    const auto posix = chemin_posix(path);
    struct stat infos;
    return posix && existe(*posix, &infos) && S_ISDIR(infos.st_mode);
}

bool PlateformePosix::create_folder(const std::string& path) {
    const auto posix = chemin_posix(path);
    return posix && ::mkdir(posix->c_str(), 0777) == 0;
}

std::vector<std::string> PlateformePosix::list_files(const std::string& folder, const std::string& masks) {
    std::vector<std::string> noms;
    const auto posix = chemin_posix(folder);
    if (!posix) return noms;
    const auto liste_masques = decouper_masques(masks);
    const std::string base = posix->empty() || posix->back() == '/' ? *posix : *posix + "/";
    for (const auto& entree : entrees(*posix)) {
        struct stat infos;
        if (!existe(base + entree, &infos) || !S_ISREG(infos.st_mode)) continue;
        const std::string& nom = entree;
        for (const auto& masque : liste_masques) {
            if (correspond(nom, masque)) {
                noms.push_back(nom);
                break;
            }
        }
    }
    trier_noms(noms);
    return noms;
}

std::vector<std::string> PlateformePosix::list_folders(const std::string& folder) {
    std::vector<std::string> noms;
    const auto posix = chemin_posix(folder);
    if (!posix) return noms;
    const std::string base = posix->empty() || posix->back() == '/' ? *posix : *posix + "/";
    for (const auto& entree : entrees(*posix)) {
        struct stat infos;
        if (existe(base + entree, &infos) && S_ISDIR(infos.st_mode)) noms.push_back(entree);
    }
    trier_noms(noms);
    return noms;
}

bool PlateformePosix::read_file(const std::string& path, std::string& contents, std::size_t max_bytes,
                                FileFailure* why) {
    contents.clear();
    if (why) *why = FileFailure::other;
    const auto posix = chemin_posix(path);
    if (!posix) return false;
    const int fd = ::open(posix->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (why) *why = cause_de_errno(errno);
        return false;
    }
    struct stat infos;
    if (::fstat(fd, &infos) != 0 || !S_ISREG(infos.st_mode)) {
        ::close(fd);
        return false;
    }
    contents.reserve(std::min<std::size_t>(static_cast<std::size_t>(infos.st_size), max_bytes));
    char tampon[65536];
    bool ok = true;
    while (contents.size() < max_bytes) {
        const auto voulu = std::min(sizeof tampon, max_bytes - contents.size());
        const ssize_t lus = ::read(fd, tampon, voulu);
        if (lus < 0 && errno == EINTR) continue;
        if (lus < 0) ok = false;
        if (lus <= 0) break;
        contents.append(tampon, static_cast<std::size_t>(lus));
    }
    ::close(fd);
    return ok;
}

std::optional<FileStamp> PlateformePosix::file_stamp(const std::string& path) {
    const auto posix = chemin_posix(path);
    struct stat infos;
    if (!posix || !existe(*posix, &infos) || !S_ISREG(infos.st_mode)) return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(infos.st_size),
                     static_cast<std::int64_t>(infos.st_mtim.tv_sec) * 1'000'000'000 + infos.st_mtim.tv_nsec,
                     static_cast<std::int64_t>(infos.st_mtim.tv_sec)};
}

std::unique_ptr<OutputFile> PlateformePosix::create_file(const std::string& path) {
    const auto posix = chemin_posix(path);
    const auto erreur = [&path](int code) { return WriteError(texte_creation_impossible, path, cause_de_errno(code)); };
    if (!posix || posix->empty() || posix->back() == '/') throw erreur(0);
    const auto barre = posix->rfind('/');
    const std::string dossier = barre == std::string::npos ? "." : posix->substr(0, barre + 1);
    struct stat infos;
    if (existe(*posix, &infos) && !S_ISREG(infos.st_mode)) throw erreur(0);
    // A hidden name of our own beside the target (same file system, so the
    // final rename is atomic); O_EXCL so that two writers never share one.
    const std::string nom = barre == std::string::npos ? *posix : posix->substr(barre + 1);
    nettoyer_restes(barre == std::string::npos ? "" : dossier);
    const std::string machine = machine_locale();
    const auto processus = static_cast<unsigned long>(::getpid());
    static unsigned long compteur = 0;
    std::string temporaire;
    int fd = -1;
    for (int essai = 0; essai < 100 && fd < 0; ++essai) {
        temporaire = (barre == std::string::npos ? "" : dossier) + nom_temporaire(nom, machine, processus, ++compteur);
        fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) throw erreur(errno);
    FILE* flux = ::fdopen(fd, "wb");
    if (!flux) {
        const int code = errno;
        ::close(fd);
        ::unlink(temporaire.c_str());
        throw erreur(code);
    }
    std::setvbuf(flux, nullptr, _IOFBF, 1 << 16);
    return std::make_unique<FichierPosix>(*posix, temporaire, flux, path, pause_demandee(nom));
}

FileFailure cause_de_errno(int code) {
    switch (code) {
        case ENOSPC: case EDQUOT: return FileFailure::disk_full;
        case EACCES: case EPERM: case EROFS: return FileFailure::denied;
        case ETXTBSY: case EBUSY: return FileFailure::busy;
        case ENAMETOOLONG: return FileFailure::too_long;
        default: return FileFailure::other;
    }
}

std::string machine_locale() {
    static const std::string machine = [] {
        char nom[256] = {};
        if (::gethostname(nom, sizeof nom - 1) != 0 || !nom[0]) return std::string("?");
        std::string texte = texte_machine(nom);
        // Two process namespaces of one host cannot see each other's
        // processes: each is a machine of its own here.
        struct stat espace;
        if (::stat("/proc/self/ns/pid", &espace) == 0) texte += "~" + std::to_string(espace.st_ino);
        return texte;
    }();
    return machine;
}

bool PlateformePosix::copy_file(const std::string& from, const std::string& to) {
    std::string contenu;
    if (!read_file(from, contenu, SIZE_MAX)) return false;
    try {
        auto fichier = create_file(to);
        fichier->write(contenu);
        fichier->commit();
        return true;
    } catch (const erreur_quorva&) {
        return false;
    }
}

std::string PlateformePosix::current_folder() {
    std::vector<char> tampon(4096);
    while (!::getcwd(tampon.data(), tampon.size())) {
        if (errno != ERANGE || tampon.size() > (1u << 20)) return "";
        tampon.resize(tampon.size() * 2);
    }
    return tampon.data();
}

bool PlateformePosix::set_current_folder(const std::string& path) {
    const auto posix = chemin_posix(path);
    return posix && ::chdir(posix->c_str()) == 0;
}

std::string PlateformePosix::command_line() {
    std::string contenu;
    if (FILE* fichier = std::fopen("/proc/self/cmdline", "rb")) {
        char tampon[4096];
        std::size_t lus;
        while ((lus = std::fread(tampon, 1, sizeof tampon, fichier)) > 0) contenu.append(tampon, lus);
        std::fclose(fichier);
    }
    while (!contenu.empty() && contenu.back() == '\0') contenu.pop_back();
    std::replace(contenu.begin(), contenu.end(), '\0', ' ');
    return contenu;
}

namespace {

std::string lien(const std::string& chemin) {
    std::vector<char> tampon(4096);
    const ssize_t longueur = ::readlink(chemin.c_str(), tampon.data(), tampon.size() - 1);
    if (longueur <= 0) return "";
    return std::string(tampon.data(), static_cast<std::size_t>(longueur));
}

// The program file a process runs, from its /proc/.../exe link. Once that
// file is replaced (an update copied over it) or removed, the link reads
// "<path> (deleted)": the process is still that program. A file whose own
// name ends so still has links, and keeps its name.
std::string programme_de(const std::string& lien_exe) {
    std::string programme = lien(lien_exe);
    constexpr std::string_view efface = " (deleted)";
    struct stat infos;
    if (programme.ends_with(efface) && ::stat(lien_exe.c_str(), &infos) == 0 && infos.st_nlink == 0)
        programme.resize(programme.size() - efface.size());
    return programme;
}

}  // namespace

std::string PlateformePosix::program_file() { return programme_de("/proc/self/exe"); }

std::string programme_du_processus(long pid) {
    if (pid <= 0) return "";
    return programme_de("/proc/" + std::to_string(pid) + "/exe");
}

std::vector<std::string> PlateformePosix::program_names(const std::string& name) { return {name, name + ".exe"}; }

std::string PlateformePosix::installed_program(const std::string& name) {
    if (name.empty() || name.find_first_of("/\\") != std::string::npos) return "";
    const std::string chemins = variable("PATH");
    std::size_t debut = 0;
    while (debut <= chemins.size()) {
        auto fin = chemins.find(':', debut);
        if (fin == std::string::npos) fin = chemins.size();
        const std::string dossier = chemins.substr(debut, fin - debut);
        debut = fin + 1;
        // An empty or relative entry would depend on the current folder.
        if (dossier.empty() || dossier[0] != '/') continue;
        const std::string fichier = dossier + "/" + name;
        struct stat infos;
        if (::stat(fichier.c_str(), &infos) == 0 && S_ISREG(infos.st_mode) && ::access(fichier.c_str(), X_OK) == 0)
            return fichier;
    }
    return "";
}

std::string PlateformePosix::native_path(const std::string& path) {
    const auto posix = chemin_posix(path);
    return posix ? *posix : path;
}

std::string PlateformePosix::dialog_path(const std::string& path) {
    const auto posix = chemin_posix(path);
    return posix ? *posix : path;
}

std::string PlateformePosix::path_from_dialog(const std::string& utf8) { return utf8; }

std::string PlateformePosix::special_folder(int csidl) {
    const std::string maison = quorva::maison();
    std::string donnees = variable("XDG_DATA_HOME");
    if (donnees.empty()) donnees = maison + "/.local/share";
    std::string config = variable("XDG_CONFIG_HOME");
    if (config.empty()) config = maison + "/.config";
    std::string cache = variable("XDG_CACHE_HOME");
    if (cache.empty()) cache = maison + "/.cache";
    std::string resultat;
    switch (csidl) {
        case 0: case 16: case 25: resultat = dossier_xdg("XDG_DESKTOP_DIR", "Desktop"); break;
        case 5: resultat = dossier_xdg("XDG_DOCUMENTS_DIR", "Documents"); break;
        case 21: resultat = dossier_xdg("XDG_TEMPLATES_DIR", "Templates"); break;
        case 26: resultat = config; break;
        case 2: case 23: resultat = donnees + "/applications"; break;
        case 11: case 22: resultat = donnees + "/applications"; break;
        case 7: case 24: resultat = config + "/autostart"; break;
        case 20: resultat = donnees + "/fonts"; break;
        case 8: resultat = donnees + "/recently-used"; break;
        case 32: case 33: case 34: resultat = cache; break;
        default: resultat = maison; break;
    }
    return resultat;
}

std::string PlateformePosix::temp_folder() {
    std::string dossier = variable("TMPDIR");
    struct stat infos;
    if (dossier.empty() || dossier.size() > 250 || !existe(dossier, &infos) || !S_ISDIR(infos.st_mode)) dossier = "/tmp";
    if (dossier.back() != '/') dossier += '/';
    return dossier;
}

void* PlateformePosix::system_library() {
    // There is no kernel32 here; the probe sees a current system.
    static int bibliotheque = 0;
    return &bibliotheque;
}

bool PlateformePosix::library_exports(void*, const std::string&) { return true; }

// A program is a file we may execute that the system can start itself: an
// ELF binary or a script with "#!". Documents on a FAT or NTFS stick carry
// the execute bit too; they go to xdg-open like the others.
bool PlateformePosix::est_programme(const std::string& fichier, const struct stat& infos) {
    if (!S_ISREG(infos.st_mode) || ::access(fichier.c_str(), X_OK) != 0) return false;
    const int fd = ::open(fichier.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char octets[4];
    const ssize_t lus = ::read(fd, octets, sizeof octets);
    ::close(fd);
    if (lus >= 2 && octets[0] == '#' && octets[1] == '!') return true;
    return lus == 4 && std::memcmp(octets, "\x7F" "ELF", 4) == 0;
}

// The parameter text as argv elements (UTF-8). A parameter that names an
// existing file or folder as a Windows path text reaches the program as its
// POSIX path; the whole text is tried first, as a path with blanks is often
// passed without quotes.
std::vector<std::string> PlateformePosix::arguments(const std::string& parametres) {
    const auto en_chemin = [this](const std::string& texte) -> std::optional<std::string> {
        if (texte.find('\\') == std::string::npos) return std::nullopt;
        auto posix = chemin_posix(texte);
        if (posix && !posix->empty() && existe(*posix)) return posix;
        return std::nullopt;
    };
    if (auto entier = en_chemin(parametres); entier && parametres.find('"') == std::string::npos) return {*entier};
    std::vector<std::string> liste;
    for (const auto& argument : decouper_arguments(parametres)) {
        const auto chemin = en_chemin(argument);
        liste.push_back(chemin ? *chemin : argument);
    }
    return liste;
}

void PlateformePosix::recolter_enfants() {
    std::erase_if(enfants_, [](int pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

std::intptr_t PlateformePosix::shell_open(const std::string& file, const std::string& parameters,
                                          const std::string& folder, int) {
    recolter_enfants();
    // A bare or relative name is looked for in the working folder first, as
    // the shell does (a section window passes the file name and its folder).
    const bool relatif = !file.empty() && file[0] != '\\' && file[0] != '/';
    std::optional<std::string> fichier;
    struct stat infos;
    if (relatif && !folder.empty()) {
        fichier = chemin_posix(folder + "\\" + file);
        if (fichier && !existe(*fichier, &infos)) fichier.reset();
    }
    if (!fichier) fichier = chemin_posix(file);
    if (!fichier || fichier->empty() || !existe(*fichier, &infos)) return 2;  // file not found
    // The child starts in the working folder: it needs the path from the root.
    if ((*fichier)[0] != '/') fichier = current_folder() + "/" + *fichier;
    const auto dossier = folder.empty() ? std::nullopt : chemin_posix(folder);

    std::vector<std::string> argv_textes;
    const bool programme = est_programme(*fichier, infos);
    if (programme) {
        argv_textes.push_back(*fichier);
        for (const auto& argument : arguments(parameters)) argv_textes.push_back(argument);
    } else {
        argv_textes = {"xdg-open", *fichier};
    }
    std::vector<char*> argv;
    for (auto& texte : argv_textes) argv.push_back(texte.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    struct stat infos_dossier;
    if (dossier && existe(*dossier, &infos_dossier) && S_ISDIR(infos_dossier.st_mode))
        posix_spawn_file_actions_addchdir_np(&actions, dossier->c_str());
    pid_t pid = 0;
    // In a session of its own: what Quorva started keeps running when
    // Quorva or its terminal goes.
    posix_spawnattr_t attributs;
    posix_spawnattr_init(&attributs);
    posix_spawnattr_setflags(&attributs, POSIX_SPAWN_SETSID);
    const int resultat = programme
        ? ::posix_spawn(&pid, argv[0], &actions, &attributs, argv.data(), environ)
        : ::posix_spawnp(&pid, "xdg-open", &actions, &attributs, argv.data(), environ);
    posix_spawnattr_destroy(&attributs);
    posix_spawn_file_actions_destroy(&actions);
    if (resultat != 0) return 31;  // no association
    enfants_.push_back(pid);
    return 42;
}

char PlateformePosix::decimal_separator() {
    locale_t locale = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (!locale) return '.';
    const char* separateur = ::nl_langinfo_l(RADIXCHAR, locale);
    const char resultat = separateur && *separateur == ',' ? ',' : '.';
    ::freelocale(locale);
    return resultat;
}

void PlateformePosix::set_own_windows(own_windows liste) { propres_ = std::move(liste); }

void PlateformePosix::enumerate_windows(const std::function<bool(WindowId)>& visit) {
    if (x11_) {
        for (const WindowId fenetre : x11_->lister())
            if (!visit(fenetre)) return;
        return;
    }
    if (!propres_) return;
    for (const auto& [fenetre, titre] : propres_())
        if (!visit(fenetre)) return;
}

std::string PlateformePosix::window_title(WindowId window, std::size_t max_chars) {
    std::string titre;
    if (x11_) {
        titre = x11_->titre(window);
    } else if (propres_) {
        for (const auto& [fenetre, texte] : propres_())
            if (fenetre == window) titre = texte;
    }
    return debut_utf8(titre, max_chars);
}

WindowId PlateformePosix::foreground_window() { return x11_ ? x11_->active() : 0; }

void PlateformePosix::minimize_window(WindowId window) {
    if (x11_) x11_->minimiser(window);
}

std::string PlateformePosix::window_program_file(WindowId window) {
    if (x11_) return programme_du_processus(x11_->processus(window));
    // Without X11 the only windows seen are the program's own.
    if (propres_)
        for (const auto& [fenetre, titre] : propres_())
            if (fenetre == window) return program_file();
    return "";
}

bool PlateformePosix::on_network_drive(const std::string& path) {
    auto dossier = chemin_posix(path);
    if (!dossier) return false;
    // The nearest existing folder: the recording folders may not be made yet.
    struct statfs infos;
    while (::statfs(dossier->empty() ? "." : dossier->c_str(), &infos) != 0) {
        if (dossier->empty() || *dossier == "/") return false;
        while (dossier->size() > 1 && dossier->back() == '/') dossier->pop_back();
        const auto barre = dossier->rfind('/');
        *dossier = barre == std::string::npos ? "" : barre == 0 ? "/" : dossier->substr(0, barre);
    }
    // NFS, SMB, CIFS, SMB2, AFS, kAFS, Coda, Ceph, NCP: file systems that
    // other machines write too. Not FUSE nor 9P, mostly local disks seen
    // through a layer.
    switch (static_cast<unsigned long>(infos.f_type) & 0xFFFFFFFFul) {
        case 0x6969: case 0x517B: case 0xFF534D42: case 0xFE534D42: case 0x5346414F: case 0x6B414653:
        case 0x73757245: case 0x00C36400: case 0x564C:
            return true;
        default:
            return false;
    }
}

std::string PlateformePosix::computer_name() {
    char nom[256] = {};
    return ::gethostname(nom, sizeof nom - 1) == 0 ? std::string(nom) : std::string();
}

namespace {

// The lock of machines sharing a folder (Plateforme::take_lock): an open
// file description lock, which the system lets go with the descriptor (at
// the process's end too) and which no other descriptor of this process
// drops, unlike a classic fcntl lock; NFS and SMB send it to the server,
// where flock stays local on some. It lies beyond the holder's text, which a
// byte-range lock would make unreadable on a Windows file server.
constexpr off_t octet_verrou = off_t{1} << 30;

class VerrouPosix : public HeldLock {
public:
    VerrouPosix(int fd, std::string chemin) : fd_(fd), chemin_(std::move(chemin)) {}
    ~VerrouPosix() override {
        // Removed while still held: a machine that opened it meanwhile
        // finds the name gone once it holds it, and tries again.
        ::unlink(chemin_.c_str());
        ::close(fd_);
    }
    VerrouPosix(const VerrouPosix&) = delete;
    VerrouPosix& operator=(const VerrouPosix&) = delete;

private:
    int fd_;
    std::string chemin_;
};

// Whether the name still leads to the open file.
bool meme_fichier(int fd, const std::string& chemin) {
    struct stat ouvert, nomme;
    return ::fstat(fd, &ouvert) == 0 && ::stat(chemin.c_str(), &nomme) == 0 && ouvert.st_dev == nomme.st_dev &&
           ouvert.st_ino == nomme.st_ino;
}

}  // namespace

std::unique_ptr<HeldLock> PlateformePosix::take_lock(const std::string& path, std::string_view holder) {
    const auto posix = chemin_posix(path);
    if (!posix) throw WriteError(texte_creation_impossible, path, FileFailure::other);
    const int fd = ::open(posix->c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) throw WriteError(texte_creation_impossible, path, cause_de_errno(errno));
    struct flock verrou{};
    verrou.l_type = F_WRLCK;
    verrou.l_whence = SEEK_SET;
    verrou.l_start = octet_verrou;
    verrou.l_len = 1;
    if (::fcntl(fd, F_OFD_SETLK, &verrou) != 0) {
        const int code = errno;
        ::close(fd);
        if (code == EAGAIN || code == EACCES) return nullptr;
        throw WriteError(texte_creation_impossible, path, cause_de_errno(code));
    }
    if (!meme_fichier(fd, *posix)) {
        ::close(fd);
        return nullptr;
    }
    auto tenu = std::make_unique<VerrouPosix>(fd, *posix);
    errno = 0;
    const bool ecrit = ::ftruncate(fd, 0) == 0 &&
                       ::pwrite(fd, holder.data(), holder.size(), 0) == static_cast<ssize_t>(holder.size());
    if (!ecrit) throw WriteError(texte_erreur_ecriture, path, cause_de_errno(errno ? errno : ENOSPC));
    return tenu;
}

std::string PlateformePosix::lock_holder(const std::string& path) {
    const auto posix = chemin_posix(path);
    const int fd = posix ? ::open(posix->c_str(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0) return "";
    char tampon[4096];
    const ssize_t lus = ::pread(fd, tampon, sizeof tampon, 0);
    ::close(fd);
    return lus > 0 ? std::string(tampon, static_cast<std::size_t>(lus)) : "";
}

std::unique_ptr<Plateforme> creer_plateforme_systeme() { return std::make_unique<PlateformePosix>(); }

std::vector<std::string> arguments_programme(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace quorva
