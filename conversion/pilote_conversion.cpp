#include "conversion/pilote_conversion.h"

#include "base/chemins.h"
#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "base/occupation.h"
#include "base/services_systeme.h"
#include "conversion/classeur_sylk.h"

namespace quorva {

const char* const texte_pas_un_wav = "Le fichier %s n'est pas un enregistrement .WAV lisible.";
const char* const texte_classeur_garde =
    "Le classeur %s n'a pas été remplacé : l'ancien reste tel qu'il était. Les pointes sont enregistrées ; "
    "le prochain export de l'enregistrement, ou « Lire convertir », fera le nouveau classeur.";
std::string texte_classeur_tenu(const std::string& classeur) {
    return message("Le classeur %s", classeur) + " n'a pas pu être écrit : il est " + texte_ouvert_ailleurs +
           ".\r\rFermez le classeur " + nom_de(classeur) + " dans le tableur, puis cliquez Réessayer.";
}

namespace {

void appeler(const std::function<void()>& f) {
    if (f) f();
}

// The chart's title: the name the caller gives, else the recording's file
// name, never empty (the window system would show the program's name).
std::string titre_graphique(const std::string& donne, const std::string& chemin) {
    if (!donne.empty()) return donne;
    const std::string nom = nom_de(chemin);
    if (!nom.empty()) return nom;
    return chemin.empty() ? "Quorva" : chemin;
}

// The state a conversion starts from.
void nouvelle_conversion(etat_conversion& etat, const std::string& chemin, const options_conversion& options) {
    etat.reponse_taille = 0;
    etat.conversion_annulee = 0;
    etat.facteur_division = options.facteur_division < 1 ? 1 : options.facteur_division;
    etat.fichier_en_cours = titre_graphique(options.fichier_en_cours, chemin);
    etat.chemin_enregistrement = chemin;
}

// The base workbook of the language is read once before the user is asked
// anything (the size question, the chart): a missing one is said before
// the marks are checked for nothing. The workbook pass reads it again.
struct verification_base {
    const services& ctx;
    int langue;
    bool faite = false;
    void operator()() {
        if (faite) return;
        lire_classeur_base(ctx, langue);
        faite = true;
    }
};

// Runs one pass; an error hides the progress window on its way to the caller.
resultat_lecture passe(const services& ctx, etat_conversion& etat, const std::string& chemin, passe_lecture p,
                       const interface_conversion& ui) {
    try {
        return Lecture_fichier_wav(ctx, etat, chemin, p, ui);
    } catch (const erreur_quorva&) {
        appeler(ui.masquer_patience);
        throw;
    }
}

// The workbook pass and what follows it.
void ecrire_classeur(services& ctx, etat_conversion& etat, const std::string& chemin, const interface_conversion& ui,
                     const options_conversion& options, resultat_conversion& resultat) {
    resultat_lecture lecture = resultat_lecture::ignore;
    for (bool ecrit = false; !ecrit;) {
        try {
            lecture = passe(ctx, etat, chemin, passe_lecture::classeur, ui);
            ecrit = true;
        } catch (const WriteError& e) {
            // The workbook itself could not be written: say why, as the
            // system told it (the old workbook, if any, is still whole).
            if (e.path() != resultat.classeur) throw;
            if (e.cause() == FileFailure::busy && ui.reessayer_classeur) {
                // Still held, most often by the spreadsheet showing the
                // previous take: the pupil closes it and tries again, or
                // keeps the old workbook (the marks file is already saved).
                appeler(ui.masquer_patience);
                const std::string texte = texte_classeur_tenu(resultat.classeur);
                if (ui.reessayer_classeur(texte)) {
                    appeler(ui.montrer_patience);
                    continue;
                }
                ctx.message(message(texte_classeur_garde, resultat.classeur));
                return;
            }
            const std::string raison = raison_ecriture("Le classeur %s", resultat.classeur, e.cause());
            if (raison.empty()) throw;
            throw erreur_quorva(std::string(e.what()) + "\r" + raison);
        }
    }
    // The recording may have changed while the chart was open: a file the
    // workbook pass no longer reads has no workbook to open (a refused one
    // has said why already).
    if (lecture == resultat_lecture::ignore) {
        appeler(ui.masquer_patience);
        throw erreur_quorva(message(texte_pas_un_wav, chemin));
    }
    // The workbook pass may still be cancelled (a size question answered
    // only now): then there is no workbook.
    if (lecture == resultat_lecture::accepte && etat.conversion_annulee == 0) {
        resultat.classeur_ecrit = true;
        if (options.ouvrir_classeur) {
            ExecuteFile(ctx, resultat.classeur, "", ctx.chemins.chemin_appli, 1);
            resultat.classeur_ouvert = true;
            appeler(etat.apres_classeur);
        }
    }
    appeler(ui.masquer_patience);
}

}  // namespace

resultat_conversion convertir(services& ctx, etat_conversion& etat, const std::string& chemin,
                              const interface_conversion& ui, const options_conversion& options) {
    occupation occupee(etat.conversion_en_cours);
    nouvelle_conversion(etat, chemin, options);

    resultat_conversion resultat;
    resultat.choisi = true;
    resultat.classeur = chemin + ".slk";
    verification_base verifier_base{ctx, ui.langue};
    interface_conversion affichage = ui;
    affichage.question_taille = [&](std::int32_t taille, int bits, std::int32_t facteur, std::int32_t nb_valeurs,
                                    std::int64_t nb_poursuivre) {
        verifier_base();
        return ui.question_taille ? ui.question_taille(taille, bits, facteur, nb_valeurs, nb_poursuivre)
                                  : reponse_poursuivre;
    };
    appeler(ui.montrer_patience);
    resultat.lecture = passe(ctx, etat, chemin, passe_lecture::affichage, affichage);
    const bool accepte = resultat.lecture == resultat_lecture::accepte;
    if (accepte && etat.conversion_annulee == 0) {
        try {
            verifier_base();
        } catch (const erreur_quorva&) {
            appeler(ui.masquer_patience);
            throw;
        }
        appeler(ui.montrer_graphique);
        appeler(ui.montrer_patience);
        ecrire_classeur(ctx, etat, chemin, ui, options, resultat);
    }
    if (etat.conversion_annulee == 1) {
        resultat.annulee = true;
        appeler(ui.masquer_patience);
    }
    return resultat;
}

lecture_classeur lire_comme_classeur(const services& ctx, etat_conversion& etat, const std::string& chemin,
                                     const interface_conversion& ui, const options_conversion& options) {
    occupation occupee(etat.conversion_en_cours);
    nouvelle_conversion(etat, chemin, options);
    lecture_classeur lu;
    lu.lecture = Lecture_fichier_wav(ctx, etat, chemin, passe_lecture::affichage, ui);
    if (lu.lecture != resultat_lecture::accepte || etat.conversion_annulee != 0) return lu;
    try {
        lu.accord = pointes_du_classeur(ctx, etat);
    } catch (const erreur_quorva& e) {
        lu.erreur_pointes = e.what();
    }
    return lu;
}

resultat_conversion BitBtn1Click(services& ctx, etat_conversion& etat, const choix_fichier& choisir,
                                 const interface_conversion& ui) {
    if (etat.conversion_en_cours || !choisir) return {};
    const std::string chemin = choisir(filtre_wav, extension_wav, ctx.chemins.chemin_appli);
    if (chemin.empty()) return {};
    // The chart's title is the recording's file name, as from the watcher.
    const resultat_conversion resultat = convertir(ctx, etat, chemin, ui);
    // A file chosen by hand that is no recording at all: say so rather than
    // leave the progress window waiting.
    if (resultat.lecture == resultat_lecture::ignore) {
        appeler(ui.masquer_patience);
        ctx.message(message(texte_pas_un_wav, chemin));
    }
    return resultat;
}

}  // namespace quorva
