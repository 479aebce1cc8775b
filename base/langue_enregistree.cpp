#include "base/langue_enregistree.h"

#include <string_view>

#include "base/nombres.h"
#include "base/texte.h"

namespace quorva {

std::string fichier_langue(const chemins_programme& chemins) { return chemins.chemin_temp + "quorva\\langue_quorva.txt"; }

std::optional<int> langue_enregistree(services& ctx) {
    const std::string chemin = fichier_langue(ctx.chemins);
    std::string contenu;
    if (!ctx.os.file_exists(chemin) || !ctx.os.read_file(chemin, contenu, 4096)) return std::nullopt;
    const auto lignes = decouper_lignes(contenu);
    if (lignes.empty()) return std::nullopt;
    const auto egal = lignes[0].find('=');
    if (egal == std::string::npos) return std::nullopt;
    return entier_de_texte(std::string_view(lignes[0]).substr(egal + 1));
}

}  // namespace quorva
