#include "base/nombres.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "base/erreur.h"

namespace quorva {

namespace {

// The 15 significant digits of a finite non-zero magnitude and its decimal
// exponent: valeur = d.dddddddddddddd x 10^exposant. Kept off the heap: the
// workbook writer formats millions of reals. The digits are followed by
// '0's, so that they can be copied by whole words.
struct chiffres_15 {
    char chiffres[32];
    int exposant = 0;
};

// The digits of 0..99, two by two.
constexpr auto paires_chiffres = [] {
    std::array<char, 200> t{};
    for (int i = 0; i < 100; ++i) {
        t[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        t[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return t;
}();

inline void deux_chiffres(char* sortie, std::uint32_t valeur) {
    std::memcpy(sortie, paires_chiffres.data() + 2 * valeur, 2);
}

constexpr auto puissances_cinq = [] {
    std::array<std::uint64_t, 28> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 5;  // 5^27 < 2^63
    return p;
}();

// 10^-22 .. 10^22 as the nearest doubles (exact from 10^0 up).
constexpr double puissances_dix[45] = {
    1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8,
    1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,  1e7,
    1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21, 1e22};

// The usual case without the general conversion: the magnitude scaled to 15
// integer digits exactly, in 128-bit integers (mantissa x 5^k, shifted), then
// rounded. Declines (false) on an exact half, out of the range it covers, or
// without 128-bit integers: the general conversion then gives the digits.
[[gnu::always_inline]] inline bool decomposer_rapide(double magnitude, chiffres_15& resultat) {
#ifdef __SIZEOF_INT128__
    using u128 = unsigned __int128;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int champ = static_cast<int>((bits >> 52) & 0x7FF);
    if (champ == 0 || champ == 0x7FF) return false;  // subnormal, infinite
    const std::uint64_t mantisse = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int exposant2 = champ - 1075;  // magnitude = mantisse x 2^exposant2
    // floor(log10) of the magnitude: floor(log10(2^(champ - 1023))) is it or
    // one less, and the next power of ten tells which. (Where that power is
    // not exact, a wrong guess shows in the digits' count: declined below.)
    int exposant10 = ((champ - 1023) * 78913) >> 18;
    if (exposant10 < -22 || exposant10 > 21) return false;
    if (magnitude >= puissances_dix[exposant10 + 23]) ++exposant10;
    // digits = magnitude x 10^k = mantisse x 5^k x 2^(k + exposant2)
    const int k = 14 - exposant10;
    if (k < 0 || k > 27) return false;
    const u128 produit = static_cast<u128>(mantisse) * puissances_cinq[static_cast<std::size_t>(k)];
    const int decalage = -(k + exposant2);
    std::uint64_t n = 0;
    if (decalage <= 0) {
        if (decalage < -12) return false;
        n = static_cast<std::uint64_t>(produit << -decalage);
    } else {
        if (decalage > 120) return false;
        n = static_cast<std::uint64_t>(produit >> decalage);
        // The bits shifted out, at the top of 128: above, at or below a half.
        const u128 reste = produit << (128 - decalage);
        const u128 moitie = static_cast<u128>(1) << 127;
        if (reste == moitie) return false;  // an exact half: the general rule decides
        if (reste > moitie) ++n;
    }
    if (n < 100000000000000ULL || n > 1000000000000000ULL) return false;
    if (n == 1000000000000000ULL) {  // rounded up to the next decade
        n = 100000000000000ULL;
        ++exposant10;
    }
    // 7 + 8 digits, two at a time: a part below 10^8 times 2^48 / 10^6
    // (rounded up) holds its first two digits above bit 48 and the rest as
    // a fraction, which times 100 gives the next two, and so on (exact for
    // every part below 10^8).
    constexpr std::uint64_t inverse_million = 281474977;  // ceil(2^48 / 10^6)
    constexpr std::uint64_t fraction = (std::uint64_t{1} << 48) - 1;
    std::uint64_t haut = n / 100000000 * inverse_million;
    std::uint64_t bas = n % 100000000 * inverse_million;
    char* c = resultat.chiffres;
    c[0] = static_cast<char>('0' + (haut >> 48));
    for (int i = 1; i < 7; i += 2) {
        haut = (haut & fraction) * 100;
        deux_chiffres(c + i, static_cast<std::uint32_t>(haut >> 48));
    }
    deux_chiffres(c + 7, static_cast<std::uint32_t>(bas >> 48));
    for (int i = 9; i < 15; i += 2) {
        bas = (bas & fraction) * 100;
        deux_chiffres(c + i, static_cast<std::uint32_t>(bas >> 48));
    }
    std::memset(c + 15, '0', sizeof resultat.chiffres - 15);
    resultat.exposant = exposant10;
    return true;
#else
    (void)magnitude;
    (void)resultat;
    return false;
#endif
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
    std::memset(resultat.chiffres + 15, '0', sizeof resultat.chiffres - 15);
    const char* p = tampon + 17;
    const bool negatif = *p == '-';
    int exposant = 0;
    for (++p; p < fin; ++p) exposant = exposant * 10 + (*p - '0');
    resultat.exposant = negatif ? -exposant : exposant;
    return resultat;
}

bool est_blanc(char c) { return c == ' ' || c == '\t'; }

}  // namespace

char* ecrire_reel(char* sortie, double valeur, char separateur) {
    const auto texte = [&](const char* t, std::size_t longueur) {
        std::memcpy(sortie, t, longueur);
        return sortie + longueur;
    };
    if (std::isnan(valeur)) return texte("NAN", 3);
    if (std::isinf(valeur)) return valeur > 0 ? texte("INF", 3) : texte("-INF", 4);
    if (valeur == 0) return texte("0", 1);
    // The usual case inline; the general conversion out of line.
    chiffres_15 d;
    if (!decomposer_rapide(std::fabs(valeur), d)) d = decomposer(std::fabs(valeur));
    const char* chiffres = d.chiffres;
    const int exposant = d.exposant;
    int nb = 15;
    while (nb > 1 && chiffres[nb - 1] == '0') --nb;
    char* p = sortie;
    if (valeur < 0) *p++ = '-';
    // Digits are copied 16 at a time (the room allows it) and the end set
    // after them.
    if (exposant >= 15 || exposant < -5) {
        *p++ = chiffres[0];
        if (nb > 1) {
            *p++ = separateur;
            std::memcpy(p, chiffres + 1, 16);
            p += nb - 1;
        }
        *p++ = 'E';
        return std::to_chars(p, sortie + taille_max_reel, exposant).ptr;
    }
    if (exposant < 0) {
        std::memcpy(p, "0.00000", 8);
        p[1] = separateur;
        p += 1 - exposant;
        std::memcpy(p, chiffres, 16);
        return p + nb;
    }
    // Fixed: the integer digits (zeros past nb included), then the decimals.
    const int entiers = exposant + 1;
    std::memcpy(p, chiffres, 16);
    p += entiers;
    if (nb > entiers) {
        *p++ = separateur;
        std::memcpy(p, chiffres + entiers, 16);
        p += nb - entiers;
    }
    return p;
}

std::string format_reel(double valeur, char separateur) {
    char sortie[taille_max_reel];
    return std::string(sortie, ecrire_reel(sortie, valeur, separateur));
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
        throw erreur_quorva(message("'%s' n'est pas une valeur entière correcte", std::string(texte)));
    return valeur;
}

bool essai_reel(std::string_view texte, char separateur, double& valeur) {
    std::size_t debut = 0, fin = texte.size();
    while (debut < fin && est_blanc(texte[debut])) ++debut;
    while (fin > debut && est_blanc(texte[fin - 1])) --fin;
    // The text is checked in place; it is copied only when its decimal
    // separator is not the point the conversion reads.
    bool chiffres = false, virgule = false, exposant = false, exposant_negatif = false;
    std::size_t position_virgule = 0;
    std::size_t i = debut;
    if (i < fin && (texte[i] == '+' || texte[i] == '-')) ++i;
    for (; i < fin; ++i) {
        const char c = texte[i];
        if (c >= '0' && c <= '9') {
            chiffres = true;
        } else if (c == separateur && !virgule && !exposant) {
            virgule = true;
            position_virgule = i;
        } else if ((c == 'e' || c == 'E') && chiffres && !exposant) {
            exposant = true;
            if (i + 1 < fin && (texte[i + 1] == '+' || texte[i + 1] == '-')) exposant_negatif = texte[++i] == '-';
            if (i + 1 >= fin) return false;
        } else {
            return false;
        }
    }
    if (!chiffres) return false;
    if (texte[debut] == '+') ++debut;
    std::string copie;
    std::string_view nombre = texte.substr(debut, fin - debut);
    if (virgule && separateur != '.') {
        copie.assign(nombre);
        copie[position_virgule - debut] = '.';
        nombre = copie;
    }
    const auto resultat = std::from_chars(nombre.data(), nombre.data() + nombre.size(), valeur);
    if (resultat.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; an overflow is not a number the program can use.
        if (exposant_negatif) {
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
