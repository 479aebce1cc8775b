#include "rapport/page_rapport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/chemins.h"
#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "base/nombres.h"
#include "base/texte.h"
#include "chart/textes_chart.h"
#include "conversion/classeur_sylk.h"
#include "conversion/detection.h"
#include "conversion/rapport_convert.h"
#include "rapport/formats_rapport.h"

namespace quorva {

#ifdef QUORVA_VERSION
const char* const version_rapport = QUORVA_VERSION;
#else
const char* const version_rapport = "?";
#endif

namespace {

constexpr double marge = 28;
constexpr double bande_amplitude = 50;  // the amplitude labels, left of the curve
constexpr double bande_temps = 20;      // the time labels, under it
constexpr double bande_numeros = 26;    // the marks' numbers, above it
constexpr double haut_bas = 298;        // where the table and the relations start

// The relation of a workbook table: the records that the workbook holds (up
// to the first empty one, at most enregistrements_max_classeur), the line
// through them and their CORREL as the spreadsheet computes it.
relation relation_de(const std::array<point_xy, capacite_pointes + 1>& table, bool debuts, int nb_evenements,
                     const etat_conversion& etat, int langue, char separateur) {
    const bool fr = francais(langue);
    relation r;
    r.titre = debuts ? (fr ? "Début d'un événement et son énergie" : "Start of an event against its energy")
                     : (fr ? "Intervalle avant un événement et son énergie"
                           : "Interval before an event against its energy");
    r.axe_x = debuts ? (fr ? "début (s)" : "start (s)") : (fr ? "intervalle avant (s)" : "interval before (s)");
    r.axe_y = fr ? "énergie" : "energy";
    const int tous = nb_enregistrements(table);
    const int k = std::min(tous, enregistrements_max_classeur);
    for (int i = 1; i <= k; ++i)
        r.points.push_back({en_secondes(table[static_cast<std::size_t>(i)].x - (debuts ? 1 : 0), etat),
                            table[static_cast<std::size_t>(i)].y});
    r.nb_points = k;
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
    const droite_ajustee d = droite_de(r.points);
    r.avec_coefficient = d.existe;
    if (r.avec_coefficient) {
        r.pente = d.pente;
        r.ordonnee = d.ordonnee;
        r.coefficient = correlation_classeur(table);
        r.texte_coefficient = (fr ? "Coefficient de corrélation r = " : "Correlation coefficient r = ") +
                              texte_coefficient(r.coefficient, separateur);
        r.texte_droite = texte_droite(r.pente, r.ordonnee, k, separateur);
        if (tous > k)
            r.remarque = fr ? "Sur les " + std::to_string(k) + " premiers événements sur " + std::to_string(tous) +
                                  ", ceux que le classeur contient (sans place pour sa formule CORREL)."
                            : "Over the first " + std::to_string(k) + " events of " + std::to_string(tous) +
                                  ", those the workbook holds (with no room for its CORREL formula).";
        else if (k >= enregistrements_max_classeur)
            r.remarque = fr ? "Le classeur n'a pas de place pour sa formule CORREL."
                            : "The workbook has no room for its CORREL formula.";
    } else if (k < 2) {
        r.texte_coefficient = fr ? "Un seul point : pas de coefficient" : "One point: no coefficient";
    } else {
        r.texte_coefficient = fr ? "Valeurs toutes égales : pas de coefficient" : "All values equal: no coefficient";
    }
    return r;
}

std::string texte_origine(origine_pointes origine, bool fr) {
    switch (origine) {
    case origine_pointes::validees: return {};
    case origine_pointes::avant_ok:
        return fr ? "Pointes du graphique, avant OK : le classeur les contiendra après OK."
                  : "The chart's marks, before OK: the workbook holds them after OK.";
    case origine_pointes::detectees:
        return fr ? "Pointes détectées, non vérifiées sur le graphique."
                  : "Detected marks, not checked on the chart.";
    }
    return {};
}

}  // namespace

bool francais(int langue) { return langue == 2; }

double en_secondes(double n, const etat_conversion& etat) {
    return etat.frequence_echantillonnage == 0
               ? n
               : n * std::max<std::int32_t>(etat.facteur_division, 1) / etat.frequence_echantillonnage;
}

page_rapport mise_en_page(int nb_evenements) {
    page_rapport p;
    const double largeur = largeur_page - 2 * marge;
    const double largeur_a_remplir = 230;
    const double largeur_entete = largeur - largeur_a_remplir - 20;
    p.titre = {marge, 16, largeur_entete, 20};
    p.a_remplir = {marge + largeur - largeur_a_remplir, 14, largeur_a_remplir, 66};
    p.entete = {marge, 38, largeur_entete, 50};
    p.limites = {marge, 88, largeur, 11};
    p.signal = {marge, 100, largeur, 190};
    // The marks' numbers take up to three staggered rows above the curve.
    p.courbe = {marge + bande_amplitude, p.signal.y + bande_numeros, largeur - bande_amplitude - 4,
                p.signal.hauteur - bande_numeros - bande_temps};
    p.note = {marge, hauteur_page - marge + 2, largeur, 12};
    const double hauteur_bas = hauteur_page - marge - haut_bas - 2;
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

contenu_rapport preparer_rapport(const etat_conversion& etat, const tables_evenements& t,
                                 origine_pointes origine, const std::string& nom, const std::string& date,
                                 int langue, char separateur) {
    const bool fr = francais(langue);
    const std::uint32_t f = etat.frequence_echantillonnage;
    const std::int32_t facteur = std::max<std::int32_t>(etat.facteur_division, 1);
    const int nb = std::clamp<int>(t.nb_pointes, 0, capacite_pointes);
    contenu_rapport c;
    c.langue = langue;
    c.origine = origine;
    c.titre_tp = fr ? "TP Patin tracté (stick-slip)" : "Towed skid practical (stick-slip)";
    c.nom = nom;
    c.suffixe_titre = facteur > 1 ? " ×" + std::to_string(facteur) : "";
    c.texte_origine = texte_origine(origine, fr);
    c.a_remplir = fr ? std::vector<std::string>{"Noms :", "Classe :", "Groupe :"}
                     : std::vector<std::string>{"Names:", "Class:", "Group:"};
    const std::string duree = texte_secondes(en_secondes(etat.nb_valides(), etat), separateur);
    const std::string marques = std::to_string(nb) + (fr ? (nb > 1 ? " pointes" : " pointe") : (nb == 1 ? " mark" : " marks"));
    c.entete = fr ? "Durée " + duree + " s    Fréquence d'échantillonnage " + std::to_string(f) +
                        " Hz    Facteur de réduction " + std::to_string(facteur) + "    " + marques
                  : "Length " + duree + " s    Sample rate " + std::to_string(f) + " Hz    Reduction factor " +
                        std::to_string(facteur) + "    " + marques;
    c.faite_le = fr ? "Page faite le " + date + " par Quorva " + version_rapport
                    : "Page made on " + date + " by Quorva " + version_rapport;
    c.limites = texte_limites(nb, langue);
    c.note_energie = fr ? "Énergie = (valeur / diviseur)^2 ; énergie d'un événement : la somme des énergies de ses "
                          "échantillons jusqu'à l'événement suivant, moins le niveau de base."
                        : "Energy = (value / divisor)^2; an event's energy: the sum of the energies of its samples "
                          "up to the next event, less the baseline level.";
    const legendes_chart legende = legendes(langue);
    c.axe_temps = legende.axe_temps;
    c.axe_amplitude = legende.axe_amplitude;
    c.colonnes = fr ? std::vector<std::string>{"N°", "Début (s)", "Énergie", "Intervalle au suivant (s)"}
                    : std::vector<std::string>{"No.", "Start (s)", "Energy", "Interval to next (s)"};
    c.sans_evenement = fr ? "Aucun événement" : "No event";
    for (int i = 1; i <= nb; ++i) {
        const auto& p = t.pointes[static_cast<std::size_t>(i)];
        ligne_evenement l;
        l.numero = i;
        l.debut = texte_secondes(en_secondes(p.x - 1, etat), separateur);
        l.energie = texte_significatif(p.y, 4, separateur);
        if (i < nb) l.intervalle = texte_secondes(en_secondes(t.intervalles[static_cast<std::size_t>(i)].x, etat), separateur);
        c.evenements.push_back(std::move(l));
        c.positions.push_back(p.x);
    }
    c.intervalles = relation_de(t.intervalles, false, nb, etat, langue, separateur);
    c.debuts = relation_de(t.pointes, true, nb, etat, langue, separateur);
    return c;
}

std::string chemin_rapport_propose(const std::string& chemin_wav) { return chemin_wav + ".pdf"; }

std::string chemin_rapport_choisi(const std::string& chemin) {
    return chemin.empty() || est_nom_de_rapport(chemin) ? chemin : chemin + ".pdf";
}

const char* texte_remplacer_rapport(int langue) {
    return francais(langue) ? "Le fichier %s existe déjà. Le remplacer ?" : "The file %s already exists. Replace it?";
}

std::string raison_rapport(const std::string& chemin, FileFailure cause, int langue) {
    if (francais(langue)) {
        // A page is written where the pupil chose: a folder that refuses it
        // calls for another choice. Every other cause is said as for the
        // workbook.
        if (cause == FileFailure::denied)
            return message("Le compte rendu %s n'a pas pu être écrit : l'écriture n'est pas permise dans ce dossier. "
                           "Choisissez un dossier où vous pouvez écrire, puis recommencez.",
                           chemin);
        return raison_ecriture("Le compte rendu %s", chemin, cause);
    }
    const std::string debut = message("The report %s could not be written: ", chemin);
    switch (cause) {
        case FileFailure::busy:
            return debut + "another program holds it (spreadsheet, PDF viewer, antivirus...). Close it, then try again.";
        case FileFailure::disk_full: return debut + "the disk is full. Free some space, then try again.";
        case FileFailure::denied:
            return debut + "writing is not allowed in this folder. Choose a folder where you can write, then try again.";
        case FileFailure::too_long:
            return debut + "the path is too long (" + std::to_string(nb_caracteres_utf8(chemin)) +
                   " characters). Choose a folder with a shorter path, then try again.";
        case FileFailure::other: break;
    }
    return "";
}

std::string texte_echec_dessin(const std::string& chemin, echec_dessin cause, int langue) {
    const bool fr = francais(langue);
    const char* pourquoi = cause == echec_dessin::memoire
                               ? (fr ? "pas assez de mémoire pour la page" : "not enough memory for the page")
                           : cause == echec_dessin::dessin ? (fr ? "le dessin de la page a échoué" : "drawing the page failed")
                                                           : (fr ? "la page n'a pas pu être encodée" : "the page could not be encoded");
    return message(fr ? "Le compte rendu %s n'a pas été écrit : " : "The report %s was not written: ", chemin) +
           pourquoi + ".";
}

droite_ajustee droite_de(const std::vector<point_xy>& points) {
    droite_ajustee d;
    if (points.size() < 2) return d;
    long double sx = 0, sy = 0;
    for (const auto& p : points) {
        sx += p.x;
        sy += p.y;
    }
    const auto n = static_cast<long double>(points.size());
    const long double mx = sx / n, my = sy / n;
    long double sxx = 0, sxy = 0, syy = 0;
    for (const auto& p : points) {
        sxx += (p.x - mx) * (p.x - mx);
        sxy += (p.x - mx) * (p.y - my);
        syy += (p.y - my) * (p.y - my);
    }
    if (sxx <= 0 || syy <= 0) return d;
    d.existe = true;
    d.pente = static_cast<double>(sxy / sxx);
    d.ordonnee = static_cast<double>(my - sxy / sxx * mx);
    d.coefficient = static_cast<double>(sxy / std::sqrt(sxx * syy));
    return d;
}

std::string date_maintenant() { return date_locale(std::time(nullptr)); }

std::string date_locale(std::int64_t secondes) {
    const std::time_t instant = static_cast<std::time_t>(secondes);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &instant);
#else
    localtime_r(&instant, &local);
#endif
    char tampon[32];
    std::strftime(tampon, sizeof tampon, "%Y-%m-%d %H:%M", &local);
    return tampon;
}

}  // namespace quorva
