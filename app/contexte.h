// The one object that owns the program's state: the base services (platform,
// path values, window search, log, message box), the toolbar's own state and
// the state of each subsystem. It is the composition root's: the windows of
// the toolbar hold it, and hand each subsystem the parts it uses. A test
// builds its own.
#pragma once

#include "app/barre_outils.h"
#include "base/services.h"
#include "audacity/etat_audacity.h"
#include "conversion/etat_conversion.h"
#include "i18n/etat_langue.h"
#include "launcher/etat_menu.h"
#include "sections/etat_sections.h"

namespace quorva {

struct contexte : services {
    // Connects the subsystems' hooks that lead from one to another (a section
    // heading of the menu, the menu refreshed after a conversion).
    explicit contexte(Plateforme& plateforme);
    contexte(const contexte&) = delete;
    contexte& operator=(const contexte&) = delete;

    etat_barre barre;  // the toolbar's drag and arrival animation

    etat_langue langue;
    etat_menu menu;
    etat_audacity audacity;
    etat_conversion conversion;
    etat_sections sections;
};

}  // namespace quorva
