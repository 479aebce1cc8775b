#include "app/nombres.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "app/erreur.h"

namespace quorva {

namespace {

// The 15 significant digits of a finite non-zero magnitude and its decimal
// exponent: valeur = d.dddddddddddddd x 10^exposant. Kept off the heap: the
// workbook writer formats millions of reals.
struct chiffres_15 {
    char chiffres[15];
    int exposant = 0;
};

// The usual case without the general conversion: the magnitude scaled to 15
// integer digits in extended precision (one rounding, error far below 1e-4
// of the last digit), then rounded. Declines (false) where that could differ
// from the correctly rounded digits: near a half, out of the exact powers of
// ten, or without an extended long double.
bool decomposer_rapide(double magnitude, chiffres_15& resultat) {
    if constexpr (std::numeric_limits<long double>::digits < 64) {
        return false;
    } else {
        static const auto puissances = [] {
            std::array<long double, 28> p{};
            p[0] = 1;
            for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;  // exact up to 10^27
            return p;
        }();
        // magnitude = 1.f x 2^exposant2 (subnormals go the general way).
        const int champ = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FF);
        if (champ == 0 || champ == 0x7FF) return false;
        const int exposant2 = champ - 1023;
        // floor(log10) of the magnitude, or one less.
        int exposant10 = static_cast<int>(std::floor(exposant2 * 0.30102999566398119521));
        long double q = 0;
        for (int essai = 0; essai < 2; ++essai) {
            const int k = 14 - exposant10;
            if (k < -27 || k > 27) return false;
            q = k >= 0 ? static_cast<long double>(magnitude) * puissances[static_cast<std::size_t>(k)]
                       : static_cast<long double>(magnitude) / puissances[static_cast<std::size_t>(-k)];
            if (q < 1e15L) break;
            ++exposant10;
        }
        if (q < 1e14L || q >= 1e15L) return false;
        auto n = static_cast<std::int64_t>(q);  // q > 0: truncation is the floor
        const long double reste = q - static_cast<long double>(n);
        if (std::fabs(reste - 0.5L) < 1e-3L) return false;
        if (reste > 0.5L) ++n;
        if (n == 1000000000000000LL) {
            n = 100000000000000LL;
            ++exposant10;
        }
        // 7 + 8 digits, each half in 32-bit arithmetic.
        auto haut = static_cast<std::uint32_t>(n / 100000000);
        auto bas = static_cast<std::uint32_t>(n % 100000000);
        for (int i = 14; i >= 7; --i) {
            resultat.chiffres[i] = static_cast<char>('0' + bas % 10);
            bas /= 10;
        }
        for (int i = 6; i >= 0; --i) {
            resultat.chiffres[i] = static_cast<char>('0' + haut % 10);
            haut /= 10;
        }
        resultat.exposant = exposant10;
        return true;
    }
}

chiffres_15 decomposer(double magnitude) {
    chiffres_15 resultat;
    if (decomposer_rapide(magnitude, resultat)) return resultat;
    char tampon[64];
    const char* fin = std::to_chars(tampon, tampon + sizeof tampon, magnitude,
                                    std::chars_format::scientific, 14).ptr;
    // d.ddddddddddddddde[+-]xx
    resultat.chiffres[0] = tampon[0];
    std::memcpy(resultat.chiffres + 1, tampon + 2, 14);
    const char* p = tampon + 17;
    const bool negatif = *p == '-';
    int exposant = 0;
    for (++p; p < fin; ++p) exposant = exposant * 10 + (*p - '0');
    resultat.exposant = negatif ? -exposant : exposant;
    return resultat;
}

bool est_blanc(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string format_reel(double valeur, char separateur) {
    if (std::isnan(valeur)) return "NAN";
    if (std::isinf(valeur)) return valeur > 0 ? "INF" : "-INF";
    if (valeur == 0) return "0";
    const auto [chiffres, exposant] = decomposer(std::fabs(valeur));
    int nb = 15;
    while (nb > 1 && chiffres[nb - 1] == '0') --nb;
    char sortie[48];
    int n = 0;
    if (valeur < 0) sortie[n++] = '-';
    if (exposant >= 15 || exposant < -5) {
        sortie[n++] = chiffres[0];
        if (nb > 1) {
            sortie[n++] = separateur;
            for (int i = 1; i < nb; ++i) sortie[n++] = chiffres[i];
        }
        sortie[n++] = 'E';
        n = static_cast<int>(std::to_chars(sortie + n, sortie + sizeof sortie, exposant).ptr - sortie);
    } else if (exposant < 0) {
        sortie[n++] = '0';
        sortie[n++] = separateur;
        for (int i = 0; i < -exposant - 1; ++i) sortie[n++] = '0';
        for (int i = 0; i < nb; ++i) sortie[n++] = chiffres[i];
    } else {
        const int entiers = exposant + 1;
        for (int i = 0; i < entiers; ++i) sortie[n++] = i < nb ? chiffres[i] : '0';
        if (nb > entiers) {
            sortie[n++] = separateur;
            for (int i = entiers; i < nb; ++i) sortie[n++] = chiffres[i];
        }
    }
    return std::string(sortie, static_cast<std::size_t>(n));
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
    sortie.append(chiffres + 1, 14);
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
