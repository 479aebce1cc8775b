#include "audacity/preferences_audacity.h"

#include <algorithm>

#include "base/erreur.h"
#include "base/lecture_bornee.h"
#include "base/texte.h"

namespace quorva {

const std::array<std::string_view, 104> Memo_config_audacity = {
    "NewPrefsInitialized=1",
    "Version=2.0.2",
    "PrefsVersion=1.1.1r1",
    "SnapTo=0",
    "[Version]",
    "Major=2",
    "Minor=0",
    "Micro=2",
    "[Directories]",
    "TempDir=",
    "[AudioIO]",
    "RecordingDevice=Realtek HD Audio Input",
    "Host=MME",
    "PlaybackDevice=Realtek HD Audio output",
    "RecordingSourceIndex=0",
    "RecordingSource=Volume CD",
    "RecordChannels=2",
    "[FFmpeg]",
    "Enabled=0",
    "[Window]",
    "X=0",
    "Y=0",
    "Width=780",
    "Height=620",
    "Maximized=0",
    "Normal_X=0",
    "Normal_Y=0",
    "Normal_Width=780",
    "Normal_Height=620",
    "Iconized=0",
    "[GUI]",
    "[GUI/ToolBars]",
    "[GUI/ToolBars/Control]",
    "Dock=1", "Order=1", "Show=1", "X=-1", "Y=-1", "W=327", "H=55",
    "[GUI/ToolBars/Tools]",
    "Dock=1", "Order=2", "Show=1", "X=-1", "Y=-1", "W=94", "H=55",
    "[GUI/ToolBars/Meter]",
    "Dock=1", "Order=3", "Show=1", "X=-1", "Y=-1", "W=338", "H=55",
    "[GUI/ToolBars/Mixer]",
    "Dock=1", "Order=4", "Show=1", "X=-1", "Y=-1", "W=323", "H=27",
    "[GUI/ToolBars/Edit]",
    "Dock=1", "Order=5", "Show=1", "X=-1", "Y=-1", "W=377", "H=27",
    "[GUI/ToolBars/Transcription]",
    "Dock=1", "Order=6", "Show=1", "X=-1", "Y=-1", "W=140", "H=27",
    "[GUI/ToolBars/Selection]",
    "Dock=2", "Order=1", "Show=1", "X=-1", "Y=-1", "W=665", "H=55",
    "[GUI/ToolBars/Device]",
    "Dock=1", "Order=7", "Show=1", "X=-1", "Y=-1", "W=620", "H=27",
    "[Export]",
    "Format=WAV",
    "Path=",
    "DefaultProjectSampleRate=22050",
    "DefaultProjectSampleFormat=262159",
    "[SamplingRate]",
    "DefaultProjectSampleRate=22050",
    "DefaultProjectSampleFormat=262159",
};

std::string echappe_chemin(const std::string& chemin) {
    std::string resultat;
    resultat.reserve(chemin.size() + 8);
    for (const char c : chemin) {
        resultat += c;
        if (c == '\\') resultat += '\\';
    }
    return resultat;
}

namespace {

bool contient(const std::string& ligne, std::string_view cle) { return ligne.find(cle) != std::string::npos; }

// Position of the last line containing `texte`; 0 when none (the first line
// counts as none too, which is how the positions below were always taken).
std::size_t derniere_position(const std::vector<std::string>& lignes, std::string_view texte) {
    std::size_t position = 0;
    for (std::size_t i = 0; i < lignes.size(); ++i)
        if (contient(lignes[i], texte)) position = i;
    return position;
}

// An insertion past the end of a short file goes at its end.
void inserer(std::vector<std::string>& lignes, std::size_t position, std::string ligne) {
    position = std::min(position, lignes.size());
    lignes.insert(lignes.begin() + static_cast<std::ptrdiff_t>(position), std::move(ligne));
}

// Audacity 3 reads its default folders from "Default=" in the sections
// "[Directories/Open]" and "[Directories/Export]" (Audacity 2 from the keys
// above): the key is set in its section, which is added at the end of the
// file when there is none.
void regler_dossier_audacity3(std::vector<std::string>& lignes, std::string_view operation, const std::string& valeur) {
    const std::string section = "[Directories/" + std::string(operation) + "]";
    const auto debut = std::find(lignes.begin(), lignes.end(), section);
    if (debut == lignes.end()) {
        lignes.push_back(section);
        lignes.push_back("Default=" + valeur);
        return;
    }
    for (auto ligne = debut + 1; ligne != lignes.end() && !commence_par(*ligne, "["); ++ligne)
        if (commence_par(*ligne, "Default=")) {
            *ligne = "Default=" + valeur;
            return;
        }
    lignes.insert(debut + 1, "Default=" + valeur);
}

}  // namespace

void inserer_cles_dossiers(std::vector<std::string>& lignes) {
    const bool a_ouverture =
        std::any_of(lignes.begin(), lignes.end(), [](const std::string& l) { return contient(l, "DefaultOpenPath="); });
    if (a_ouverture) return;
    std::size_t repertoires = derniere_position(lignes, "[Directories]");
    if (repertoires == 0) repertoires = 1;
    inserer(lignes, repertoires + 1, "DefaultOpenPath=");
    std::size_t exportation = derniere_position(lignes, "[Export]");
    if (exportation == 0) exportation = 1;
    inserer(lignes, exportation + 2, "DefaultExportPath=");
}

void regler_cles(std::vector<std::string>& lignes, const std::string& dossier_enreg, const reglage_audacity& reglage) {
    const std::string chemin = echappe_chemin(dossier_enreg);
    // The first rule that applies to a line wins.
    for (auto& ligne : lignes) {
        if (reglage.dossier_export && contient(ligne, "DefaultExportPath="))
            ligne = "DefaultExportPath=" + chemin;
        else if (contient(ligne, "DefaultOpenPath="))
            ligne = "DefaultOpenPath=" + chemin;
        else if (commence_par(ligne, "Path="))
            ligne = "Path=" + chemin;
        else if (contient(ligne, "DefaultProjectSampleRate="))
            ligne = "DefaultProjectSampleRate=" + std::string(reglage.frequence);
        else if (contient(ligne, "DefaultProjectSampleFormat="))
            ligne = "DefaultProjectSampleFormat=" + std::string(reglage.format);
        else if (contient(ligne, "RecordChannels="))
            ligne = "RecordChannels=" + std::string(reglage.canaux);
    }
    // Audacity 3 proposes its export folder for every export, as Audacity 2
    // did "Path=": both follow the practical.
    regler_dossier_audacity3(lignes, "Open", chemin);
    regler_dossier_audacity3(lignes, "Export", chemin);
}

void regler_cles_patin(std::vector<std::string>& lignes, const std::string& dossier_enreg) {
    regler_cles(lignes, dossier_enreg, reglage_patin);
}

void regler_cles_vitesse(std::vector<std::string>& lignes, const std::string& dossier_enreg) {
    regler_cles(lignes, dossier_enreg, reglage_vitesse);
}

std::vector<std::string> charger_lignes(Plateforme& os, const std::string& fichier) {
    // Audacity's own file is a few kilobytes: a larger one is left alone
    // rather than read and written back whole.
    return decouper_lignes(lire_fichier_borne(os, fichier, 16u << 20));
}

void sauver_lignes(Plateforme& os, const std::string& fichier, const std::vector<std::string>& lignes) {
    auto sortie = os.create_file(fichier);
    sortie->write(joindre_lignes(lignes));
    sortie->commit();
}

}  // namespace quorva
