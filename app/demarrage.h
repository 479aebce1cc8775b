// The start-up sequence: run once, from the first tick of Timer_deb, with
// the toolbar already on screen. It fills the path values, installs the
// desktop shortcut, locates Audacity, resolves and translates the menu, and
// discovers the added content and the practical-work sections.
#pragma once

#include <functional>

#include "app/contexte.h"

namespace quorva {

// The CSIDL numbers whose folders the diagnostic log lists, in order.
inline constexpr int dossiers_du_journal[23] = {26, 31, 22, 23, 24, 25, 33, 0, 16, 6, 20, 34,
                                                32, 19, 5, 27, 2, 8, 9, 11, 7, 21, 5};

// The whole sequence, in its order: path values, current folder, desktop
// shortcut, Audacity, menu folders, the Audacity entries, the log, the added
// content, the language, the sections and last the translation of the menu.
// An error ends it at the step that raised it.
void sequence_demarrage(contexte& ctx);

// The shake-table entry is offered only when Audacity was found.
void montre_entrees_audacity(contexte& ctx);

// Copies fic_quorva\quorva.lnk onto the common desktop or, failing that, the
// user's, when the program runs from drive C and no shortcut is there yet.
void installe_raccourci(contexte& ctx);

// Appends the 23 special folders to the diagnostic log.
void journal_dossiers_speciaux(contexte& ctx);

}  // namespace quorva
