#include "conversion/Models.h"

#include <cmath>
#include <string_view>

#include "base/erreur.h"
#include "base/nombres.h"

namespace quorva {

const std::string& Models::item(int i) const {
    static const std::string vide;
    if (items_.empty()) return vide;
    if (i < 0) i = 0;
    if (i >= count()) i = count() - 1;
    return items_[static_cast<std::size_t>(i)];
}

void Models::point(int i, long double& x, long double& y) const {
    const std::string_view texte = item(i);
    const auto diese = texte.find('#');
    x = reel_de_texte(texte.substr(0, diese), separateur_);
    y = reel_de_texte(diese == std::string_view::npos ? std::string_view() : texte.substr(diese + 1), separateur_);
}

namespace {

// The two sums over ordered pairs i != j (pairwise slopes, and y_i less the
// slope times x_i), pair by pair: quadratic in the number of points. The
// points are read texts, so doubles hold them exactly; the sums are in
// extended precision.
void sommes_par_paires(const std::vector<double>& x, const std::vector<double>& y, long double& somme_pentes,
                       long double& somme_ordonnees) {
    for (std::size_t i = 0; i < x.size(); ++i) {
        const long double xi = x[i], yi = y[i];
        for (std::size_t j = 0; j < x.size(); ++j) {
            if (i == j || x[j] == x[i]) continue;  // two points at one x give no slope
            const long double s = (static_cast<long double>(y[j]) - yi) / (static_cast<long double>(x[j]) - xi);
            somme_pentes += s;
            somme_ordonnees += yi - s * xi;
        }
    }
}

// The same two sums for points evenly spaced in x (x_i = x_0 + i h, as the
// detection's fit points are), with the pairs grouped by their distance d:
//   sum of slopes  = 2/h  sum_d D_d / d,   D_d = sum_i (y_(i+d) - y_i)
//                                              = (last d y's) - (first d y's)
//   sum of y_i - s x_i = (p - 1) P - 2 x_0 / h  sum_d D_d / d - sum_d U_d / d,
//   U_d = sum_i (y_(i+d) - y_i)(2i + d)
//       = 2 ((last d of m y_m) - (first d of m y_m)) - d (2P - last d y's - first d y's)
// with P the sum of the y's: linear in the number of points. The running
// sums are compensated: the result is within about 1e-19 of the exact one
// (the pair-by-pair sums stray by 1e-17 to 1e-15).
struct somme_compensee {
    long double somme = 0, correction = 0;
    void ajoute(long double v) {
        const long double t = somme + v;
        correction += std::fabs(somme) >= std::fabs(v) ? (somme - t) + v : (v - t) + somme;
        somme = t;
    }
    long double valeur() const { return somme + correction; }
};

void sommes_par_distances(const std::vector<double>& y, long double x0, long double h,
                          long double& somme_pentes, long double& somme_ordonnees) {
    const std::size_t p = y.size();
    somme_compensee total;
    for (const double v : y) total.ajoute(v);
    const long double P = total.valeur();
    somme_compensee haut, bas, haut_m, bas_m, pentes, termes_u;
    for (std::size_t d = 1; d < p; ++d) {
        const std::size_t dernier = p - d, premier = d - 1;
        haut.ajoute(y[dernier]);
        bas.ajoute(y[premier]);
        haut_m.ajoute(static_cast<long double>(dernier) * y[dernier]);
        bas_m.ajoute(static_cast<long double>(premier) * y[premier]);
        const auto ld = static_cast<long double>(d);
        const long double D = haut.valeur() - bas.valeur();
        const long double U = 2 * (haut_m.valeur() - bas_m.valeur()) - ld * (2 * P - haut.valeur() - bas.valeur());
        pentes.ajoute(D / ld);
        termes_u.ajoute(U / ld);
    }
    somme_pentes = 2 * pentes.valeur() / h;
    somme_ordonnees = static_cast<long double>(p - 1) * P - 2 * x0 / h * pentes.valeur() - termes_u.valeur();
}

// Up to this many points (the 32,100 samples the sample buffer held before
// it grew with the recording) the pairs are summed one by one, as they
// always were: the sums by distance are nearer the exact value, so that
// now and then the last of the 15 written digits of the slope would differ
// from the one these recordings have always had in their workbooks.
constexpr std::size_t points_par_paires = 1070;

bool regulierement_espaces(const std::vector<double>& x) {
    const long double h = static_cast<long double>(x[1]) - x[0];
    if (h == 0) return false;
    for (std::size_t i = 2; i < x.size(); ++i)
        if (x[i] != x[0] + static_cast<long double>(i) * h) return false;
    return true;
}

}  // namespace

ajustement Models::fit() const {
    ajustement r;
    const int p = count();
    if (p < 2) return r;  // a line needs two points (p^2 - p would be 0)
    std::vector<double> x(static_cast<std::size_t>(p)), y(static_cast<std::size_t>(p));
    for (int i = 0; i < p; ++i) {
        long double xi = 0, yi = 0;
        point(i, xi, yi);
        x[static_cast<std::size_t>(i)] = static_cast<double>(xi);
        y[static_cast<std::size_t>(i)] = static_cast<double>(yi);
    }

    const long double paires = static_cast<long double>(p) * p - p;
    long double somme_pentes = 0, somme_ordonnees = 0;
    if (x.size() > points_par_paires && regulierement_espaces(x))
        sommes_par_distances(y, x[0], static_cast<long double>(x[1]) - x[0], somme_pentes, somme_ordonnees);
    else
        sommes_par_paires(x, y, somme_pentes, somme_ordonnees);
    r.fait = true;
    r.pente = somme_pentes / paires;
    r.ordonnee = somme_ordonnees / paires;
    const long double norme = std::sqrt(r.pente * r.pente + 1);
    long double distances = 0;
    for (std::size_t k = 0; k < x.size(); ++k)
        distances += std::fabs(static_cast<long double>(y[k]) - r.pente * x[k] - r.ordonnee) / norme;
    r.erreur = distances / p;
    return r;
}

}  // namespace quorva
