// The language choice and the translation table of the menu.
#pragma once

#include <string>
#include <vector>

namespace quorva {

struct etat_langue {
    etat_langue();

    int langue = 1;  // 1 = English, 2 = French
    // The translation table: the embedded default (Memo_fic_trad) until a
    // translation file replaces it.
    std::vector<std::string> table_trad;

    // The flag button SpeedButton3: its Tag is the language its picture shows.
    int tag_SpeedButton3 = 1;
    bool SpeedButton3_visible = false;
};

}  // namespace quorva
