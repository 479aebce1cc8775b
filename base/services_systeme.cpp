#include "base/services_systeme.h"

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/services.h"
#include "base/texte.h"

namespace quorva {

const std::array<const char*, 15> noms_windows = {
    "Inconnu",       "Windows 3.1",    "Windows 95",     "Windows 95 OSR 2", "Windows 98",
    "Windows 98 SE", "Windows Me",     "Windows 9x",     "Windows NT 3.5",   "Windows NT 4",
    "Windows 2000",  "XP",             "Windows NT",     "Windows Server 2003", "Windows Vista/7"};

namespace {

// Newest first: each name appeared in kernel32 with one generation, so the
// first one found tells the generation.
struct echelon {
    const char* export_teste;
    std::uint8_t generation;
};
constexpr std::array<echelon, 10> echelle = {{
    {"GetLocaleInfoEx", 14},
    {"GetLargePageMinimum", 13},
    {"GetNativeSystemInfo", 11},
    {"ReplaceFile", 10},
    {"OpenThread", 6},
    {"GetThreadPriorityBoost", 9},
    {"IsDebuggerPresent", 4},
    {"GetDiskFreeSpaceEx", 3},
    {"ConnectNamedPipe", 8},
    {"Beep", 2},
}};

}  // namespace

bool existe_export(Plateforme& os, void* bibliotheque, const std::string& nom) {
    // The system wants a NUL-terminated name: anything after a NUL is not
    // part of it.
    return os.library_exports(bibliotheque, nom.substr(0, nom.find('\0')));
}

std::uint8_t detecte_windows(Plateforme& os) {
    void* const noyau = os.system_library();
    for (const auto& [nom, generation] : echelle)
        if (existe_export(os, noyau, nom)) return generation;
    return 0;
}

std::string nom_version_windows(Plateforme& os, std::uint8_t generation) {
    if (generation == 14) return os.folder_exists("c:\\Utilisateurs") ? "Vista" : "Seven";
    return generation < noms_windows.size() ? noms_windows[generation] : noms_windows[0];
}

namespace {

// Whether the command line carries arguments after the program's own path:
// the program part runs to the first blank or tab outside double quotes, as
// Windows reads it.
bool porte_des_arguments(const std::string& ligne_commande) {
    bool entre_guillemets = false;
    std::size_t i = 0;
    for (; i < ligne_commande.size(); ++i) {
        const char c = ligne_commande[i];
        if (c == '"') entre_guillemets = !entre_guillemets;
        else if (!entre_guillemets && (c == ' ' || c == '\t')) break;
    }
    return ligne_commande.find_first_not_of(" \t", i) != std::string::npos;
}

}  // namespace

std::string chemin_appli_de(const std::string& ligne_commande, const std::string& fichier_programme,
                            const std::string& dossier_courant) {
    // A file dropped on the program ("Open with") comes as an argument: its
    // folder is not the program's. The program file says where we are.
    const bool par_fichier = !fichier_programme.empty() && porte_des_arguments(ligne_commande);
    const auto barre = par_fichier ? std::string::npos : ligne_commande.rfind('\\');
    std::string chemin;
    if (barre != std::string::npos) {
        for (const char c : ligne_commande.substr(0, barre))
            if (c != '"') chemin += c;
        if (!chemin.empty() && chemin.back() == ' ') chemin.pop_back();
        // A program started from a share may be named "\\?\UNC\server\share\..."
        // (Wine does): the folder is "\\server\share\...", as Windows' own
        // programs and the shell take it; "\\?\C:\..." is "C:\...".
        if (chemin.starts_with("\\\\?\\")) {
            chemin.erase(0, 4);
            if (egal_sans_casse(std::string_view(chemin).substr(0, 4), "UNC\\")) {
                chemin.erase(0, 2);  // "UNC\x" becomes "\\x"
                chemin[0] = '\\';
            }
        }
    } else {
        // Started without a Windows path (a POSIX shell, a bare name found on
        // PATH): the folder of the program file itself.
        const auto separateur = fichier_programme.find_last_of("\\/");
        if (separateur != std::string::npos) chemin = fichier_programme.substr(0, separateur);
        if (separateur == 0) chemin = fichier_programme.substr(0, 1);  // program at the root "/"
        if (chemin.empty()) chemin = dossier_courant;
    }
    // Windows compares names without case; a POSIX folder keeps its real
    // case, which is also how it is shown.
    const bool posix = barre == std::string::npos && separateur_de(chemin) == '/';
    if (!posix) chemin = minuscules_ascii(chemin);
    // A POSIX folder ending in "/" (the root) is already a folder text.
    const bool fini = !chemin.empty() && (chemin.back() == '\\' || (posix && chemin.back() == '/'));
    if (!fini) chemin += posix ? '/' : '\\';
    return chemin;
}

std::string derive_chemin_appli(Plateforme& os) {
    return chemin_appli_de(os.command_line(), os.program_file(), os.current_folder());
}

std::string dossier_special(Plateforme& os, int csidl) { return os.special_folder(csidl); }

std::string dossier_temp(Plateforme& os) { return os.temp_folder(); }

std::string dossier_bureau(Plateforme& os, int csidl) {
    const std::string dossier = dossier_special(os, csidl);
    return avec_barre_finale(dossier);
}

std::intptr_t ExecuteFile(Plateforme& os, const std::string& fichier, const std::string& parametres,
                          const std::string& dossier, int mode) {
    return os.shell_open(fichier, parametres, dossier, mode);
}

std::intptr_t ExecuteFile(services& ctx, const std::string& fichier, const std::string& parametres,
                          const std::string& dossier, int mode) {
    const std::intptr_t resultat = ExecuteFile(ctx.os, fichier, parametres, dossier, mode);
    if (resultat <= 32) ctx.erreur(texte_echec_shell(fichier, resultat));
    return resultat;
}

std::intptr_t ExecuteFile(services& ctx, ouvertures_shell& clics, const std::string& fichier,
                          const std::string& parametres, const std::string& dossier, int mode) {
    // The same open asked again at once from the same place (a double-click)
    // was served already.
    if (clics.repetition(fichier, parametres, dossier)) return 42;
    return ExecuteFile(ctx, fichier, parametres, dossier, mode);
}

std::string texte_echec_shell(const std::string& fichier, std::intptr_t resultat, const std::string& programme) {
    const std::string nom = nom_de(fichier);
    const auto point = nom.rfind('.');
    const std::string extension = point == std::string::npos ? "" : minuscules_ascii(nom.substr(point));
    // The shell's results (SE_ERR_*), which are also the system's codes below 32.
    if (resultat == 27 || resultat == 31) {
        if (extension.empty()) return "Aucun programme n'ouvre le fichier " + fichier + " sur cet ordinateur.";
        return "Aucun programme n'ouvre les fichiers " + extension + " sur cet ordinateur : le fichier est ici : " +
               fichier;
    }
    std::string raison;
    switch (resultat) {
        case 0: raison = "le système l'a refusé"; break;
        case 2: raison = "fichier introuvable"; break;
        case 3: raison = "dossier introuvable"; break;
        case 5: raison = "accès refusé"; break;
        case 8: raison = "mémoire insuffisante"; break;
        case 11: raison = "ce n'est pas un programme pour ce système"; break;
        case 26: raison = "fichier utilisé par un autre programme"; break;
        case 28: case 29: case 30: raison = "le programme n'a pas répondu"; break;
        case 32: raison = "une bibliothèque du programme manque"; break;
        default: raison = "erreur " + std::to_string(resultat);
    }
    if (!programme.empty()) return programme + " n'a pas pu être démarré (" + raison + ") : " + fichier;
    const bool est_programme = extension.empty() || extension == ".exe" || extension == ".com" ||
                               extension == ".bat" || extension == ".cmd";
    if (est_programme) return "Le programme " + fichier + " n'a pas pu être démarré (" + raison + ").";
    return "Le fichier " + fichier + " n'a pas pu être ouvert (" + raison + ").";
}

void remplir_chemins(services& ctx) {
    remplir_dossiers_programme(ctx);
    remplir_version_et_bureaux(ctx);
}

void remplir_dossiers_programme(services& ctx) {
    auto& chemins = ctx.chemins;
    chemins.chemin_temp = dossier_temp(ctx.os);
    chemins.chemin_appli = derive_chemin_appli(ctx.os);
    // Without a temporary folder the language preference would land in the
    // current folder, wherever that is: the program folder is at least known.
    if (chemins.chemin_temp.empty()) chemins.chemin_temp = chemins.chemin_appli;
}

void remplir_version_et_bureaux(services& ctx) {
    auto& chemins = ctx.chemins;
    chemins.generation_windows = detecte_windows(ctx.os);
    chemins.version_windows = nom_version_windows(ctx.os, chemins.generation_windows);
    chemins.bureau_commun = dossier_bureau(ctx.os, 25);
    chemins.bureau_utilisateur = dossier_bureau(ctx.os, 0);
}

namespace {

// Names Windows keeps for its devices, whatever follows a dot.
bool nom_de_peripherique(const std::string& nom) {
    const std::string_view base = std::string_view(nom).substr(0, nom.find('.'));
    for (const std::string_view appareil : {"CON", "PRN", "AUX", "NUL"})
        if (egal_sans_casse(base, appareil)) return true;
    return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
           (egal_sans_casse(base.substr(0, 3), "COM") || egal_sans_casse(base.substr(0, 3), "LPT"));
}

}  // namespace

std::string dossier_machine(std::string_view nom_ordinateur) {
    std::string dossier;
    for (const char c : nom_ordinateur) {
        const bool interdit =
            static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
        dossier += interdit ? '_' : c;
    }
    while (!dossier.empty() && (dossier.back() == '.' || dossier.back() == ' ')) dossier.pop_back();
    if (dossier.empty() || nom_de_peripherique(dossier))
        throw erreur_quorva(message(
            "Quorva est sur un lecteur réseau : chaque ordinateur y enregistre dans un dossier à son nom, mais le "
            "nom de cet ordinateur (« %s ») ne peut pas nommer un dossier. Renommez l'ordinateur, ou copiez Quorva "
            "sur une clé USB ou sur son disque.",
            std::string(nom_ordinateur)));
    return dossier;
}

}  // namespace quorva
