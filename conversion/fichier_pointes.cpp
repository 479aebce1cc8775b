#include "conversion/fichier_pointes.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "base/lecture_bornee.h"
#include "base/nombres.h"
#include "base/texte.h"
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

int borne_pointes(std::int32_t valeur) { return std::clamp<std::int32_t>(valeur, 0, capacite_pointes); }

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

private:
    std::string_view texte_;
    std::size_t position_ = 0;
};

}  // namespace

namespace {

void ecrire_pointes(const services& ctx, const etat_conversion& etat) {
    const int n = etat.nb_valides();
    const int nb = borne_pointes(etat.nb_pointes);
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

}  // namespace

void Savemarks(const services& ctx, const etat_conversion& etat) {
    try {
        ecrire_pointes(ctx, etat);
    } catch (const WriteError& e) {
        // Said like the workbook's: held, full disk, not allowed, too long.
        const std::string raison = raison_ecriture("Le fichier des pointes %s", e.path(), e.cause());
        if (raison.empty()) throw;
        throw WriteError(e, raison);
    }
}

const char* const texte_pointes_trop_grand =
    "Le fichier de pointes %s a plus d'échantillons qu'un enregistrement ne peut en avoir : il n'est pas lu.";

namespace {

// The longest line of a marks file as the program writes it, with a good
// margin: a sample (at most 22 characters), or a count, "Pointes" or a mark
// (23 characters). A file of n samples then holds at most this many bytes
// up to its last mark: a longer file is read no further.
constexpr std::size_t octets_ligne_echantillon = 32;
constexpr std::size_t octets_autre_ligne = 64;
constexpr std::size_t autres_lignes = 3 + 2 * capacite_pointes;
// Enough for the count line.
constexpr std::size_t octets_tete = 4096;

erreur_quorva incomplet(const std::string& chemin) {
    return erreur_quorva(message("Le fichier de pointes %s est incomplet.", chemin));
}
erreur_quorva abime(const std::string& chemin) {
    return erreur_quorva(message("Le fichier de pointes %s est abîmé.", chemin));
}

// The count of samples, from the first bytes alone: a file that no
// recording can match is known before the rest of it is read.
std::int32_t compte_pointes(const services& ctx, const std::string& chemin) {
    std::string tete;
    if (!ctx.os.read_file(chemin, tete, octets_tete))
        throw erreur_quorva(message("Impossible d'ouvrir le fichier %s", chemin));
    if (tete.empty()) throw incomplet(chemin);
    const std::int32_t compte = entier_en_tete(lecteur_lignes(tete).suivante());
    if (compte < 0) throw abime(chemin);
    if (compte > echantillons_max_pointes) throw erreur_quorva(message(texte_pointes_trop_grand, chemin));
    return compte;
}

// Whether the first samples of a marks file (as many as its first bytes
// hold) are the recording's walked one in every f: another take of the same
// length is known before a whole read at that factor.
bool premiers_egaux(const services& ctx, const std::string& chemin, const std::string& chemin_wav, std::int32_t f) {
    std::string tete, wav;
    if (!ctx.os.read_file(chemin, tete, octets_tete)) return false;
    lecteur_lignes lignes(tete);
    lignes.suivante();
    std::vector<double> premiers;
    // The last line read may be cut by the limit: it is left out.
    while (!lignes.fini() && premiers.size() < 256) {
        const std::string_view ligne = lignes.suivante();
        double v = 0;
        if (lignes.fini() || !essai_reel(std::string(ligne), ctx.separateur_decimal, v)) break;
        premiers.push_back(v);
    }
    const std::size_t octets = 44 + 2 * static_cast<std::size_t>(f) * premiers.size();
    if (!ctx.os.read_file(chemin_wav, wav, octets) || wav.size() < octets) return premiers.empty();
    for (std::size_t i = 0; i < premiers.size(); ++i) {
        const std::size_t p = 44 + 2 * static_cast<std::size_t>(f) * i;
        const auto v = static_cast<std::int16_t>(static_cast<unsigned char>(wav[p]) |
                                                 (static_cast<unsigned char>(wav[p + 1]) << 8));
        if (premiers[i] != v) return false;
    }
    return true;
}

pointes_fichier lire(const services& ctx, const etat_conversion& etat) {
    pointes_fichier lu;
    const std::string& chemin = etat.fichier_pointes;
    if (chemin.empty() || !ctx.os.file_exists(chemin)) return lu;
    const std::int32_t compte = compte_pointes(ctx, chemin);
    lu.accord = accord_pointes::autre_enregistrement;
    if (compte != etat.nb_valides()) return lu;

    const std::size_t borne =
        static_cast<std::size_t>(compte) * octets_ligne_echantillon + autres_lignes * octets_autre_ligne;
    std::string contenu;
    if (!ctx.os.read_file(chemin, contenu, borne))
        throw erreur_quorva(message("Impossible d'ouvrir le fichier %s", chemin));
    lecteur_lignes lignes(contenu);
    const auto ligne = [&]() {
        if (lignes.fini()) {
            if (contenu.size() >= borne) throw erreur_quorva(message(texte_fichier_trop_grand, chemin));
            throw incomplet(chemin);
        }
        return lignes.suivante();
    };
    ligne();
    // The samples are compared, never stored: the first one that differs
    // tells another recording.
    for (std::int32_t i = 1; i <= compte; ++i)
        if (reel_de_texte(ligne(), ctx.separateur_decimal) != etat.echantillons[static_cast<std::size_t>(i)]) return lu;
    lu.accord = accord_pointes::lues;

    lu.avec_pointes = !lignes.fini() && [&] {
        lecteur_lignes essai = lignes;
        return essai.suivante() == ligne_pointes;
    }();
    if (lu.avec_pointes) {
        ligne();
        const std::int32_t nb = entier_en_tete(ligne());
        if (nb < 0) throw abime(chemin);
        lu.nb_pointes = borne_pointes(nb);
        for (int k = 1; k <= lu.nb_pointes; ++k) {
            lu.pointes[static_cast<std::size_t>(k)].x = reel_de_texte(ligne(), '.');
            lu.pointes[static_cast<std::size_t>(k)].y = reel_de_texte(ligne(), '.');
        }
    }
    return lu;
}

}  // namespace

pointes_fichier lire_fichier_pointes(const services& ctx, const etat_conversion& etat) {
    try {
        return lire(ctx, etat);
    } catch (const erreur_quorva& e) {
        // A number that is not one says which text; the user also needs to
        // know which file holds it.
        const std::string texte = e.what();
        if (texte.find(etat.fichier_pointes) != std::string::npos) throw;
        throw erreur_quorva(message("Le fichier de pointes %s est abîmé.", etat.fichier_pointes) + "\r" + texte);
    }
}

void appliquer_pointes(const pointes_fichier& lu, etat_conversion& etat) {
    if (lu.accord != accord_pointes::lues || !lu.avec_pointes) return;
    etat.pointes = lu.pointes;
    etat.nb_pointes = lu.nb_pointes;
}

accord_pointes Readmarks(const services& ctx, etat_conversion& etat) {
    const pointes_fichier lu = lire_fichier_pointes(ctx, etat);
    appliquer_pointes(lu, etat);
    return lu.accord;
}

accord_pointes pointes_du_classeur(const services& ctx, etat_conversion& etat) {
    const accord_pointes accord = Readmarks(ctx, etat);
    if (accord == accord_pointes::lues) reconstruit_pointes(etat);
    return accord;
}

std::optional<std::int32_t> facteur_des_pointes(const services& ctx, const std::string& chemin_wav) {
    const std::string chemin = chemin_wav + ".txt";
    const auto taille = ctx.os.file_stamp(chemin_wav);
    std::string tete;
    if (!taille || !ctx.os.file_exists(chemin) || !ctx.os.read_file(chemin_wav, tete, 44)) return std::nullopt;
    const entete_wav entete =
        analyse_entete(tete, static_cast<std::size_t>(std::min<std::uint64_t>(taille->size, octets_wav_max)));
    if (!entete.accepte) return std::nullopt;
    std::int32_t compte = 0;
    try {
        compte = compte_pointes(ctx, chemin);
    } catch (const erreur_quorva&) {
        return std::nullopt;  // Readmarks says what is wrong with it
    }
    // The count falls as the factor grows: the first factor at or below it.
    const std::int64_t entier = nb_echantillons_parcourus(entete.octets_donnees, 1);
    if (compte < 1 || compte > entier) return std::nullopt;
    std::int32_t f = static_cast<std::int32_t>(std::max<std::int64_t>(1, entier / compte - 1));
    while (nb_echantillons_parcourus(entete.octets_donnees, f) > compte) ++f;
    if (nb_echantillons_parcourus(entete.octets_donnees, f) != compte) return std::nullopt;
    return premiers_egaux(ctx, chemin, chemin_wav, f) ? std::optional<std::int32_t>(f) : std::nullopt;
}

void valider_pointes(const services& ctx, etat_conversion& etat) {
    reconstruit_pointes(etat);
    Savemarks(ctx, etat);
}

}  // namespace quorva
