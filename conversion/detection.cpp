#include "conversion/detection.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/nombres.h"
#include "conversion/Models.h"

namespace quorva {

namespace {

constexpr int fenetre = fenetre_detection;  // samples of the rise and noise windows
constexpr double seuil = seuil_detection;   // energy over one window
constexpr int bloc_calme = 201;      // quiet positions that re-arm the detector
constexpr int pas_ajustement = 30;   // one fit point every 30 samples

}  // namespace

namespace {

// The cumulative energy E[k] = E[k - 1] + (v_k / 1000)^2, computed as the
// scan moves on: only the last values are kept, so that a recording kept
// whole needs no second buffer of its size.
class energie_cumulee {
public:
    explicit energie_cumulee(const etat_conversion& etat) : etat_(etat) {}
    // E[k], for k at most 63 behind the furthest one asked so far.
    double operator()(int k) {
        for (; calcule_ < k; ++calcule_) {
            somme_ = (calcule_ > 0 ? somme_ : 0) + energie(etat_.echantillons[static_cast<std::size_t>(calcule_) + 1]);
            anneau_[static_cast<std::size_t>(calcule_ + 1) % anneau_.size()] = somme_;
        }
        return anneau_[static_cast<std::size_t>(k) % anneau_.size()];
    }

private:
    const etat_conversion& etat_;
    int calcule_ = 0;
    double somme_ = 0;
    std::array<double, 64> anneau_{};
};

}  // namespace

namespace {

// The energy trend: the line fitted to the cumulative energy every
// pas_ajustement samples, and its diagnostic texts.
void ajuster_tendance(char sep, etat_conversion& etat) {
    const int n = etat.nb_valides();
    Models models(sep);
    models.clear();
    {
        energie_cumulee E(etat);
        for (int i = pas_ajustement; i <= n; i += pas_ajustement)
            models.add(std::to_string(i) + "#" + format_reel(E(i), sep));
    }
    const ajustement droite = models.fit();
    etat.coefficient_a = static_cast<double>(droite.pente);
    etat.coefficient_b = static_cast<double>(droite.ordonnee);
    const double b = etat.coefficient_b;
    etat.texte_label1 = format_reel(etat.coefficient_a, sep) + " * X " +
                        (b >= 0 ? "+ " + format_reel(b, sep) : "- " + format_reel(-b, sep));
    etat.texte_label2 = "Erreur : " + format_reel(static_cast<double>(droite.erreur), sep);
}

// The event scan: positions and intervals of the events, the quiet level
// after each (calme) and the cumulative energy of its quiet block
// (intervalles[k].y). Returns the number of events.
int balayer_evenements(etat_conversion& etat, const interface_conversion& ui, std::vector<double>& calme) {
    const int n = etat.nb_valides();
    const auto v = [&](int i) { return etat.echantillons[static_cast<std::size_t>(i)]; };
    energie_cumulee E(etat);
    int nb = 0, dernier = 1, c = 0;
    bool arme = true;
    double s = 0, r = 0;
    for (int i = 1; i <= n - fenetre; ++i) {
        if (i % 1000 == 0 && ui.avance_progression) ui.avance_progression();
        if (E(i + fenetre) - E(i) > seuil && arme) {
            if (nb < capacite_pointes) {
                ++nb;
                etat.intervalles[static_cast<std::size_t>(nb)].x = i - dernier;
                etat.pointes[static_cast<std::size_t>(nb)].x = i;
                dernier = i;
            }
            arme = false;
            c = 0;
            continue;
        }
        if (i <= fenetre || E(i) - E(i - fenetre) > seuil) {
            c = 0;
            r = 0;
            continue;
        }
        if (c == 0) s = 0;
        s += energie(v(i));
        r += E(i);
        ++c;
        if (c < bloc_calme) continue;
        if (nb > 0) {
            calme[static_cast<std::size_t>(nb)] = s / bloc_calme;
            etat.intervalles[static_cast<std::size_t>(nb)].y = r / bloc_calme;
        }
        s = 0;
        r = 0;
        arme = true;
        c = 0;
    }
    return nb;
}

// The baseline, and the energy of each event: the rise of the cumulative
// energy between the quiet blocks before and after it.
void energies_evenements(etat_conversion& etat, int nb, const std::vector<double>& calme) {
    // Baseline: the quiet levels after the events, the first one left out.
    double somme = 0;
    for (int k = 2; k <= nb; ++k) somme += calme[static_cast<std::size_t>(k)];
    etat.niveau_base = nb >= 2 ? somme / (nb - 1) : 0;

    std::vector<double> m(static_cast<std::size_t>(nb) + 1, 0.0);
    for (int k = 1; k <= nb; ++k) m[static_cast<std::size_t>(k)] = etat.intervalles[static_cast<std::size_t>(k)].y;
    for (int k = 1; k <= nb; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        if (k >= 2) etat.intervalles[ku].y = m[ku] - m[ku - 1];
        etat.pointes[ku].y = etat.intervalles[ku].y;
    }
    // Record m pairs the samples from event m to m + 1 with the energy of m + 1.
    for (int k = 1; k < nb; ++k) etat.intervalles[static_cast<std::size_t>(k)] = etat.intervalles[static_cast<std::size_t>(k) + 1];
    if (nb >= 1) etat.intervalles[static_cast<std::size_t>(nb)] = {};
}

}  // namespace

void detecte_pointes(const services& ctx, etat_conversion& etat, const interface_conversion& ui) {
    // Leftovers of an earlier recording must not reach the chart or the workbook.
    etat.pointes.fill({});
    etat.intervalles.fill({});
    etat.nb_pointes = 0;

    ajuster_tendance(ctx.separateur_decimal, etat);
    std::vector<double> calme(capacite_pointes + 1, 0.0);
    const int nb = balayer_evenements(etat, ui, calme);
    etat.nb_pointes = nb;
    energies_evenements(etat, nb, calme);

    if (ui.masquer_patience) ui.masquer_patience();
}

tables_evenements tables_reconstruites(const etat_conversion& etat) {
    const int nb_samples = etat.nb_valides();
    const int total = etat.nb_pointes < 0 ? 0 : etat.nb_pointes > capacite_pointes ? capacite_pointes : etat.nb_pointes;

    // A mark still being placed (x = 0), or one before the first sample, has
    // no sample to start from: it is dropped.
    std::vector<double> x;
    for (int i = 1; i <= total; ++i) {
        const double xi = etat.pointes[static_cast<std::size_t>(i)].x;
        if (arrondi(xi) >= 1) x.push_back(xi);
    }
    const int n = static_cast<int>(x.size());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (x[static_cast<std::size_t>(i)] > x[static_cast<std::size_t>(j)]) std::swap(x[static_cast<std::size_t>(i)], x[static_cast<std::size_t>(j)]);

    tables_evenements t;
    for (int i = 1; i <= n; ++i) {
        const auto iu = static_cast<std::size_t>(i);
        const std::int64_t debut = arrondi(x[iu - 1]);
        std::int64_t fin = i < n ? arrondi(x[iu]) : nb_samples;
        if (fin > nb_samples) fin = nb_samples;
        double somme = 0;
        for (std::int64_t k = debut; k <= fin; ++k) somme += energie(etat.echantillons[static_cast<std::size_t>(k)]);
        t.pointes[iu].x = x[iu - 1];
        t.pointes[iu].y = somme - etat.niveau_base;
    }
    for (int m = 1; m < n; ++m) {
        const auto mu = static_cast<std::size_t>(m);
        t.intervalles[mu].x = t.pointes[mu + 1].x - t.pointes[mu].x;
        t.intervalles[mu].y = t.pointes[mu + 1].y;
    }
    for (int i = 1; i <= n; ++i) {
        const auto iu = static_cast<std::size_t>(i);
        t.pointes[iu].x = static_cast<double>(arrondi(t.pointes[iu].x));
        if (i < n) t.intervalles[iu].x = static_cast<double>(arrondi(t.intervalles[iu].x));
    }
    t.nb_pointes = n;
    return t;
}

tables_evenements tables_ecrites(const etat_conversion& etat) {
    tables_evenements t;
    t.pointes = etat.pointes;
    t.intervalles = etat.intervalles;
    t.nb_pointes = std::clamp<std::int32_t>(etat.nb_pointes, 0, capacite_pointes);
    return t;
}

void reconstruit_pointes(etat_conversion& etat) {
    const tables_evenements t = tables_reconstruites(etat);
    etat.pointes = t.pointes;
    etat.intervalles = t.intervalles;
    etat.nb_pointes = t.nb_pointes;
}

}  // namespace quorva
