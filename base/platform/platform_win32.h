// What the Win32 platform decides on its own, for its tests.
#pragma once

#include <string>

#include "base/plateforme.h"

namespace quorva {

// This machine in the names of temporary files: the computer name
// (texte_machine() rules).
std::string machine_locale();

}  // namespace quorva
