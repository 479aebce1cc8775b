// "Read marks" (also run one second after the chart opens) and OK, from
// the window's event to the conversion state: what each one changes, and
// what the chart then says. TForm_chart shows the texts and redraws.
#pragma once

#include <string>

#include "app/base/services.h"
#include "chart/historique_pointes.h"
#include "chart/vue_courbe.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// What the chart says after a command: a text for the status line and a
// text for a message box, each empty when there is nothing to say there.
struct compte_rendu {
    std::string ligne_etat;
    std::string message;
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

}  // namespace quorva
