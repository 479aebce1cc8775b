// Audacity's preferences file "audacity.cfg", handled as a plain list of
// lines: the template written when there is none, the two lines inserted for
// the open and export folders, and the keys each practical sets.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/plateforme.h"

namespace quorva {

// Memo_config_audacity: the preferences written when the file does not exist.
extern const std::array<std::string_view, 104> Memo_config_audacity;

// A folder path as Audacity stores it in this file: every backslash doubled.
std::string echappe_chemin(const std::string& chemin);

// Adds "DefaultOpenPath=" after "[Directories]" and "DefaultExportPath="
// after the line that follows "[Export]", unless a "DefaultOpenPath=" line is
// already there.
void inserer_cles_dossiers(std::vector<std::string>& lignes);

// What a practical sets in the preferences: the open and "Path=" folders
// and Audacity 3's open and export folders always, Audacity 2's
// "DefaultExportPath=" too or not, and the recording format.
struct reglage_audacity {
    bool dossier_export = false;    // "DefaultExportPath=" set
    std::string_view frequence;     // "DefaultProjectSampleRate="
    std::string_view format;        // "DefaultProjectSampleFormat="
    std::string_view canaux;        // "RecordChannels="
};

// Stick-slip (and shake tables): open, export and "Path=" folders, 1000 Hz,
// 16-bit samples, one channel.
inline constexpr reglage_audacity reglage_patin{true, "1000", "131073", "1"};
// Wave speed: open and "Path=" folders, 22050 Hz, 32-bit float samples, two
// channels; the "DefaultExportPath=" line is kept.
inline constexpr reglage_audacity reglage_vitesse{false, "22050", "262159", "2"};

// Sets the keys of a practical on the recording folder, given as Audacity is
// to read it (the system's own path, Plateforme::native_path); it is written
// escaped. Audacity 3's folders ("Default=" of "[Directories/Open]" and
// "[Directories/Export]") too, their sections added at the end when
// missing.
void regler_cles(std::vector<std::string>& lignes, const std::string& dossier_enreg, const reglage_audacity& reglage);

// Stick-slip: the recording folder is given with its trailing separator.
void regler_cles_patin(std::vector<std::string>& lignes, const std::string& dossier_enreg);

// Wave speed: the recording folder is given without trailing separator.
void regler_cles_vitesse(std::vector<std::string>& lignes, const std::string& dossier_enreg);

// Reads the file into lines; throws "Impossible d'ouvrir le fichier %s" when
// it cannot be read.
std::vector<std::string> charger_lignes(Plateforme& os, const std::string& fichier);

// Writes the lines (CR LF) through a temporary file put in place at the end:
// on any failure the previous file stays whole. Throws "Impossible de
// créer le fichier %s" (or the write error) on failure.
void sauver_lignes(Plateforme& os, const std::string& fichier, const std::vector<std::string>& lignes);

}  // namespace quorva
