// The translation file "fic_quorva\fic_trad.txt" applied to the default menu,
// in the language the input's last byte picks, then switched by the flag.
#include "banc_fuzz.h"
#include "i18n/traduction.h"

using namespace quorva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    fuzz::ecrire(fuzz::dossier() + "fic_quorva/fic_trad.txt", donnees, taille);
    auto ctx = fuzz::nouveau_contexte();
    ctx->langue.langue = taille && donnees[taille - 1] % 2 ? 1 : 2;
    fuzz::sans_erreur_quorva([&] { lec_fic_trad(*ctx, ctx->langue, ctx->menu); });
    fuzz::sans_erreur_quorva([&] { SpeedButton3Click(*ctx, ctx->langue, ctx->menu); });
    return 0;
}
