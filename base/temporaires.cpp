#include "base/temporaires.h"

#include <algorithm>

namespace quorva {

namespace {

constexpr std::string_view marque = ".quorva-";

bool chiffres(std::string_view texte, std::size_t longueur_max) {
    return !texte.empty() && texte.size() <= longueur_max && texte.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string texte_machine(std::string_view nom_systeme) {
    std::string texte;
    for (const char c : nom_systeme) {
        const bool garde = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '_' || c == '-';
        texte += garde ? c : '_';
    }
    return texte.empty() ? "?" : texte;
}

std::string nom_temporaire(std::string_view nom_cible, std::string_view machine, unsigned long processus,
                           unsigned long numero) {
    std::string suite(marque);
    suite += machine;
    suite += '-';
    suite += std::to_string(processus);
    suite += '-';
    suite += std::to_string(numero);
    // Room left by the dot and the rest, in bytes (POSIX counts them) and in
    // UTF-16 units (Windows counts them: a letter beyond U+FFFF takes two);
    // at least one whole character of the target, which the leftovers' rule
    // needs to know the name as ours.
    const auto unites = [](std::string_view texte) {
        std::size_t n = 0;
        for (const char c : texte) {
            const auto octet = static_cast<unsigned char>(c);
            if ((octet & 0xC0) != 0x80) n += octet >= 0xF0 ? 2 : 1;
        }
        return n;
    };
    const auto place = [&](std::size_t total) { return total > suite.size() + 1 ? total - suite.size() - 1 : 0; };
    const std::size_t octets_max = place(nom_cible.size()), unites_max = place(unites(nom_cible));
    std::size_t longueur = 0, n_unites = 0;
    while (longueur < nom_cible.size()) {
        std::size_t fin = longueur + 1;
        while (fin < nom_cible.size() && (static_cast<unsigned char>(nom_cible[fin]) & 0xC0) == 0x80) ++fin;
        const std::size_t u = unites(nom_cible.substr(longueur, fin - longueur));
        if (longueur > 0 && (fin > octets_max || n_unites + u > unites_max)) break;
        longueur = fin;
        n_unites += u;
    }
    std::string nom = ".";
    nom += nom_cible.substr(0, longueur);
    return nom + suite;
}

std::optional<auteur_temporaire> auteur_du_temporaire(std::string_view nom) {
    const auto position = nom.rfind(marque);
    // A dot, at least one character of the target's name, the mark.
    if (nom.size() < 2 || nom[0] != '.' || position == std::string_view::npos || position < 2) return std::nullopt;
    std::string_view suite = nom.substr(position + marque.size());
    const auto dernier = suite.rfind('-');
    if (dernier == std::string_view::npos || !chiffres(suite.substr(dernier + 1), 9)) return std::nullopt;
    suite = suite.substr(0, dernier);
    const auto avant = suite.rfind('-');
    if (avant == std::string_view::npos || avant == 0 || !chiffres(suite.substr(avant + 1), 10)) return std::nullopt;
    auteur_temporaire auteur;
    auteur.machine = std::string(suite.substr(0, avant));
    auteur.processus = std::stoul(std::string(suite.substr(avant + 1)));
    if (auteur.processus == 0) return std::nullopt;
    return auteur;
}

}  // namespace quorva
