// The export watcher: at each tick of the toolbar's 4000 ms timer
// Timer_surveille, a recording newly exported by Audacity into dossier_enreg
// is converted (display pass with the chart, then the workbook) and its
// workbook opened.
//
// Wiring in the toolbar (TForm1 owns the QTimer Timer_surveille, 4000 ms,
// stopped at start, and the indicator Shape1):
//   ctx.audacity.armer_Timer_surveille = [this](bool actif) {
//       if (actif) Timer_surveille.start(); else Timer_surveille.stop(); };
//   on each timeout:
//       gere([&] { Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, actions); });
//   actions.colorer_indicateur = fill Shape1 with ctx.audacity.couleur_Shape1
//       (255 red, 16777215 white; it starts white) and repaint it;
//   actions.convertir = [&](const std::string& chemin, const options_conversion& options) {
//       return convertir(ctx, ctx.conversion, chemin, ui, options); };
//   actions.masquer_patience = hide TForm_patience, ProgressBar1 to 0.
// The tick catches its own errors (shown through ctx.erreur), so
// the guard around it is only a last resort.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/services.h"
#include "audacity/etat_audacity.h"
#include "conversion/etat_conversion.h"
#include "conversion/pilote_conversion.h"

namespace quorva {

// What the watcher needs from the conversion and the windows. Only
// convertir is required; an empty hook is skipped.
struct actions_surveillance {
    // The conversion of one recording (full path), normally
    // convertir(ctx, etat, chemin, ui, options) with the windows' interface:
    // progress window shown, display pass with the chart, workbook pass,
    // workbook opened.
    std::function<resultat_conversion(const std::string& chemin, const options_conversion& options)> convertir;
    // Hides TForm_patience and sets its progress bar back to 0.
    std::function<void()> masquer_patience;
    // Paints Shape1 in couleur_Shape1; called as the tick starts, before any
    // conversion.
    std::function<void()> colorer_indicateur;
};

// How many looks in a row may find a new "*.wav" unchanged and still not a
// WAV file before it is reported and left alone (5 ticks: 20 seconds).
constexpr int vues_avant_abandon = 5;

// One tick of Timer_surveille. Does nothing while the watcher is stopped or
// while a conversion runs (conversion.conversion_en_cours, which it sets
// during each of its own); otherwise toggles couleur_Shape1 (and shows it)
// and converts, one after the other, every new recording that is finished,
// and every known one exported again under its name (its size or time
// changed). An error is shown once through
// ctx.erreur and the watcher goes on. A recording that cannot be read (held
// by another program, its share gone) stays new and is tried again at the
// next looks; after vues_avant_abandon such looks (at once for a path too
// long) its error is
// shown once and it is left alone until it changes.
void Timer_surveilleTimer(services& ctx, etat_audacity& etat, etat_conversion& conversion,
                          const actions_surveillance& actions);

}  // namespace quorva
