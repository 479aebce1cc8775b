// "Read marks" (also run one second after the chart opens) and OK, from
// the window's event to the conversion state: what each one changes, and
// what the chart then says. TForm_chart shows the texts and redraws.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/services.h"
#include "chart/historique_pointes.h"
#include "chart/vue_courbe.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// What the chart says after a command: a text for the status line and a
// text for a message box, each empty when there is nothing to say there.
struct compte_rendu {
    std::string ligne_etat;
    std::string message;
    bool pointes_lues = false;  // the marks of the recording's own file are in place
};

// Reads the marks file (Readmarks' rule, fichier_pointes.h): the marks of
// the recording's own file are one undoable step and the view opens again
// on the whole recording; a file of another recording changes nothing and
// is named in the status line, and in a message too when the pupil chose
// "Read marks". `automatique`: the read one second after the opening,
// silent when there is no file. A broken file raises erreur_quorva and
// changes nothing (a carried mark stays carried).
compte_rendu lire_pointes(const services& ctx, vue_courbe& vue, historique_pointes& historique,
                          etat_conversion& conversion, bool automatique, int langue);

// OK: a mark picked up or added but never dropped is removed, then the
// events are rebuilt from the marks and the marks saved (valider_pointes).
// A marks file that cannot be written raises erreur_quorva after the
// rebuild.
void valider_graphique(const services& ctx, vue_courbe& vue, etat_conversion& conversion);

// The event tables the chart opened with: the detected ones, or the marks
// of the recording's own file brought by the read one second after the
// opening (whose intervals are still the detected ones until a rebuild).
struct pointes_ouverture {
    std::array<point_xy, capacite_pointes + 1> pointes{};
    std::array<point_xy, capacite_pointes + 1> intervalles{};
    std::int32_t nb_pointes = 0;
    bool du_fichier = false;
};
pointes_ouverture retenir_pointes(const etat_conversion& conversion, bool du_fichier);

// Cancel gives up the pupil's edits for the workbook too: the tables go
// back to those the chart opened with, a file's marks rebuilt as OK would
// (so positions, intervals and energies agree); nothing is saved.
void abandonner_graphique(etat_conversion& conversion, const pointes_ouverture& ouverture);

}  // namespace quorva
