#include "app/base/placement_fenetre.h"

#include <algorithm>

namespace quorva {

rectangle_fenetre avec_cadre(const rectangle_fenetre& client, const marges_cadre& cadre) {
    return {client.gauche - cadre.gauche, client.haut - cadre.haut, client.largeur + cadre.gauche + cadre.droite,
            client.hauteur + cadre.haut + cadre.bas};
}

namespace {

// The start of a span `longueur` long moved the least into [debut, fin);
// against `debut` when it is longer than the interval.
int dans_intervalle(int depart, int longueur, int debut, int fin) {
    if (depart + longueur > fin) depart = fin - longueur;
    return std::max(depart, debut);
}

}  // namespace

rectangle_fenetre placer_fenetre(const rectangle_fenetre& voulu, const marges_cadre& cadre,
                                 const rectangle_fenetre& zone, int largeur_min) {
    if (zone.largeur <= 0 || zone.hauteur <= 0) return voulu;
    rectangle_fenetre client = voulu;
    const int cadre_largeur = cadre.gauche + cadre.droite;
    if (client.largeur + cadre_largeur > zone.largeur) {
        const int plus_etroite = std::clamp(largeur_min, 1, std::max(voulu.largeur, 1));
        client.largeur = std::max(zone.largeur - cadre_largeur, std::min(plus_etroite, voulu.largeur));
    }
    const rectangle_fenetre entiere = avec_cadre(client, cadre);
    client.gauche = dans_intervalle(entiere.gauche, entiere.largeur, zone.gauche, zone.droite()) + cadre.gauche;
    client.haut = dans_intervalle(entiere.haut, entiere.hauteur, zone.haut, zone.bas()) + cadre.haut;
    return client;
}

}  // namespace quorva
