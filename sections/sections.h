// Practical-work sections: small always-on-top windows that list the
// resources of one practical (menu sections, opened by a heading of the
// menu) or the files of one folder under "fic_quorva\TP" (folder sections,
// opened from the TP1 submenu). The rules live here; Tform_TP draws a
// feuille_tp record and forwards its events.
#pragma once

#include <string_view>

#include "launcher/etat_menu.h"
#include "sections/etat_sections.h"

namespace quorva {

struct contexte;

// Is this entry one of the seven headings that open a menu section?
bool est_titre_section(std::string_view nom);

// Builds the TP1 submenu from the subfolders of chemin_appli + "fic_quorva\TP".
void recherche_TP(contexte& ctx);

// Opens a section for the clicked heading or TP entry: picks a window slot
// (the highest closed one, else a new one; nothing once 50 exist), fills,
// sizes and places it, and asks the window layer to show it. Returns the
// slot, or 0 when no window was opened.
int creation_feuille_tpclick(contexte& ctx, const entree_menu& sender);

// Double-click on row `ligne` (0-based) of window `slot`: performs the menu
// entry of that row, or opens its file.
void FileListBox1DblClick(contexte& ctx, int slot, int ligne);
// The "X" button: hides the window and frees its slot.
void Speed_closeClick(contexte& ctx, int slot);

// Dragging a window by its background or title. Positions are relative to
// the pressed control. FormMouseMove returns true when the window moved.
void FormMouseDown(contexte& ctx, bool bouton_droit, int x, int y);
bool FormMouseMove(contexte& ctx, int slot, int x, int y);
void FormMouseUp(contexte& ctx);

}  // namespace quorva
