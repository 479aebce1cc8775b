// The one exception type of the program. It carries the text shown to the
// user, in the program's own words (UTF-8).
#pragma once

#include <stdexcept>
#include <string>

namespace quorva {

class erreur_quorva : public std::runtime_error {
public:
    explicit erreur_quorva(const std::string& message) : std::runtime_error(message) {}
};

// Replaces the first "%s" of `modele` with `valeur`:
// message("Impossible de créer le fichier %s", chemin).
std::string message(const std::string& modele, const std::string& valeur);

}  // namespace quorva
