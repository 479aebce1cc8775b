#include "audacity/partage_reseau.h"

namespace quorva {

std::string contenu_verrou(std::string_view machine) { return std::string(machine) + "\r\n"; }

std::string poste_du_verrou(std::string_view contenu) {
    return std::string(contenu.substr(0, contenu.find_first_of("\r\n")));
}

std::string texte_attente_verrou(const std::string& poste, int langue) {
    if (langue == 2) return "Audacity démarre après " + (poste.empty() ? "l'autre poste" : poste) + "…";
    return "Audacity starts after " + (poste.empty() ? "the other computer" : poste) + "…";
}

}  // namespace quorva
