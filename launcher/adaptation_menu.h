// Menu adaptation and path completion: each fixed resource (descripteurs_menu.h)
// is looked for in the program folder, then in the data folder, and its entry
// is shown only where it was found.
#pragma once

#include <string>
#include <string_view>

#include "base/services.h"
#include "launcher/etat_menu.h"

namespace quorva {

// Looks for `nom` in slot `slot`'s folder, then in the data folder (the slot
// then names the data folder); shows the entry exactly when the file was
// found. A slot outside 1..50 leaves the entry hidden.
void met_chemin(const services& ctx, etat_menu& menu, entree_menu& entree, const std::string& nom, int slot);
// The same resolution in any folder slot (the target table's).
void met_chemin_dans(const services& ctx, entree_menu& entree, const std::string& nom, std::string& dossier);
// Presets slots 1 to 30 (and every target slot) to the program folder and
// resolves every fixed entry, in menu order.
void adapte_menu(services& ctx, etat_menu& menu);
// Is this document (name without folder, case-sensitive) already opened by a
// fixed entry?
bool deja_la(std::string_view nom_fichier);

}  // namespace quorva
