// A console check of the Windows platform layer: runs the generation probe
// and prints the path values as the start-up sequence derives them. Built by
// the MinGW-w64 cross-compile so that every Win32 call links; useful on a
// school workstation to see what Quorva finds.
#include <cstdio>

#include "base/erreur.h"
#include "base/services_systeme.h"

int main() {
    using namespace quorva;
    auto os = creer_plateforme_systeme();
    try {
        const auto generation = detecte_windows(*os);
        std::printf("generation_windows=%u\nversion_windows=%s\n", generation,
                    nom_version_windows(*os, generation).c_str());
    } catch (const erreur_quorva& e) {
        std::printf("detecte_windows: %s\n", e.what());
        return 1;
    }
    std::printf("chemin_appli=%s\n", derive_chemin_appli(*os).c_str());
    std::printf("chemin_temp=%s\n", dossier_temp(*os).c_str());
    std::printf("bureau_commun=%s\n", dossier_bureau(*os, 25).c_str());
    std::printf("bureau_utilisateur=%s\n", dossier_bureau(*os, 0).c_str());
    std::printf("separateur=%c\n", os->decimal_separator());
    int fenetres = 0;
    os->enumerate_windows([&fenetres](WindowId) { return ++fenetres < 2001; });
    std::printf("fenetres=%d\n", fenetres);
    return 0;
}
