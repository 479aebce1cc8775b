#include "audacity/lancement_audacity.h"

#include "app/base/chemins.h"
#include "app/base/erreur.h"
#include "app/base/recherche_fenetres.h"
#include "app/base/services_systeme.h"
#include "audacity/localisation_audacity.h"
#include "audacity/preferences_audacity.h"

namespace quorva {

namespace {

const char* const texte_pas_installe = "Audacity n'est pas install\xE9";
const char* const texte_preferences_bloquees =
    "Les pr\xE9" "f\xE9rences d'Audacity ne peuvent pas \xEAtre \xE9" "crites (dossier en lecture seule ?) : "
    "Audacity n'est pas lanc\xE9.";

// Makes one folder level when it is not there; a failure is not reported
// (the preferences or the listing will tell).
void assurer_dossier(services& ctx, const std::string& dossier) {
    if (!ctx.os.folder_exists(dossier)) ctx.os.create_folder(dossier);
}

std::string fichier_config(const etat_audacity& etat) { return etat.dossier_config_audacity + "audacity.cfg"; }

// "Audacity n'est pas install\xE9" only when its program file is really
// missing: nothing is written and nothing is started then.
bool programme_present(services& ctx, etat_audacity& etat) {
    if (ctx.os.file_exists(etat.chem_audacity)) return true;
    etat.audacity_trouve = 0;
    etat.fichier_a_ouvrir.clear();
    ctx.erreur(texte_pas_installe);
    return false;
}

// Writes the preferences; a failure says what it means for the class.
void ecrire_preferences(services& ctx, const std::string& cfg, const std::vector<std::string>& lignes) {
    try {
        sauver_lignes(ctx.os, cfg, lignes);
    } catch (const erreur_quorva& e) {
        throw erreur_quorva(std::string(e.what()) + "\r" + texte_preferences_bloquees);
    }
}

// The preferences folder (and its AutoSave folder) made when missing, and
// the template written when there is no file yet; true when it was.
bool preparer_preferences(services& ctx, const etat_audacity& etat, const std::string& cfg) {
    const auto& dossier = etat.dossier_config_audacity;
    if (!dossier.empty() && !ctx.os.folder_exists(dossier)) {
        ctx.os.create_folder(dossier);
        ctx.os.create_folder(dossier + "AutoSave");
    }
    if (ctx.os.file_exists(cfg)) return false;
    ecrire_preferences(ctx, cfg, std::vector<std::string>(Memo_config_audacity.begin(), Memo_config_audacity.end()));
    return true;
}

// How a launch prepares its practical.
struct pratique_audacity {
    std::string_view sous_dossier;  // the recording folder, under mes_documents
    reglage_audacity reglage;
    bool separateur_final;          // the folder reaches Audacity with its trailing separator
    // The folder keys go into an existing file too, not only into a
    // template just written.
    bool cles_dossiers_toujours;
    bool journal;  // the steps are logged
};

const pratique_audacity pratique_patin{"patin_tracte", reglage_patin, true, true, true};
// A fresh copy has no preferences yet: the same template as the stick-slip
// launch, with its folder keys, so that the wave-speed settings take effect.
const pratique_audacity pratique_vitesse{"vitesse_ondes", reglage_vitesse, false, false, false};

// What both launches do before Audacity is started: the watcher stopped,
// the program checked (false when it is missing), the preferences written
// for the practical's recording folder, made when missing, and the snapshot
// of its recordings taken.
bool preparer_lancement(services& ctx, etat_audacity& etat, const pratique_audacity& pratique) {
    ++etat.nb_lancements;
    armer_surveillance(etat, false);
    if (!programme_present(ctx, etat)) return false;

    const std::string cfg = fichier_config(etat);
    const bool neuves = preparer_preferences(ctx, etat, cfg);
    if (pratique.journal) ctx.journal.push_back("Trouv\xE9 " + cfg);
    etat.audacity_trouve = 1;
    // The system's own Audacity keeps its recordings under Quorva's data
    // folder, which may have no "audacity" folder yet.
    const std::string dossier = etat.mes_documents + std::string(pratique.sous_dossier);
    assurer_dossier(ctx, etat.mes_documents);
    assurer_dossier(ctx, dossier);
    etat.dossier_enreg = dossier;
    if (pratique.journal) ctx.journal.push_back("Chem_enreg=" + etat.dossier_enreg);
    auto lignes = charger_lignes(ctx.os, cfg);
    if (neuves || pratique.cles_dossiers_toujours) inserer_cles_dossiers(lignes);
    const std::string pour_audacity = pratique.separateur_final ? etat.dossier_enreg + "\\" : etat.dossier_enreg;
    regler_cles(lignes, ctx.os.native_path(pour_audacity), pratique.reglage);
    ecrire_preferences(ctx, cfg, lignes);
    prendre_instantane(ctx, etat);
    return true;
}

}  // namespace

void armer_surveillance(etat_audacity& etat, bool actif) {
    etat.Timer_surveille_actif = actif;
    if (etat.armer_Timer_surveille) etat.armer_Timer_surveille(actif);
}

void prendre_instantane(services& ctx, etat_audacity& etat) {
    etat.FileListBox1 = ctx.os.list_files(etat.dossier_enreg, "*.wav");
    etat.ListBox1 = etat.FileListBox1;
    etat.empreintes.clear();
    for (const auto& nom : etat.ListBox1)
        if (const auto empreinte = ctx.os.file_stamp(joindre(etat.dossier_enreg, nom)))
            etat.empreintes[nom] = *empreinte;
    etat.en_attente.clear();
    etat.dossier_enreg_absent = false;
}

void lancer_audacity(services& ctx, etat_audacity& etat, const std::string& tp) {
    if (cherche_appli(ctx.os, ctx.fenetres, "Audacity")) {
        // The shake-table project is not handed to a later launch.
        etat.fichier_a_ouvrir.clear();
        ctx.message("Only one Audacity in the same time please");
        return;
    }
    if (!preparer_lancement(ctx, etat, pratique_patin)) return;

    ctx.journal.push_back("Execute file=" + etat.chem_audacity);
    // A project path with a blank (a program folder under "Program Files")
    // must reach Audacity as one argument.
    std::string parametres = etat.fichier_a_ouvrir;
    if (parametres.find(' ') != std::string::npos && parametres.front() != '"') parametres = '"' + parametres + '"';
    ExecuteFile(ctx, etat.chem_audacity, parametres, ctx.chemins.chemin_appli, 1);
    etat.fichier_a_ouvrir.clear();
    if (tp == "patin") armer_surveillance(etat, true);
}

void btn_lancer_audacity_vitesseClick(services& ctx, etat_audacity& etat) {
    if (!preparer_lancement(ctx, etat, pratique_vitesse)) return;
    ExecuteFile(ctx, etat.chem_audacity, "", ctx.chemins.chemin_appli, 1);
}

void LancerAudacityCl1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale) {
    selection_copie_locale(ctx, etat, copie_locale);
    lancer_audacity(ctx, etat, "patin");
}

void AudacityforspeedwaveUSBkey1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale) {
    selection_copie_locale(ctx, etat, copie_locale);
    btn_lancer_audacity_vitesseClick(ctx, etat);
}

void Audacityforshaketable1D2D1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale) {
    etat.fichier_a_ouvrir =
        joindre(dossier_donnees(ctx.chemins), "audacity\\patin_tracte\\Manosque_Earthquake\\manosque_brut_Composante0-1.aup");
    selection_copie_locale(ctx, etat, copie_locale);
    lancer_audacity(ctx, etat, "");
}

}  // namespace quorva
