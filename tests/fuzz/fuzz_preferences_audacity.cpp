// Audacity's preferences file as a launch edits it: read, the two folder
// lines inserted, the keys of one practical set, written back.
#include "audacity/preferences_audacity.h"
#include "banc_fuzz.h"

using namespace quorva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string cfg = fuzz::dossier() + "audacity.cfg";
    fuzz::ecrire(cfg, donnees, taille);
    const std::string enreg = "c:\\quorva\\fic_quorva\\audacity\\patin_tracte";
    fuzz::sans_erreur_quorva([&] {
        auto lignes = charger_lignes(fuzz::plateforme(), cfg);
        inserer_cles_dossiers(lignes);
        if (taille && donnees[0] % 2)
            regler_cles_vitesse(lignes, enreg);
        else
            regler_cles_patin(lignes, enreg);
        sauver_lignes(fuzz::plateforme(), cfg, lignes);
    });
    return 0;
}
