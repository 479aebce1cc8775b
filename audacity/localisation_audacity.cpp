#include "audacity/localisation_audacity.h"

#include "app/base/texte.h"

namespace quorva {

void cherche_audacity(contexte& ctx) {
    auto& a = ctx.audacity;
    const std::string& version = ctx.chemins.version_windows;
    if (version == "XP") ctx.journal.push_back("chem_temp=" + ctx.chemins.chemin_temp);
    if (version == "Vista" || version == "Seven" || version == "XP") {
        const std::string donnees = ctx.os.special_folder(csidl_appdata);
        // Without an application-data folder the preferences stay where they
        // were looked for before, rather than under the root of the disk.
        if (!donnees.empty()) a.dossier_config_audacity = avec_barre_finale(donnees) + "Audacity\\";
    }
    a.mes_documents = avec_barre_finale(ctx.os.special_folder(csidl_personal));
    ctx.journal.push_back("Chem_audacity=" + ctx.os.special_folder(csidl_common_programs));
    a.dossier_enreg = a.mes_documents + "patin_tracte";
    a.chem_audacity = programme_audacity(ctx.os, ctx.chemins.chemin_appli + "fic_quorva\\audacity\\").chemin;
    a.audacity_trouve = ctx.os.file_exists(a.chem_audacity) ? 1 : 0;
}

programme_trouve programme_audacity(Plateforme& os, const std::string& dossier) {
    const auto noms = os.program_names("audacity");
    for (const auto& nom : noms)
        if (os.file_exists(dossier + nom)) return {dossier + nom, false};
    const std::string installe = os.installed_program("audacity");
    if (!installe.empty()) return {installe, true};
    return {dossier + noms.front(), false};
}

void selection_copie_locale(contexte& ctx, const std::string& base) {
    auto& a = ctx.audacity;
    const auto programme = programme_audacity(ctx.os, base + "audacity\\");
    a.chem_audacity = programme.chemin;
    // The system's Audacity reads its preferences in the user's settings,
    // never beside Quorva; the recordings stay in Quorva's folder.
    a.dossier_config_audacity = programme.installe_systeme
                                    ? avec_barre_finale(ctx.os.special_folder(csidl_appdata)) + "audacity\\"
                                    : base + "audacity\\Portable Settings\\";
    a.mes_documents = base + "audacity\\";
    a.dossier_enreg = base + "audacity\\";
}

}  // namespace quorva
