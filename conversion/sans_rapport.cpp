// quorva-convert itself draws no page (conversion/rapport_convert.h).
#include "base/erreur.h"
#include "conversion/rapport_convert.h"

namespace quorva::rapport_convert {

const bool disponible = false;

void ecrire(services&, const etat_conversion&, const tables_evenements&, origine_pointes, const std::string&,
            const std::string&, int) {
    throw erreur_quorva("quorva-convert draws no report: quorva-rapport does");
}

std::string synthese(services&, const std::string&, const std::string&, int,
                     const std::function<void(const std::string&)>&, int&) {
    throw erreur_quorva("quorva-convert draws no class summary: quorva-rapport does");
}

void terminer() {}

}  // namespace quorva::rapport_convert
