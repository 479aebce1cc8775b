#include "base/erreur.h"

namespace quorva {

std::string message(const std::string& modele, const std::string& valeur) {
    std::string texte = modele;
    const auto position = texte.find("%s");
    if (position != std::string::npos) texte.replace(position, 2, valeur);
    return texte;
}

}  // namespace quorva
