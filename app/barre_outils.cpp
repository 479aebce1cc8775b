#include "app/barre_outils.h"

#include <algorithm>
#include <cstdlib>

#include "base/nombres.h"

namespace quorva {

void FormMouseDown(etat_barre& etat, bool bouton_droit, int x, int y, position_fenetre fenetre) {
    if (bouton_droit) return;
    etat.souris_enfoncee = true;
    etat.souris_x = x;
    etat.souris_y = y;
    etat.depart_gauche = fenetre.gauche;
    etat.depart_haut = fenetre.haut;
}

position_fenetre FormMouseMove(etat_barre& etat, int x, int y, position_fenetre fenetre) {
    if (!etat.souris_enfoncee) return fenetre;
    // The control moves with the window, so the pointer keeps its place in
    // it: souris_x and souris_y stay as they are.
    fenetre.gauche += x - etat.souris_x;
    fenetre.haut += y - etat.souris_y;
    etat.fenetre_deplacee =
        std::abs(fenetre.gauche - etat.depart_gauche) + std::abs(fenetre.haut - etat.depart_haut) >= 5;
    return fenetre;
}

void FormMouseUp(etat_barre& etat, int x, int y) {
    etat.souris_x = x;
    etat.souris_y = y;
    etat.souris_enfoncee = false;
}

bool Label4Click(etat_barre& etat) {
    const bool ouvrir = !etat.fenetre_deplacee;
    etat.fenetre_deplacee = false;
    return ouvrir;
}

position_fenetre dans_un_ecran(position_fenetre voulue, const std::vector<rectangle_ecran>& ecrans,
                               int hauteur_fenetre) {
    position_fenetre meilleure = voulue;
    long long meilleur_ecart = -1;
    for (const auto& e : ecrans) {
        const int largeur = std::min(largeur_toujours_visible, e.largeur);
        const int hauteur = std::min(hauteur_fenetre, e.hauteur);
        const position_fenetre ici{std::clamp(voulue.gauche, e.gauche, e.gauche + e.largeur - largeur),
                                   std::clamp(voulue.haut, e.haut, e.haut + e.hauteur - hauteur)};
        const long long dx = ici.gauche - voulue.gauche, dy = ici.haut - voulue.haut;
        const long long ecart = dx * dx + dy * dy;
        if (meilleur_ecart < 0 || ecart < meilleur_ecart) {
            meilleur_ecart = ecart;
            meilleure = ici;
        }
    }
    return meilleure;
}

position_fenetre point_menu(position_fenetre fenetre) { return {fenetre.gauche, fenetre.haut + 20}; }

suite_animation Timer_sauteTimer(etat_barre& etat, position_fenetre& fenetre, int largeur_ecran,
                                 int largeur_fenetre) {
    ++etat.nb_sauts;
    std::uniform_int_distribution<int> saut(0, 40);
    fenetre.haut += saut(etat.aleatoire) - 20;
    fenetre.gauche += saut(etat.aleatoire) - 20;
    if (etat.nb_sauts <= 30) return suite_animation::continuer;
    etat.pas_x = static_cast<std::int32_t>(
        arrondi((largeur_ecran - largeur_fenetre - fenetre.gauche - 5) / 20.0));
    etat.pas_y = static_cast<std::int32_t>(arrondi((fenetre.haut - 25) / 20.0));
    return suite_animation::fin_sauts;
}

suite_animation Timer_placeTimer(etat_barre& etat, position_fenetre& fenetre, int largeur_ecran,
                                 int largeur_fenetre) {
    ++etat.nb_pas;
    fenetre.gauche += etat.pas_x;
    fenetre.haut -= etat.pas_y;
    if (etat.nb_pas < 20) return suite_animation::continuer;
    fenetre.gauche = largeur_ecran - largeur_fenetre - 1;
    fenetre.haut = 18;
    return suite_animation::fin_glissade;
}

}  // namespace quorva
