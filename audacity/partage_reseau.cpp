#include "audacity/partage_reseau.h"

#include "app/base/erreur.h"
#include "app/base/texte.h"

namespace quorva {

namespace {

// Names Windows keeps for its devices, whatever follows a dot.
bool nom_de_peripherique(const std::string& nom) {
    const std::string_view base = std::string_view(nom).substr(0, nom.find('.'));
    for (const std::string_view appareil : {"CON", "PRN", "AUX", "NUL"})
        if (egal_sans_casse(base, appareil)) return true;
    return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
           (egal_sans_casse(base.substr(0, 3), "COM") || egal_sans_casse(base.substr(0, 3), "LPT"));
}

std::string_view machine_du_verrou(std::string_view contenu) { return contenu.substr(0, contenu.find('\r')); }

}  // namespace

std::string dossier_machine(std::string_view nom_ordinateur) {
    std::string dossier;
    for (const char c : nom_ordinateur) {
        const bool interdit =
            static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
        dossier += interdit ? '_' : c;
    }
    while (!dossier.empty() && (dossier.back() == '.' || dossier.back() == ' ')) dossier.pop_back();
    if (dossier.empty() || nom_de_peripherique(dossier))
        throw erreur_quorva(message(
            "Quorva est sur un lecteur réseau : chaque ordinateur y enregistre dans un dossier à son nom, mais le "
            "nom de cet ordinateur (« %s ») ne peut pas nommer un dossier. Renommez l'ordinateur, ou copiez Quorva "
            "sur une clé USB ou sur son disque.",
            std::string(nom_ordinateur)));
    return dossier;
}

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
