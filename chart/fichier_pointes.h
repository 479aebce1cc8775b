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

#include "app/contexte.h"

namespace quorva {

// Save marks: writes fichier_pointes (atomically). Throws erreur_quorva when
// it cannot be written; the previous file then stays as it was.
void Savemarks(contexte& ctx);

// Read marks: when fichier_pointes exists, reads it into temporaries and only
// then replaces echantillons / nb_echantillons (and the marks when the
// "Pointes" line is at its place). Returns true when the samples were
// replaced (the chart then re-initialises its view), false when there is no
// marks file. A broken file raises erreur_quorva and changes nothing. Every
// sample is kept (the buffer grows with them), and the first 100 marks.
bool Readmarks(contexte& ctx);

}  // namespace quorva
