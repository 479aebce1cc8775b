#include "audacity/lancement_audacity.h"

#include <optional>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/recherche_fenetres.h"
#include "base/services_systeme.h"
#include "audacity/localisation_audacity.h"
#include "audacity/partage_reseau.h"
#include "audacity/preferences_audacity.h"

namespace quorva {

namespace {

const char* const texte_pas_installe = "Audacity n'est pas installé";
const char* const texte_preferences_bloquees =
    "Les préférences d'Audacity ne peuvent pas être écrites (dossier en lecture seule ?) : "
    "Audacity n'est pas lancé.";

// Makes one folder level when it is not there; a failure is not reported
// (the preferences or the listing will tell).
void assurer_dossier(services& ctx, const std::string& dossier) {
    if (!ctx.os.folder_exists(dossier)) ctx.os.create_folder(dossier);
}

std::string fichier_config(const etat_audacity& etat) { return etat.dossier_config_audacity + "audacity.cfg"; }

// "Audacity n'est pas installé" only when its program file is really
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

// The preferences folder and its AutoSave folder, made when missing.
void assurer_dossier_config(services& ctx, const etat_audacity& etat) {
    const auto& dossier = etat.dossier_config_audacity;
    if (!dossier.empty() && !ctx.os.folder_exists(dossier)) {
        ctx.os.create_folder(dossier);
        ctx.os.create_folder(dossier + "AutoSave");
    }
}

// The template written when there is no preferences file yet; true when it
// was.
bool preparer_preferences(services& ctx, const etat_audacity& etat, const std::string& cfg) {
    assurer_dossier_config(ctx, etat);
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

// The preferences written for the practical's recording folder, made when
// missing (on a network drive, the folder of this machine, `machine`, under
// it), and the snapshot of its recordings taken.
void ecrire_pour_pratique(services& ctx, etat_audacity& etat, const pratique_audacity& pratique,
                          const std::string& machine) {
    const std::string cfg = fichier_config(etat);
    const bool neuves = preparer_preferences(ctx, etat, cfg);
    if (pratique.journal) ctx.journal.push_back("Trouvé " + cfg);
    etat.audacity_trouve = 1;
    // The system's own Audacity keeps its recordings under Quorva's data
    // folder, which may have no "audacity" folder yet.
    std::string dossier = etat.mes_documents + std::string(pratique.sous_dossier);
    assurer_dossier(ctx, etat.mes_documents);
    assurer_dossier(ctx, dossier);
    if (!machine.empty()) {
        dossier += "\\" + machine;
        assurer_dossier(ctx, dossier);
    }
    etat.dossier_enreg = dossier;
    if (pratique.journal) ctx.journal.push_back("Chem_enreg=" + etat.dossier_enreg);
    auto lignes = charger_lignes(ctx.os, cfg);
    if (neuves || pratique.cles_dossiers_toujours) inserer_cles_dossiers(lignes);
    const std::string pour_audacity = pratique.separateur_final ? etat.dossier_enreg + "\\" : etat.dossier_enreg;
    regler_cles(lignes, ctx.os.native_path(pour_audacity), pratique.reglage);
    ecrire_preferences(ctx, cfg, lignes);
    prendre_instantane(ctx, etat);
}

void armer_verrou(etat_audacity& etat, bool actif) {
    if (etat.armer_Timer_verrou) etat.armer_Timer_verrou(actif);
}

// Tells the toolbar whom a waiting launch waits for (nothing: it waits no
// more), once for each change.
void annoncer(etat_audacity& etat, const std::optional<std::string>& poste) {
    if (etat.verrou.poste_annonce == poste) return;
    etat.verrou.poste_annonce = poste;
    if (etat.annoncer_attente) etat.annoncer_attente(poste);
}

// Takes the lock when no other machine holds it; a lock that cannot be made
// stops the launch.
bool prendre_verrou(services& ctx, etat_audacity& etat) {
    auto& verrou = etat.verrou;
    try {
        verrou.tenu = ctx.os.take_lock(verrou.fichier, contenu_verrou(verrou.machine));
    } catch (const WriteError& e) {
        verrou.suite = nullptr;
        annoncer(etat, std::nullopt);
        throw WriteError(e, texte_preferences_bloquees);
    }
    if (!verrou.tenu) return false;
    verrou.pris_ms = etat.horloge_ms();
    return true;
}

// The waiting launch runs once this machine holds the lock; else the timer
// looks again, and the toolbar says whom it waits for.
void essayer_verrou(services& ctx, etat_audacity& etat) {
    auto& verrou = etat.verrou;
    if (!verrou.tenu && !prendre_verrou(ctx, etat)) {
        annoncer(etat, poste_du_verrou(ctx.os.lock_holder(verrou.fichier)));
        armer_verrou(etat, true);
        return;
    }
    annoncer(etat, std::nullopt);
    const auto suite = std::move(verrou.suite);
    verrou.suite = nullptr;
    try {
        suite();
    } catch (...) {
        liberer_verrou_audacity(ctx, etat);
        throw;
    }
    armer_verrou(etat, verrou.tenu != nullptr);  // held until Audacity's window shows
}

// One launch at a time: while one waits for another machine's lock, or
// Audacity starts under this machine's, a click starts nothing more and
// changes nothing (the watcher's folder stays); the toolbar says again whom
// the launch waits for.
bool lancement_en_cours(etat_audacity& etat) {
    const auto& verrou = etat.verrou;
    if (!verrou.suite && !verrou.tenu) return false;
    if (verrou.poste_annonce && etat.annoncer_attente) etat.annoncer_attente(verrou.poste_annonce);
    return true;
}

// What both launches do: the watcher stopped, the program checked (nothing
// more when it is missing), then the preferences written for the practical
// and `demarrer` run, at once on a disk of this machine, once this machine
// holds the lock on a network drive.
void preparer_lancement(services& ctx, etat_audacity& etat, const pratique_audacity& pratique,
                        std::function<void()> demarrer) {
    if (lancement_en_cours(etat)) return;
    auto& verrou = etat.verrou;
    ++etat.nb_lancements;
    armer_surveillance(etat, false);
    if (!programme_present(ctx, etat)) return;
    if (!ctx.os.on_network_drive(etat.mes_documents)) {
        ecrire_pour_pratique(ctx, etat, pratique, "");
        demarrer();
        return;
    }
    const std::string machine = dossier_machine(ctx.os.computer_name());
    verrou.suite = [&ctx, &etat, &pratique, machine, demarrer] {
        ecrire_pour_pratique(ctx, etat, pratique, machine);
        demarrer();
    };
    assurer_dossier_config(ctx, etat);
    verrou.fichier = etat.dossier_config_audacity + std::string(nom_verrou_audacity);
    verrou.machine = machine;
    essayer_verrou(ctx, etat);
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
    // A project path with a blank (a program folder under "Program Files")
    // must reach Audacity as one argument.
    std::string parametres = etat.fichier_a_ouvrir;
    if (parametres.find(' ') != std::string::npos && parametres.front() != '"') parametres = '"' + parametres + '"';
    preparer_lancement(ctx, etat, pratique_patin, [&ctx, &etat, parametres, patin = tp == "patin"] {
        ctx.journal.push_back("Execute file=" + etat.chem_audacity);
        ExecuteFile(ctx, etat.chem_audacity, parametres, ctx.chemins.chemin_appli, 1);
        if (patin) armer_surveillance(etat, true);
    });
    etat.fichier_a_ouvrir.clear();
}

void btn_lancer_audacity_vitesseClick(services& ctx, etat_audacity& etat) {
    preparer_lancement(ctx, etat, pratique_vitesse,
                       [&ctx, &etat] { ExecuteFile(ctx, etat.chem_audacity, "", ctx.chemins.chemin_appli, 1); });
}

void Timer_verrouTimer(services& ctx, etat_audacity& etat) {
    auto& verrou = etat.verrou;
    if (verrou.tenu) {
        if (cherche_appli(ctx.os, ctx.fenetres, "Audacity") ||
            etat.horloge_ms() - verrou.pris_ms >= garde_verrou_max_ms)
            liberer_verrou_audacity(ctx, etat);
        return;
    }
    if (verrou.suite) essayer_verrou(ctx, etat);
    else armer_verrou(etat, false);
}

void liberer_verrou_audacity(services&, etat_audacity& etat) {
    auto& verrou = etat.verrou;
    if (!verrou.tenu) return;
    verrou.tenu.reset();
    if (!verrou.suite) armer_verrou(etat, false);
}

void LancerAudacityCl1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale) {
    if (lancement_en_cours(etat)) return;
    selection_copie_locale(ctx, etat, copie_locale);
    lancer_audacity(ctx, etat, "patin");
}

void AudacityforspeedwaveUSBkey1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale) {
    if (lancement_en_cours(etat)) return;
    selection_copie_locale(ctx, etat, copie_locale);
    btn_lancer_audacity_vitesseClick(ctx, etat);
}

void Audacityforshaketable1D2D1Click(services& ctx, etat_audacity& etat, const std::string& copie_locale) {
    if (lancement_en_cours(etat)) return;
    etat.fichier_a_ouvrir =
        joindre(dossier_donnees(ctx.chemins), "audacity\\patin_tracte\\Manosque_Earthquake\\manosque_brut_Composante0-1.aup");
    selection_copie_locale(ctx, etat, copie_locale);
    lancer_audacity(ctx, etat, "");
}

}  // namespace quorva
