// The toolbar's menu described once: one descriptor per entry gives how it
// starts (name, Tag, caption, shown flag, icon, click), its own file (the
// name its presence is tested with, the folder slot, what it opens) and what
// that file's presence shows. The menu model, the resolution of the fixed
// resources, the heading rules and the documents scan all read this table.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <span>

#include "launcher/etat_menu.h"

namespace quorva {

struct descripteur_entree {
    const char* nom;
    const char* parent = nullptr;  // the submenu holding it; nullptr: top level
    int tag = 0;
    const char* caption = "";      // initial caption
    bool visible = true;
    icone_menu icone = icone_menu::aucune;
    action_menu clic = action_menu::aucune;
    bool sous_menu = false;        // opens a submenu (possibly empty)

    // Its own file, relative to the folder found for slot `slot` (program
    // folder, else data folder); nullptr: none.
    const char* teste = nullptr;
    int slot = 0;
    // What the fixed action opens when it is not the tested file; the
    // working folder is the folder part of what is opened.
    const char* ouvre = nullptr;
    // The opened document is this entry's: the documents scan does not list
    // it again.
    bool document_couvert = false;
    // Entries shown when the tested file (or `autre_teste`) is in the
    // slot's folder: the heading rules.
    std::array<const char*, 2> titres_montres{};
    const char* autre_teste = nullptr;
};

// The entries in menu order (a submenu's entries right after it).
std::span<const descripteur_entree> descripteurs_menu();
// The descriptor of a named entry, or nullptr.
const descripteur_entree* descripteur_de(std::string_view nom);
// The file an entry's fixed action opens (relative), or empty.
std::string fichier_ouvert(const descripteur_entree& d);

}  // namespace quorva
