// The one object that owns the program's state: the platform, the path
// values, the window search data, the diagnostic log and the state of each
// subsystem. Windows hold a reference to it; a test builds its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/barre_outils.h"
#include "app/chemins_programme.h"
#include "app/platform/plateforme.h"
#include "app/recherche_fenetres.h"
#include "audacity/etat_audacity.h"
#include "conversion/etat_conversion.h"
#include "i18n/etat_langue.h"
#include "launcher/etat_menu.h"
#include "sections/etat_sections.h"

namespace quorva {

struct contexte {
    explicit contexte(Plateforme& plateforme)
        : os(plateforme), separateur_decimal(plateforme.decimal_separator()) {}

    Plateforme& os;
    char separateur_decimal;  // read once at start

    chemins_programme chemins;
    recherche_fenetres fenetres;
    etat_barre barre;  // the toolbar's drag and arrival animation
    std::vector<std::string> journal;  // diagnostic log, shown by TForm_voir

    // How a core routine shows a message box with one OK button (text in
    // cp1252). The windows install a real message box; tests record it.
    std::function<void(const std::string& texte)> afficher_message;

    etat_langue langue;
    etat_menu menu;
    etat_audacity audacity;
    etat_conversion conversion;
    etat_sections sections;
};

}  // namespace quorva
