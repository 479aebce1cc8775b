#include "audacity/localisation_audacity.h"

#include "base/chemins.h"
#include "base/texte.h"

namespace quorva {

void cherche_audacity(services& ctx, etat_audacity& etat) {
    const std::string& version = ctx.chemins.version_windows;
    if (version == "XP") ctx.journal.push_back("chem_temp=" + ctx.chemins.chemin_temp);
    if (version == "Vista" || version == "Seven" || version == "XP") {
        const std::string donnees = ctx.os.special_folder(csidl_appdata);
        // Without an application-data folder the preferences stay where they
        // were looked for before, rather than under the root of the disk.
        if (!donnees.empty()) etat.dossier_config_audacity = joindre(donnees, "Audacity\\");
    }
    etat.mes_documents = avec_barre_finale(ctx.os.special_folder(csidl_personal));
    ctx.journal.push_back("Chem_audacity=" + ctx.os.special_folder(csidl_common_programs));
    etat.dossier_enreg = joindre(etat.mes_documents, "patin_tracte");
    etat.chem_audacity = programme_audacity(ctx.os, joindre(dossier_donnees(ctx.chemins), "audacity\\")).chemin;
    etat.audacity_trouve = ctx.os.file_exists(etat.chem_audacity) ? 1 : 0;
}

programme_trouve programme_audacity(Plateforme& os, const std::string& dossier) {
    const auto noms = os.program_names("audacity");
    for (const auto& nom : noms)
        if (os.file_exists(dossier + nom)) return {dossier + nom, false};
    const std::string installe = os.installed_program("audacity");
    if (!installe.empty()) return {installe, true};
    return {dossier + noms.front(), false};
}

std::string dossier_config_audacity_systeme(Plateforme& os) {
    const std::string maison = os.special_folder(csidl_profile);
    if (!maison.empty()) {
        const std::string ancien = joindre(maison, ".audacity-data");
        if (os.folder_exists(ancien)) return avec_barre_finale(ancien);
    }
    return joindre(os.special_folder(csidl_appdata), "audacity\\");
}

void selection_copie_locale(services& ctx, etat_audacity& etat, const std::string& base) {
    const auto programme = programme_audacity(ctx.os, joindre(base, "audacity\\"));
    etat.chem_audacity = programme.chemin;
    // The system's Audacity reads its preferences in the user's own
    // folders, never beside Quorva; the recordings stay in Quorva's folder.
    etat.dossier_config_audacity = programme.installe_systeme ? dossier_config_audacity_systeme(ctx.os)
                                                              : joindre(base, "audacity\\Portable Settings\\");
    etat.mes_documents = joindre(base, "audacity\\");
    etat.dossier_enreg = etat.mes_documents;
}

}  // namespace quorva
