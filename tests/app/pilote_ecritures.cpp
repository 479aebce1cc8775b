// Runs one of the program's own rewrites of a file through the real core and
// the real POSIX platform, for the tests that kill a write midway:
//   pilote_ecritures langue DOSSIER     the start-up's language preference
//                                       (DOSSIER/quorva/langue_quorva.txt)
//   pilote_ecritures audacity DOSSIER   the stick-slip launch's edit of
//                                       DOSSIER/fic_quorva/audacity/Portable Settings/audacity.cfg
// DOSSIER is both the program folder and the temporary folder.
#include <iostream>
#include <string>

#include "app/contexte.h"
#include "base/garde.h"
#include "base/platform/platform_posix.h"
#include "audacity/lancement_audacity.h"
#include "audacity/localisation_audacity.h"
#include "i18n/traduction.h"

using namespace quorva;

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: pilote_ecritures langue|audacity DOSSIER\n";
        return 2;
    }
    const std::string quoi = argv[1];
    PlateformePosix os(false);
    contexte ctx(os);
    ctx.chemins.chemin_appli = std::string(argv[2]) + "/";
    ctx.chemins.chemin_temp = ctx.chemins.chemin_appli;
    ctx.afficher_message = [](const std::string& texte) { std::cerr << texte << "\n"; };
    const bool ok = garde(ctx.afficher_message, [&] {
        if (quoi == "langue") {
            lec_langue(ctx, ctx.langue);
            lec_fic_trad(ctx, ctx.langue, ctx.menu);
        } else {
            selection_copie_locale(ctx, ctx.audacity, ctx.chemins.chemin_appli + "fic_quorva\\");
            lancer_audacity(ctx, ctx.audacity, "patin");
        }
    });
    return ok ? 0 : 1;
}
