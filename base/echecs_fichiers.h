// What the user is told when a file could not be read or written, from the
// cause the platform gives (base/plateforme.h): held by another
// program, a full disk, a folder where writing is not allowed, a path too
// long for the system.
#pragma once

#include <string>

#include "base/plateforme.h"

namespace quorva {

// "ouvert par un autre programme (tableur, antivirus...)": only for a file
// another program holds, never for one the user may not write.
extern const char* const texte_ouvert_ailleurs;

// "le nom <nom> est trop long (N caractères, 255 au plus)" for a name of
// the path longer than any system takes, else "le chemin <chemin> est trop
// long (N caractères)"; N counted in characters (a UTF-8 letter is one).
std::string texte_trop_long(const std::string& chemin);

// The line that says why `sujet` (its path in the place of "%s", "Le
// classeur %s") could not be written and what to do; empty for a cause the
// system did not name (its own text says what it can).
std::string raison_ecriture(const std::string& sujet, const std::string& chemin, FileFailure cause);

// A file that could not be opened for reading: "Impossible d'ouvrir le
// fichier %s", with the cause when it is one the user can act on.
ReadError erreur_ouverture(const std::string& chemin, FileFailure cause);

}  // namespace quorva
