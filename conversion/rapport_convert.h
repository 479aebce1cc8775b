// The report of quorva-convert --report. Drawing it needs Qt's GUI library,
// which the plain conversion must not load (it would slow every start):
// quorva-convert is linked with sans_rapport.cpp and hands a command line
// with --report over to quorva-rapport, the same program linked with the
// drawing (rapport/avec_rapport.cpp).
#pragma once

#include <string>

#include "base/services.h"
#include "conversion/etat_conversion.h"

namespace quorva::rapport_convert {

// True in the program that draws reports itself.
extern const bool disponible;

// Writes the report of the recording just converted (erreur_quorva naming
// the file and the cause when it cannot be written).
void ecrire(services& ctx, const etat_conversion& etat, const std::string& chemin_wav,
            const std::string& chemin_rapport, int langue);

// Ends what the reports needed (Qt's GUI part), before the program's end.
void terminer();

}  // namespace quorva::rapport_convert
