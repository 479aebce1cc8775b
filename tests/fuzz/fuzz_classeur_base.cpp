// The base workbook of the language as the workbook writer copies and
// patches it, followed by a few samples and the event tables.
#include "banc_fuzz.h"
#include "conversion/classeur_sylk.h"

using namespace quorva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const int langue = taille && donnees[taille - 1] % 2 ? 2 : 1;
    fuzz::ecrire(fuzz::dossier() + (langue == 2 ? "fic_quorva/patin_tracte_base.slk" : "fic_quorva/patin_tracte_base_EN.slk"),
                 donnees, taille);
    auto ctx = fuzz::nouveau_contexte();
    auto& c = ctx->conversion;
    c.nb_pointes = 3;
    for (int i = 1; i <= 3; ++i) {
        c.pointes[static_cast<std::size_t>(i)] = {10.0 * i, 100.0 * i};
        c.intervalles[static_cast<std::size_t>(i)] = {10.0, 5.0 * i};
    }
    fuzz::sans_erreur_quorva([&] {
        ecrivain_classeur classeur(*ctx, ctx->conversion, fuzz::dossier() + "essai.wav", langue);
        for (int v : {0, 1200, -32768, 32767, 5, -7, 300, 0, 12})
            classeur.echantillon(v);
        classeur.termine();
    });
    return 0;
}
