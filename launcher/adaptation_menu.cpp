#include "launcher/adaptation_menu.h"

#include <array>

#include "app/contexte.h"
#include "launcher/menu.h"

namespace quorva {

const std::vector<ressource_fixe>& ressources_fixes() {
    static const std::vector<ressource_fixe> table = {
        {"Apropos1", "A_PROPOS_QUORVA.doc", 1, "A_PROPOS_QUORVA.doc", ""},
        {"Rsultatpatintract1", "essai.wav.xls", 2, "essai.wav.xls", ""},
        {"AideAudacitypourpatintract1", "Patin_tracte_audacity.doc", 5, "Patin_tracte_audacity.doc", ""},
        {"AideAudacitypourvitessedesondes1", "mesure_vitesse_ondes.doc", 6, "mesure_vitesse_ondes.doc", ""},
        // Shown for the English document, opens the French one (its initial
        // caption says so); the translation table gives it per-language targets.
        {"AidepourlestablesvibrantesEnglish1", "Tables_vibrantes_pedagogiques_EN.doc", 7,
         "Tables_vibrantes_pedagogiques.doc", ""},
        {"Filmpatintract1", "Film_patin_tracte\\patin_tracte.exe", 10, "Film_patin_tracte\\patin_tracte.exe",
         "Film_patin_tracte"},
        {"Filmstable1D1", "Film_table_1D\\seismes.exe", 11, "Film_table_1D\\seismes.exe", "Film_table_1D"},
        {"Filmtable3D1", "Film_table_3D_2011\\video_table_3D.exe", 12, "Film_table_3D_2011\\video_table_3D.exe",
         "Film_table_3D_2011"},
        {"Azimut1", "azimut\\azimut.exe", 13, "azimut\\azimut.exe", "azimut"},
        {"PlinkaDoity1", "activite_tp_RQ_vienne_2013\\Plinka_EN.doc", 14, "activite_tp_RQ_vienne_2013\\Plinka_EN.doc",
         "activite_tp_RQ_vienne_2013"},
        {"Mcanismesaufoyer1", "meca_foyer\\meca_foyer.exe", 15, "meca_foyer\\meca_foyer.exe", "meca_foyer"},
        {"Racinedesmontagnes1", "racine_montagnes\\racine_montagnes.xls", 16, "racine_montagnes\\racine_montagnes.xls",
         "racine_montagnes"},
        {"Epaisseuretsubduction1", "racine_montagnes\\epaisseur_lithosphere.xls", 17,
         "racine_montagnes\\epaisseur_lithosphere.xls", "racine_montagnes"},
        {"Racinesmontagnes1", "racine_montagnes\\racine_montagnes.doc", 18, "racine_montagnes\\racine_montagnes.doc",
         "racine_montagnes"},
        {"LancerAudacityCl1", "audacity\\audacity.exe", 19, nullptr, nullptr},
        {"AudacityforspeedwaveUSBkey1", "audacity\\audacity.exe", 19, nullptr, nullptr},
        {"Simulseismes1", "simul_seismes\\simul_seismes.exe", 20, nullptr, nullptr},
        {"PowerpointIstanbul1", "Plinka-do-it-yourself.ppt", 22, nullptr, nullptr},
        {"VELDRUN20132", "Varnel_atelier_veldrun_2013.doc", 21, "Varnel_atelier_veldrun_2013.doc", ""},
        {"VELDRUN20141", "atelier_veldrun_2014_RQ.ppt", 21, "atelier_veldrun_2014_RQ.ppt", ""},
    };
    return table;
}

const ressource_fixe* ressource_de(std::string_view entree) {
    for (const auto& r : ressources_fixes())
        if (entree == r.entree) return &r;
    return nullptr;
}

std::string dossier_donnees(const contexte& ctx) { return ctx.chemins.chemin_appli + "fic_quorva\\"; }

void met_chemin(contexte& ctx, entree_menu& entree, const std::string& nom, int slot) {
    entree.visible = false;
    if (slot < 1 || slot > nb_slots_menu) return;
    met_chemin_dans(ctx, entree, nom, ctx.menu.chemins[slot]);
}

void met_chemin_dans(contexte& ctx, entree_menu& entree, const std::string& nom, std::string& dossier) {
    entree.visible = ctx.os.file_exists(dossier + nom);
    if (!entree.visible) {
        dossier = dossier_donnees(ctx);
        entree.visible = ctx.os.file_exists(dossier + nom);
    }
    entree.dossier_trouve = dossier;
}

namespace {

// The Audacity entries: Quorva's copy under any of the system's names for
// its program ("audacity.exe" on Windows; "audacity" too elsewhere), in the
// program folder or its data folder; else the system's own Audacity, with
// the recordings under the data folder.
void met_chemin_audacity(contexte& ctx, entree_menu& entree, int slot) {
    const std::string depart = ctx.menu.chemins[slot];
    for (const auto& nom : ctx.os.program_names("audacity")) {
        ctx.menu.chemins[slot] = depart;
        met_chemin(ctx, entree, "audacity\\" + nom, slot);
        if (entree.visible) return;
    }
    entree.visible = !ctx.os.installed_program("audacity").empty();
}

}  // namespace

void adapte_menu(contexte& ctx) {
    for (int slot = 1; slot <= 30; ++slot) ctx.menu.chemins[slot] = ctx.chemins.chemin_appli;
    ctx.menu.chemins_cibles.fill(ctx.chemins.chemin_appli);
    for (const auto& r : ressources_fixes()) {
        entree_menu* e = trouve_entree(ctx.menu, r.entree);
        if (!e) continue;
        if (r.nom == std::string_view("audacity\\audacity.exe")) met_chemin_audacity(ctx, *e, r.slot);
        else met_chemin(ctx, *e, r.nom, r.slot);
    }
}

bool deja_la(std::string_view nom_fichier) {
    static constexpr std::array<std::string_view, 9> couverts = {
        "A_PROPOS_QUORVA.doc",
        "Fractures_roches.doc",
        "mesure_vitesse_ondes.doc",
        "Patin_tracte_audacity.doc",
        "racine_montagnes.doc",
        "Tables_vibrantes_pedagogiques.doc",
        "Tables_vibrantes_pedagogiques_en.doc",
        "TP_MPS_parasismique.doc",
        "Varnel_atelier_veldrun_2013.doc",
    };
    for (const auto nom : couverts)
        if (nom == nom_fichier) return true;
    return false;
}

}  // namespace quorva
