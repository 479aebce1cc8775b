// The language the toolbar remembers between runs: one file,
// chemin_temp + "quorva\langue_quorva.txt", holding "langue=1" (English) or
// "langue=2" (French). The toolbar reads and writes it (i18n/traduction.h);
// quorva-convert reads it, so that the command speaks the teacher's
// language too.
#pragma once

#include <optional>
#include <string>

#include "base/services.h"

namespace quorva {

// The preference file under the temporary folder.
std::string fichier_langue(const chemins_programme& chemins);

// The value the file holds: nothing when it is missing, cannot be read or
// has no "=" on its first line. A value that is no integer raises
// erreur_quorva with the system's text.
std::optional<int> langue_enregistree(services& ctx);

}  // namespace quorva
