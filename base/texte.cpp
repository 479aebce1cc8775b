#include "base/texte.h"

#include "base/chemins.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quorva {

namespace {

// Code points of cp1252 bytes 0x80..0x9F (0 where the code page has none:
// such bytes are kept as the C1 control of the same number).
constexpr std::array<std::uint16_t, 32> cp1252_80_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void ajouter_utf8(std::string& sortie, std::uint32_t point) {
    if (point < 0x80) {
        sortie += static_cast<char>(point);
    } else if (point < 0x800) {
        sortie += static_cast<char>(0xC0 | (point >> 6));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        sortie += static_cast<char>(0xE0 | (point >> 12));
        sortie += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        sortie += static_cast<char>(0xF0 | (point >> 18));
        sortie += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        sortie += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// The code point of the UTF-8 sequence at `i` (i moves past it); nothing for
// a byte that starts no valid sequence (i moves one byte). Shortest forms
// only; a surrogate's three-byte form is taken, as the lone surrogate a
// Windows name may hold comes back in it (utf16_vers_utf8).
std::optional<std::uint32_t> point_utf8(std::string_view utf8, std::size_t& i) {
    const auto octet = static_cast<unsigned char>(utf8[i]);
    std::size_t longueur = 0;
    std::uint32_t point = 0;
    if (octet < 0x80) { ++i; return octet; }
    if (octet >= 0xC2 && octet <= 0xDF) { longueur = 2; point = octet & 0x1F; }
    else if (octet >= 0xE0 && octet <= 0xEF) { longueur = 3; point = octet & 0x0F; }
    else if (octet >= 0xF0 && octet <= 0xF4) { longueur = 4; point = octet & 0x07; }
    bool valide = longueur > 0 && i + longueur <= utf8.size();
    for (std::size_t k = 1; valide && k < longueur; ++k) {
        const auto suite = static_cast<unsigned char>(utf8[i + k]);
        valide = (suite & 0xC0) == 0x80;
        point = (point << 6) | (suite & 0x3F);
    }
    constexpr std::uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valide || point < minimum[longueur] || point > 0x10FFFF) {
        ++i;
        return std::nullopt;
    }
    i += longueur;
    return point;
}

char octet_cp1252(std::uint32_t point) {
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<char>(point);
    for (std::size_t i = 0; i < cp1252_80_9f.size(); ++i)
        if (cp1252_80_9f[i] == point) return static_cast<char>(0x80 + i);
    return '?';
}

// Latin-1 capitals to small letters (the letters of Western European names;
// other scripts compare as they are).
std::uint32_t minuscule(std::uint32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1;  // Š Œ Ž
    if (c == 0x178) return 0xFF;                              // Ÿ
    return c;
}

}  // namespace

std::string cp1252_vers_utf8(std::string_view cp1252) {
    std::string sortie;
    sortie.reserve(cp1252.size() + cp1252.size() / 4);
    for (const char c : cp1252) {
        const auto octet = static_cast<unsigned char>(c);
        if (octet < 0x80) sortie += c;
        else if (octet < 0xA0) ajouter_utf8(sortie, cp1252_80_9f[octet - 0x80]);
        else ajouter_utf8(sortie, octet);
    }
    return sortie;
}

std::string utf8_vers_cp1252(std::string_view utf8) {
    std::string sortie;
    sortie.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto point = point_utf8(utf8, i);
        sortie += point ? octet_cp1252(*point) : '?';
    }
    return sortie;
}

std::optional<std::u16string> utf8_vers_utf16(std::string_view utf8) {
    std::u16string sortie;
    sortie.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto point = point_utf8(utf8, i);
        if (!point) return std::nullopt;
        if (*point >= 0x10000) {
            sortie += static_cast<char16_t>(0xD800 + ((*point - 0x10000) >> 10));
            sortie += static_cast<char16_t>(0xDC00 + ((*point - 0x10000) & 0x3FF));
            continue;
        }
        // A pair written as two lone halves is not how any name comes back:
        // it would name the character its four-byte form names.
        if (*point >= 0xDC00 && *point <= 0xDFFF && !sortie.empty() && sortie.back() >= 0xD800 &&
            sortie.back() <= 0xDBFF)
            return std::nullopt;
        sortie += static_cast<char16_t>(*point);
    }
    return sortie;
}

std::string utf16_vers_utf8(std::u16string_view utf16) {
    std::string sortie;
    sortie.reserve(utf16.size() + utf16.size() / 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        std::uint32_t point = utf16[i];
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        }
        ajouter_utf8(sortie, point);  // a lone surrogate keeps its three-byte form
    }
    return sortie;
}

namespace {

// Whether the bytes are UTF-8 holding at least one character beyond ASCII:
// a cp1252 text with accented letters almost never is.
bool utf8_non_ascii(std::string_view octets) {
    bool multi = false;
    for (std::size_t i = 0; i < octets.size();) {
        const auto octet = static_cast<unsigned char>(octets[i]);
        std::size_t longueur = 1;
        if (octet >= 0xC2 && octet <= 0xDF) longueur = 2;
        else if (octet >= 0xE0 && octet <= 0xEF) longueur = 3;
        else if (octet >= 0xF0 && octet <= 0xF4) longueur = 4;
        else if (octet >= 0x80) return false;
        if (i + longueur > octets.size()) return false;
        for (std::size_t k = 1; k < longueur; ++k)
            if ((static_cast<unsigned char>(octets[i + k]) & 0xC0) != 0x80) return false;
        multi = multi || longueur > 1;
        i += longueur;
    }
    return multi;
}

}  // namespace

std::string texte_fichier_utf8(std::string_view octets) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (octets.substr(0, bom.size()) == bom) return std::string(octets.substr(bom.size()));
    if (utf8_non_ascii(octets)) return std::string(octets);
    return cp1252_vers_utf8(octets);
}

std::string debut_utf8(std::string_view texte, std::size_t nb_caracteres) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < nb_caracteres && i < texte.size(); ++n) point_utf8(texte, i);
    return std::string(texte.substr(0, i));
}

std::size_t nb_caracteres_utf8(std::string_view texte) {
    std::size_t n = 0;
    for (const char c : texte)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string minuscules_ascii(std::string_view texte) {
    std::string sortie(texte);
    for (char& c : sortie)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return sortie;
}

bool egal_sans_casse(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const std::size_t debut_a = i, debut_b = j;
        const auto pa = point_utf8(a, i), pb = point_utf8(b, j);
        if (pa && pb ? minuscule(*pa) != minuscule(*pb)
                     : a.substr(debut_a, i - debut_a) != b.substr(debut_b, j - debut_b))
            return false;
    }
    return i == a.size() && j == b.size();
}

std::vector<std::string> decouper_lignes(std::string_view texte) {
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] != '\r' && texte[i] != '\n') continue;
        lignes.emplace_back(texte.substr(debut, i - debut));
        if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
        debut = i + 1;
    }
    if (debut < texte.size()) lignes.emplace_back(texte.substr(debut));
    return lignes;
}

std::string joindre_lignes(const std::vector<std::string>& lignes) {
    std::string sortie;
    for (const auto& ligne : lignes) {
        sortie += ligne;
        sortie += "\r\n";
    }
    return sortie;
}

std::string fins_de_ligne_lf(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] != '\r') {
            sortie += texte[i];
            continue;
        }
        sortie += '\n';
        if (i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
    }
    return sortie;
}

bool finit_par(std::string_view texte, std::string_view fin) {
    return texte.size() >= fin.size() && texte.substr(texte.size() - fin.size()) == fin;
}

std::string avec_barre_finale(std::string dossier) {
    if (!dossier.empty() && dossier.back() != '\\' && dossier.back() != '/') dossier += separateur_de(dossier);
    return dossier;
}

bool commence_par(std::string_view texte, std::string_view debut) {
    return texte.substr(0, debut.size()) == debut;
}

}  // namespace quorva
