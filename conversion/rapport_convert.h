// The pages of quorva-convert: --report, --report-only and --class-report.
// Drawing them needs Qt's GUI library, which the plain conversion must not
// load (it would slow every start): quorva-convert is linked with
// sans_rapport.cpp and hands such a command line over to quorva-rapport,
// the same program linked with the drawing (rapport/avec_rapport.cpp).
#pragma once

#include <functional>
#include <string>

#include "base/services.h"
#include "conversion/etat_conversion.h"

namespace quorva::rapport_convert {

// True in the program that draws pages itself.
extern const bool disponible;

// Writes the page of the recording just read, from the event tables of the
// state (those its workbook holds); `validees`: the marks of a marks file
// or of OK, otherwise the page says they were only detected. erreur_quorva
// naming the file and the cause when it cannot be written.
void ecrire(services& ctx, const etat_conversion& etat, const std::string& chemin_wav,
            const std::string& chemin_rapport, int langue, bool validees);

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
