// The report of quorva-convert --report. Drawing it needs Qt's GUI library,
// which the plain conversion must not load (it would slow every start):
// quorva-convert is linked with sans_rapport.cpp and hands a command line
// with --report over to quorva-rapport, the same program linked with the
// drawing (rapport/avec_rapport.cpp).
#pragma once

#include <string>
#include <string_view>

#include "base/services.h"
#include "base/texte.h"
#include "conversion/detection.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// Whether a path names a report's file: a name, then ".pdf" or ".png"
// (whatever the case); and whether it is a PNG one.
inline bool est_rapport_png(const std::string& chemin) {
    return chemin.size() > 4 && egal_sans_casse(std::string_view(chemin).substr(chemin.size() - 4), ".png");
}
inline bool est_nom_de_rapport(const std::string& chemin) {
    return est_rapport_png(chemin) ||
           (chemin.size() > 4 && egal_sans_casse(std::string_view(chemin).substr(chemin.size() - 4), ".pdf"));
}

}  // namespace quorva

namespace quorva::rapport_convert {

// True in the program that draws reports itself.
extern const bool disponible;

// Writes the report of the recording just converted: its samples from
// `etat`, its events from `tables` (those its workbook holds), `origine`
// said in the heading (erreur_quorva naming the file and the cause when it
// cannot be written).
void ecrire(services& ctx, const etat_conversion& etat, const tables_evenements& tables, origine_pointes origine,
            const std::string& chemin_wav, const std::string& chemin_rapport, int langue);

// Ends what the reports needed (Qt's GUI part), before the program's end.
void terminer();

}  // namespace quorva::rapport_convert
