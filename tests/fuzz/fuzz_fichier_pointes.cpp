// The marks file beside a recording, as the chart's "Read marks" finds it;
// what was read is saved again, as OK does. The buffer holds the recording
// of the seed sans_pointes.txt, whose marks the file's then are.
#include "banc_fuzz.h"
#include "conversion/fichier_pointes.h"

using namespace quorva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    auto ctx = fuzz::nouveau_contexte();
    ctx->conversion.fichier_pointes = fuzz::dossier() + "essai.wav.txt";
    fuzz::ecrire(ctx->conversion.fichier_pointes, donnees, taille);
    ctx->conversion.nb_echantillons = 2;
    ctx->conversion.echantillons[1] = 1.5;
    ctx->conversion.echantillons[2] = -2;
    fuzz::sans_erreur_quorva([&] {
        if (Readmarks(*ctx, ctx->conversion) == accord_pointes::lues) Savemarks(*ctx, ctx->conversion);
    });
    return 0;
}
