// What the Win32 platform decides on its own, for its tests.
#pragma once

#include <string>

#include "base/plateforme.h"

namespace quorva {

// The cause of a write's failure from the system's last error. Access denied
// means the file is held open by another program when the target exists and
// is not read-only (cible_occupable), else that writing there is not allowed.
WriteFailure cause_de_code_win32(unsigned long code, bool cible_occupable);

// This machine in the names of temporary files: the computer name
// (texte_machine() rules).
std::string machine_locale();

}  // namespace quorva
