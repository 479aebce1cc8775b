// The marks file beside a recording, as the chart's "Read marks" finds it;
// what was read is saved again, as OK does.
#include "banc_fuzz.h"
#include "conversion/fichier_pointes.h"

using namespace quorva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    auto ctx = fuzz::nouveau_contexte();
    ctx->conversion.fichier_pointes = fuzz::dossier() + "essai.wav.txt";
    fuzz::ecrire(ctx->conversion.fichier_pointes, donnees, taille);
    fuzz::sans_erreur_quorva([&] {
        if (Readmarks(*ctx, ctx->conversion)) Savemarks(*ctx, ctx->conversion);
    });
    return 0;
}
