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
// integer digits exactly, in 128-bit integers (mantissa x 5^k, shifted), then
// rounded. Declines (false) on an exact half, out of the range it covers, or
// without 128-bit integers: the general conversion then gives the digits.
bool decomposer_rapide(double magnitude, chiffres_15& resultat) {
#ifdef __SIZEOF_INT128__
    using u128 = unsigned __int128;
    static const auto cinq = [] {
        std::array<std::uint64_t, 28> p{};
        p[0] = 1;
        for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 5;  // 5^27 < 2^63
        return p;
    }();
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int champ = static_cast<int>((bits >> 52) & 0x7FF);
    if (champ == 0 || champ == 0x7FF) return false;  // subnormal, infinite
    const std::uint64_t mantisse = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int exposant2 = champ - 1075;  // magnitude = mantisse x 2^exposant2
    // floor(log10) of the magnitude, or one less.
    int exposant10 = static_cast<int>(std::floor((champ - 1023) * 0.30102999566398119521));
    std::uint64_t n = 0;
    bool plus = false;
    for (int essai = 0;; ++essai) {
        const int k = 14 - exposant10;  // digits = magnitude x 10^k = mantisse x 5^k x 2^(k + exposant2)
        if (k < 0 || k > 27 || essai > 1) return false;
        const u128 produit = static_cast<u128>(mantisse) * cinq[static_cast<std::size_t>(k)];
        const int decalage = k + exposant2;
        u128 entier = 0;
        plus = false;
        if (decalage >= 0) {
            if (decalage > 12) return false;
            entier = produit << decalage;
        } else {
            if (-decalage > 120) return false;
            entier = produit >> -decalage;
            const u128 reste = produit - (entier << -decalage);
            const u128 moitie = static_cast<u128>(1) << (-decalage - 1);
            if (reste == moitie) return false;  // an exact half: the general rule decides
            plus = reste > moitie;
        }
        if (entier >= 1000000000000000ULL) {
            ++exposant10;
            continue;
        }
        if (entier < 100000000000000ULL) return false;
        n = static_cast<std::uint64_t>(entier);
        break;
    }
    if (plus) ++n;
    if (n == 1000000000000000ULL) {
        n = 100000000000000ULL;
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
