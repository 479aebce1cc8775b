// The marks file beside the recording (fichier_pointes = recording + ".txt"):
// the samples and the marks, so that the user's corrections survive.
//
//   nb_echantillons
//   echantillons[1..nb_echantillons], one per line (15 digits, system separator)
//   Pointes
//   nb_pointes
//   x and y of each mark, two lines each, 23-character exponent format
//
// Lines end with CR LF; the reader accepts LF too. The samples are kept
// so that a later conversion knows whether the file is its recording's.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/services.h"
#include "conversion/etat_conversion.h"
#include "conversion/lecture_wav.h"

namespace quorva {

// Save marks: writes fichier_pointes (atomically). Throws WriteError when it
// cannot be written, with a line saying why as the workbook's error does;
// the previous file then stays as it was.
void Savemarks(const services& ctx, const etat_conversion& etat);

// What a marks file is to the recording in the sample buffer.
enum class accord_pointes {
    absent,                // no marks file
    lues,                  // the recording's own (the same samples): its marks are read
    autre_enregistrement,  // the samples of another recording (another take under
                           // the same name, another answer to the size question)
};

// The most samples a marks file may hold: as many as the WAV reader reads.
constexpr std::int32_t echantillons_max_pointes = static_cast<std::int32_t>(octets_wav_max / 2);

// The refusal of a marks file that holds more samples than any recording
// (%s: the file).
extern const char* const texte_pointes_trop_grand;

// A marks file, read and compared with the recording in the buffer without
// changing anything. Its marks count only when its samples are the
// buffer's: the same count and the same values.
struct pointes_fichier {
    accord_pointes accord = accord_pointes::absent;
    bool avec_pointes = false;  // the "Pointes" line was at its place
    std::int32_t nb_pointes = 0;
    std::array<point_xy, capacite_pointes + 1> pointes{};  // the first 100 marks
};

// Reads fichier_pointes. A file of another recording is known from its
// count or from its first sample that differs, and read no further. A
// count above echantillons_max_pointes raises texte_pointes_trop_grand
// before anything else is read; a broken file (a number that is not one, a
// file cut short) raises erreur_quorva naming the file.
pointes_fichier lire_fichier_pointes(const services& ctx, const etat_conversion& etat);

// Puts the marks of a file that is the recording's own in place (the
// samples are the buffer's already); nothing otherwise.
void appliquer_pointes(const pointes_fichier& lu, etat_conversion& etat);

// Read marks, the one rule of the chart and of quorva-convert: the file
// read, then applied when it is the recording's own.
accord_pointes Readmarks(const services& ctx, etat_conversion& etat);

// The tables of the workbook that OK would write, without the chart: the
// marks of the recording's own file rebuilt as OK rebuilds them (then
// accord_pointes::lues), or else the detected ones. A marks file that cannot
// be read raises as lire_fichier_pointes does, the detected tables left as
// they are. Nothing is written.
accord_pointes pointes_du_classeur(const services& ctx, etat_conversion& etat);

// The reduction factor at which the marks file beside `chemin_wav` holds
// that recording's samples, from its count alone (a recording reduced by f
// keeps nb_echantillons_parcourus(data, f) samples; the smallest f that
// gives the count); nothing without a marks file, when no factor gives its
// count, or when the recording cannot be read. Whether the samples are the
// recording's is Readmarks' to say once they are read at that factor.
std::optional<std::int32_t> facteur_des_pointes(const services& ctx, const std::string& chemin_wav);

// The chart's OK (and quorva-convert --accept): the events rebuilt from the
// marks (reconstruit_pointes), then the marks saved. A marks file that
// cannot be written raises erreur_quorva after the rebuild: the conversion
// goes on with the rebuilt events.
void valider_pointes(const services& ctx, etat_conversion& etat);

}  // namespace quorva
