#include "chart/vue_courbe.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "app/contexte.h"
#include "app/nombres.h"
#include "app/recherche_fenetres.h"
#include "chart/detecteur_courbe.h"

namespace quorva {

namespace {

// A pixel coordinate: rounded half to even, kept within a range that any
// drawing surface accepts even for absurd values read from a marks file.
int pixel(double valeur) {
    if (valeur > -1000000 && valeur < 1000000) return static_cast<int>(std::lrint(valeur));  // the usual case, fast
    if (std::isnan(valeur)) return 0;
    return static_cast<int>(std::clamp<std::int64_t>(arrondi(valeur), -1000000, 1000000));
}

std::int32_t nb_marques(const etat_conversion& conversion) {
    return std::clamp<std::int32_t>(conversion.nb_pointes, 0, capacite_pointes);
}

bool visible(const vue_courbe& vue, double x) {
    return x != 0 && vue.premier_visible < x && x <= vue.dernier_visible;
}

void construire_paliers(paliers_minmax& p, const etat_conversion& conversion) {
    const std::int32_t n = nb_utilisables(conversion);
    p.source = conversion.echantillons.data();
    p.n = n;
    p.blocs.clear();
    p.debut_niveau.clear();
    // Level 0 from the samples (1-based), each next level from the one below.
    std::size_t blocs = static_cast<std::size_t>(n) / 2;
    p.blocs.reserve(blocs * 2);
    for (std::size_t b = 0; b < blocs; ++b) {
        const double a = conversion.echantillons[2 * b + 1], c = conversion.echantillons[2 * b + 2];
        p.blocs.push_back({std::min(a, c), std::max(a, c)});
    }
    std::size_t debut = 0;
    while (blocs > 0) {
        p.debut_niveau.push_back(debut);
        const std::size_t suivants = blocs / 2;
        for (std::size_t b = 0; b < suivants; ++b) {
            const auto gauche = p.blocs[debut + 2 * b], droite = p.blocs[debut + 2 * b + 1];
            p.blocs.push_back({std::min(gauche.mini, droite.mini), std::max(gauche.maxi, droite.maxi)});
        }
        debut += blocs;
        blocs = suivants;
    }
}

// The range of samples a..b (1-based, inclusive), widening mini and maxi:
// at each step the largest block that starts at a (aligned on its size) and
// ends by b; a single sample where no block fits.
void etendre(const paliers_minmax& p, const etat_conversion& conversion, std::int32_t a, std::int32_t b, double& mini,
             double& maxi) {
    const int niveaux = static_cast<int>(p.debut_niveau.size());
    while (a <= b) {
        const auto debut = static_cast<std::uint32_t>(a - 1);
        const auto longueur = static_cast<std::uint32_t>(b - a + 1);
        int puissance = std::bit_width(longueur) - 1;  // the largest block that fits
        if (debut != 0) puissance = std::min(puissance, std::countr_zero(debut));
        puissance = std::min(puissance, niveaux);
        if (puissance == 0) {
            mini = std::min(mini, conversion.echantillons[a]);
            maxi = std::max(maxi, conversion.echantillons[a]);
            ++a;
        } else {
            const std::size_t i = p.debut_niveau[static_cast<std::size_t>(puissance) - 1] + (debut >> puissance);
            mini = std::min(mini, p.blocs[i].mini);
            maxi = std::max(maxi, p.blocs[i].maxi);
            a += std::int32_t{1} << puissance;
        }
    }
}

}  // namespace

std::int32_t nb_utilisables(const etat_conversion& conversion) {
    // Entry 0 of the buffer is never used.
    const auto taille = static_cast<std::int64_t>(conversion.echantillons.size()) - 1;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(conversion.nb_echantillons, 0, std::max<std::int64_t>(taille, 0)));
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
    construire_paliers(vue.paliers, conversion);
}

void calculer_trace(vue_courbe& vue, const etat_conversion& conversion, trace_courbe& trace) {
    trace.points.clear();
    trace.enveloppe.clear();
    trace.colonnes_pointes.clear();
    trace.colonne_selection = -1;
    trace.detecteur.clear();
    trace.y_seuil = -1;
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
    const auto y_de = [&](double valeur) { return milieu - pixel(valeur * vue.echelle_y); };
    if (vue.nb_visibles <= vue.largeur) {
        // At most one sample per column: the line through every sample.
        trace.points.reserve(static_cast<std::size_t>(vue.nb_visibles) + 1);
        trace.points.push_back({pixel(vue.echelle_x), y_de(v[vue.premier_visible])});
        for (std::int32_t i = vue.premier_visible; i <= vue.dernier_visible; ++i)
            trace.points.push_back({pixel((i - vue.premier_visible) * vue.echelle_x), y_de(v[i])});
    } else {
        // Several samples per column: the range of each column, joined to
        // the last sample of the column before it. A sample's column is
        // rounded as pixel() does (lrint: to nearest, halves to even); each
        // column's run of samples is found from its edges and its range
        // read from the blocks, so the cost follows the columns, not the
        // samples.
        if (vue.paliers.source != conversion.echantillons.data() || vue.paliers.n != n)
            construire_paliers(vue.paliers, conversion);
        trace.enveloppe.reserve(static_cast<std::size_t>(vue.largeur));
        const double ex = vue.echelle_x;
        const std::int32_t premier = vue.premier_visible, dernier = vue.dernier_visible;
        const int derniere_colonne = vue.largeur - 1;
        const auto colonne = [&](std::int32_t i) {
            return std::min(static_cast<int>(std::lrint((i - premier) * ex)), derniere_colonne);
        };
        for (std::int32_t i = premier; i <= dernier;) {
            const int c = colonne(i);
            // The first sample of the next column: estimated, then set right.
            std::int32_t suivant = dernier + 1;
            if (c < derniere_colonne) {
                const double estime = premier + std::ceil((c + 0.5) / ex);
                suivant = static_cast<std::int32_t>(std::clamp<double>(estime, i + 1, dernier + 1));
                while (suivant <= dernier && colonne(suivant) <= c) ++suivant;
                while (suivant - 1 > i && colonne(suivant - 1) > c) --suivant;
            }
            double mini = v[i], maxi = v[i];
            if (i > premier) {
                mini = std::min(mini, v[i - 1]);
                maxi = std::max(maxi, v[i - 1]);
            }
            etendre(vue.paliers, conversion, i, suivant - 1, mini, maxi);
            trace.enveloppe.push_back({c, y_de(maxi), y_de(mini)});
            i = suivant;
        }
    }

    for (std::int32_t k = 1; k <= nb_marques(conversion); ++k) {
        const double x = conversion.pointes[k].x;
        if (visible(vue, x)) trace.colonnes_pointes.push_back(colonne_de(vue, x));
    }
    const std::int32_t choisie = pointe_selectionnee(vue, conversion);
    if (choisie != 0 && visible(vue, conversion.pointes[choisie].x))
        trace.colonne_selection = colonne_de(vue, conversion.pointes[choisie].x);
    if (vue.detecteur_visible) tracer_detecteur(vue, conversion, trace);
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

// --- Keyboard ---------------------------------------------------------------------

std::int32_t pointe_selectionnee(const vue_courbe& vue, const etat_conversion& conversion) {
    const std::int32_t k = vue.pointe_selectionnee;
    if (k < 1 || k > nb_marques(conversion) || conversion.pointes[k].x == 0) return 0;
    return k;
}

bool selectionner_pointe(vue_courbe& vue, const etat_conversion& conversion, bool suivante) {
    // Marks in the order of their positions; equal positions by index.
    const auto avant = [&](std::int32_t a, std::int32_t b) {
        const double xa = conversion.pointes[a].x, xb = conversion.pointes[b].x;
        return xa < xb || (xa == xb && a < b);
    };
    const std::int32_t actuelle = pointe_selectionnee(vue, conversion);
    std::int32_t premiere = 0, derniere = 0, voisine = 0;
    for (std::int32_t k = 1; k <= nb_marques(conversion); ++k) {
        if (conversion.pointes[k].x == 0) continue;
        if (premiere == 0 || avant(k, premiere)) premiere = k;
        if (derniere == 0 || avant(derniere, k)) derniere = k;
        if (actuelle == 0 || k == actuelle) continue;
        if (suivante && avant(actuelle, k) && (voisine == 0 || avant(k, voisine))) voisine = k;
        if (!suivante && avant(k, actuelle) && (voisine == 0 || avant(voisine, k))) voisine = k;
    }
    if (premiere == 0) {
        vue.pointe_selectionnee = 0;
        return false;
    }
    if (voisine == 0) voisine = suivante ? premiere : derniere;  // round at the ends
    vue.pointe_selectionnee = voisine;
    montrer_position(vue, conversion, conversion.pointes[voisine].x);
    return true;
}

void montrer_position(vue_courbe& vue, const etat_conversion& conversion, double x) {
    const std::int32_t n = nb_utilisables(conversion);
    if (n <= 0 || std::isnan(x) || visible(vue, x)) return;
    const std::int32_t largeur = std::max<std::int32_t>(vue.dernier_visible - vue.premier_visible + 1, 1);
    const double centre = std::clamp(x, 1.0, static_cast<double>(n));
    std::int32_t premier = static_cast<std::int32_t>(arrondi(centre - largeur / 2.0));
    premier = std::clamp<std::int32_t>(premier, 1, std::max<std::int32_t>(n - largeur + 1, 1));
    vue.premier_visible = premier;
    vue.dernier_visible = std::min<std::int32_t>(premier + largeur - 1, n);
    // A mark on the first sample is never in sight (the left edge is
    // excluded): show it as near the edge as the recording allows.
}

void zoom_clavier(vue_courbe& vue, const etat_conversion& conversion, bool avant) {
    int x = vue.largeur / 2;
    const std::int32_t k = pointe_selectionnee(vue, conversion);
    if (k != 0 && visible(vue, conversion.pointes[k].x)) x = std::clamp(colonne_de(vue, conversion.pointes[k].x), 0, vue.largeur);
    vue.touche_mod = 'c';
    pas_molette(vue, conversion, avant, x);
}

double position_de(const vue_courbe& vue, int x) {
    if (!(vue.echelle_x > 0)) return vue.premier_visible;
    return x / vue.echelle_x + vue.premier_visible;
}

// --- Time ruler --------------------------------------------------------------------

double secondes_de(double n, std::uint32_t frequence, std::int32_t facteur_division) {
    if (frequence == 0) return 0;
    return (n - 1) * std::max<std::int32_t>(facteur_division, 1) / frequence;
}

std::vector<graduation> graduations(const vue_courbe& vue, std::uint32_t frequence, std::int32_t facteur_division,
                                    char separateur) {
    std::vector<graduation> resultat;
    if (vue.nb_visibles <= 0 || !(vue.echelle_x > 0)) return resultat;
    // Units per sample: seconds, or samples when the rate is unknown.
    const double par_echantillon =
        frequence == 0 ? 1.0 : static_cast<double>(std::max<std::int32_t>(facteur_division, 1)) / frequence;
    const double origine = frequence == 0 ? 0.0 : 1.0;  // the unit's zero, in samples
    const double pixels_par_unite = vue.echelle_x / par_echantillon;

    // The smallest 1-2-5 step whose labels stand at least 80 pixels apart.
    constexpr double ecart_min = 80;
    double puissance = std::pow(10.0, std::floor(std::log10(ecart_min / pixels_par_unite)));
    double pas = 0;
    int mantisse = 1;
    for (int essai = 0; essai < 8 && pas == 0; ++essai, puissance *= 10)
        for (int m : {1, 2, 5})
            if (m * puissance * pixels_par_unite >= ecart_min) {
                pas = m * puissance;
                mantisse = m;
                break;
            }
    if (!(pas > 0) || !std::isfinite(pas)) return resultat;
    if (frequence == 0 && pas < 1) pas = 1;
    const int divisions = mantisse == 2 ? 4 : 5;
    const double petit_pas = pas / divisions;
    const int decimales = std::max(0, static_cast<int>(-std::floor(std::log10(pas) + 1e-9)));

    const double debut = (vue.premier_visible - origine) * par_echantillon;
    const double fin = (vue.dernier_visible - origine) * par_echantillon;
    if (!(std::abs(debut / petit_pas) < 1e15 && std::abs(fin / petit_pas) < 1e15)) return resultat;
    const auto premier = static_cast<std::int64_t>(std::ceil(debut / petit_pas - 1e-9));
    const auto dernier = static_cast<std::int64_t>(std::floor(fin / petit_pas + 1e-9));
    for (std::int64_t k = premier; k <= dernier && resultat.size() < 1000; ++k) {
        const double valeur = k * petit_pas;
        graduation g;
        g.x = pixel((valeur / par_echantillon + origine - vue.premier_visible) * vue.echelle_x);
        g.majeure = k % divisions == 0;
        if (g.majeure) {
            char tampon[64];
            std::snprintf(tampon, sizeof tampon, "%.*f", decimales, valeur);
            g.texte = tampon;
            if (separateur != '.') std::replace(g.texte.begin(), g.texte.end(), '.', separateur);
            if (g.texte == "-0") g.texte = "0";
            if (frequence != 0) g.texte += " s";
        }
        resultat.push_back(std::move(g));
    }
    return resultat;
}

// --- Opening -----------------------------------------------------------------------

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
