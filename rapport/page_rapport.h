// The pupil's report: one A4 landscape page with the recording's heading,
// the whole recording with its numbered marks, the table of events and the
// two relations that the workbook correlates. This part is plain C++: what
// the page says (contenu_rapport, from the conversion state) and where each
// block goes (mise_en_page); rapport/dessin_rapport.h draws it with Qt.
//
// The events are those that the chart's OK writes into the workbook
// (tables_reconstruites: the marks as they stand, sorted, their energies
// recomputed), and each coefficient is the value the workbook caches beside
// its CORREL (correlation_classeur). Making a report changes nothing in
// the conversion state.
//
// Texts are UTF-8 (the recording's name stays in the program's own text,
// nom, for the boundary to convert).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/plateforme.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// --- Layout -------------------------------------------------------------------

// A block of the page, in points (1/72 inch) from the page's top left.
struct bloc_page {
    double x = 0, y = 0, largeur = 0, hauteur = 0;
};

// A4 landscape.
constexpr double largeur_page = 842;
constexpr double hauteur_page = 595;
// Text sizes (points) and the table's row height.
constexpr double taille_titre = 15;
constexpr double taille_texte = 8.5;
constexpr double taille_petite = 7;
constexpr double hauteur_rangee = 11;

struct page_rapport {
    bloc_page titre, entete;
    // The recording, with its scales: the curve itself and the strips of its
    // amplitude labels (left) and time labels (under it).
    bloc_page signal, courbe;
    bloc_page tableau;
    bloc_page relation_intervalles, relation_debuts;
    int rangees_montrees = 0;  // events listed in the table
    int rangees_omises = 0;    // events left out for want of room (said under the table)
};

// Where each block goes for a report of nb_evenements events: the table
// lists as many as fit, and says how many are left out.
page_rapport mise_en_page(int nb_evenements);

// --- Content ------------------------------------------------------------------

struct ligne_evenement {
    int numero = 0;
    std::string debut;       // seconds
    std::string energie;
    std::string intervalle;  // seconds to the next event; empty for the last
};

// One relation: its points (seconds, energy), its least-squares line and
// its coefficient, or the text said in place of the plot.
struct relation {
    std::string titre, axe_x, axe_y;
    std::vector<point_xy> points;
    bool avec_coefficient = false;
    double coefficient = 0;     // the workbook's cached CORREL
    double pente = 0, ordonnee = 0;  // the straight line, y = pente * x + ordonnee
    std::string texte_coefficient;   // "r = ..." or why there is none
    std::string remarque;            // under it: a table too long for the workbook's CORREL
    std::string vide;                // "No event" etc., when there is no point at all
};

struct contenu_rapport {
    int langue = 1;
    std::string nom;  // the recording's file name (program text)
    std::string suffixe_titre;  // " ×f" after the name for a reduction factor f > 1, else empty
    std::string entete;  // length, rate, factor, date, number of marks
    std::string axe_temps, axe_amplitude;
    std::vector<std::string> colonnes;  // the table's four headings
    std::vector<ligne_evenement> evenements;
    std::vector<double> positions;  // the events' samples, in time order (the marks' numbers)
    std::string sans_evenement;     // said in the table when there is none
    relation intervalles, debuts;
};

// What the page says for the conversion state as it stands. `date`: the
// conversion's date and time as shown; langue 2 French, otherwise English;
// numbers with the system's decimal separator.
contenu_rapport preparer_rapport(const etat_conversion& etat, const std::string& nom, const std::string& date,
                                 int langue, char separateur);

// "N more events left out here: the workbook holds them all" (the heading
// of the workbook's table when all of them fit there).
std::string texte_omises(int omises, int total, int langue);

// The report's file beside the recording: <recording>.pdf.
std::string chemin_rapport_propose(const std::string& chemin_wav);

// Why a report could not be written (%s: its path) where it differs from
// the workbook's (a folder where writing is not allowed); nullptr for the
// causes said as for the workbook (raison_ecriture).
const char* texte_cause_rapport(FileFailure cause);

// The local date and time now, "2026-12-08 13:40".
std::string date_maintenant();

}  // namespace quorva
