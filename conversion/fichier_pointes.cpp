#include "conversion/fichier_pointes.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/base/erreur.h"
#include "app/base/lecture_bornee.h"
#include "app/base/nombres.h"
#include "app/base/texte.h"
#include "conversion/detection.h"

namespace quorva {

namespace {

const char* const ligne_pointes = "Pointes";

// An integer line as the marks file holds it: leading blanks, the number,
// and whatever follows it ignored.
std::int32_t entier_en_tete(std::string_view ligne) {
    std::size_t i = 0;
    while (i < ligne.size() && (ligne[i] == ' ' || ligne[i] == '\t')) ++i;
    std::size_t fin = i;
    if (fin < ligne.size() && (ligne[fin] == '+' || ligne[fin] == '-')) ++fin;
    const std::size_t chiffres = fin;
    while (fin < ligne.size() && ligne[fin] >= '0' && ligne[fin] <= '9') ++fin;
    if (fin == chiffres) return entier_de_texte(ligne);  // raises the system's text
    return entier_de_texte(ligne.substr(i, fin - i));
}

int borne(std::int32_t valeur, int capacite) { return valeur < 0 ? 0 : valeur > capacite ? capacite : valeur; }

// The lines of a text one after the other (CR LF, LF or CR), without
// copying them: a marks file holds a line per sample.
class lecteur_lignes {
public:
    explicit lecteur_lignes(std::string_view texte) : texte_(texte) {}
    bool fini() const { return position_ >= texte_.size(); }
    std::string_view suivante() {
        std::size_t fin = position_;
        while (fin < texte_.size() && texte_[fin] != '\r' && texte_[fin] != '\n') ++fin;
        const std::string_view ligne = texte_.substr(position_, fin - position_);
        if (fin < texte_.size() && texte_[fin] == '\r' && fin + 1 < texte_.size() && texte_[fin + 1] == '\n') ++fin;
        position_ = fin + 1;
        return ligne;
    }
    // What is left: an upper bound of the lines still to read.
    std::size_t reste() const { return fini() ? 0 : texte_.size() - position_; }

private:
    std::string_view texte_;
    std::size_t position_ = 0;
};

}  // namespace

void Savemarks(const services& ctx, const etat_conversion& etat) {
    const int n = etat.nb_valides();
    const int nb = borne(etat.nb_pointes, capacite_pointes);
    auto sortie = ctx.os.create_file(etat.fichier_pointes);
    // Written a block at a time: a recording kept whole has a line per sample.
    constexpr std::size_t bloc = 1 << 20;
    std::string texte;
    texte.reserve(bloc + 64);
    texte += std::to_string(n) + "\r\n";
    char nombre[taille_max_reel];
    for (int i = 1; i <= n; ++i) {
        texte.append(nombre, ecrire_reel(nombre, etat.echantillons[static_cast<std::size_t>(i)], ctx.separateur_decimal));
        texte += "\r\n";
        if (texte.size() >= bloc) {
            sortie->write(texte);
            texte.clear();
        }
    }
    texte += ligne_pointes;
    texte += "\r\n" + std::to_string(nb) + "\r\n";
    for (int k = 1; k <= nb; ++k) {
        texte += format_exposant(etat.pointes[static_cast<std::size_t>(k)].x) + "\r\n";
        texte += format_exposant(etat.pointes[static_cast<std::size_t>(k)].y) + "\r\n";
    }
    sortie->write(texte);
    sortie->commit();
}

namespace {

bool lire_fichier_pointes(const services& ctx, etat_conversion& etat) {
    const std::string& chemin = etat.fichier_pointes;
    if (chemin.empty() || !ctx.os.file_exists(chemin)) return false;
    // Far more than the lines of the longest recording (5,000,000 samples).
    const std::string contenu = lire_fichier_borne(ctx.os, chemin, 256u << 20);
    lecteur_lignes lignes(contenu);
    const auto ligne = [&]() {
        if (lignes.fini()) throw erreur_quorva(message("Le fichier de pointes %s est incomplet.", chemin));
        return lignes.suivante();
    };

    // Everything is read into temporaries first: a broken file changes nothing.
    const std::int32_t compte = entier_en_tete(ligne());
    if (compte < 0) throw erreur_quorva(message("Le fichier de pointes %s est ab\xEEm\xE9.", chemin));
    // The samples of a recording kept whole, too (a count beyond the lines
    // of the file is a file cut short: it is refused before it is allocated).
    if (static_cast<std::size_t>(compte) > lignes.reste())
        throw erreur_quorva(message("Le fichier de pointes %s est incomplet.", chemin));
    std::vector<double> valeurs(std::max<std::size_t>(static_cast<std::size_t>(compte), capacite_echantillons) + 1, 0.0);
    for (std::int32_t i = 1; i <= compte; ++i)
        valeurs[static_cast<std::size_t>(i)] = reel_de_texte(ligne(), ctx.separateur_decimal);

    const bool avec_pointes = !lignes.fini() && [&] {
        lecteur_lignes essai = lignes;
        return essai.suivante() == ligne_pointes;
    }();
    std::vector<point_xy> marques;
    std::int32_t nb = 0;
    if (avec_pointes) {
        ligne();
        nb = entier_en_tete(ligne());
        if (nb < 0) throw erreur_quorva(message("Le fichier de pointes %s est ab\xEEm\xE9.", chemin));
        marques.assign(capacite_pointes + 1, {});
        for (int k = 1; k <= borne(nb, capacite_pointes); ++k) {
            marques[static_cast<std::size_t>(k)].x = reel_de_texte(ligne(), '.');
            marques[static_cast<std::size_t>(k)].y = reel_de_texte(ligne(), '.');
        }
    }

    etat.echantillons.swap(valeurs);
    etat.nb_echantillons = compte;
    if (avec_pointes) {
        std::copy(marques.begin(), marques.end(), etat.pointes.begin());
        etat.nb_pointes = borne(nb, capacite_pointes);
    }
    return true;
}

}  // namespace

bool Readmarks(const services& ctx, etat_conversion& etat) {
    try {
        return lire_fichier_pointes(ctx, etat);
    } catch (const erreur_quorva& e) {
        // A number that is not one says which text; the user also needs to
        // know which file holds it.
        const std::string abime = message("Le fichier de pointes %s est ab\xEEm\xE9.", etat.fichier_pointes);
        const std::string texte = e.what();
        if (texte.find(etat.fichier_pointes) != std::string::npos) throw;
        throw erreur_quorva(abime + "\r" + texte);
    }
}

bool pointes_enregistrees(const services& ctx, const etat_conversion& etat) {
    return !etat.fichier_pointes.empty() && ctx.os.file_exists(etat.fichier_pointes);
}

void valider_pointes(const services& ctx, etat_conversion& etat) {
    reconstruit_pointes(etat);
    Savemarks(ctx, etat);
}

}  // namespace quorva
