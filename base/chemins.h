// The path values every part of the program reads (filled once at start-up)
// and the few rules on path texts that several parts share. Paths are
// Windows-style texts: "\" and "/" both separate.
#pragma once

#include <cstdint>
#include <string>

namespace quorva {

struct chemins_programme {
    std::string chemin_appli;  // program folder, trailing separator (lower case on Windows)
    std::string chemin_temp;   // system temporary folder
    std::uint8_t generation_windows = 0;
    std::string version_windows;
    std::string bureau_commun;       // trailing backslash
    std::string bureau_utilisateur;  // trailing backslash
};

// The separator a folder text uses, its last one: "/" for a folder the
// POSIX system gave ("/home/x/quorva/"), "\\" otherwise (and without any).
// Joins keep it, so that a path shown on Linux reads as the system writes it.
inline char separateur_de(const std::string& dossier) {
    const auto fin = dossier.find_last_of("\\/");
    return fin != std::string::npos && dossier[fin] == '/' ? '/' : '\\';
}

// `relatif` ("audacity\\patin_tracte", a file name) under `dossier` (with or
// without its final separator), written with the folder's separator.
inline std::string joindre(const std::string& dossier, std::string relatif) {
    const char separateur = separateur_de(dossier);
    for (char& c : relatif)
        if (c == '\\' || c == '/') c = separateur;
    const bool fini = !dossier.empty() && (dossier.back() == '\\' || dossier.back() == '/');
    return fini || dossier.empty() ? dossier + relatif : dossier + separateur + relatif;
}

// The data folder's name, beside the program.
inline constexpr const char* nom_dossier_donnees = "fic_quorva";

// The data folder: chemin_appli + "fic_quorva\\" (or "fic_quorva/").
inline std::string dossier_donnees(const chemins_programme& chemins) {
    return joindre(chemins.chemin_appli, std::string(nom_dossier_donnees) + "\\");
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
