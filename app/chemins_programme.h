// The path values every part of the program reads; filled once at start-up.
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

}  // namespace quorva
