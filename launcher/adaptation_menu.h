// Menu adaptation and path completion: each fixed resource is looked for in
// the program folder, then in the data folder "fic_quorva", and its entry is
// shown only where it was found.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launcher/etat_menu.h"

namespace quorva {

struct contexte;

// One fixed resource: the entry, the name its presence is tested with, the
// slot of `chemins` the test goes through, and what its fixed action opens
// (relative to the folder where it was found) with which working folder
// (relative too; empty: that folder itself).
struct ressource_fixe {
    const char* entree;
    const char* nom;
    int slot;
    const char* ouvre;            // nullptr: no fixed file (submenu, special start)
    const char* dossier_travail;
};

// The twenty resolutions of adapte_menu, in their order.
const std::vector<ressource_fixe>& ressources_fixes();
// The resource of an entry, or nullptr.
const ressource_fixe* ressource_de(std::string_view entree);

// Looks for `nom` in slot `slot`'s folder, then in the data folder (the slot
// then names the data folder); shows the entry exactly when the file was
// found. A slot outside 1..50 leaves the entry hidden.
void met_chemin(contexte& ctx, entree_menu& entree, const std::string& nom, int slot);
// The same resolution in any folder slot (the target table's).
void met_chemin_dans(contexte& ctx, entree_menu& entree, const std::string& nom, std::string& dossier);
// Presets slots 1 to 30 (and every target slot) to the program folder and
// resolves every fixed entry.
void adapte_menu(contexte& ctx);
// Is this document (name without folder, case-sensitive) already opened by a
// fixed entry?
bool deja_la(std::string_view nom_fichier);

// The data folder: chemin_appli + "fic_quorva\".
std::string dossier_donnees(const contexte& ctx);

}  // namespace quorva
