#include "chart/fichier_pointes.h"

#include <vector>

#include "app/erreur.h"
#include "app/lecture_bornee.h"
#include "app/nombres.h"
#include "app/texte.h"

namespace quorva {

namespace {

const char* const ligne_pointes = "Pointes";

// An integer line as the marks file holds it: leading blanks, the number,
// and whatever follows it ignored.
std::int32_t entier_en_tete(const std::string& ligne) {
    std::size_t i = 0;
    while (i < ligne.size() && (ligne[i] == ' ' || ligne[i] == '\t')) ++i;
    std::size_t fin = i;
    if (fin < ligne.size() && (ligne[fin] == '+' || ligne[fin] == '-')) ++fin;
    const std::size_t chiffres = fin;
    while (fin < ligne.size() && ligne[fin] >= '0' && ligne[fin] <= '9') ++fin;
    if (fin == chiffres) return entier_de_texte(ligne);  // raises the system's text
    return entier_de_texte(std::string_view(ligne).substr(i, fin - i));
}

int borne(std::int32_t valeur, int capacite) { return valeur < 0 ? 0 : valeur > capacite ? capacite : valeur; }

}  // namespace

void Savemarks(contexte& ctx) {
    const auto& etat = ctx.conversion;
    const int n = borne(etat.nb_echantillons, capacite_echantillons);
    const int nb = borne(etat.nb_pointes, capacite_pointes);
    std::string texte;
    texte.reserve(static_cast<std::size_t>(n) * 8 + static_cast<std::size_t>(nb) * 50 + 64);
    texte += std::to_string(n) + "\r\n";
    for (int i = 1; i <= n; ++i)
        texte += format_reel(etat.echantillons[static_cast<std::size_t>(i)], ctx.separateur_decimal) + "\r\n";
    texte += ligne_pointes;
    texte += "\r\n" + std::to_string(nb) + "\r\n";
    for (int k = 1; k <= nb; ++k) {
        texte += format_exposant(etat.pointes[static_cast<std::size_t>(k)].x) + "\r\n";
        texte += format_exposant(etat.pointes[static_cast<std::size_t>(k)].y) + "\r\n";
    }
    auto sortie = ctx.os.create_file(etat.fichier_pointes);
    sortie->write(texte);
    sortie->commit();
}

namespace {

bool lire_pointes(contexte& ctx) {
    auto& etat = ctx.conversion;
    const std::string& chemin = etat.fichier_pointes;
    if (chemin.empty() || !ctx.os.file_exists(chemin)) return false;
    // Far more than the lines of the largest recording the chart keeps.
    const std::vector<std::string> lignes = decouper_lignes(lire_fichier_borne(ctx.os, chemin, 64u << 20));

    std::size_t suivante = 0;
    const auto ligne = [&]() -> const std::string& {
        if (suivante >= lignes.size())
            throw erreur_quorva(message("Le fichier de pointes %s est incomplet.", chemin));
        return lignes[suivante++];
    };

    // Everything is read into temporaries first: a broken file changes nothing.
    const std::int32_t compte = entier_en_tete(ligne());
    if (compte < 0) throw erreur_quorva(message("Le fichier de pointes %s est ab\xEEm\xE9.", chemin));
    std::vector<double> valeurs(capacite_echantillons + 1, 0.0);
    for (std::int32_t i = 1; i <= compte; ++i) {
        const double v = reel_de_texte(ligne(), ctx.separateur_decimal);
        if (i <= capacite_echantillons) valeurs[static_cast<std::size_t>(i)] = v;
    }

    bool avec_pointes = suivante < lignes.size() && lignes[suivante] == ligne_pointes;
    std::vector<point_xy> marques;
    std::int32_t nb = 0;
    if (avec_pointes) {
        ++suivante;
        nb = entier_en_tete(ligne());
        if (nb < 0) throw erreur_quorva(message("Le fichier de pointes %s est ab\xEEm\xE9.", chemin));
        marques.assign(capacite_pointes + 1, {});
        for (int k = 1; k <= borne(nb, capacite_pointes); ++k) {
            marques[static_cast<std::size_t>(k)].x = reel_de_texte(ligne(), '.');
            marques[static_cast<std::size_t>(k)].y = reel_de_texte(ligne(), '.');
        }
    }

    std::copy(valeurs.begin(), valeurs.end(), etat.echantillons.begin());
    etat.nb_echantillons = borne(compte, capacite_echantillons);
    if (avec_pointes) {
        std::copy(marques.begin(), marques.end(), etat.pointes.begin());
        etat.nb_pointes = borne(nb, capacite_pointes);
    }
    return true;
}

}  // namespace

bool Readmarks(contexte& ctx) {
    try {
        return lire_pointes(ctx);
    } catch (const erreur_quorva& e) {
        // A number that is not one says which text; the user also needs to
        // know which file holds it.
        const std::string abime = message("Le fichier de pointes %s est ab\xEEm\xE9.", ctx.conversion.fichier_pointes);
        const std::string texte = e.what();
        if (texte.find(ctx.conversion.fichier_pointes) != std::string::npos) throw;
        throw erreur_quorva(abime + "\r" + texte);
    }
}

}  // namespace quorva
