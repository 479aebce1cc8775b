// The language preference "quorva\langue_quorva.txt" under the temporary
// folder, read at start (any integer is a language: 3 shows both captions).
#include "banc_fuzz.h"
#include "i18n/traduction.h"

using namespace quorva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    fuzz::ecrire(fuzz::dossier() + "temp/quorva/langue_quorva.txt", donnees, taille);
    auto ctx = fuzz::nouveau_contexte();
    fuzz::sans_erreur_quorva([&] { lec_langue(*ctx, ctx->langue); });
    return 0;
}
