#include "rapport/page_rapport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/chemins.h"
#include "base/nombres.h"
#include "chart/vue_courbe.h"
#include "conversion/classeur_sylk.h"
#include "conversion/detection.h"

namespace quorva {

namespace {

constexpr double marge = 28;
constexpr double bande_amplitude = 50;  // the amplitude labels, left of the curve
constexpr double bande_temps = 20;      // the time labels, under it
constexpr double haut_bas = 288;        // where the table and the relations start

bool francais(int langue) { return langue == 2; }

// Seconds with as many decimals as one sample period needs (3 at 1000 Hz).
std::string secondes(double n_echantillons, std::uint32_t frequence, std::int32_t facteur, char separateur) {
    const double periode = static_cast<double>(std::max<std::int32_t>(facteur, 1)) / std::max<std::uint32_t>(frequence, 1);
    const int decimales = std::clamp(static_cast<int>(std::ceil(-std::log10(periode) - 1e-9)), 0, 6);
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.*f", decimales,
                  frequence == 0 ? n_echantillons : n_echantillons * std::max<std::int32_t>(facteur, 1) / frequence);
    std::string texte = tampon;
    if (separateur != '.') std::replace(texte.begin(), texte.end(), '.', separateur);
    return texte;
}

// Samples to seconds, for the plots' x.
double en_secondes(double n, const etat_conversion& etat) {
    return etat.frequence_echantillonnage == 0
               ? n
               : n * std::max<std::int32_t>(etat.facteur_division, 1) / etat.frequence_echantillonnage;
}

// The relation of a workbook table: its records up to the first empty one,
// the line through them and the CORREL the workbook caches.
relation relation_de(const std::array<point_xy, capacite_pointes + 1>& table, bool debuts, int nb_evenements,
                     const etat_conversion& etat, int langue, char separateur) {
    const bool fr = francais(langue);
    relation r;
    r.titre = debuts ? (fr ? "Début d'un événement et son énergie" : "Start of an event against its energy")
                     : (fr ? "Intervalle avant un événement et son énergie"
                           : "Interval before an event against its energy");
    r.axe_x = debuts ? (fr ? "début (s)" : "start (s)") : (fr ? "intervalle avant (s)" : "interval before (s)");
    r.axe_y = fr ? "énergie" : "energy";
    const int k = nb_enregistrements(table);
    for (int i = 1; i <= k; ++i)
        r.points.push_back({en_secondes(table[static_cast<std::size_t>(i)].x - (debuts ? 1 : 0), etat), table[static_cast<std::size_t>(i)].y});
    if (nb_evenements == 0) {
        r.vide = fr ? "Aucun événement" : "No event";
        return r;
    }
    if (!debuts && nb_evenements == 1) {
        r.vide = fr ? "Un seul événement : pas d'intervalle, pas de coefficient"
                    : "One event: no interval, no coefficient";
        return r;
    }
    // The line of least squares (the one that goes with the coefficient).
    long double sx = 0, sy = 0;
    for (const auto& p : r.points) {
        sx += p.x;
        sy += p.y;
    }
    const long double mx = sx / k, my = sy / k;
    long double sxx = 0, sxy = 0, syy = 0;
    for (const auto& p : r.points) {
        sxx += (p.x - mx) * (p.x - mx);
        sxy += (p.x - mx) * (p.y - my);
        syy += (p.y - my) * (p.y - my);
    }
    r.avec_coefficient = k >= 2 && sxx > 0 && syy > 0;
    if (r.avec_coefficient) {
        r.pente = static_cast<double>(sxy / sxx);
        r.ordonnee = static_cast<double>(my - sxy / sxx * mx);
        r.coefficient = correlation_classeur(table);
        r.texte_coefficient = (fr ? "Coefficient de corrélation r = " : "Correlation coefficient r = ") +
                              format_reel(r.coefficient, separateur);
        if (k >= enregistrements_max_classeur)
            r.remarque = fr ? "Le classeur n'a pas de place pour sa formule CORREL."
                            : "The workbook has no room for its CORREL formula.";
    } else if (k < 2) {
        r.texte_coefficient = fr ? "Un seul point : pas de coefficient" : "One point: no coefficient";
    } else {
        r.texte_coefficient = fr ? "Valeurs toutes égales : pas de coefficient" : "All values equal: no coefficient";
    }
    return r;
}

}  // namespace

page_rapport mise_en_page(int nb_evenements) {
    page_rapport p;
    const double largeur = largeur_page - 2 * marge;
    p.titre = {marge, 22, largeur, 20};
    p.entete = {marge, 44, largeur, 14};
    p.signal = {marge, 62, largeur, 214};
    // The marks' numbers take two lines above the curve.
    p.courbe = {marge + bande_amplitude, p.signal.y + 20, largeur - bande_amplitude - 4,
                p.signal.hauteur - 20 - bande_temps};
    const double hauteur_bas = hauteur_page - marge - haut_bas;
    p.tableau = {marge, haut_bas, 262, hauteur_bas};
    const double ecart = 16;
    const double largeur_relation = (largeur - p.tableau.largeur - 2 * ecart) / 2;
    p.relation_intervalles = {marge + p.tableau.largeur + ecart, haut_bas, largeur_relation, hauteur_bas};
    p.relation_debuts = {p.relation_intervalles.x + largeur_relation + ecart, haut_bas, largeur_relation, hauteur_bas};

    // One row for the headings; the note of what is left out takes a row.
    const int toutes = static_cast<int>(std::floor(hauteur_bas / hauteur_rangee)) - 1;
    const int n = std::max(nb_evenements, 0);
    p.rangees_montrees = n <= toutes ? n : toutes - 1;
    p.rangees_omises = n - p.rangees_montrees;
    return p;
}

std::string texte_omises(int omises, int total, int langue) {
    const bool tous = total <= enregistrements_max_classeur;
    if (francais(langue))
        return std::to_string(omises) + (omises > 1 ? " autres événements" : " autre événement") +
               " non listés ici : " +
               (tous ? "le classeur les contient tous"
                     : "le classeur contient les " + std::to_string(enregistrements_max_classeur) + " premiers");
    return std::to_string(omises) + (omises > 1 ? " more events" : " more event") + " left out here: " +
           (tous ? "the workbook holds them all"
                 : "the workbook holds the first " + std::to_string(enregistrements_max_classeur));
}

contenu_rapport preparer_rapport(const etat_conversion& etat, const std::string& nom, const std::string& date,
                                 int langue, char separateur) {
    const bool fr = francais(langue);
    const tables_evenements t = tables_reconstruites(etat);
    const std::uint32_t f = etat.frequence_echantillonnage;
    const std::int32_t facteur = std::max<std::int32_t>(etat.facteur_division, 1);
    contenu_rapport c;
    c.langue = langue;
    c.nom = nom;
    c.suffixe_titre = facteur > 1 ? " ×" + std::to_string(facteur) : "";
    const std::int32_t n = etat.nb_valides();
    const std::string nb = std::to_string(t.nb_pointes);
    c.entete = fr ? "Durée " + secondes(n, f, facteur, separateur) + " s    Fréquence d'échantillonnage " +
                        std::to_string(f) + " Hz    Facteur de réduction " + std::to_string(facteur) +
                        "    Converti le " + date + "    " + nb + (t.nb_pointes > 1 ? " pointes" : " pointe")
                  : "Length " + secondes(n, f, facteur, separateur) + " s    Sample rate " + std::to_string(f) +
                        " Hz    Reduction factor " + std::to_string(facteur) + "    Converted " + date + "    " + nb +
                        (t.nb_pointes == 1 ? " mark" : " marks");
    c.axe_temps = fr ? "temps (s)" : "time (s)";
    c.axe_amplitude = fr ? "amplitude (unités d'échantillon)" : "amplitude (sample units)";
    c.colonnes = fr ? std::vector<std::string>{"N°", "Début (s)", "Énergie", "Intervalle au suivant (s)"}
                    : std::vector<std::string>{"No.", "Start (s)", "Energy", "Interval to next (s)"};
    c.sans_evenement = fr ? "Aucun événement" : "No event";
    for (int i = 1; i <= t.nb_pointes; ++i) {
        const auto& p = t.pointes[static_cast<std::size_t>(i)];
        ligne_evenement l;
        l.numero = i;
        l.debut = secondes(p.x - 1, f, facteur, separateur);
        l.energie = format_reel(p.y, separateur);
        if (i < t.nb_pointes) l.intervalle = secondes(t.intervalles[static_cast<std::size_t>(i)].x, f, facteur, separateur);
        c.evenements.push_back(std::move(l));
        c.positions.push_back(p.x);
    }
    c.intervalles = relation_de(t.intervalles, false, t.nb_pointes, etat, langue, separateur);
    c.debuts = relation_de(t.pointes, true, t.nb_pointes, etat, langue, separateur);
    return c;
}

std::string chemin_rapport_propose(const std::string& chemin_wav) { return chemin_wav + ".pdf"; }

const char* texte_cause_rapport(FileFailure cause) {
    // A page is written where the pupil chose: a folder that refuses it
    // calls for another choice. Every other cause is said as for the
    // workbook (raison_ecriture).
    if (cause == FileFailure::denied)
        return "Le compte rendu %s n'a pas pu être écrit : l'écriture n'est pas permise dans ce dossier. "
               "Choisissez un dossier où vous pouvez écrire, puis recommencez.";
    return nullptr;
}

std::string date_maintenant() {
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &maintenant);
#else
    localtime_r(&maintenant, &local);
#endif
    char tampon[32];
    std::strftime(tampon, sizeof tampon, "%Y-%m-%d %H:%M", &local);
    return tampon;
}

}  // namespace quorva
