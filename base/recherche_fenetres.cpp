#include "base/recherche_fenetres.h"

#include "base/chemins.h"
#include "base/texte.h"

namespace quorva {

bool enumere_fenetre(recherche_fenetres& etat, WindowId fenetre) {
    if (etat.nb_fenetres >= 2000) return false;
    ++etat.nb_fenetres;
    etat.fenetres_ouvertes[static_cast<std::size_t>(etat.nb_fenetres)] = fenetre;
    return etat.nb_fenetres < 2000;
}

std::string nom_fenetre(Plateforme& os, WindowId fenetre) {
    std::string titre = debut_utf8(os.window_title(fenetre, 254), 254);
    const auto nul = titre.find('\0');
    if (nul != std::string::npos) titre.resize(nul);
    return titre;
}

bool cherche_appli(Plateforme& os, recherche_fenetres& etat, const std::string& titre,
                   const std::string& nom_programme) {
    etat.nb_fenetres = -1;
    os.enumerate_windows([&etat](WindowId fenetre) { return enumere_fenetre(etat, fenetre); });
    bool trouve = false;
    for (std::int32_t i = 0; i <= etat.nb_fenetres; ++i) {
        const WindowId fenetre = etat.fenetres_ouvertes[static_cast<std::size_t>(i)];
        const std::string nom = nom_fenetre(os, fenetre);
        if (nom.empty() || nom != titre) continue;
        if (!nom_programme.empty() &&
            !egal_sans_casse(nom_de(os.window_program_file(fenetre)), nom_programme))
            continue;
        ++etat.nb_titres_trouves;
        trouve = true;
    }
    return trouve;
}

bool copie_deja_lancee(Plateforme& os, recherche_fenetres& etat) {
    return cherche_appli(os, etat, "Quorva", nom_de(os.program_file())) &&
           etat.nb_titres_trouves >= 2;
}

}  // namespace quorva
