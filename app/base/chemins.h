// The path values every part of the program reads (filled once at start-up)
// and the few rules on path texts that several parts share. Paths are
// Windows-style texts: "\" and "/" both separate.
#pragma once

#include <cstdint>
#include <string>

namespace quorva {

struct chemins_programme {
    std::string chemin_appli;  // program folder, lower case, trailing backslash
    std::string chemin_temp;   // system temporary folder
    std::uint8_t generation_windows = 0;
    std::string version_windows;
    std::string bureau_commun;       // trailing backslash
    std::string bureau_utilisateur;  // trailing backslash
};

// The data folder's name, beside the program.
inline constexpr const char* nom_dossier_donnees = "fic_quorva";

// The data folder: chemin_appli + "fic_quorva\".
inline std::string dossier_donnees(const chemins_programme& chemins) {
    return chemins.chemin_appli + nom_dossier_donnees + "\\";
}

// The folder of a path (up to its last separator, which is kept when
// `avec_separateur`); empty when the path has no separator.
inline std::string dossier_de(const std::string& chemin, bool avec_separateur = false) {
    const auto fin = chemin.find_last_of("\\/");
    if (fin == std::string::npos) return {};
    return chemin.substr(0, avec_separateur ? fin + 1 : fin);
}

// The last component of a path (the whole text when it has no separator).
inline std::string nom_de(const std::string& chemin) {
    const auto fin = chemin.find_last_of("\\/");
    return fin == std::string::npos ? chemin : chemin.substr(fin + 1);
}

}  // namespace quorva
