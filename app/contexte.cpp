#include "app/contexte.h"

#include "launcher/menu.h"
#include "sections/sections.h"

namespace quorva {

contexte::contexte(Plateforme& plateforme) : services(plateforme) {
    menu.ouvrir_section = [this](const entree_menu& e) { creation_feuille_tpclick(*this, menu, sections, e); };
    conversion.apres_classeur = [this] { recherche_excel_ajoute(*this, menu); };
}

}  // namespace quorva
