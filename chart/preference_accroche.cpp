#include "chart/preference_accroche.h"

#include "base/erreur.h"
#include "base/texte.h"

namespace quorva {

namespace {

std::string fichier_accroche(const services& ctx) { return ctx.chemins.chemin_temp + "quorva\\accroche_quorva.txt"; }

}  // namespace

bool lire_accroche(const services& ctx) {
    if (ctx.chemins.chemin_temp.empty()) return false;
    const std::string chemin = fichier_accroche(ctx);
    std::string contenu;
    if (!ctx.os.file_exists(chemin) || !ctx.os.read_file(chemin, contenu, 4096)) return false;
    const auto lignes = decouper_lignes(contenu);
    return !lignes.empty() && lignes[0] == "accroche=1";
}

void ecrire_accroche(const services& ctx, bool actif) {
    if (ctx.chemins.chemin_temp.empty())
        throw erreur_quorva(message("Impossible de créer le fichier %s", fichier_accroche(ctx)));
    const std::string dossier = ctx.chemins.chemin_temp + "quorva";
    if (!ctx.os.folder_exists(dossier)) ctx.os.create_folder(dossier);
    auto sortie = ctx.os.create_file(fichier_accroche(ctx));
    sortie->write(actif ? "accroche=1\r\n" : "accroche=0\r\n");
    sortie->commit();
}

}  // namespace quorva
