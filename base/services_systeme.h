// The system services everything else stands on: the Windows generation
// probe, the special and temporary folders, the shell open (ExecuteFile) and
// the shared path values derived from them at start-up. Every call goes
// through the platform, so the rules run the same on the fake.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/ouvertures_shell.h"
#include "base/plateforme.h"

namespace quorva {

struct services;

// The names of the Windows generations, by the index the probe returns.
extern const std::array<const char*, 15> noms_windows;

// Whether the library exports an entry point of exactly that name.
bool existe_export(Plateforme& os, void* bibliotheque, const std::string& nom);

// The generation index (2 to 14) from the names kernel32 exports; 0
// ("Inconnu") when it exports none of them. Throws erreur_quorva with the
// system's text when the library cannot be found.
std::uint8_t detecte_windows(Plateforme& os);

// The value of version_windows for a generation index: "Vista" or "Seven"
// for 14 (after the folder "c:\Utilisateurs"), else the table's name;
// "Inconnu" for an index outside the table.
std::string nom_version_windows(Plateforme& os, std::uint8_t generation);

// The program folder (lower case A-Z, trailing backslash) from a command
// line; when the command line holds no backslash, or carries arguments after
// the program's path (a file dropped on the program), from the folder of the
// program file; when that is unknown too, from the command line, and
// without a backslash from `dossier_courant`.
std::string chemin_appli_de(const std::string& ligne_commande, const std::string& fichier_programme,
                            const std::string& dossier_courant = "");
// The same from the platform's command line and program file.
std::string derive_chemin_appli(Plateforme& os);

// A special folder by CSIDL number, as the system gives it; empty when the
// system has none.
std::string dossier_special(Plateforme& os, int csidl);
// The temporary folder as the system gives it; empty when it has none.
std::string dossier_temp(Plateforme& os);
// A desktop folder (CSIDL 25 common, 0 the user's) with a trailing
// backslash; empty when the system has no such folder (a bare "\" would be
// the root of the drive).
std::string dossier_bureau(Plateforme& os, int csidl);

// Asks the shell to open `fichier` with its associated application. The
// texts are passed whole, whatever their length. Returns the shell's result
// (32 or less: failure). On the platform alone the failure is silent, for a
// caller that has another way to try; with the services it is said
// (texte_echec_shell). With `clics`, the opens of one place the user clicks
// (the menu, the section windows): the same open asked again there within a
// moment is served once (ouvertures_shell.h).
std::intptr_t ExecuteFile(Plateforme& os, const std::string& fichier, const std::string& parametres,
                          const std::string& dossier, int mode);
std::intptr_t ExecuteFile(services& ctx, const std::string& fichier, const std::string& parametres,
                          const std::string& dossier, int mode);
std::intptr_t ExecuteFile(services& ctx, ouvertures_shell& clics, const std::string& fichier,
                          const std::string& parametres, const std::string& dossier, int mode);

// What the user is told when the shell could neither start nor open
// `fichier` (a result of 32 or less): which program or file, and why; for a
// document no program opens, where it is. `programme` names the program
// ("Audacity") instead of its file.
std::string texte_echec_shell(const std::string& fichier, std::intptr_t resultat, const std::string& programme = "");

// Fills ctx.chemins in the start-up order: chemin_temp, chemin_appli,
// generation_windows and version_windows, bureau_commun, bureau_utilisateur.
// Never leaves chemin_temp empty: without a system temporary folder it is
// the program folder. Throws erreur_quorva only when the probe cannot find
// the system library.
void remplir_chemins(services& ctx);
// Its two halves, for the start-up sequence, which makes the program folder
// the current one in between: chemin_temp and chemin_appli first, then the
// probe and the desktops (this one may throw).
void remplir_dossiers_programme(services& ctx);
void remplir_version_et_bureaux(services& ctx);

// The folder name of a computer's name (Plateforme::computer_name): the
// characters a file name cannot hold ("\/:*?"<>|" and control characters)
// become '_', trailing dots and blanks go (Windows drops them). Throws
// erreur_quorva naming the computer when nothing usable is left (empty, or
// a device name such as "CON").
std::string dossier_machine(std::string_view nom_ordinateur);

}  // namespace quorva
