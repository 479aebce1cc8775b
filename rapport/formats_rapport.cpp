#include "rapport/formats_rapport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorva {

namespace {

std::string fixe(double v, int decimales, char separateur) {
    char tampon[400];
    std::snprintf(tampon, sizeof tampon, "%.*f", std::clamp(decimales, 0, 17), v);
    std::string texte = tampon;
    // "-0.000" reads as a value below zero: a rounded zero has no sign.
    if (texte.find_first_of("123456789") == std::string::npos && texte[0] == '-') texte.erase(0, 1);
    if (separateur != '.') std::replace(texte.begin(), texte.end(), '.', separateur);
    return texte;
}

}  // namespace

std::string texte_coefficient(double r, char separateur) { return fixe(r, 3, separateur); }

std::string texte_significatif(double v, int chiffres, char separateur) {
    if (!std::isfinite(v)) return fixe(v, 0, separateur);
    if (v == 0) return "0";
    chiffres = std::max(chiffres, 1);
    // The rounded value first: 9999.7 becomes 10000, with no decimal.
    int ordre = static_cast<int>(std::floor(std::log10(std::abs(v))));
    const double unite = std::pow(10.0, ordre - chiffres + 1);
    const double arrondie = std::round(v / unite) * unite;
    if (arrondie != 0) ordre = static_cast<int>(std::floor(std::log10(std::abs(arrondie)) + 1e-12));
    return fixe(arrondie, chiffres - 1 - ordre, separateur);
}

std::string texte_secondes(double secondes, char separateur) { return fixe(secondes, 3, separateur); }

echelle_ronde echelle_pour(double minimum, double maximum, int intervalles_max) {
    echelle_ronde e;
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) minimum = maximum = 0;
    if (minimum > maximum) std::swap(minimum, maximum);
    intervalles_max = std::max(intervalles_max, 1);
    // From 0 when the data lie on one side of it, not far from it.
    if (minimum >= 0 && minimum <= maximum / 2) minimum = 0;
    if (maximum <= 0 && maximum >= minimum / 2) maximum = 0;
    // One value (or none): from 0 to it.
    if (maximum - minimum <= 0) {
        if (maximum > 0) minimum = 0;
        else if (minimum < 0) maximum = 0;
        else maximum = 1;
    }
    const double etendue = maximum - minimum;
    const double brut = etendue / intervalles_max;
    const double puissance = std::pow(10.0, std::floor(std::log10(brut)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        e.pas = m * puissance;
        e.debut = std::floor(minimum / e.pas + 1e-9) * e.pas;
        e.fin = std::ceil(maximum / e.pas - 1e-9) * e.pas;
        if ((e.fin - e.debut) / e.pas <= intervalles_max + 1e-9) break;
    }
    const int n = static_cast<int>(std::lround((e.fin - e.debut) / e.pas));
    for (int i = 0; i <= n; ++i) {
        const double v = e.debut + i * e.pas;
        e.valeurs.push_back(std::abs(v) < e.pas * 1e-9 ? 0 : v);
    }
    return e;
}

std::string texte_graduation(double v, double pas, char separateur) {
    const int decimales = pas > 0 ? std::max(0, static_cast<int>(std::ceil(-std::log10(pas) - 1e-9))) : 0;
    return fixe(v, decimales, separateur);
}

std::string texte_droite(double pente, double ordonnee, int nb_points, char separateur) {
    const std::string b = texte_significatif(std::abs(ordonnee), 4, separateur);
    // "point" and "points" in both languages
    const std::string points = std::to_string(nb_points) + (nb_points == 1 ? " point" : " points");
    return "y = " + texte_significatif(pente, 4, separateur) + " x " + (ordonnee < 0 ? "- " : "+ ") + b + "   (" +
           points + ")";
}

}  // namespace quorva
