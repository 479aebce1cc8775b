#include "app/demarrage.h"

#include "base/chemins.h"
#include "base/services_systeme.h"
#include "base/texte.h"
#include "audacity/localisation_audacity.h"
#include "launcher/adaptation_menu.h"
#include "i18n/traduction.h"
#include "launcher/menu.h"
#include "sections/sections.h"

namespace quorva {

void sequence_demarrage(contexte& ctx) {
    remplir_dossiers_programme(ctx);
    ctx.os.set_current_folder(ctx.chemins.chemin_appli);
    remplir_version_et_bureaux(ctx);
    installe_raccourci(ctx);
    cherche_audacity(ctx, ctx.audacity);
    ctx.journal.push_back("Chem_config_audacity=" + ctx.audacity.dossier_config_audacity);
    adapte_menu(ctx, ctx.menu);
    montre_entrees_audacity(ctx);
    journal_dossiers_speciaux(ctx);
    decouverte_documents(ctx, ctx.menu);
    lec_langue(ctx, ctx.langue);
    recherche_logiciels_ajoutes(ctx, ctx.menu);
    recherche_excel_ajoute(ctx, ctx.menu);
    recherche_TP(ctx, ctx.menu, ctx.sections);
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
}

void montre_entrees_audacity(contexte& ctx) {
    if (entree_menu* tables = trouve_entree(ctx.menu, "Audacityforshaketable1D2D1")) {
        tables->visible = ctx.audacity.audacity_trouve == 1;
        tables->enabled = ctx.audacity.audacity_trouve == 1;
    }
}

void installe_raccourci(contexte& ctx) {
    const auto& chemins = ctx.chemins;
    if (!egal_sans_casse(chemins.chemin_appli.substr(0, 3), "c:\\")) return;
    const std::string modele = dossier_donnees(chemins) + "quorva.lnk";
    // A desktop the system does not have stays empty: never the drive's root.
    const bool a_commun = !chemins.bureau_commun.empty(), a_utilisateur = !chemins.bureau_utilisateur.empty();
    const std::string commun = chemins.bureau_commun + "quorva.lnk";
    const std::string utilisateur = chemins.bureau_utilisateur + "quorva.lnk";
    if (a_commun && !ctx.os.file_exists(commun) && ctx.os.file_exists(modele)) ctx.os.copy_file(modele, commun);
    // The common desktop may not be writable: the user's desktop then.
    if (a_utilisateur && !(a_commun && ctx.os.file_exists(commun)) && !ctx.os.file_exists(utilisateur) &&
        ctx.os.file_exists(modele))
        ctx.os.copy_file(modele, utilisateur);
}

void journal_dossiers_speciaux(contexte& ctx) {
    for (const int csidl : dossiers_du_journal) ctx.journal.push_back(dossier_special(ctx.os, csidl));
}

}  // namespace quorva
