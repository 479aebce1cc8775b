#include "audacity/partage_reseau.h"

namespace quorva {

namespace {

std::string_view machine_du_verrou(std::string_view contenu) { return contenu.substr(0, contenu.find('\r')); }

}  // namespace

decision_verrou regle_verrou(attente_verrou& attente, const std::optional<vue_verrou>& actuel,
                             std::string_view machine, std::int64_t maintenant_ms) {
    if (!actuel) {
        attente = {};
        return decision_verrou::prendre;
    }
    // This machine runs one Quorva: a lock in its name that this run does
    // not hold is an earlier run's, which ended without removing it.
    if (machine_du_verrou(actuel->contenu) == machine) return decision_verrou::reprendre;
    if (attente.vu != actuel) {
        attente.vu = actuel;
        attente.depuis_ms = maintenant_ms;
        return decision_verrou::attendre;
    }
    return maintenant_ms - attente.depuis_ms >= delai_reprise_verrou_ms ? decision_verrou::reprendre
                                                                      : decision_verrou::attendre;
}

}  // namespace quorva
