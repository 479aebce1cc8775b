#include "conversion/Models.h"

#include <cmath>

#include "app/erreur.h"
#include "app/nombres.h"

namespace quorva {

const std::string& Models::item(int i) const {
    static const std::string vide;
    if (items_.empty()) return vide;
    if (i < 0) i = 0;
    if (i >= count()) i = count() - 1;
    return items_[static_cast<std::size_t>(i)];
}

void Models::point(int i, long double& x, long double& y) const {
    const std::string& texte = item(i);
    const auto diese = texte.find('#');
    const std::string gauche = texte.substr(0, diese);
    const std::string droite = diese == std::string::npos ? std::string() : texte.substr(diese + 1);
    x = reel_de_texte(gauche, separateur_);
    y = reel_de_texte(droite, separateur_);
}

ajustement Models::fit() const {
    ajustement r;
    const int p = count();
    if (p < 2) return r;  // a line needs two points (p^2 - p would be 0)
    std::vector<long double> x(static_cast<std::size_t>(p)), y(static_cast<std::size_t>(p));
    for (int i = 0; i < p; ++i) point(i, x[static_cast<std::size_t>(i)], y[static_cast<std::size_t>(i)]);

    const long double paires = static_cast<long double>(p) * p - p;
    long double somme_pentes = 0, somme_ordonnees = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (std::size_t j = 0; j < x.size(); ++j) {
            if (i == j || x[j] == x[i]) continue;  // two points at one x give no slope
            const long double s = (y[j] - y[i]) / (x[j] - x[i]);
            somme_pentes += s;
            somme_ordonnees += y[i] - s * x[i];
        }
    }
    r.fait = true;
    r.pente = somme_pentes / paires;
    r.ordonnee = somme_ordonnees / paires;
    const long double norme = std::sqrt(r.pente * r.pente + 1);
    long double distances = 0;
    for (std::size_t k = 0; k < x.size(); ++k) distances += std::fabs(y[k] - r.pente * x[k] - r.ordonnee) / norme;
    r.erreur = distances / p;
    return r;
}

}  // namespace quorva
