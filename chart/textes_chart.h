// The chart's own captions and status texts, in English (langue 1, and any
// value other than 2) or French (langue 2). The help texts
// and the captions of the first four popup items are the program's own and
// stay in English (vue_courbe.h, TForm_chart).
#pragma once

#include <cstdint>
#include <string>

#include "chart/historique_pointes.h"

namespace quorva {

struct legendes_chart {
    std::string annuler;     // "Undo"
    std::string retablir;    // "Redo"
    std::string accrocher;   // "Snap marks to the onset"
    std::string detecteur;   // "Show the detector"
    std::string copier_image;  // "Copy the image"
    std::string compte_rendu;  // "Save the report..."
    std::string axe_temps, axe_amplitude;  // the figure's captions: "time (s)", "amplitude (sample units)"
};
legendes_chart legendes(int langue);

// The position under the mouse: "Sample 1234, 1.233 s" (without the seconds
// when the sample rate is unknown).
std::string texte_position(double position, std::uint32_t frequence, std::int32_t facteur_division,
                           char separateur, int langue);

// "7 marks: 5 as detected, 1 moved, 1 added, 0 deleted", and the limits
// reached (texte_limites).
std::string texte_resume(const resume_pointes& resume, int langue);

// The limits that nb_pointes marks reach: the marks a chart holds (later
// slips go unmarked), the events a workbook's tables hold; empty below both.
std::string texte_limites(int nb_pointes, int langue);

// Confirmations of "Save marks" and "Read marks": which file, how many marks.
std::string texte_sauvegarde(const std::string& fichier, int nb_pointes, int langue);
std::string texte_lecture(const std::string& fichier, int nb_pointes, int nb_echantillons, int langue);
std::string texte_sans_fichier(const std::string& fichier, int langue);
// A marks file whose samples are not the chart's: its marks are not read.
std::string texte_autre_enregistrement(const std::string& fichier, int langue);

// Add a mark or Insert with the table full (in English, as the popup items).
std::string texte_table_pleine();

}  // namespace quorva
