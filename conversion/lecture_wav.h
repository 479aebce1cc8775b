// The WAV reader: one stick-slip recording (mono, 16-bit PCM WAV) into the
// sample buffer and the slip events (display pass), or into the SYLK
// workbook (workbook pass). The conversion driver (pilote_conversion.h)
// runs both passes and hands the chart over between them; nothing else
// should sequence them.
//
//   display pass:   header checks -> size check (verifie_taille, may ask
//                   ui.question_taille) -> walk into echantillons (all of
//                   it: the buffer grows) -> detecte_pointes
//   workbook pass:  same checks and walk; every sample goes to the workbook
//                   writer (classeur_sylk.h), which writes chemin + ".slk"
//                   atomically.
//
// Errors (unreadable recording, missing base workbook, workbook that cannot
// be written) are raised as erreur_quorva; the workbook is then left as it
// was before (never half-written).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "base/services.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// The reader reads the first 10,000,000 bytes of a recording; anything
// beyond is ignored.
constexpr std::size_t octets_wav_max = 10'000'000;

// Answers of the size dialog (TForm2's modal results).
constexpr std::int16_t reponse_poursuivre = 1;  // keep the factor
constexpr std::int16_t reponse_annuler = 2;     // cancel the conversion
constexpr std::int16_t reponse_diminuer = 3;    // take the proposed factor

// What the conversion needs from the windows. Every member may be left empty:
// the conversion then goes on without it (an unanswered size question counts
// as "Poursuivre").
struct interface_conversion {
    // 1 = English, 2 = French (the program's current language): chooses the
    // base workbook and the correlation title. Any other value: English.
    int langue = 1;
    // One step of the progress bar of TForm_patience: called once per 1000
    // samples walked and once per 1000 positions scanned by the detection.
    std::function<void()> avance_progression;
    // The size dialog: data size in bytes, bits per sample, proposed factor
    // and the number of values it gives, and the number of samples that
    // "Poursuivre" keeps (more than a spreadsheet shows: avertissement_tableur
    // in classeur_sylk.h); returns reponse_poursuivre, reponse_annuler or
    // reponse_diminuer. The progress window is hidden before the question
    // and shown again after it through the hooks below.
    std::function<int(std::int32_t taille_donnees, int bits_par_echantillon, std::int32_t facteur_propose,
                      std::int32_t nb_valeurs, std::int64_t nb_poursuivre)>
        question_taille;
    // The chart, shown modally between the two passes. It may edit the
    // marks, and read them back or validate them (fichier_pointes.h).
    std::function<void()> montrer_graphique;
    // The box of a workbook that another program still holds once the
    // writes' own retries are over (Retry, Cancel), with its text; true for
    // Retry. Empty: no box, the error goes to the caller.
    std::function<bool(const std::string& texte)> reessayer_classeur;
    // Hide / show again and bring to the front the progress window.
    std::function<void()> masquer_patience;
    std::function<void()> montrer_patience;
};

// The refusal text, shown with afficher_message.
extern const char* const texte_refus_wav;

// What happened to the recording in one pass.
enum class resultat_lecture {
    ignore,   // not RIFF / WAVE / "fmt " (or shorter than its header): nothing shown
    refuse,   // not mono 16-bit with "data" at 36: message shown
    accepte,  // header accepted (the walk may still have been cancelled)
};

// The two passes over a recording.
enum class passe_lecture {
    affichage,  // samples, events: what the chart shows
    classeur,   // the workbook
};

// The WAV reader, one pass. Throws ReadError (erreur_ouverture of
// base/echecs_fichiers.h: "Impossible d'ouvrir le fichier %s" and its
// cause) when the recording cannot be read, or the workbook writer's errors.
resultat_lecture Lecture_fichier_wav(const services& ctx, etat_conversion& etat, const std::string& chemin,
                                     passe_lecture passe, const interface_conversion& ui);

// --- Size check --------------------------------------------------------------

// The size dialog's proposal for a data chunk, computed without any window
// (TForm2 and quorva-convert --factor auto share it).
struct proposition_taille {
    bool trop_gros = false;        // data size above the threshold
    std::int32_t seuil = 0;        // bytes per sample x 32000
    std::int32_t facteur = 1;      // trunc(size / threshold) + 1
    std::int32_t nb_valeurs = 0;   // round(size / (bytes per sample x factor))
};
proposition_taille propose_reduction(std::int32_t taille_donnees, int bits_par_echantillon);

// The samples a walk over `octets` bytes of data keeps, one in every
// `facteur` (the whole sample inside the data).
std::int64_t nb_echantillons_parcourus(std::size_t octets, std::int32_t facteur);

// The size check run by both passes: asks ui.question_taille at most once per
// conversion (when reponse_taille is 0 and the data is too big) and updates
// reponse_taille, facteur_division and conversion_annulee.
void verifie_taille(etat_conversion& etat, std::int32_t taille_donnees, int bits_par_echantillon,
                    const interface_conversion& ui);

// --- Header ------------------------------------------------------------------

// The header fields of a canonical 44-byte WAV header.
struct entete_wav {
    bool riff = false;       // "RIFF", "WAVE", "fmt " present (else: ignored)
    bool accepte = false;    // mono, 16 bits, "data" at 36
    std::uint16_t canaux = 0;
    std::uint32_t frequence = 0;
    std::uint32_t octets_par_seconde = 0;
    std::uint16_t alignement = 0;
    std::uint16_t bits_par_echantillon = 0;
    std::int32_t taille_donnees = 0;  // as written in the file
    // Bytes of samples that the walk may use: the data chunk, cut at the end
    // of the file (a negative, 0 or too large data size means the end of file).
    std::size_t octets_donnees = 0;
};
// `fichier`: the recording's first bytes; `taille_fichier`: how many bytes
// the reader would read in all (the file's own when it is whole in
// `fichier`).
entete_wav analyse_entete(const std::string& fichier, std::size_t taille_fichier);
inline entete_wav analyse_entete(const std::string& fichier) { return analyse_entete(fichier, fichier.size()); }

}  // namespace quorva
