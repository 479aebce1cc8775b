// The chart's snap setting ("Snap marks to the onset"), remembered between
// runs in a small file of its own beside the language preference:
// chemin_temp + "quorva\accroche_quorva.txt", one line "accroche=1" (on) or
// "accroche=0" (off), CR LF.
#pragma once

#include "base/services.h"

namespace quorva {

// Off when the file is absent, unreadable or says anything else.
bool lire_accroche(const services& ctx);

// Writes the file (its folder made when missing), atomically. Throws
// erreur_quorva when it cannot be written; the old file then stays.
void ecrire_accroche(const services& ctx, bool actif);

}  // namespace quorva
