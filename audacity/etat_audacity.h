// Where Audacity lives, and what the export watcher knows.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/plateforme.h"

namespace quorva {

// Colours of the watcher's indicator (Shape1), as the toolbar stores them.
constexpr std::uint32_t couleur_rouge = 255;
constexpr std::uint32_t couleur_blanche = 16777215;

// A new (or changed) name of the recording folder that could not be
// converted yet: its stamp at the last look and how many looks in a row found
// it unchanged and still no recording, and how many could not read
// it (held by another program, a share gone).
struct attente_enregistrement {
    std::optional<FileStamp> empreinte;
    int vues_sans_changement = 0;
    int lectures_impossibles = 0;
};

// A program folder on a network drive: the lock of the preferences folder,
// held from the preferences' write until Audacity's window shows, so that
// the Audacity of each machine reads the preferences written for it.
struct verrou_audacity {
    std::string fichier;  // the lock file waited for or held
    std::string machine;  // this machine's folder name, written in it
    std::unique_ptr<HeldLock> tenu;  // set while the system holds it for us
    std::int64_t pris_ms = 0;        // when it was taken (horloge_ms)
    // The launch waiting for the lock (the preferences written and Audacity
    // started); empty when none waits.
    std::function<void()> suite;
    // The holder the toolbar was told of while the launch waits.
    std::optional<std::string> poste_annonce;
};

struct etat_audacity {
    // Location (set at start-up, then by every "Local" launch).
    std::string chem_audacity;            // the Audacity program file
    std::string dossier_config_audacity;  // holds audacity.cfg; trailing backslash when set
    std::string mes_documents;            // recording folders are made under it; trailing backslash
    std::string dossier_enreg;            // the recording folder; no trailing backslash
    std::uint8_t audacity_trouve = 0;

    // Parameter handed to Audacity (the shake-table project); cleared after
    // every launch.
    std::string fichier_a_ouvrir;

    // FileListBox1: the "*.wav" names of dossier_enreg at the last look.
    std::vector<std::string> FileListBox1;
    // ListBox1: the names of the recordings already known (not converted
    // again while they stay as they were).
    std::vector<std::string> ListBox1;
    // The stamp of each known recording when it was last seen: one exported
    // again under the same name changes it and is converted again.
    std::map<std::string, FileStamp> empreintes;

    // The export watcher: Timer_surveille's state and the indicator Shape1.
    bool Timer_surveille_actif = false;
    std::uint32_t couleur_Shape1 = couleur_blanche;
    // Called whenever the watcher is started or stopped, so that the toolbar
    // starts or stops its 4000 ms timer. Optional.
    std::function<void(bool actif)> armer_Timer_surveille;
    // Bumped by every launch, so that a tick that ends after a launch made
    // during it does not undo what the launch decided.
    std::uint32_t nb_lancements = 0;

    // The lock of a shared program folder, and the toolbar's timer that
    // looks at it again (Timer_verrouTimer, audacity/lancement_audacity.h).
    verrou_audacity verrou;
    std::function<void(bool actif)> armer_Timer_verrou;
    // Told while a launch waits for another machine's lock: the holder's
    // machine (empty when it cannot be read); nothing once it waits no more.
    // Optional.
    std::function<void(const std::optional<std::string>& poste)> annoncer_attente;
    // A steady clock in milliseconds (tests set their own).
    std::function<std::int64_t()> horloge_ms = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };

    // New names that were not yet a finished recording at their last look.
    std::map<std::string, attente_enregistrement> en_attente;
    // The "folder not found" message was shown; cleared when it is back.
    bool dossier_enreg_absent = false;
};

}  // namespace quorva
