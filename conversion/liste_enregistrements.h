// Which recordings a name on the command line, or a folder chosen for the
// class summary, stands for. Windows' command prompt hands "*.wav" over as
// it is: the program expands it itself, through the platform's listing (the
// wide calls on Windows).
#pragma once

#include <string>
#include <vector>

#include "base/plateforme.h"

namespace quorva {

// `nom` under `dossier`, with the folder's separator, or the system's when
// the folder as typed has none ("share" on Linux gives "share/g1.wav").
std::string chemin_sous(Plateforme& os, const std::string& dossier, const std::string& nom);

// The recordings of a folder, by name: its own "*.wav", then those of each
// of its subfolders one level down (each machine's folder on a share), the
// subfolders in name order.
std::vector<std::string> enregistrements_du_dossier(Plateforme& os, const std::string& dossier);

// An argument: a folder gives its recordings (enregistrements_du_dossier);
// a name whose last part holds "*" or "?" and that names no file gives the
// files it matches, by name; anything else is itself. Empty: a folder
// without recordings or a pattern that matches nothing.
std::vector<std::string> enregistrements_argument(Plateforme& os, const std::string& argument);

}  // namespace quorva
