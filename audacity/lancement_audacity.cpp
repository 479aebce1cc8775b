#include "audacity/lancement_audacity.h"

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

void afficher(contexte& ctx, const std::string& texte) {
    if (ctx.afficher_message) ctx.afficher_message(texte);
}

// Makes one folder level when it is not there; a failure is not reported
// (the preferences or the listing will tell).
void assurer_dossier(contexte& ctx, const std::string& dossier) {
    if (!ctx.os.folder_exists(dossier)) ctx.os.create_folder(dossier);
}

std::string fichier_config(const contexte& ctx) { return ctx.audacity.dossier_config_audacity + "audacity.cfg"; }

// "Audacity n'est pas install\xE9" only when its program file is really
// missing: nothing is written and nothing is started then.
bool programme_present(contexte& ctx) {
    auto& a = ctx.audacity;
    if (ctx.os.file_exists(a.chem_audacity)) return true;
    a.audacity_trouve = 0;
    a.fichier_a_ouvrir.clear();
    afficher(ctx, texte_pas_installe);
    return false;
}

// Writes the preferences; a failure says what it means for the class.
void ecrire_preferences(contexte& ctx, const std::string& cfg, const std::vector<std::string>& lignes) {
    try {
        sauver_lignes(ctx.os, cfg, lignes);
    } catch (const erreur_quorva& e) {
        throw erreur_quorva(std::string(e.what()) + "\r" + texte_preferences_bloquees);
    }
}

// The preferences folder (and its AutoSave folder) made when missing, and
// the template written when there is no file yet; true when it was.
bool preparer_preferences(contexte& ctx, const std::string& cfg) {
    const auto& dossier = ctx.audacity.dossier_config_audacity;
    if (!dossier.empty() && !ctx.os.folder_exists(dossier)) {
        ctx.os.create_folder(dossier);
        ctx.os.create_folder(dossier + "AutoSave");
    }
    if (ctx.os.file_exists(cfg)) return false;
    ecrire_preferences(ctx, cfg, std::vector<std::string>(Memo_config_audacity.begin(), Memo_config_audacity.end()));
    return true;
}

}  // namespace


void armer_surveillance(contexte& ctx, bool actif) {
    ctx.audacity.Timer_surveille_actif = actif;
    if (ctx.audacity.armer_Timer_surveille) ctx.audacity.armer_Timer_surveille(actif);
}

void prendre_instantane(contexte& ctx) {
    auto& a = ctx.audacity;
    a.FileListBox1 = ctx.os.list_files(a.dossier_enreg, "*.wav");
    a.ListBox1 = a.FileListBox1;
    a.empreintes.clear();
    for (const auto& nom : a.ListBox1)
        if (const auto empreinte = ctx.os.file_stamp(a.dossier_enreg + "\\" + nom)) a.empreintes[nom] = *empreinte;
    a.en_attente.clear();
    a.dossier_enreg_absent = false;
}

void lancer_audacity(contexte& ctx, const std::string& tp) {
    auto& a = ctx.audacity;
    if (cherche_appli(ctx.os, ctx.fenetres, "Audacity")) {
        // The shake-table project is not handed to a later launch.
        a.fichier_a_ouvrir.clear();
        afficher(ctx, "Only one Audacity in the same time please");
        return;
    }
    ++a.nb_lancements;
    armer_surveillance(ctx, false);
    if (!programme_present(ctx)) return;

    const std::string cfg = fichier_config(ctx);
    preparer_preferences(ctx, cfg);
    ctx.journal.push_back("Trouv\xE9 " + cfg);
    a.audacity_trouve = 1;
    // The system's own Audacity keeps its recordings under Quorva's data
    // folder, which may have no "audacity" folder yet.
    assurer_dossier(ctx, a.mes_documents);
    assurer_dossier(ctx, a.mes_documents + "patin_tracte");
    a.dossier_enreg = a.mes_documents + "patin_tracte";
    ctx.journal.push_back("Chem_enreg=" + a.dossier_enreg);
    auto lignes = charger_lignes(ctx.os, cfg);
    inserer_cles_dossiers(lignes);
    regler_cles_patin(lignes, ctx.os.native_path(a.dossier_enreg + "\\"));
    ecrire_preferences(ctx, cfg, lignes);
    prendre_instantane(ctx);

    ctx.journal.push_back("Execute file=" + a.chem_audacity);
    // A project path with a blank (a program folder under "Program Files")
    // must reach Audacity as one argument.
    std::string parametres = a.fichier_a_ouvrir;
    if (parametres.find(' ') != std::string::npos && parametres.front() != '"') parametres = '"' + parametres + '"';
    ExecuteFile(ctx, a.chem_audacity, parametres, ctx.chemins.chemin_appli, 1);
    a.fichier_a_ouvrir.clear();
    if (tp == "patin") armer_surveillance(ctx, true);
}

void btn_lancer_audacity_vitesseClick(contexte& ctx) {
    auto& a = ctx.audacity;
    ++a.nb_lancements;
    armer_surveillance(ctx, false);
    if (!programme_present(ctx)) return;
    const std::string cfg = fichier_config(ctx);
    // A fresh copy has no preferences yet: the same template as the
    // stick-slip launch, with its folder keys, so that the wave-speed
    // settings below take effect.
    const bool neuves = preparer_preferences(ctx, cfg);
    a.audacity_trouve = 1;
    assurer_dossier(ctx, a.mes_documents);
    assurer_dossier(ctx, a.mes_documents + "vitesse_ondes");
    a.dossier_enreg = a.mes_documents + "vitesse_ondes";
    auto lignes = charger_lignes(ctx.os, cfg);
    if (neuves) inserer_cles_dossiers(lignes);
    regler_cles_vitesse(lignes, ctx.os.native_path(a.dossier_enreg));
    ecrire_preferences(ctx, cfg, lignes);
    prendre_instantane(ctx);
    ExecuteFile(ctx, a.chem_audacity, "", ctx.chemins.chemin_appli, 1);
}

void LancerAudacityCl1Click(contexte& ctx) {
    selection_copie_locale(ctx, ctx.menu.chemins[19]);
    lancer_audacity(ctx, "patin");
}

void AudacityforspeedwaveUSBkey1Click(contexte& ctx) {
    selection_copie_locale(ctx, ctx.menu.chemins[19]);
    btn_lancer_audacity_vitesseClick(ctx);
}

void Audacityforshaketable1D2D1Click(contexte& ctx) {
    ctx.audacity.fichier_a_ouvrir =
        ctx.chemins.chemin_appli + "fic_quorva\\audacity\\patin_tracte\\Manosque_Earthquake\\manosque_brut_Composante0-1.aup";
    selection_copie_locale(ctx, ctx.menu.chemins[19]);
    lancer_audacity(ctx, "");
}

}  // namespace quorva
