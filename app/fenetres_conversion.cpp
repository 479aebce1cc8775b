#include "app/fenetres_conversion.h"

#include "base/fenetres_qt.h"
#include "chart/TForm_chart.h"
#include "conversion/TForm2.h"
#include "conversion/TForm_patience.h"

namespace quorva {

interface_conversion interface_fenetres(int langue, fenetres_conversion fenetres) {
    interface_conversion ui;
    ui.langue = langue;
    TForm_patience* patience = &fenetres.Form_patience;
    TForm2* form2 = &fenetres.Form2;
    TForm_chart* chart = &fenetres.Form_chart;
    ui.avance_progression = [patience] { patience->avancer(); };
    ui.masquer_patience = [patience] { patience->masquer(); };
    ui.montrer_patience = [patience] { patience->montrer(); };
    ui.question_taille = [form2](std::int32_t, int, std::int32_t facteur, std::int32_t nb_valeurs,
                                 std::int64_t nb_poursuivre) {
        return form2->demander(facteur, nb_valeurs, nb_poursuivre);
    };
    ui.montrer_graphique = [chart] { chart->montrer_modal(); };
    ui.reessayer_classeur = demander_reessayer;
    return ui;
}

}  // namespace quorva
