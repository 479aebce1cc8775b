// The marks file beside the recording (fichier_pointes = recording + ".txt"):
// the samples and the marks, so that the user's corrections survive.
//
//   nb_echantillons
//   echantillons[1..nb_echantillons], one per line (15 digits, system separator)
//   Pointes
//   nb_pointes
//   x and y of each mark, two lines each, 23-character exponent format
//
// Lines end with CR LF; the reader accepts LF too.
#pragma once

#include "app/base/services.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// Save marks: writes fichier_pointes (atomically). Throws erreur_quorva when
// it cannot be written; the previous file then stays as it was.
void Savemarks(const services& ctx, const etat_conversion& etat);

// Read marks: when fichier_pointes exists, reads it into temporaries and only
// then replaces echantillons / nb_echantillons (and the marks when the
// "Pointes" line is at its place). Returns true when the samples were
// replaced (the chart then re-initialises its view), false when there is no
// marks file. A broken file raises erreur_quorva and changes nothing. Every
// sample is kept (the buffer grows with them), and the first 100 marks.
bool Readmarks(const services& ctx, etat_conversion& etat);

// Is there a marks file beside the recording?
bool pointes_enregistrees(const services& ctx, const etat_conversion& etat);

// The chart's OK (and quorva-convert --accept): the events rebuilt from the
// marks (reconstruit_pointes), then the marks saved. A marks file that
// cannot be written raises erreur_quorva after the rebuild: the conversion
// goes on with the rebuilt events.
void valider_pointes(const services& ctx, etat_conversion& etat);

}  // namespace quorva
