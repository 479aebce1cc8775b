#include "app/demarrage.h"

#include "app/texte.h"

namespace quorva {

void installe_raccourci(contexte& ctx) {
    const auto& chemins = ctx.chemins;
    if (!egal_sans_casse(chemins.chemin_appli.substr(0, 3), "c:\\")) return;
    const std::string modele = chemins.chemin_appli + "fic_quorva\\quorva.lnk";
    const std::string commun = chemins.bureau_commun + "quorva.lnk";
    const std::string utilisateur = chemins.bureau_utilisateur + "quorva.lnk";
    if (!ctx.os.file_exists(commun) && ctx.os.file_exists(modele)) ctx.os.copy_file(modele, commun);
    // The common desktop may not be writable: the user's desktop then.
    if (!ctx.os.file_exists(commun) && !ctx.os.file_exists(utilisateur) && ctx.os.file_exists(modele))
        ctx.os.copy_file(modele, utilisateur);
}

void journal_dossiers_speciaux(contexte& ctx) {
    for (const int csidl : dossiers_du_journal) ctx.journal.push_back(ctx.os.special_folder(csidl));
}

}  // namespace quorva
