#include "app/nombres.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "app/erreur.h"

namespace quorva {

namespace {

// The 15 significant digits of a finite non-zero magnitude and its decimal
// exponent: valeur = d.dddddddddddddd x 10^exposant.
struct chiffres_15 {
    std::string chiffres;  // 15 digits
    int exposant = 0;
};

chiffres_15 decomposer(double magnitude) {
    char tampon[64];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, magnitude,
                                   std::chars_format::scientific, 14).ptr;
    const std::string texte(tampon, fin);  // d.ddddddddddddddde[+-]xx
    chiffres_15 resultat;
    const auto e = texte.find('e');
    resultat.chiffres = texte.substr(0, 1) + texte.substr(2, e - 2);
    resultat.exposant = std::atoi(texte.c_str() + e + 1);
    return resultat;
}

bool est_blanc(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string format_reel(double valeur, char separateur) {
    if (std::isnan(valeur)) return "NAN";
    if (std::isinf(valeur)) return valeur > 0 ? "INF" : "-INF";
    if (valeur == 0) return "0";
    auto [chiffres, exposant] = decomposer(std::fabs(valeur));
    while (chiffres.size() > 1 && chiffres.back() == '0') chiffres.pop_back();
    std::string sortie = valeur < 0 ? "-" : "";
    if (exposant >= 15 || exposant < -5) {
        sortie += chiffres[0];
        if (chiffres.size() > 1) {
            sortie += separateur;
            sortie += chiffres.substr(1);
        }
        sortie += 'E';
        sortie += std::to_string(exposant);
        return sortie;
    }
    if (exposant < 0) {
        sortie += '0';
        sortie += separateur;
        sortie.append(static_cast<std::size_t>(-exposant - 1), '0');
        sortie += chiffres;
        return sortie;
    }
    const auto entiers = static_cast<std::size_t>(exposant) + 1;
    if (chiffres.size() <= entiers) {
        sortie += chiffres;
        sortie.append(entiers - chiffres.size(), '0');
    } else {
        sortie += chiffres.substr(0, entiers);
        sortie += separateur;
        sortie += chiffres.substr(entiers);
    }
    return sortie;
}

std::string point_fixe(std::string texte) {
    const auto virgule = texte.find(',');
    if (virgule != std::string::npos) texte[virgule] = '.';
    return texte;
}

std::string format_exposant(double valeur) {
    if (!std::isfinite(valeur)) {
        std::string texte = std::isnan(valeur) ? " Nan" : (valeur > 0 ? " +Inf" : " -Inf");
        return std::string(23 - texte.size(), ' ') + texte;
    }
    std::string sortie = std::signbit(valeur) && valeur != 0 ? "-" : " ";
    if (valeur == 0) return sortie + "0.00000000000000E+0000";
    const auto [chiffres, exposant] = decomposer(std::fabs(valeur));
    sortie += chiffres[0];
    sortie += '.';
    sortie += chiffres.substr(1);
    sortie += 'E';
    sortie += exposant < 0 ? '-' : '+';
    std::string e = std::to_string(std::abs(exposant));
    sortie += std::string(e.size() < 4 ? 4 - e.size() : 0, '0') + e;
    return sortie;
}

bool essai_entier(std::string_view texte, std::int32_t& valeur) {
    std::size_t i = 0;
    while (i < texte.size() && est_blanc(texte[i])) ++i;
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        negatif = texte[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < texte.size() && texte[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < texte.size() && texte[i] == '0' && (texte[i + 1] == 'x' || texte[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= texte.size()) return false;
    std::int64_t somme = 0;
    for (; i < texte.size(); ++i) {
        int chiffre;
        const char c = texte[i];
        if (c >= '0' && c <= '9') chiffre = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') chiffre = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') chiffre = c - 'A' + 10;
        else return false;
        somme = somme * base + chiffre;
        if (somme > std::int64_t{1} << 32) return false;
    }
    if (negatif) somme = -somme;
    if (base == 16 && somme > std::numeric_limits<std::int32_t>::max() && somme <= 0xFFFFFFFFLL)
        somme -= std::int64_t{1} << 32;  // hexadecimal texts wrap like the system's
    if (somme < std::numeric_limits<std::int32_t>::min() || somme > std::numeric_limits<std::int32_t>::max())
        return false;
    valeur = static_cast<std::int32_t>(somme);
    return true;
}

std::int32_t entier_de_texte(std::string_view texte) {
    std::int32_t valeur = 0;
    if (!essai_entier(texte, valeur))
        throw erreur_quorva(message("'%s' n'est pas une valeur enti\xE8re correcte", std::string(texte)));
    return valeur;
}

bool essai_reel(std::string_view texte, char separateur, double& valeur) {
    std::size_t debut = 0, fin = texte.size();
    while (debut < fin && est_blanc(texte[debut])) ++debut;
    while (fin > debut && est_blanc(texte[fin - 1])) --fin;
    std::string nombre;
    bool chiffres = false, virgule = false, exposant = false;
    std::size_t i = debut;
    if (i < fin && (texte[i] == '+' || texte[i] == '-')) nombre += texte[i++];
    for (; i < fin; ++i) {
        const char c = texte[i];
        if (c >= '0' && c <= '9') {
            nombre += c;
            chiffres = true;
        } else if (c == separateur && !virgule && !exposant) {
            nombre += '.';
            virgule = true;
        } else if ((c == 'e' || c == 'E') && chiffres && !exposant) {
            nombre += 'e';
            exposant = true;
            if (i + 1 < fin && (texte[i + 1] == '+' || texte[i + 1] == '-')) nombre += texte[++i];
            if (i + 1 >= fin) return false;
        } else {
            return false;
        }
    }
    if (!chiffres) return false;
    const char* premier = nombre.data();
    if (*premier == '+') ++premier;
    const auto resultat = std::from_chars(premier, nombre.data() + nombre.size(), valeur);
    if (resultat.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; an overflow is not a number the program can use.
        if (exposant && nombre.find("e-") != std::string::npos) {
            valeur = 0;
            return true;
        }
        return false;
    }
    return resultat.ec == std::errc() && resultat.ptr == nombre.data() + nombre.size();
}

double reel_de_texte(std::string_view texte, char separateur) {
    double valeur = 0;
    if (!essai_reel(texte, separateur, valeur))
        throw erreur_quorva(
            message("'%s' n'est pas une valeur en virgule flottante correcte", std::string(texte)));
    return valeur;
}

std::int64_t arrondi(double valeur) {
    if (std::isnan(valeur)) return 0;
    constexpr double limite = 9.2e18;
    if (valeur >= limite) return static_cast<std::int64_t>(limite);
    if (valeur <= -limite) return -static_cast<std::int64_t>(limite);
    const double entier = std::floor(valeur);
    const double reste = valeur - entier;
    auto resultat = static_cast<std::int64_t>(entier);
    if (reste > 0.5 || (reste == 0.5 && (resultat % 2 != 0))) ++resultat;
    return resultat;
}

}  // namespace quorva
