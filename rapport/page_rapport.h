// The pupil's report: one A4 landscape page with the recording's heading,
// the whole recording with its numbered marks, the table of events and the
// two relations that the workbook correlates. This part is plain C++: what
// the page says (contenu_rapport, from the conversion state) and where each
// block goes (mise_en_page); rapport/dessin_rapport.h draws it with Qt.
//
// The page is drawn from the very event tables that the same action writes
// into the workbook, or that the workbook beside it holds, passed in with
// where they come from (origine_pointes: the heading says so when they are
// not the checked marks). Each coefficient is the workbook's CORREL over
// the rows it holds (at most enregistrements_max_classeur), computed as the
// spreadsheet does from the values written. Making a report changes
// nothing in the conversion state. Numbers as a person reads them:
// rapport/formats_rapport.h.
//
// Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/plateforme.h"
#include "conversion/detection.h"
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
    bloc_page titre, a_remplir, entete;
    bloc_page limites;  // the limits reached, in a line of its own
    // The recording, with its scales: the curve itself and the strips of its
    // amplitude labels (left) and time labels (under it).
    bloc_page signal, courbe;
    bloc_page tableau;
    bloc_page relation_intervalles, relation_debuts;
    bloc_page note;  // the footnote
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
    double coefficient = 0;     // the workbook's CORREL over the rows it holds
    double pente = 0, ordonnee = 0;  // the straight line, y = pente * x + ordonnee
    int nb_points = 0;               // the points of the coefficient and the line
    std::string texte_coefficient;   // "r = ..." or why there is none
    std::string texte_droite;        // the line's equation and its number of points
    std::string remarque;            // under it: over how many events, when not all
    std::string vide;                // "No event" etc., when there is no point at all
};

struct contenu_rapport {
    int langue = 1;
    origine_pointes origine = origine_pointes::validees;
    std::string titre_tp;      // the practical's title
    std::string nom;           // the recording's file name
    std::string suffixe_titre;  // " ×f" after the name for a reduction factor f > 1, else empty
    std::string texte_origine;  // where the marks come from, when not the checked ones; else empty
    std::vector<std::string> a_remplir;  // the lines filled in by hand: names, class, group
    std::string entete;        // length, rate, factor, number of marks
    std::string faite_le;      // the date the page was made and the program's version
    std::string limites;       // the marks' and the workbook's limits, when reached; else empty
    std::string note_energie;  // the footnote: energy in the workbook's words
    std::string axe_temps, axe_amplitude;
    std::vector<std::string> colonnes;  // the table's four headings
    std::vector<ligne_evenement> evenements;
    std::vector<double> positions;  // the events' samples, in time order (the marks' numbers)
    std::string sans_evenement;     // said in the table when there is none
    relation intervalles, debuts;
};

// What the page says of the recording in `etat` (its samples, rate and
// factor) with the events of `tables` (those its workbook holds or is
// written with), `origine` said in the heading. `date`: when the page is
// made, as shown; langue 2 French, otherwise English; numbers with the
// system's decimal separator.
contenu_rapport preparer_rapport(const etat_conversion& etat, const tables_evenements& tables,
                                 origine_pointes origine, const std::string& nom, const std::string& date,
                                 int langue, char separateur);

// The program's version as the page gives it.
extern const char* const version_rapport;

// "N more events left out here: the workbook holds them all" (the heading
// of the workbook's table when all of them fit there).
std::string texte_omises(int omises, int total, int langue);

// Whether the pages speak French (langue 2), else English.
bool francais(int langue);

// Samples of the recording to seconds, at its rate and reduction factor.
double en_secondes(double n, const etat_conversion& etat);

// The report's file beside the recording: <recording>.pdf.
std::string chemin_rapport_propose(const std::string& chemin_wav);

// The file a name chosen for a report writes: itself when it names a report
// (est_nom_de_rapport), else a PDF beside it, never over the recording or
// its workbook ("essai4.wav" writes "essai4.wav.pdf").
std::string chemin_rapport_choisi(const std::string& chemin);

// The question before a report replaces a file (%s: its path).
const char* texte_remplacer_rapport(int langue);

// Why a report could not be written, in the page's language, from the cause
// the system gave; empty for a cause it did not name.
std::string raison_rapport(const std::string& chemin, FileFailure cause, int langue);

// Why a page could not be drawn, in its language.
enum class echec_dessin { memoire, dessin, encodage };
std::string texte_echec_dessin(const std::string& chemin, echec_dessin cause, int langue);

// The least-squares line of points and their correlation coefficient; none
// (existe false) for fewer than two points or values all equal on an axis.
struct droite_ajustee {
    bool existe = false;
    double pente = 0, ordonnee = 0, coefficient = 0;
};
droite_ajustee droite_de(const std::vector<point_xy>& points);

// The local date and time now, "2026-12-08 13:40"; and of a moment in
// seconds since 1970 (UTC).
std::string date_maintenant();
std::string date_locale(std::int64_t secondes);

}  // namespace quorva
