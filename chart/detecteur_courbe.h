// The detector as the chart shows it: the window energy that the detection
// compares with its threshold (the energy of the 20 samples after a
// position), drawn over the signal, and the snap of a dropped mark to the
// onset of the burst beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "chart/vue_courbe.h"
#include "conversion/detection.h"

namespace quorva {

// The detector's curve is drawn from 0 (bottom row) to four times the
// threshold (top row, where it is clipped), so that the dashed threshold
// line stands at a quarter of the height.
constexpr double haut_detecteur = 4 * seuil_detection;

// Cumulative energy E[0..n] of samples 1..n (E[0] = 0), summed in the
// detection's order, so that E[i + 20] - E[i] is the detection's own value.
std::vector<double> energies_cumulees(const etat_conversion& conversion, std::int32_t n);

// The window energy at position i: E[i + 20] - E[i]. Defined for
// 1 <= i <= n - 20.
inline double energie_fenetre(const std::vector<double>& cumul, std::int32_t i) {
    return cumul[static_cast<std::size_t>(i) + fenetre_detection] - cumul[static_cast<std::size_t>(i)];
}

// Fills trace.detecteur (one point per sample, or the highest value of each
// pixel column) and trace.y_seuil for the current view, from the cumulative
// energy of all the usable samples (kept between redraws by the view).
void tracer_detecteur(const vue_courbe& vue, const std::vector<double>& cumul, trace_courbe& trace);

// The snap of a mark dropped at x: the first position, within `rayon`
// samples on either side, where the window energy rises above the
// threshold (above it there, at or below it one position before). None
// when there is no such rise.
std::optional<double> debut_proche(const etat_conversion& conversion, double x, double rayon);

}  // namespace quorva
