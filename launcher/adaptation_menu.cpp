#include "launcher/adaptation_menu.h"

#include <array>

#include "launcher/descripteurs_menu.h"
#include "launcher/menu.h"

namespace quorva {

void met_chemin(const services& ctx, etat_menu& menu, entree_menu& entree, const std::string& nom, int slot) {
    entree.visible = false;
    if (slot < 1 || slot > nb_slots_menu) return;
    met_chemin_dans(ctx, entree, nom, menu.chemins[slot]);
}

void met_chemin_dans(const services& ctx, entree_menu& entree, const std::string& nom, std::string& dossier) {
    entree.visible = ctx.os.file_exists(dossier + nom);
    if (!entree.visible) {
        dossier = dossier_donnees(ctx.chemins);
        entree.visible = ctx.os.file_exists(dossier + nom);
    }
    entree.dossier_trouve = dossier;
}

namespace {

// The Audacity entries: Quorva's copy under any of the system's names for
// its program ("audacity.exe" on Windows; "audacity" too elsewhere), in the
// program folder or its data folder; else the system's own Audacity, with
// the recordings under the data folder.
void met_chemin_audacity(services& ctx, etat_menu& menu, entree_menu& entree, int slot) {
    const std::string depart = menu.chemins[slot];
    for (const auto& nom : ctx.os.program_names("audacity")) {
        menu.chemins[slot] = depart;
        met_chemin(ctx, menu, entree, "audacity\\" + nom, slot);
        if (entree.visible) return;
    }
    entree.visible = !ctx.os.installed_program("audacity").empty();
}

}  // namespace

void adapte_menu(services& ctx, etat_menu& menu) {
    for (int slot = 1; slot <= nb_slots_au_depart; ++slot) menu.chemins[slot] = ctx.chemins.chemin_appli;
    menu.chemins_cibles.fill(ctx.chemins.chemin_appli);
    for (const auto& d : descripteurs_menu()) {
        if (!d.teste) continue;
        entree_menu* e = trouve_entree(menu, d.nom);
        if (!e) continue;
        if (d.slot == slot_audacity) met_chemin_audacity(ctx, menu, *e, d.slot);
        else met_chemin(ctx, menu, *e, d.teste, d.slot);
    }
}

bool deja_la(std::string_view nom_fichier) {
    // Documents of the data folder that no entry opens but that a
    // translation target or an older copy of the menu offers.
    static constexpr std::array<std::string_view, 3> hors_menu = {
        "Fractures_roches.doc",
        "Tables_vibrantes_pedagogiques_en.doc",
        "TP_MPS_parasismique.doc",
    };
    for (const auto nom : hors_menu)
        if (nom == nom_fichier) return true;
    for (const auto& d : descripteurs_menu())
        if (d.document_couvert && nom_de(fichier_ouvert(d)) == nom_fichier) return true;
    return false;
}

}  // namespace quorva
