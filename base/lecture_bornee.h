// Reading a whole file that comes from outside (a teacher's or a pupil's
// file, another program's preferences): never more than its kind can hold,
// so that a damaged or foreign file of gigabytes is refused at once instead
// of filling memory.
#pragma once

#include <cstddef>
#include <string>

#include "base/plateforme.h"

namespace quorva {

// The whole file. Throws erreur_quorva "Impossible d'ouvrir le fichier %s"
// when it cannot be read, and texte_fichier_trop_grand (naming the file) when
// it holds more than taille_max bytes.
std::string lire_fichier_borne(Plateforme& os, const std::string& chemin, std::size_t taille_max);

extern const char* const texte_fichier_trop_grand;

}  // namespace quorva
