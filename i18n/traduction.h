// The translation table and the language choice: every menu caption in
// English or French, the targets some entries open, the remembered language
// and the flag button that switches it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/services.h"
#include "i18n/etat_langue.h"
#include "launcher/etat_menu.h"

namespace quorva {

// The embedded table (Memo_fic_trad), 38 lines.
const std::vector<std::string>& table_trad_defaut();

// The captions of the program's own entries, which the older translation
// files do not know: applied before the table, which may name them too.
const std::vector<std::string>& lignes_propres();

// Sets `langue` from the preference file chemin_temp + "quorva\langue_quorva.txt"
// (2 when there is none). A value that is not an integer keeps the language
// and leaves a line in the diagnostic log.
void lec_langue(services& ctx, etat_langue& langue);

// Applies the translation table (the file fic_trad.txt of the data folder
// when present) to the menu, fills `cibles`, sets
// up the language button and writes the preference file. Raises erreur_quorva
// when the preference file cannot be written (the captions are applied).
void lec_fic_trad(services& ctx, etat_langue& langue, etat_menu& menu);

// A 16 x 11 flag picture, row by row, 0xRRGGBB per pixel.
struct image_drapeau {
    static constexpr int largeur = 16;
    static constexpr int hauteur = 11;
    std::array<std::uint32_t, largeur * hauteur> pixels{};
};
const image_drapeau& Speed_EN();
const image_drapeau& Speed_FR();

// What the toolbar must redraw for SpeedButton3.
struct etat_SpeedButton3 {
    int Tag = 1;
    bool visible = false;
    const image_drapeau* image = nullptr;
};
etat_SpeedButton3 bouton_langue(const etat_langue& langue);

// The flag button's click: switches the language and re-applies the table.
// The caller then pops the menu up at the toolbar's (left, top + 20).
etat_SpeedButton3 SpeedButton3Click(services& ctx, etat_langue& langue, etat_menu& menu);

}  // namespace quorva
