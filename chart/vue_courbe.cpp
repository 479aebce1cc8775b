#include "chart/vue_courbe.h"

#include <algorithm>
#include <cmath>

#include "app/contexte.h"
#include "app/nombres.h"
#include "app/recherche_fenetres.h"

namespace quorva {

namespace {

// A pixel coordinate: rounded half to even, kept within a range that any
// drawing surface accepts even for absurd values read from a marks file.
int pixel(double valeur) {
    if (std::isnan(valeur)) return 0;
    return static_cast<int>(std::clamp<std::int64_t>(arrondi(valeur), -1000000, 1000000));
}

std::int32_t nb_marques(const etat_conversion& conversion) {
    return std::clamp<std::int32_t>(conversion.nb_pointes, 0, capacite_pointes);
}

bool visible(const vue_courbe& vue, double x) {
    return x != 0 && vue.premier_visible < x && x <= vue.dernier_visible;
}

}  // namespace

std::int32_t nb_utilisables(const etat_conversion& conversion) {
    const auto taille = static_cast<std::int64_t>(conversion.echantillons.size()) - 1;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(conversion.nb_echantillons, 0, taille < 0 ? 0 : taille));
}

void ouvrir_vue(vue_courbe& vue, const etat_conversion& conversion) {
    const std::int32_t n = nb_utilisables(conversion);
    vue.valeur_max = -50000;
    vue.valeur_min = 50000;
    for (std::int32_t i = 1; i <= n; ++i) {
        const double v = conversion.echantillons[i];
        if (v > vue.valeur_max) vue.valeur_max = v;
        if (v < vue.valeur_min) vue.valeur_min = v;
    }
    // A flat (or empty) recording has no vertical range: it is drawn on the
    // middle line.
    const double etendue = vue.valeur_max - vue.valeur_min;
    vue.echelle_y = (n > 0 && etendue > 0 && std::isfinite(etendue)) ? vue.hauteur / etendue : 0;
    vue.premier_visible = 1;
    vue.dernier_visible = n;
    vue.nb_visibles = n;
    vue.premier_sauve = vue.premier_visible;
    vue.dernier_sauve = vue.dernier_visible;
    vue.pointe_choisie = 0;
    vue.placement = false;
}

void calculer_trace(vue_courbe& vue, const etat_conversion& conversion, trace_courbe& trace) {
    trace.points.clear();
    trace.colonnes_pointes.clear();
    const std::int32_t n = nb_utilisables(conversion);
    vue.premier_visible = std::max<std::int32_t>(vue.premier_visible, 1);
    vue.dernier_visible = std::min(vue.dernier_visible, n);
    vue.nb_visibles = vue.dernier_visible - vue.premier_visible + 1;
    if (vue.nb_visibles <= 0 || vue.largeur <= 0) {
        vue.nb_visibles = std::max<std::int32_t>(vue.nb_visibles, 0);
        vue.echelle_x = 0;
        vue.pas_trace = 1;
        return;
    }
    vue.echelle_x = static_cast<double>(vue.largeur) / vue.nb_visibles;
    vue.pas_trace = static_cast<double>(vue.nb_visibles) / (4.0 * vue.largeur);
    if (!(vue.pas_trace > 1)) vue.pas_trace = 1;

    const int milieu = vue.hauteur / 2;
    const auto& v = conversion.echantillons;
    trace.points.reserve(static_cast<std::size_t>(std::min<double>(vue.nb_visibles / vue.pas_trace, 8.0 * vue.largeur)) + 2);
    trace.points.push_back({pixel(vue.echelle_x), milieu - pixel(v[vue.premier_visible] * vue.echelle_y)});
    std::int32_t i = vue.premier_visible;
    do {
        trace.points.push_back({pixel((i - vue.premier_visible) * vue.echelle_x), milieu - pixel(v[i] * vue.echelle_y)});
        i = static_cast<std::int32_t>(arrondi(i + vue.pas_trace));
    } while (i <= vue.dernier_visible);

    for (std::int32_t k = 1; k <= nb_marques(conversion); ++k) {
        const double x = conversion.pointes[k].x;
        if (visible(vue, x)) trace.colonnes_pointes.push_back(colonne_de(vue, x));
    }
}

char touche_de(bool shift, bool ctrl, bool autre) {
    if (autre) return 0;
    if (shift && !ctrl) return 's';
    if (ctrl && !shift) return 'c';
    return 0;
}

void pas_molette(vue_courbe& vue, const etat_conversion& conversion, bool vers_haut, int x) {
    const char touche = vue.touche_mod;
    vue.touche_mod = 0;
    const std::int32_t n = nb_utilisables(conversion);
    if (n <= 0 || vue.largeur <= 0) return;
    // A wheel step beside the image acts as at its nearer edge.
    const double f = std::clamp(static_cast<double>(x) / vue.largeur, 0.0, 1.0);
    const std::int32_t d = static_cast<std::int32_t>(arrondi(200 * vue.pas_trace / 2));
    const double perte = 800 * vue.pas_trace;

    vue.premier_sauve = vue.premier_visible;
    vue.dernier_sauve = vue.dernier_visible;
    if (touche == 's' && vers_haut) {
        if (vue.premier_visible < d) {
            vue.dernier_visible -= vue.premier_visible - 1;
            vue.premier_visible = 1;
        } else {
            vue.premier_visible -= d;
            vue.dernier_visible -= d;
        }
    } else if (touche == 's') {
        if (vue.dernier_visible + d < n) {
            vue.premier_visible += d;
            vue.dernier_visible += d;
        } else {
            vue.premier_visible += n - vue.dernier_visible;
            vue.dernier_visible = n;
        }
    } else if (touche == 'c' && vers_haut) {
        vue.premier_visible = static_cast<std::int32_t>(arrondi(vue.premier_visible + f * perte));
        vue.dernier_visible = static_cast<std::int32_t>(arrondi(vue.dernier_visible - (1 - f) * perte));
    } else if (touche == 'c') {
        vue.premier_visible = static_cast<std::int32_t>(arrondi(vue.premier_visible - f * perte));
        vue.dernier_visible = static_cast<std::int32_t>(arrondi(vue.dernier_visible + (1 - f) * perte));
    }
    vue.premier_visible = std::max<std::int32_t>(vue.premier_visible, 1);
    vue.dernier_visible = std::min(vue.dernier_visible, n);
    if (vue.dernier_visible - vue.premier_visible + 1 < vue.largeur / 10) {
        vue.premier_visible = vue.premier_sauve;
        vue.dernier_visible = vue.dernier_sauve;
    }
}

int colonne_de(const vue_courbe& vue, double x) { return pixel(vue.echelle_x * (x - vue.premier_visible)); }

bool tester_pointe(vue_courbe& vue, const etat_conversion& conversion, int x) {
    if (vue.placement) return false;
    vue.pointe_choisie = 0;
    for (std::int32_t k = 1; k <= nb_marques(conversion); ++k) {
        const double position = conversion.pointes[k].x;
        if (!visible(vue, position)) continue;
        const int c = colonne_de(vue, position);
        if (c - 2 < x && x < c + 2) vue.pointe_choisie = k;  // the highest index wins
    }
    return vue.pointe_choisie != 0;
}

bool clic_gauche(vue_courbe& vue, etat_conversion& conversion, int x) {
    const bool valide = vue.pointe_choisie >= 1 && vue.pointe_choisie <= nb_marques(conversion);
    if (vue.placement) {
        vue.placement = false;
        if (valide && vue.echelle_x > 0) {
            // Never beyond the recording: the rebuild reads the samples there.
            const double position = x / vue.echelle_x + vue.premier_visible;
            conversion.pointes[vue.pointe_choisie].x =
                std::clamp(position, 1.0, static_cast<double>(std::max(nb_utilisables(conversion), 1)));
        }
        vue.pointe_choisie = 0;
        return true;
    }
    if (!valide) return false;
    vue.position_origine = conversion.pointes[vue.pointe_choisie].x;
    conversion.pointes[vue.pointe_choisie].x = 0;
    vue.placement = true;
    return true;
}

bool ajouter_pointe(vue_courbe& vue, etat_conversion& conversion) {
    const std::int32_t nb = nb_marques(conversion);
    std::int32_t vide = 0;
    for (std::int32_t k = 1; k <= nb; ++k)
        if (conversion.pointes[k].x == 0) vide = k;
    if (vide == 0) {
        if (nb >= capacite_pointes) return false;
        conversion.nb_pointes = nb + 1;
        vide = conversion.nb_pointes;
        conversion.pointes[vide] = {};
    }
    if (!(vue.placement && vue.pointe_choisie == vide)) vue.position_origine = 0;
    vue.pointe_choisie = vide;
    vue.placement = true;
    return true;
}

void annuler_placement(vue_courbe& vue, etat_conversion& conversion) {
    const std::int32_t k = vue.pointe_choisie;
    if (vue.placement && k >= 1 && k <= nb_marques(conversion)) {
        conversion.pointes[k].x = vue.position_origine;
        if (conversion.pointes[k].x == 0 && k == conversion.nb_pointes) {
            conversion.pointes[k] = {};
            conversion.nb_pointes = k - 1;
        }
    }
    vue.placement = false;
    vue.pointe_choisie = 0;
    vue.position_origine = 0;
}

void supprimer_pointe(vue_courbe& vue, etat_conversion& conversion) {
    const std::int32_t nb = nb_marques(conversion);
    const std::int32_t k = vue.pointe_choisie;
    vue.pointe_choisie = 0;
    vue.placement = false;
    if (k < 1 || k > nb) return;
    for (std::int32_t j = k; j < nb; ++j) conversion.pointes[j] = conversion.pointes[j + 1];
    conversion.pointes[nb] = {};
    conversion.nb_pointes = nb - 1;
}

void retirer_pointes_vides(vue_courbe& vue, etat_conversion& conversion) {
    vue.pointe_choisie = 0;
    vue.placement = false;
    const std::int32_t nb = nb_marques(conversion);
    std::int32_t gardees = 0;
    for (std::int32_t k = 1; k <= nb; ++k)
        if (conversion.pointes[k].x != 0) conversion.pointes[++gardees] = conversion.pointes[k];
    for (std::int32_t k = gardees + 1; k <= nb; ++k) conversion.pointes[k] = {};
    conversion.nb_pointes = gardees;
}

void ranger_fenetres_couvrantes(contexte& ctx, const std::function<bool(WindowId)>& est_propre) {
    for (int tour = 0; tour < 5; ++tour) {
        const WindowId fenetre = ctx.os.foreground_window();
        if (fenetre != 0 && est_propre && est_propre(fenetre)) return;
        const std::string titre = fenetre != 0 ? nom_fenetre(ctx.os, fenetre) : std::string();
        if (titre == ctx.conversion.fichier_en_cours) return;
        if (fenetre != 0) ctx.os.minimize_window(fenetre);
    }
}

std::vector<std::string> lignes_aide_memo() {
    return {"Verify the begining of earthquakes",
            "- zoom with <cnt>+wheel",
            "- move with <shift>+wheel",
            "- add a new mark with <right click>+add",
            "- delete a mark with <right click on mark>",
            "+delete",
            "- terminate with <OK> or <Cancel>"};
}

std::string texte_aide_message() {
    return "Verify the begining of earthquakes\r"
           "- zoom with <cnt>+wheel\r"
           "- move with <shift>+wheel\r"
           "- add a new mark with <right click>+add\r"
           "- delete a mark with <right click on mark>+delete\r"
           "- terminate with <OK> or <Cancel>";
}

}  // namespace quorva
