// The three "Local" Audacity entries: the preferences made ready for the
// practical, the recording folder and its snapshot, Audacity started, and the
// export watcher started for the stick-slip practical.
//
// Wiring: the menu hooks ctx.menu.lancer_audacity_patin, _vitesse and
// _tables call LancerAudacityCl1Click, AudacityforspeedwaveUSBkey1Click and
// Audacityforshaketable1D2D1Click with ctx.audacity and the local copy's
// folder ctx.menu.chemins[slot_audacity], inside the toolbar's guard (their errors are
// erreur_quorva texts for the message box); after the stick-slip and
// shake-table launches the progress bar of TForm_patience goes back to 0.
// The watcher's timer follows etat_audacity::armer_Timer_surveille
// (audacity/surveillance.h).
#pragma once

#include <functional>
#include <string>

#include "base/services.h"
#include "audacity/etat_audacity.h"

namespace quorva {

// Starts (true) or stops (false) the export watcher: Timer_surveille_actif,
// and the toolbar's timer through armer_Timer_surveille when it is set.
void armer_surveillance(etat_audacity& etat, bool actif);

// The snapshot of known recordings: lists "*.wav" in dossier_enreg into
// FileListBox1 and copies it into ListBox1.
void prendre_instantane(services& ctx, etat_audacity& etat);

// Both launchers: a missing program file says "Audacity n'est pas
// installé" and nothing is written or started; preferences missing are
// written from the template first; paths are written as the system's own
// (Plateforme::native_path). Errors writing or reading the preferences are
// raised as erreur_quorva (a write error says that Audacity was not
// started): nothing is started then, and the watcher stays stopped.
//
// Stick-slip ("patin") and shake tables (empty practical).
void lancer_audacity(services& ctx, etat_audacity& etat, const std::string& tp);

// Wave speed: 22050 Hz, two channels; never starts the watcher.
void btn_lancer_audacity_vitesseClick(services& ctx, etat_audacity& etat);

// On a network drive (Plateforme::on_network_drive of mes_documents) the
// recording folder is the practical's folder followed by this machine's
// folder (dossier_machine), and the preferences are written and Audacity
// started only while this machine holds the lock of the preferences folder,
// which the system holds for it (audacity/partage_reseau.h,
// Plateforme::take_lock): when another machine holds it, the launch waits,
// the toolbar is told whom for (etat_audacity::annoncer_attente), and the
// toolbar's timer (armer_Timer_verrou, every 250 ms) calls Timer_verrouTimer,
// which runs it once the lock is free. The lock is held until a window titled
// "Audacity" shows, at most garde_verrou_max_ms. While a launch waits or
// Audacity starts under the lock, another click of an Audacity entry starts
// nothing. A computer name that cannot name a folder is raised as
// erreur_quorva and nothing is started.
void Timer_verrouTimer(services& ctx, etat_audacity& etat);
// Gives the lock back when this machine holds it (at the end of the run too).
void liberer_verrou_audacity(services& ctx, etat_audacity& etat);

// The menu entries. Each takes the local copy under `copie_locale` (slot_audacity
// of the menu's folder table; selection_copie_locale).
void LancerAudacityCl1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale);
void AudacityforspeedwaveUSBkey1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale);
void Audacityforshaketable1D2D1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale);

}  // namespace quorva
