#include "chart/vue_courbe.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "base/nombres.h"
#include "base/recherche_fenetres.h"
#include "chart/detecteur_courbe.h"

namespace quorva {

namespace {

// A pixel coordinate: rounded half to even, kept within a range that any
// drawing surface accepts even for absurd values read from a marks file.
inline int pixel(double valeur) {
    if (valeur > -1000000 && valeur < 1000000) return arrondi_pixel(valeur);  // the usual case, fast
    if (std::isnan(valeur)) return 0;
    return static_cast<int>(std::clamp<std::int64_t>(arrondi(valeur), -1000000, 1000000));
}

std::int32_t nb_marques(const etat_conversion& conversion) {
    return std::clamp<std::int32_t>(conversion.nb_pointes, 0, capacite_pointes);
}

bool visible(const vue_courbe& vue, double x) {
    return x != 0 && vue.premier_visible < x && x <= vue.dernier_visible;
}

// The tables belong to the samples they were read from and to the rows
// they were drawn on: another buffer, count or scale empties them.
void preparer_tables(tables_courbe& t, const vue_courbe& vue, const etat_conversion& conversion) {
    const std::int32_t n = nb_utilisables(conversion);
    if (t.source == conversion.echantillons.data() && t.n == n && t.echelle_y == vue.echelle_y && t.hauteur == vue.hauteur)
        return;
    t = tables_courbe{};
    t.source = conversion.echantillons.data();
    t.n = n;
    t.echelle_y = vue.echelle_y;
    t.hauteur = vue.hauteur;
}

// The row of every sample, as the drawing places it (the middle row less
// the value on the vertical scale). Rows go down as values go up, so that
// the highest row of a run is the row of its greatest value, unless some
// value is not a number.
void preparer_rangees(tables_courbe& t) {
    if (!t.rangees.empty() || t.n <= 0) return;
    t.rangees.resize(static_cast<std::size_t>(t.n) + 1);
    const int milieu = t.hauteur / 2;
    for (std::int32_t i = 1; i <= t.n; ++i) {
        t.rangees[static_cast<std::size_t>(i)] = milieu - pixel(t.source[i] * t.echelle_y);
        t.sans_ordre = t.sans_ordre || std::isnan(t.source[i]);
    }
}

// The next level of runs: 2 samples from the samples (1-based), 2^k from
// two runs of 2^(k-1).
void ajouter_niveau(tables_courbe& t) {
    const auto k = t.niveaux.size() + 1;
    const std::size_t longueur = std::size_t{1} << k;
    const auto n = static_cast<std::size_t>(t.n);
    std::vector<tables_courbe::etendue> niveau(n >= longueur ? n - longueur + 1 : 0);
    if (k == 1) {
        for (std::size_t i = 0; i < niveau.size(); ++i) {
            const double a = t.source[i + 1], b = t.source[i + 2];
            niveau[i] = {std::min(a, b), std::max(a, b)};
        }
    } else {
        const auto& dessous = t.niveaux.back();
        for (std::size_t i = 0; i < niveau.size(); ++i) {
            const auto &g = dessous[i], &d = dessous[i + longueur / 2];
            niveau[i] = {std::min(g.mini, d.mini), std::max(g.maxi, d.maxi)};
        }
    }
    t.niveaux.push_back(std::move(niveau));
}

// The same for the rows.
void ajouter_niveau_rangees(tables_courbe& t) {
    const auto k = t.niveaux_rangees.size() + 1;
    const std::size_t longueur = std::size_t{1} << k;
    const auto n = static_cast<std::size_t>(t.n);
    std::vector<tables_courbe::etendue_rangees> niveau(n >= longueur ? n - longueur + 1 : 0);
    if (k == 1) {
        const std::int32_t* r = t.rangees.data();
        for (std::size_t i = 0; i < niveau.size(); ++i) niveau[i] = {std::min(r[i + 1], r[i + 2]), std::max(r[i + 1], r[i + 2])};
    } else {
        const auto& dessous = t.niveaux_rangees.back();
        for (std::size_t i = 0; i < niveau.size(); ++i) {
            const auto &g = dessous[i], &d = dessous[i + longueur / 2];
            niveau[i] = {std::min(g.haut, d.haut), std::max(g.bas, d.bas)};
        }
    }
    t.niveaux_rangees.push_back(std::move(niveau));
}

// The levels' first entries, level k at index k (0 unused), with at least
// the levels up to k built.
template <class Niveau, class Ajouter>
void niveaux_jusqua(std::vector<std::vector<Niveau>>& niveaux, std::vector<const Niveau*>& debuts, std::size_t k,
                    Ajouter&& ajouter) {
    if (k < debuts.size()) return;
    while (niveaux.size() < k) ajouter();
    debuts.resize(niveaux.size() + 1);
    for (std::size_t l = 1; l < debuts.size(); ++l) debuts[l] = niveaux[l - 1].data();
}

// arrondi_pixel for |valeur| < 2^51, in three instructions: adding 1.5 * 2^52
// leaves no bit below the unit, so that the processor rounds (half to even,
// in the default mode) and the subtraction gives the rounded value back
// exactly.
inline int arrondi_court(double valeur) {
    constexpr double decalage = 6755399441055744.0;  // 1.5 * 2^52
    return static_cast<int>((valeur + decalage) - decalage);
}

// Several samples per column: the first sample of each column, found from
// its edge at a constant cost whatever the zoom, into premiers[0 .. nb - 1],
// and premiers[nb] = dernier_visible + 1. Returns nb, the number of columns.
int premiers_des_colonnes(const vue_courbe& vue, std::vector<std::int32_t>& premiers) {
    const double ex = vue.echelle_x;
    const std::int32_t premier = vue.premier_visible, dernier = vue.dernier_visible;
    const int largeur = vue.largeur;
    const double par_colonne = vue.nb_visibles / static_cast<double>(largeur);
    // The column of sample s, before the last column takes the samples past
    // its middle (as colonne_echantillon rounds, halves to even): positions
    // of less than a column's width per sample, well within the quick
    // rounding's range.
    const auto colonne_de_echantillon = [&](std::int32_t s) { return arrondi_court((s - premier) * ex); };
    premiers.resize(static_cast<std::size_t>(largeur) + 1);
    std::int32_t* p = premiers.data();
    // Samples are less than a column apart: every column holds at least one.
    // Column c ends where the samples pass its right edge, (c + 0.5) / ex
    // samples after the first one: the next column starts at the first
    // sample past it. Of the samples nearest the edge, the one before is
    // surely in column c and the one after surely past it (they stand half a
    // sample or more from the edge, far more than the rounding errors of
    // these products of fewer than 2^31 samples): only the nearest one is
    // asked its column.
    std::int32_t i = premier;
    int c = 0;
    double milieu = 0.5;  // c + 0.5
    for (; c < largeur && i <= dernier; ++c, milieu += 1) {
        p[c] = i;
        std::int32_t suivant = dernier + 1;
        if (c < largeur - 1) {
            const std::int32_t proche = premier + arrondi_court(milieu * par_colonne);
            suivant = std::min(proche + static_cast<std::int32_t>(colonne_de_echantillon(proche) <= c), dernier + 1);
        }
        i = suivant;
    }
    p[c] = i;
    return c;
}

// Several samples per column: the range of each column's samples, joined to
// the last sample of the column before it: the rows of samples
// i - 1 .. suivant - 1 (i .. suivant - 1 for the first column), read from
// the tables of rows.
void tracer_enveloppe(vue_courbe& vue, trace_courbe& trace) {
    tables_courbe& t = vue.tables;
    const std::int32_t* r = t.rangees.data();
    const std::int32_t premier = vue.premier_visible;
    // The levels the columns need, built before the loop: a column holds
    // the samples of one column's width and the one before them (the last
    // column may hold more, and builds what it needs).
    const double par_colonne = vue.nb_visibles / static_cast<double>(vue.largeur);
    const auto plus_long = static_cast<std::uint32_t>(std::min<double>(par_colonne + 2, t.n));
    std::vector<const tables_courbe::etendue_rangees*> niveaux;
    const auto ajouter = [&] { ajouter_niveau_rangees(t); };
    niveaux_jusqua(t.niveaux_rangees, niveaux, static_cast<std::size_t>(std::bit_width(plus_long) - 1), ajouter);

    const int nb = premiers_des_colonnes(vue, trace.premiers);
    const std::int32_t* p = trace.premiers.data();
    trace.enveloppe.resize(static_cast<std::size_t>(nb));
    colonne_enveloppe* sortie = trace.enveloppe.data();
    // Column c: the rows of samples a .. b, from the two runs of the largest
    // power of two that fits, one starting at a, the other ending at b.
    const auto rangees_de = [&](int c, std::int32_t a, std::int32_t b, const tables_courbe::etendue_rangees* niveau,
                                int k) {
        const auto &g = niveau[a - 1], &d = niveau[b - (std::int32_t{1} << k)];
        sortie[c] = {c, std::min(g.haut, d.haut), std::max(g.bas, d.bas)};
    };
    // The first column (no sample before it, maybe a single sample) and the
    // last one (it may hold more) ask for what they need.
    const auto colonne_quelconque = [&](int c) {
        const std::int32_t a = p[c] - (p[c] > premier ? 1 : 0), b = p[c + 1] - 1;
        const auto longueur = static_cast<std::uint32_t>(b - a + 1);
        if (longueur == 1) {
            sortie[c] = {c, r[a], r[a]};
            return;
        }
        const auto k = static_cast<std::size_t>(std::bit_width(longueur) - 1);
        niveaux_jusqua(t.niveaux_rangees, niveaux, k, ajouter);
        rangees_de(c, a, b, niveaux[k], static_cast<int>(k));
    };
    if (nb > 0) colonne_quelconque(0);
    // Between them, the sample before the column and at most plus_long - 1
    // of its own: two samples or more, whose levels are built.
    for (int c = 1; c < nb - 1; ++c) {
        const std::int32_t a = p[c] - 1, b = p[c + 1] - 1;
        const int k = std::bit_width(static_cast<std::uint32_t>(b - a + 1)) - 1;
        rangees_de(c, a, b, niveaux[static_cast<std::size_t>(k)], k);
    }
    if (nb > 1) colonne_quelconque(nb - 1);
    trace.premiers.resize(static_cast<std::size_t>(nb));
}

// The same for a recording without order: the minimum and maximum values of
// the column's samples, then their rows.
void tracer_enveloppe_sans_ordre(vue_courbe& vue, const etat_conversion& conversion, trace_courbe& trace) {
    tables_courbe& t = vue.tables;
    const double* v = conversion.echantillons.data();
    const int milieu = vue.hauteur / 2;
    const double ey = vue.echelle_y;
    const std::int32_t premier = vue.premier_visible;
    std::vector<const tables_courbe::etendue*> niveaux;
    const auto ajouter = [&] { ajouter_niveau(t); };
    const int nb = premiers_des_colonnes(vue, trace.premiers);
    const std::int32_t* p = trace.premiers.data();
    trace.enveloppe.resize(static_cast<std::size_t>(nb));
    for (int c = 0; c < nb; ++c) {
        const std::int32_t i = p[c], suivant = p[c + 1];
        double mini = v[i], maxi = v[i];
        if (i > premier) {
            mini = std::min(mini, v[i - 1]);
            maxi = std::max(maxi, v[i - 1]);
        }
        const auto longueur = static_cast<std::uint32_t>(suivant - i);
        if (longueur == 1) {
            mini = std::min(mini, v[i]);
            maxi = std::max(maxi, v[i]);
        } else {
            const auto k = static_cast<std::size_t>(std::bit_width(longueur) - 1);
            niveaux_jusqua(t.niveaux, niveaux, k, ajouter);
            const auto &g = niveaux[k][i - 1], &d = niveaux[k][suivant - 1 - (std::int32_t{1} << k)];
            mini = std::min({mini, g.mini, d.mini});
            maxi = std::max({maxi, g.maxi, d.maxi});
        }
        trace.enveloppe[static_cast<std::size_t>(c)] = {c, milieu - pixel(maxi * ey), milieu - pixel(mini * ey)};
    }
    trace.premiers.resize(static_cast<std::size_t>(nb));
}

// At most one sample per column: the line through the samples, as a
// one-pixel pen draws it: each column spans the rows the line crosses
// within half a column on either side of it, and the rows of the samples
// that fall in it. The pen starts at the second sample's column on the
// first sample's row and draws a level stroke back to the first sample.
void tracer_ligne(const vue_courbe& vue, trace_courbe& trace) {
    const std::int32_t* y = vue.tables.rangees.data();
    const std::int32_t premier = vue.premier_visible, dernier = vue.dernier_visible;
    const double ex = vue.echelle_x;
    const int largeur = vue.largeur;
    // Positions of at most a column's width per sample: well within the
    // quick rounding's range.
    const auto colonne = [&](std::int32_t i) { return std::min(arrondi_court((i - premier) * ex), largeur - 1); };
    const int y_plume = y[premier];
    const int fin_plume = std::min(pixel(ex), largeur - 1);
    const int derniere = std::max(colonne(dernier), fin_plume);
    // The segment being crossed: from sample j at (cj, yj) to the next one
    // at (c_suivant, y_suivant); after the last sample the line stays level.
    // Its start and its rise and run, as the drawing reckons them.
    std::int32_t j = premier - 1;
    int cj = 0, c_suivant = 0, yj = y_plume, y_suivant = y_plume;
    double depart_x = 0, depart_y = 0, montee = 0, course = 1;
    const auto avancer = [&] {
        ++j;
        cj = c_suivant;
        yj = y_suivant;
        if (j < dernier) {
            c_suivant = colonne(j + 1);
            y_suivant = y[j + 1];
        } else {
            c_suivant = largeur;  // never reached
            y_suivant = yj;
        }
        depart_x = cj;
        depart_y = yj;
        montee = y_suivant - yj;
        course = c_suivant - cj;
    };
    avancer();
    trace.enveloppe.resize(static_cast<std::size_t>(derniere) + 1);
    colonne_enveloppe* sortie = trace.enveloppe.data();
    int gauche = y_plume;  // the line's row half a column to the left (the first sample's at column 0)
    double milieu_colonne = 0.5;  // c + 0.5
    for (int c = 0; c <= derniere; ++c, milieu_colonne += 1) {
        int haut = gauche, bas = gauche;
        // The samples in this column.
        while (c_suivant <= c) {
            avancer();
            haut = std::min(haut, yj);
            bas = std::max(bas, yj);
        }
        if (c <= fin_plume) {
            haut = std::min(haut, y_plume);
            bas = std::max(bas, y_plume);
        }
        // One rounding only (the division), so that a row exactly halfway
        // between two pixels rounds as the pen does. Rows stay within two
        // million of the middle: well within the quick rounding's range.
        const int droite = arrondi_court(depart_y + (milieu_colonne - depart_x) * montee / course);
        sortie[c] = {c, std::min(haut, droite), std::max(bas, droite)};
        gauche = droite;
    }
}

}  // namespace

void colonnes_marquees(const trace_courbe& trace, int largeur, std::vector<marque_colonne>& colonnes) {
    colonnes.assign(static_cast<std::size_t>(std::max(largeur, 0)), marque_colonne::aucune);
    const auto marquer = [&](int x, marque_colonne marque) {
        if (x >= 0 && x < largeur) colonnes[static_cast<std::size_t>(x)] = marque;
    };
    for (int c : trace.colonnes_pointes)
        for (int x : {c, c + 1}) marquer(x, marque_colonne::pointe);
    const int c = trace.colonne_selection;
    if (c >= 0)
        for (int x = c - 1; x <= c + 2; ++x) marquer(x, marque_colonne::selection);
}

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
    vue.tables = tables_courbe{};  // the samples may have been replaced in place
}

void calculer_trace(vue_courbe& vue, const etat_conversion& conversion, trace_courbe& trace) {
    trace.enveloppe.clear();
    trace.premiers.clear();
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

    preparer_tables(vue.tables, vue, conversion);
    preparer_rangees(vue.tables);
    if (vue.nb_visibles <= vue.largeur) {
        tracer_ligne(vue, trace);
    } else {
        if (vue.tables.sans_ordre)
            tracer_enveloppe_sans_ordre(vue, conversion, trace);
        else
            tracer_enveloppe(vue, trace);
    }

    for (std::int32_t k = 1; k <= nb_marques(conversion); ++k) {
        const double x = conversion.pointes[k].x;
        if (visible(vue, x)) trace.colonnes_pointes.push_back(colonne_de(vue, x));
    }
    const std::int32_t choisie = pointe_selectionnee(vue, conversion);
    if (choisie != 0 && visible(vue, conversion.pointes[choisie].x))
        trace.colonne_selection = colonne_de(vue, conversion.pointes[choisie].x);
    if (vue.detecteur_visible) {
        if (vue.tables.energies.empty()) vue.tables.energies = energies_cumulees(conversion, n);
        tracer_detecteur(vue, vue.tables.energies, trace);
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

double position_insertion(const vue_courbe& vue, std::optional<int> x_souris) {
    if (x_souris && *x_souris >= 0 && *x_souris < vue.largeur) return position_de(vue, *x_souris);
    return (vue.premier_visible + vue.dernier_visible) / 2.0;
}

double pas_fleche(const vue_courbe& vue, bool par_colonne) {
    return par_colonne && vue.echelle_x > 0 ? 1 / vue.echelle_x : 1;
}

// --- Time ruler --------------------------------------------------------------------

double secondes_de(double n, std::uint32_t frequence, std::int32_t facteur_division) {
    if (frequence == 0) return 0;
    return (n - 1) * std::max<std::int32_t>(facteur_division, 1) / frequence;
}

std::vector<graduation> graduations_amplitude(const vue_courbe& vue, double ecart_min, char separateur) {
    std::vector<graduation> resultat;
    // A flat recording, drawn on the middle line, still gets a scale: one
    // sample unit either side of it.
    const double echelle = vue.echelle_y == 0 && vue.hauteur > 0 ? vue.hauteur / 2.0 : vue.echelle_y;
    if (!(echelle > 0) || !std::isfinite(echelle)) return resultat;
    const int milieu = vue.hauteur / 2;
    double pas = std::pow(10.0, std::floor(std::log10(ecart_min / echelle)));
    for (int essai = 0; essai < 3 && pas * echelle < ecart_min; ++essai)
        pas *= essai == 1 ? 2.5 : 2;  // 1, 2, 5, 10
    if (!(pas > 0) || !std::isfinite(pas)) return resultat;
    const auto haut = static_cast<std::int64_t>(std::floor(milieu / echelle / pas));
    const auto bas = static_cast<std::int64_t>(std::ceil((milieu - vue.hauteur) / echelle / pas));
    for (std::int64_t k = bas; k <= haut && resultat.size() < 200; ++k) {
        const double valeur = static_cast<double>(k) * pas;
        graduation g;
        g.x = milieu - pixel(valeur * echelle);
        if (g.x < 0 || g.x > vue.hauteur) continue;
        g.majeure = true;
        g.texte = format_reel(valeur, separateur);
        resultat.push_back(std::move(g));
    }
    return resultat;
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

void ranger_fenetres_couvrantes(Plateforme& os, const std::string& titre_chart,
                                const std::function<bool(WindowId)>& est_propre) {
    for (int tour = 0; tour < 5; ++tour) {
        const WindowId fenetre = os.foreground_window();
        if (fenetre != 0 && est_propre && est_propre(fenetre)) return;
        const std::string titre = fenetre != 0 ? nom_fenetre(os, fenetre) : std::string();
        if (titre == titre_chart) return;
        if (fenetre != 0) os.minimize_window(fenetre);
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
