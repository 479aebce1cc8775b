// The WAV reader on any bytes: header checks, size check, the walk of both
// passes (the chart answered at once, the workbook written), with a
// decimation factor and a size-dialog answer taken from the input. An input
// whose last byte has its high bit set is repeated past 64,000 bytes, so
// that the size dialog is asked too.
#include "banc_fuzz.h"
#include "conversion/pilote_conversion.h"

using namespace quorva;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (const char* nom : {"patin_tracte_base.slk", "patin_tracte_base_EN.slk"})
        fuzz::copier(std::string(QUORVA_DONNEES_CONVERSION) + "/" + nom, fuzz::dossier() + "fic_quorva/" + nom);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string chemin = fuzz::dossier() + "essai.wav";
    const std::uint8_t graine = taille ? donnees[taille - 1] : 0;
    std::string octets(reinterpret_cast<const char*>(donnees), taille);
    if (graine & 0x80 && taille > 44)
        while (octets.size() < 70'000) octets.append(octets, 44, taille - 44);
    fuzz::ecrire(chemin, reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size());
    auto ctx = fuzz::nouveau_contexte();
    interface_conversion ui;
    ui.langue = 1 + graine % 2;
    ui.question_taille = [graine](std::int32_t, int, std::int32_t, std::int32_t, std::int64_t) {
        return 1 + graine / 2 % 3;
    };
    options_conversion options;
    options.facteur_division = 1 + graine / 8 % 4;
    options.ouvrir_classeur = false;
    fuzz::sans_erreur_quorva([&] { convertir(*ctx, ctx->conversion, chemin, ui, options); });
    return 0;
}
