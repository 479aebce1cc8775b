// What every subsystem stands on: the platform, the decimal separator read
// once at start, the program's path values, the window search data, the
// diagnostic log and the message box. Subsystem routines take this and the
// state of their own subsystem, never the whole program context.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/base/chemins.h"
#include "app/base/plateforme.h"
#include "app/base/recherche_fenetres.h"

namespace quorva {

struct services {
    explicit services(Plateforme& plateforme)
        : os(plateforme), separateur_decimal(plateforme.decimal_separator()) {}

    Plateforme& os;
    char separateur_decimal;  // read once at start

    chemins_programme chemins;
    recherche_fenetres fenetres;
    std::vector<std::string> journal;  // diagnostic log, shown by TForm_voir

    // How a routine shows a message box with one OK button (text in cp1252).
    // The windows install a real message box; tests record it.
    std::function<void(const std::string& texte)> afficher_message;

    void message(const std::string& texte) const {
        if (afficher_message) afficher_message(texte);
    }
};

}  // namespace quorva
