// The stick-slip workbook (SYLK text): a copy of the base workbook of the
// language with three values patched, one row per sample with its formulas
// and cached values, the two event tables with their CORREL formulas, and
// the end record. Written through Plateforme::create_file, so that the
// workbook appears whole or not at all; streamed, so memory does not grow
// with the recording.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/contexte.h"

namespace quorva {

// The base workbook of the language (2 = French, else English): under
// chemin_appli + "fic_quorva\", else in chemin_appli itself. Empty when
// neither exists.
std::string chemin_classeur_base(const contexte& ctx, int langue);

// Shown (naming the file) when the base workbook is not a SYLK file.
extern const char* const texte_classeur_base_abime;

class ecrivain_classeur {
public:
    // Opens the output (chemin_wav + ".slk") and copies the base workbook with
    // the title, niveau_base and coefficient_a patched. Throws erreur_quorva
    // when the base workbook is missing or unreadable, or the output cannot
    // be created.
    ecrivain_classeur(contexte& ctx, const std::string& chemin_wav, int langue);
    ~ecrivain_classeur();
    ecrivain_classeur(const ecrivain_classeur&) = delete;
    ecrivain_classeur& operator=(const ecrivain_classeur&) = delete;

    // One row per walked sample (raw value v), rows 6, 7, ...
    void echantillon(std::int32_t v);
    // Writes the end record and puts the workbook in place. Without it the
    // previous workbook (if any) stays as it was.
    void termine();

    std::int64_t lignes() const { return rang_ - 5; }

private:
    void ecrire(const std::string& texte);
    void vider();
    void tables(std::int32_t r);

    contexte& ctx_;
    int langue_;
    std::unique_ptr<OutputFile> sortie_;
    std::string tampon_;
    std::int64_t rang_ = 5;
    // Values of the base workbook's cells the formulas read.
    double r2c2_ = 1000, r2c5_ = 0, r3c2_ = 0, r3c5_ = 0;
    double cumul_ = 0;
    bool titre_intervalles_ = false, titre_pointes_ = false;
    double correl_intervalles_ = 0, correl_pointes_ = 0;
    // Column 3 depends on the 16-bit value only: each text is made once.
    std::vector<std::string> energies_;
};

// The correlation of (x, y) over the first k records of a table, as the
// spreadsheet's CORREL gives it from the written values; 0 when undefined.
double correlation_table(const point_xy* table, int k);

}  // namespace quorva
