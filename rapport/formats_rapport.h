// The numbers of a printed page as a person reads them (the workbook keeps
// every digit): coefficients, energies, times, the plots' round ticks and
// the fitted line's equation. Plain C++, for the pupil's page and any other
// page drawn from the same tables.
#pragma once

#include <string>
#include <vector>

namespace quorva {

// A correlation coefficient to 3 decimals: "-0.127".
std::string texte_coefficient(double r, char separateur);

// A value to `chiffres` significant digits, never in exponent form:
// 1363.04052794726 -> "1363", 0.0123456 -> "0.01235", 123456 -> "123500".
std::string texte_significatif(double v, int chiffres, char separateur);

// Seconds to the millisecond: "12.345".
std::string texte_secondes(double secondes, char separateur);

// An axis of round ticks: steps of 1, 2 or 5 times a power of ten, from
// debut to fin (both ticks), covering the data; from 0 when the data are
// all of one sign and 0 is not far from them.
struct echelle_ronde {
    double debut = 0, fin = 1, pas = 1;
    std::vector<double> valeurs;  // the ticks, debut to fin
};
echelle_ronde echelle_pour(double minimum, double maximum, int intervalles_max);

// A tick's value with the decimals its step needs: "0.5", "1200", "0.02".
std::string texte_graduation(double v, double pas, char separateur);

// The fitted line and its number of points, beside a coefficient:
// "y = 0.01235 x + 4.560   (12 points)" (4 significant digits).
std::string texte_droite(double pente, double ordonnee, int nb_points, char separateur);

}  // namespace quorva
