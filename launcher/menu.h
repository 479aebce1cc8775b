// The resource launcher: what each menu entry does when clicked, and the
// discovery of the content teachers add to the data folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/services.h"
#include "launcher/etat_menu.h"

namespace quorva {

// The named entry (top level or in a submenu), or nullptr.
entree_menu* trouve_entree(etat_menu& menu, std::string_view nom);
// An entry by its place: indices from the top level down; nullptr when the
// place no longer exists (a submenu rebuilt since).
entree_menu* entree_a(etat_menu& menu, const std::vector<int>& place);

// Performs an entry's click, as if it were chosen in the menu.
void lance_entree(services& ctx, etat_menu& menu, entree_menu& entree);

// The target handler: resolves the entry's target again in slot Tag of the
// target folder table (program folder, then data folder), then opens it with
// its folder as working folder.
void lance_item_menuClick(services& ctx, etat_menu& menu, entree_menu& entree);
// Click handlers of added entries, by Tag.
void lance_fic_execlick(services& ctx, etat_menu& menu, int tag);
void lance_fic_excelclick(services& ctx, etat_menu& menu, int tag);
void lance_fic_wordclick(services& ctx, etat_menu& menu, int tag);

// Start-up scans.
void decouverte_documents(services& ctx, etat_menu& menu);
void recherche_logiciels_ajoutes(services& ctx, etat_menu& menu);
// Also after each conversion: the workbook submenu is rebuilt.
void recherche_excel_ajoute(services& ctx, etat_menu& menu);

// The path that entry `tag` of an added-content submenu opens (slot Tag of
// its family's table); empty for any other submenu.
std::string chemin_ajoute(const etat_menu& menu, std::string_view sous_menu, int tag);

}  // namespace quorva
