// The stick-slip workbook (SYLK text): a copy of the base workbook of the
// language with three values patched, one row per sample with its formulas
// and cached values, the two event tables with their CORREL formulas, and
// the end record. Written through Plateforme::create_file, so that the
// workbook appears whole or not at all; streamed, so memory does not grow
// with the recording.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/plateforme.h"
#include "base/services.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// The base workbook of the language (2 = French, else English): under
// chemin_appli + "fic_quorva\", else in chemin_appli itself. Empty when
// neither exists.
std::string chemin_classeur_base(const services& ctx, int langue);

// Shown (naming the file) when the base workbook is not a SYLK file.
extern const char* const texte_classeur_base_abime;

// The base workbook of the language, read whole. Throws erreur_quorva when
// it is missing ("Impossible d'ouvrir le fichier %s", naming where it is
// expected), unreadable or not a SYLK file (texte_classeur_base_abime).
std::string lire_classeur_base(const services& ctx, int langue);

// --- What a spreadsheet shows ------------------------------------------------

// Excel and LibreOffice Calc show at most 1,048,576 rows and drop the rest
// of a SYLK file without a word. The base workbook owns rows 1 to 5, the
// samples start at row 6 and nothing is written after them (the event
// tables share their rows 6 to 100).
constexpr std::int64_t lignes_tableur = 1'048'576;
constexpr std::int64_t premiere_ligne_echantillons = 6;
constexpr std::int64_t echantillons_max_tableur = lignes_tableur - (premiere_ligne_echantillons - 1);

// True when a workbook of nb_echantillons samples runs past the last row a
// spreadsheet shows.
constexpr bool depasse_tableur(std::int64_t nb_echantillons) { return nb_echantillons > echantillons_max_tableur; }

// The size dialog's extra line for "Poursuivre" keeping nb_echantillons
// samples (French, as the dialog); empty when they all fit.
std::string avertissement_tableur(std::int64_t nb_echantillons);

class ecrivain_classeur {
public:
    // Opens the output (chemin_wav + ".slk") and copies the base workbook with
    // the title, niveau_base and coefficient_a patched. Throws erreur_quorva
    // when the base workbook is missing or unreadable, or the output cannot
    // be created.
    ecrivain_classeur(const services& ctx, const etat_conversion& etat, const std::string& chemin_wav, int langue);
    ~ecrivain_classeur();
    ecrivain_classeur(const ecrivain_classeur&) = delete;
    ecrivain_classeur& operator=(const ecrivain_classeur&) = delete;

    // One row per walked sample (raw value v), rows 6, 7, ...
    void echantillon(std::int32_t v);
    // Writes the end record and puts the workbook in place. Without it the
    // previous workbook (if any) stays as it was.
    void termine();

    std::int64_t lignes() const { return rang_ - (premiere_ligne_echantillons - 1); }

private:
    class ecriture_en_fond;

    void ecrire(std::string_view texte);
    void envoyer();
    void tables(std::int32_t r);
    char* valeur_et_energie(std::int32_t v, char* p);

    const etat_conversion& etat_;
    char separateur_;
    int langue_;
    std::unique_ptr<OutputFile> sortie_;
    // The rows are formatted into bloc_ while the previous block is being
    // written by fond_ (declared after sortie_: it stops before the file goes).
    std::string bloc_;
    std::size_t rempli_ = 0;
    std::unique_ptr<ecriture_en_fond> fond_;
    std::int64_t rang_ = premiere_ligne_echantillons - 1;
    // Values of the base workbook's cells the formulas read.
    double r2c2_ = 1000, r2c5_ = 0, r3c2_ = 0, r3c5_ = 0;
    double cumul_ = 0;
    bool titre_intervalles_ = false, titre_pointes_ = false;
    double correl_intervalles_ = 0, correl_pointes_ = 0;
    // Columns 2 and 3 depend on the 16-bit value only: the text from the
    // value to the energy ("-500\r\nC;X3;K0.25") is made once per value
    // (taille_energie bytes per value; its length in longueurs_, 0 while not
    // made yet).
    static constexpr std::size_t taille_energie = 48;
    std::unique_ptr<char[]> energies_;
    std::vector<std::uint8_t> longueurs_;
    // The row and sample numbers as text, counted up in place.
    struct compteur {
        char chiffres[24] = {};
        std::size_t debut = sizeof chiffres;
        void plus_un();
    };
    compteur texte_rang_, texte_n_;
};

// A text of the program (UTF-8) as a SYLK workbook holds it, the quotes
// left to the caller: in the encoding the system's spreadsheets read SYLK
// in (UTF-8 on Linux; Windows-1252 on Windows, a letter it lacks becoming
// "?"), ";" doubled.
std::string texte_sylk(std::string_view utf8);

// A cell of a plain table: a text, or a number when `nombre` holds one.
struct cellule_sylk {
    std::string texte;
    std::optional<double> nombre;
};

// A workbook of rows of cells (row 1 first, then 2...), written as the
// stick-slip workbooks are: their text rule and number format, whole or not
// at all. Throws WriteError when it cannot be written.
void ecrire_tableau_sylk(const services& ctx, const std::string& chemin,
                         const std::vector<std::vector<cellule_sylk>>& lignes);

// The correlation of (x, y) over the first k records of a table, as the
// spreadsheet's CORREL gives it from the written values; 0 when undefined.
double correlation_table(const point_xy* table, int k);

// The workbook's event tables fill rows 6 to 100: 95 records at most; the
// CORREL row follows a table only when it fits there.
constexpr int enregistrements_max_classeur = 95;

// The records of an event table up to its first empty one (x = 0).
int nb_enregistrements(const std::array<point_xy, capacite_pointes + 1>& table);

// The CORREL of a table over the records that the workbook holds (up to the
// first empty one, at most enregistrements_max_classeur), from the values as
// written: the value the workbook caches beside its CORREL when it has room
// for one, and what the spreadsheet computes on those rows otherwise.
double correlation_classeur(const std::array<point_xy, capacite_pointes + 1>& table);

}  // namespace quorva
