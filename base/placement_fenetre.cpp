#include "base/placement_fenetre.h"

#include <algorithm>
#include <cmath>

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

// One side of the area, from `debut` to `debut + longueur` logical pixels
// from the screen's origin, each rounded to the nearest from screen pixels.
struct cote_sur {
    int debut, fin;
};
cote_sur cote_entier(int debut, int longueur, double f) {
    // The screen pixels that round to the given logical values.
    const auto premier = [f](int logique) { return static_cast<long>(std::ceil((logique - 0.5) * f - 1e-9)); };
    const long debut_max = premier(debut + 1) - 1, fin_min = premier(debut) + premier(longueur);
    int d = debut;
    while (std::lround(d * f) < debut_max) ++d;
    // A place and a size each rounded up by half a pixel add one.
    const bool entier = f == std::floor(f);
    const int fin = static_cast<int>(std::floor((static_cast<double>(fin_min) - (entier ? 0 : 1)) / f + 1e-9));
    return {d, std::max(fin, d)};
}

}  // namespace

rectangle_fenetre zone_entiere(const rectangle_fenetre& zone, int origine_x, int origine_y, double facteur) {
    if (!(facteur > 0) || facteur == 1 || zone.largeur <= 0 || zone.hauteur <= 0) return zone;
    const cote_sur x = cote_entier(zone.gauche - origine_x, zone.largeur, facteur);
    const cote_sur y = cote_entier(zone.haut - origine_y, zone.hauteur, facteur);
    return {origine_x + x.debut, origine_y + y.debut, x.fin - x.debut, y.fin - y.debut};
}

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

rectangle_fenetre degager_barre(const rectangle_fenetre& r, const marges_cadre& cadre, const rectangle_fenetre& barre,
                                const rectangle_fenetre& zone) {
    const rectangle_fenetre entier = avec_cadre(r, cadre);
    const bool couvre = entier.gauche < barre.droite() && barre.gauche < entier.droite() &&
                        entier.haut < barre.bas() && barre.haut < entier.bas();
    if (!couvre) return r;
    rectangle_fenetre dessous = r;
    dessous.haut = barre.bas() + cadre.haut;
    if (zone.contient(avec_cadre(dessous, cadre))) return dessous;
    rectangle_fenetre gauche = r;
    gauche.gauche = barre.gauche - cadre.droite - r.largeur;
    if (zone.contient(avec_cadre(gauche, cadre))) return gauche;
    return r;
}

}  // namespace quorva
