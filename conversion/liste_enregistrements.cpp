#include "conversion/liste_enregistrements.h"

#include "base/chemins.h"

namespace quorva {

std::string chemin_sous(Plateforme& os, const std::string& dossier, const std::string& nom) {
    if (dossier.find_first_of("\\/") != std::string::npos) return joindre(dossier, nom);
    return dossier + separateur_de(os.current_folder()) + nom;
}

namespace {

void ajouter(Plateforme& os, const std::string& dossier, std::vector<std::string>& chemins) {
    for (const auto& nom : os.list_files(dossier, "*.wav")) chemins.push_back(chemin_sous(os, dossier, nom));
}

}  // namespace

std::vector<std::string> enregistrements_du_dossier(Plateforme& os, const std::string& dossier) {
    std::vector<std::string> chemins;
    ajouter(os, dossier, chemins);
    for (const auto& sous_dossier : os.list_folders(dossier)) ajouter(os, chemin_sous(os, dossier, sous_dossier), chemins);
    return chemins;
}

std::vector<std::string> enregistrements_argument(Plateforme& os, const std::string& argument) {
    if (!argument.empty() && os.folder_exists(argument)) return enregistrements_du_dossier(os, argument);
    const std::string nom = nom_de(argument);
    if (nom.find_first_of("*?") == std::string::npos || os.file_exists(argument)) return {argument};
    std::vector<std::string> chemins;
    // The folder part as typed (with its separator), so that each name
    // reads as the user wrote the pattern.
    const std::string dossier = dossier_de(argument, true);
    for (const auto& trouve : os.list_files(dossier.empty() ? os.current_folder() : dossier, nom))
        chemins.push_back(dossier + trouve);
    return chemins;
}

}  // namespace quorva
