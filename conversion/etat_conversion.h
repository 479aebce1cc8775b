// The conversion state shared by the WAV reader, the detection, the chart and
// the workbook writer. Tables are 1-based: slot 0 is never used, so the rules
// read as written. The event tables keep the program's fixed capacity; the
// sample buffer holds at least 32100 samples and grows with a recording
// kept whole ("Poursuivre" in the size dialog).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorva {

constexpr int capacite_echantillons = 32100;
constexpr int capacite_pointes = 100;

struct point_xy {
    double x = 0;
    double y = 0;
};

struct etat_conversion {
    // Sample buffer: entry n is the n-th sample walked (raw value, not scaled);
    // entries 1..nb_echantillons are valid, nb_echantillons < size().
    std::vector<double> echantillons = std::vector<double>(capacite_echantillons + 1, 0.0);
    std::int32_t nb_echantillons = 0;
    // nb_echantillons, never past the buffer: the samples a reader may use.
    std::int32_t nb_valides() const {
        const auto taille = static_cast<std::int64_t>(echantillons.size()) - 1;
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(nb_echantillons, 0, taille < 0 ? 0 : taille));
    }
    std::int32_t facteur_division = 1;
    // Sample rate of the last recording read (Hz, from its header; 0 before
    // any): the chart's time scale.
    std::uint32_t frequence_echantillonnage = 0;
    std::int16_t reponse_taille = 0;
    std::uint8_t conversion_annulee = 0;
    std::string fichier_pointes;
    std::string fichier_en_cours;
    // The recording being converted, as its caller named it.
    std::string chemin_enregistrement;

    // Event tables (marks of the chart) and the energy trend.
    std::array<point_xy, capacite_pointes + 1> pointes{};
    std::array<point_xy, capacite_pointes + 1> intervalles{};
    std::int32_t nb_pointes = 0;
    double niveau_base = 0;
    double coefficient_a = 0;
    double coefficient_b = 0;

    // The hidden diagnostic labels of the main window (header fields, data
    // size, trend equation and its error); nothing reads them back.
    std::string texte_label1;
    std::string texte_label2;
    // Rows written by the last workbook pass.
    std::int64_t nb_lignes_classeur = 0;

    // True while a conversion runs (from the menu or from the export
    // watcher): the sample buffer is shared, so a second one must wait.
    bool conversion_en_cours = false;
    // Called after a conversion has handed its workbook to the shell (the
    // menu's list of added workbooks is rebuilt). May be empty.
    std::function<void()> apres_classeur;
};

}  // namespace quorva
