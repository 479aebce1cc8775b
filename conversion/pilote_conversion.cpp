#include "conversion/pilote_conversion.h"

#include "app/erreur.h"
#include "app/services_systeme.h"
#include "launcher/menu.h"

namespace quorva {

const char* const texte_pas_un_wav = "Le fichier %s n'est pas un enregistrement .WAV lisible.";
const char* const texte_classeur_bloque =
    "Le classeur %s n'a pas pu \xEAtre \xE9" "crit : il est peut-\xEAtre ouvert dans un autre programme "
    "(le tableur). Fermez-le, puis recommencez.";

namespace {

// Marks the shared sample buffer as in use for the length of one conversion,
// errors included.
class occupation_conversion {
public:
    explicit occupation_conversion(bool& drapeau) : drapeau_(drapeau), avant_(drapeau) { drapeau_ = true; }
    ~occupation_conversion() { drapeau_ = avant_; }
    occupation_conversion(const occupation_conversion&) = delete;
    occupation_conversion& operator=(const occupation_conversion&) = delete;

private:
    bool& drapeau_;
    bool avant_;
};

void appeler(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

resultat_conversion convertir_enregistrement(contexte& ctx, const std::string& chemin,
                                             const interface_conversion& fenetres) {
    occupation_conversion occupee(ctx.audacity.conversion_en_cours);
    // The workbook is written in the language the program shows now.
    interface_conversion ui = fenetres;
    ui.langue = ctx.langue.langue;
    resultat_conversion resultat;
    resultat.choisi = true;
    resultat.classeur = chemin + ".slk";
    auto& etat = ctx.conversion;

    appeler(ui.montrer_patience);
    std::uint8_t accepte = 0;
    try {
        resultat.lecture = Lecture_fichier_wav(ctx, chemin, 1, accepte, ui);
    } catch (const erreur_quorva&) {
        appeler(ui.masquer_patience);
        throw;
    }
    if (accepte == 1 && etat.conversion_annulee == 0) {
        resultat_lecture classeur = resultat_lecture::ignore;
        try {
            classeur = Lecture_fichier_wav(ctx, chemin, 0, accepte, ui);
        } catch (const erreur_quorva& e) {
            // The usual cause: the previous workbook is open in the
            // spreadsheet program, which keeps it from being replaced.
            appeler(ui.masquer_patience);
            const std::string texte = e.what();
            if (texte.find(resultat.classeur) == std::string::npos) throw;
            throw erreur_quorva(texte + "\r" + message(texte_classeur_bloque, resultat.classeur));
        }
        // The recording may have changed while the chart was open: a file
        // the workbook pass no longer reads has no workbook to open (a
        // refused one has said why already).
        if (classeur == resultat_lecture::ignore) {
            appeler(ui.masquer_patience);
            throw erreur_quorva(message(texte_pas_un_wav, chemin));
        }
        // The workbook pass may still be cancelled (a size question answered
        // only now): then there is no workbook to open.
        if (classeur == resultat_lecture::accepte && etat.conversion_annulee == 0) {
            ExecuteFile(ctx, resultat.classeur, "", ctx.chemins.chemin_appli, 1);
            resultat.classeur_ouvert = true;
        }
        appeler(ui.masquer_patience);
    }
    if (etat.conversion_annulee == 1) {
        resultat.annulee = true;
        appeler(ui.masquer_patience);
    }
    return resultat;
}

resultat_conversion BitBtn1Click(contexte& ctx, const choix_fichier& choisir, const interface_conversion& ui) {
    if (ctx.audacity.conversion_en_cours || !choisir) return {};
    const std::string chemin = choisir(filtre_wav, extension_wav, ctx.chemins.chemin_appli);
    if (chemin.empty()) return {};
    const resultat_conversion resultat = convertir_enregistrement(ctx, chemin, ui);
    // The new workbook joins the added workbooks of the menu, as after a
    // conversion of the export watcher.
    if (resultat.classeur_ouvert) recherche_excel_ajoute(ctx);
    // A file chosen by hand that is no recording at all: say so rather than
    // leave the progress window waiting.
    if (resultat.lecture == resultat_lecture::ignore) {
        appeler(ui.masquer_patience);
        if (ctx.afficher_message) ctx.afficher_message(message(texte_pas_un_wav, chemin));
    }
    return resultat;
}


resultat_conversion Lectureconversionwav1Click(contexte& ctx, const choix_fichier& choisir,
                                               const interface_conversion& ui) {
    if (ctx.audacity.conversion_en_cours) return {};
    ctx.conversion.reponse_taille = 0;
    ctx.conversion.facteur_division = 1;
    ctx.conversion.conversion_annulee = 0;
    return BitBtn1Click(ctx, choisir, ui);
}

}  // namespace quorva
