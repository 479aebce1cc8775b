// Practical-work sections: small always-on-top windows that list the
// resources of one practical (menu sections, opened by a heading of the
// menu) or the files of one folder under the data folder's "TP" (folder sections,
// opened from the TP1 submenu). The rules live here; Tform_TP draws a
// feuille_tp record and forwards its events.
#pragma once

#include <string_view>

#include "base/services.h"
#include "launcher/etat_menu.h"
#include "sections/etat_sections.h"

namespace quorva {

// Is this entry one of the seven headings that open a menu section?
bool est_titre_section(std::string_view nom);

// Builds the TP1 submenu from the subfolders of the data folder's "TP".
void recherche_TP(const services& ctx, etat_menu& menu, etat_sections& sections);

// Opens a section for the clicked heading or TP entry: picks a window slot
// (the highest closed one, else a new one; nothing once 50 exist), fills,
// sizes and places it, and asks the window layer to show it. Returns the
// slot, or 0 when no window was opened.
int creation_feuille_tpclick(const services& ctx, etat_menu& menu, etat_sections& sections,
                             const entree_menu& sender);

// Double-click on row `ligne` (0-based) of window `slot`: performs the menu
// entry of that row, or opens its file.
void FileListBox1DblClick(services& ctx, etat_menu& menu, etat_sections& sections, int slot, int ligne);
// The "X" button: hides the window and frees its slot.
void Speed_closeClick(etat_sections& sections, int slot);

// Dragging a window by its background or title. Positions are relative to
// the pressed control. FormMouseMove returns true when the window moved.
void FormMouseDown(etat_sections& sections, bool bouton_droit, int x, int y);
bool FormMouseMove(etat_sections& sections, int slot, int x, int y);
void FormMouseUp(etat_sections& sections);

}  // namespace quorva
