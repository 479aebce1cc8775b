// Where Audacity, its preferences and the recordings are: the installed-user
// layout found at start-up, and the program's own copy chosen by the "Local"
// menu entries.
#pragma once

#include <string>

#include "base/plateforme.h"
#include "base/services.h"
#include "audacity/etat_audacity.h"

namespace quorva {

// CSIDL numbers of the shell special folders used here.
constexpr int csidl_appdata = 26;
constexpr int csidl_personal = 5;
constexpr int csidl_common_programs = 23;
constexpr int csidl_profile = 40;  // the user's own folder (home on Linux)

// Start-up: sets chem_audacity, dossier_config_audacity, mes_documents,
// dossier_enreg and audacity_trouve, and appends its lines to the log. Needs
// ctx.chemins.chemin_appli, chemin_temp and version_windows.
void cherche_audacity(services& ctx, etat_audacity& etat);

struct programme_trouve {
    std::string chemin;
    bool installe_systeme = false;  // the system's own Audacity, not Quorva's copy
};

// The Audacity program of a folder (given with its trailing backslash): the
// first of the system's names for it found there ("audacity.exe" on
// Windows; "audacity", then "audacity.exe" elsewhere); else the system's
// own installed Audacity (none on Windows); else the folder's first name,
// a program file that is missing.
programme_trouve programme_audacity(Plateforme& os, const std::string& dossier);

// The folder where the system's own Audacity reads its preferences, with a
// trailing backslash: ".audacity-data" in the user's own folder when that
// folder exists (older releases made it, and later ones still read it
// first), else "audacity" in the settings folder (XDG_CONFIG_HOME on Linux).
std::string dossier_config_audacity_systeme(Plateforme& os);

// The "Local" entries: the four places become those of the copy of Audacity
// under `base` (the local copy's folder, slot 19 of the menu's folder table:
// the program folder or its data folder, with a trailing backslash). With the system's own
// Audacity instead, its preferences are those it reads itself
// (dossier_config_audacity_systeme).
void selection_copie_locale(services& ctx, etat_audacity& etat, const std::string& base);

}  // namespace quorva
