// The pages of quorva-convert: --report, --report-only and --class-report.
// Drawing them needs Qt's GUI library, which the plain conversion must not
// load (it would slow every start): quorva-convert is linked with
// sans_rapport.cpp and hands such a command line over to quorva-rapport,
// the same program linked with the drawing (rapport/avec_rapport.cpp).
#pragma once

#include <functional>
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

// True in the program that draws pages itself.
extern const bool disponible;

// Writes the report of the recording just read: its samples from `etat`,
// its events from `tables` (those its workbook holds), `origine` said in
// the heading (erreur_quorva naming the file and the cause when it cannot
// be written).
void ecrire(services& ctx, const etat_conversion& etat, const tables_evenements& tables, origine_pointes origine,
            const std::string& chemin_wav, const std::string& chemin_rapport, int langue);

// The class summary of a folder (rapport/synthese_classe.h) into
// chemin_page (empty: the one it proposes in the folder), its workbook
// beside it; one line per recording read through `progression`. Returns
// the page's path, with how many recordings or folders could not be read
// in `illisibles`; raises erreur_quorva when the page or the workbook
// cannot be written.
std::string synthese(services& ctx, const std::string& dossier, const std::string& chemin_page, int langue,
                     const std::function<void(const std::string&)>& progression, int& illisibles);

// Ends what the pages needed (Qt's GUI part), before the program's end.
void terminer();

}  // namespace quorva::rapport_convert
