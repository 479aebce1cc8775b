#include "chart/detecteur_courbe.h"

#include <algorithm>
#include <cmath>

#include "base/nombres.h"

namespace quorva {

std::vector<double> energies_cumulees(const etat_conversion& conversion, std::int32_t n) {
    n = std::clamp(n, 0, nb_utilisables(conversion));
    std::vector<double> cumul(static_cast<std::size_t>(n) + 1, 0.0);
    for (std::int32_t i = 1; i <= n; ++i)
        cumul[static_cast<std::size_t>(i)] =
            cumul[static_cast<std::size_t>(i) - 1] + energie(conversion.echantillons[static_cast<std::size_t>(i)]);
    return cumul;
}

void tracer_detecteur(const vue_courbe& vue, const std::vector<double>& cumul, trace_courbe& trace) {
    trace.detecteur.clear();
    const int bas = vue.hauteur - 1;
    const auto rangee = [&](double e) {
        const double part = std::clamp(e / haut_detecteur, 0.0, 1.0);
        return bas - static_cast<int>(arrondi(part * bas));
    };
    trace.y_seuil = rangee(seuil_detection);
    // Above the threshold is always drawn above its line, as the detection
    // sees it, however little above.
    const auto y_de = [&](double e) { return e > seuil_detection ? std::min(rangee(e), trace.y_seuil - 1) : rangee(e); };
    const auto n = static_cast<std::int32_t>(cumul.size()) - 1;
    const std::int32_t dernier = std::min(vue.dernier_visible, n - fenetre_detection);
    if (vue.nb_visibles <= 0 || vue.premier_visible < 1 || vue.premier_visible > dernier) return;
    // The highest value of each pixel column, turned into a row once: the
    // first of the column, then any greater one (a value that is not a
    // number is never greater, and a column that starts with one keeps it).
    const auto& premiers = trace.premiers;
    if (!premiers.empty() && premiers.front() == vue.premier_visible) {
        // Several samples per column, whose first ones the envelope found:
        // each column's values are read in a row, four at a time.
        const double* e = cumul.data();
        for (std::size_t c = 0; c < premiers.size() && premiers[c] <= dernier; ++c) {
            const std::int32_t a = premiers[c];
            const std::int32_t b = std::min(c + 1 < premiers.size() ? premiers[c + 1] - 1 : vue.dernier_visible, dernier);
            double plus_haute = e[a + fenetre_detection] - e[a];
            if (!std::isnan(plus_haute)) {
                double m[4] = {plus_haute, plus_haute, plus_haute, plus_haute};
                std::int32_t i = a + 1;
                for (; i + 3 <= b; i += 4)
                    for (int k = 0; k < 4; ++k) {
                        const double x = e[i + k + fenetre_detection] - e[i + k];
                        m[k] = x > m[k] ? x : m[k];
                    }
                for (; i <= b; ++i) {
                    const double x = e[i + fenetre_detection] - e[i];
                    m[0] = x > m[0] ? x : m[0];
                }
                plus_haute = std::max({m[0], m[1], m[2], m[3]});
            }
            trace.detecteur.push_back({static_cast<int>(c), y_de(plus_haute)});
        }
        return;
    }
    int courante = -1;
    double plus_haute = 0;
    for (std::int32_t i = vue.premier_visible; i <= dernier; ++i) {
        const int c = colonne_echantillon(vue, i);
        const double e = energie_fenetre(cumul, i);
        if (c != courante) {
            if (courante >= 0) trace.detecteur.push_back({courante, y_de(plus_haute)});
            courante = c;
            plus_haute = e;
        } else if (e > plus_haute) {
            plus_haute = e;
        }
    }
    trace.detecteur.push_back({courante, y_de(plus_haute)});
}

std::optional<double> debut_proche(const etat_conversion& conversion, double x, double rayon) {
    const std::int32_t n = nb_utilisables(conversion);
    if (n <= fenetre_detection || !std::isfinite(x) || !std::isfinite(rayon) || rayon < 0) return std::nullopt;
    const double borne = n - fenetre_detection;
    const auto debut = static_cast<std::int32_t>(std::clamp(std::ceil(x - rayon), 1.0, borne));
    const auto fin = static_cast<std::int32_t>(std::clamp(std::floor(x + rayon), 1.0, borne));
    const auto cumul = energies_cumulees(conversion, fin + fenetre_detection);
    for (std::int32_t i = debut; i <= fin; ++i)
        if (energie_fenetre(cumul, i) > seuil_detection && (i == 1 || !(energie_fenetre(cumul, i - 1) > seuil_detection)))
            return static_cast<double>(i);
    return std::nullopt;
}

}  // namespace quorva
