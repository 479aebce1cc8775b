#include "conversion/lecture_wav.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "base/nombres.h"
#include "conversion/classeur_sylk.h"
#include "conversion/detection.h"

namespace quorva {

const char* const texte_refus_wav =
    "Lecture des fichiers .WAV différents de \r1 canal, 16 bits pas encore possible.\r\r"
    " Désolé, j'y travaille (RQ)";

namespace {

constexpr std::size_t taille_entete = 44;

std::uint16_t lit_u16(const std::string& f, std::size_t p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(f[p]) |
                                      (static_cast<unsigned char>(f[p + 1]) << 8));
}

std::uint32_t lit_u32(const std::string& f, std::size_t p) {
    return static_cast<std::uint32_t>(lit_u16(f, p)) |
           (static_cast<std::uint32_t>(lit_u16(f, p + 2)) << 16);
}

bool etiquette(const std::string& f, std::size_t p, const char* texte) {
    return f.compare(p, 4, texte) == 0;
}

void appelle(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

entete_wav analyse_entete(const std::string& f, std::size_t taille_fichier) {
    entete_wav e;
    // A file shorter than the header cannot hold the fields examined: it is
    // treated like a file that is not a recording at all.
    if (f.size() < taille_entete || taille_fichier < taille_entete) return e;
    if (!etiquette(f, 0, "RIFF") || !etiquette(f, 8, "WAVE") || !etiquette(f, 12, "fmt ")) return e;
    e.riff = true;
    e.canaux = lit_u16(f, 22);
    e.frequence = lit_u32(f, 24);
    e.octets_par_seconde = lit_u32(f, 28);
    e.alignement = lit_u16(f, 32);
    e.bits_par_echantillon = lit_u16(f, 34);
    e.accepte = e.canaux == 1 && e.bits_par_echantillon == 16 && etiquette(f, 36, "data");
    if (!e.accepte) return e;
    e.taille_donnees = static_cast<std::int32_t>(lit_u32(f, 40));
    // The samples are the data chunk only: what follows it (LIST, "id3 "
    // chunks of tagged recordings) is never walked. A size that is negative,
    // 0 (a recorder interrupted or streaming, which never wrote it) or runs
    // past the end of the file means "up to the end of the file".
    const std::size_t disponible = taille_fichier - taille_entete;
    e.octets_donnees = e.taille_donnees <= 0 || static_cast<std::size_t>(e.taille_donnees) > disponible
                           ? disponible
                           : static_cast<std::size_t>(e.taille_donnees);
    return e;
}

proposition_taille propose_reduction(std::int32_t taille_donnees, int bits_par_echantillon) {
    proposition_taille p;
    const std::int64_t octets = bits_par_echantillon / 8 > 0 ? bits_par_echantillon / 8 : 1;
    p.seuil = static_cast<std::int32_t>(octets * 32000);
    if (taille_donnees <= p.seuil) {
        p.nb_valeurs = static_cast<std::int32_t>(arrondi(static_cast<double>(taille_donnees) / octets));
        return p;
    }
    p.trop_gros = true;
    p.facteur = static_cast<std::int32_t>(taille_donnees / p.seuil + 1);
    p.nb_valeurs = static_cast<std::int32_t>(
        arrondi(static_cast<double>(taille_donnees) / static_cast<double>(octets * p.facteur)));
    return p;
}

std::int64_t nb_echantillons_parcourus(std::size_t octets, std::int32_t facteur) {
    const std::size_t pas = 2 * static_cast<std::size_t>(facteur < 1 ? 1 : facteur);
    return octets >= 2 ? static_cast<std::int64_t>((octets - 2) / pas + 1) : 0;
}

void verifie_taille(etat_conversion& etat, std::int32_t taille_donnees, int bits_par_echantillon,
                    const interface_conversion& ui) {
    const auto proposition = propose_reduction(taille_donnees, bits_par_echantillon);
    if (!proposition.trop_gros || etat.reponse_taille != 0) return;
    appelle(ui.masquer_patience);
    int reponse = reponse_poursuivre;
    if (ui.question_taille)
        reponse = ui.question_taille(taille_donnees, bits_par_echantillon, proposition.facteur, proposition.nb_valeurs,
                                     nb_echantillons_parcourus(static_cast<std::size_t>(std::max(taille_donnees, 0)),
                                                               etat.facteur_division));
    if (reponse != reponse_poursuivre && reponse != reponse_diminuer) reponse = reponse_annuler;
    etat.reponse_taille = static_cast<std::int16_t>(reponse);
    if (reponse == reponse_annuler) {
        etat.conversion_annulee = 1;
        etat.reponse_taille = 0;
    } else if (reponse == reponse_diminuer) {
        etat.facteur_division = proposition.facteur;
    }
    appelle(ui.montrer_patience);
}

namespace {

// A recording that is not mono 16-bit: said, and the progress window hidden.
// Which files count as known is the caller's business: the export watcher
// makes this one known and no other, so that the exports it found in the
// same look are still converted.
resultat_lecture refuser(const services& ctx, etat_conversion& etat, const interface_conversion& ui) {
    ctx.message(texte_refus_wav);
    appelle(ui.masquer_patience);
    etat.fichier_en_cours.clear();
    return resultat_lecture::refuse;
}

// The buffer takes the whole walk of `octets` bytes, one sample in every
// `facteur` (a recording kept whole grows it).
void preparer_tampon(etat_conversion& etat, std::size_t octets, std::int32_t facteur) {
    const auto a_lire = static_cast<std::size_t>(nb_echantillons_parcourus(octets, facteur));
    const std::size_t taille = std::max<std::size_t>(a_lire, capacite_echantillons) + 1;
    if (etat.echantillons.size() != taille) std::vector<double>(taille, 0.0).swap(etat.echantillons);
}

}  // namespace

resultat_lecture Lecture_fichier_wav(const services& ctx, etat_conversion& etat, const std::string& chemin,
                                     passe_lecture passe, const interface_conversion& ui) {
    etat.fichier_pointes = chemin + ".txt";

    std::string fichier;
    FileFailure cause = FileFailure::other;
    if (!ctx.os.read_file(chemin, fichier, octets_wav_max, &cause)) throw erreur_ouverture(chemin, cause);

    const entete_wav entete = analyse_entete(fichier);
    if (!entete.riff) return resultat_lecture::ignore;
    etat.texte_label1 = std::to_string(entete.bits_par_echantillon) + " " + std::to_string(entete.alignement);
    if (!entete.accepte) return refuser(ctx, etat, ui);

    etat.frequence_echantillonnage = entete.frequence;
    etat.texte_label1 = std::to_string(entete.taille_donnees);
    // The size check sees the bytes that will really be walked, so that a
    // header that lies about its size does not ask for a needless reduction.
    const std::size_t taille_max = 0x7FFFFFFF;
    verifie_taille(etat, static_cast<std::int32_t>(std::min(entete.octets_donnees, taille_max)),
                   entete.bits_par_echantillon, ui);
    if (etat.facteur_division < 1) etat.facteur_division = 1;

    const bool affichage = passe == passe_lecture::affichage;
    std::unique_ptr<ecrivain_classeur> classeur;
    if (!affichage && etat.conversion_annulee == 0)
        classeur = std::make_unique<ecrivain_classeur>(ctx, etat, chemin, ui.langue);

    // The walk: every facteur_division-th sample of the data chunk, as long
    // as the whole sample lies inside it.
    const std::size_t fin = taille_entete + entete.octets_donnees;
    const std::size_t pas = 2 * static_cast<std::size_t>(etat.facteur_division);
    if (affichage && etat.conversion_annulee == 0) preparer_tampon(etat, entete.octets_donnees, etat.facteur_division);
    std::int64_t compte = 0;
    for (std::size_t p = taille_entete; etat.conversion_annulee == 0 && p + 2 <= fin; p += pas) {
        ++compte;
        if (compte % 1000 == 0) appelle(ui.avance_progression);
        const auto v = static_cast<std::int16_t>(lit_u16(fichier, p));
        if (affichage)
            etat.echantillons[static_cast<std::size_t>(compte)] = v;
        else
            classeur->echantillon(v);
    }
    if (etat.conversion_annulee != 0) {
        etat.nb_echantillons = 0;  // nothing was walked
        return resultat_lecture::accepte;
    }
    etat.nb_echantillons = static_cast<std::int32_t>(compte);

    if (affichage) {
        std::string().swap(fichier);  // the samples are in the buffer now
        detecte_pointes(ctx, etat, ui);
    } else {
        etat.nb_lignes_classeur = compte;
        classeur->termine();
    }
    return resultat_lecture::accepte;
}

}  // namespace quorva
