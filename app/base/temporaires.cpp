#include "app/base/temporaires.h"

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
                           unsigned long numero, std::size_t longueur_max) {
    std::size_t longueur = std::min(nom_cible.size(), longueur_max);
    while (longueur > 0 && longueur < nom_cible.size() && (static_cast<unsigned char>(nom_cible[longueur]) & 0xC0) == 0x80)
        --longueur;
    std::string nom = ".";
    nom += nom_cible.substr(0, longueur);
    nom += marque;
    nom += machine;
    nom += '-';
    nom += std::to_string(processus);
    nom += '-';
    nom += std::to_string(numero);
    return nom;
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
