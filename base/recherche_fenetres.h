// Search of the top-level windows by title: the single-instance guard and the
// refusal of a second Audacity rest on it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/plateforme.h"

namespace quorva {

struct recherche_fenetres {
    std::array<WindowId, 2001> fenetres_ouvertes{};
    std::int32_t nb_fenetres = -1;
    std::int32_t nb_titres_trouves = 0;  // never reset
};

// Enumeration callback: stores the window; false once 2001 are stored.
bool enumere_fenetre(recherche_fenetres& etat, WindowId fenetre);
// The window's title (at most 254 characters), empty when it has none.
std::string nom_fenetre(Plateforme& os, WindowId fenetre);
// Whether a top-level window has exactly this title; adds the number of such
// windows to nb_titres_trouves. With a program file name, only the windows
// whose process runs a program file of that name (without regard to case)
// count: a folder window or another program may carry the same title.
bool cherche_appli(Plateforme& os, recherche_fenetres& etat, const std::string& titre,
                   const std::string& nom_programme = "");
// The single-instance guard: two or more windows titled "Quorva" of running
// Quorva programs (the program file name of this process), this copy's own
// window included. When this process cannot name its program file, every
// window of that title counts.
bool copie_deja_lancee(Plateforme& os, recherche_fenetres& etat);

}  // namespace quorva
