// The conversion driver: from a chosen recording to the workbook opened in
// the spreadsheet program. The same two passes serve the menu entry
// "Read convert .wav" (file chosen in the open dialog) and the export
// watcher (new file found in Audacity's export folder).
//
//   menu:     Lectureconversionwav1Click(ctx, choisir_fichier, ui)
//               resets reponse_taille, facteur_division, conversion_annulee,
//               then BitBtn1Click: open dialog, then convertir_enregistrement
//   watcher:  facteur_division = 1; convertir_enregistrement(ctx, chemin, ui);
//               then its own bookkeeping from the result (known files, bar
//               back to 0, reset of reponse_taille and conversion_annulee)
//
// The windows come in through `ui` (conversion/lecture_wav.h): the progress
// window, the size dialog and the chart. Errors of a pass (unreadable
// recording, missing base workbook, workbook that cannot be written) are
// raised as erreur_quorva for the caller's guard; nothing is opened then.
#pragma once

#include <functional>
#include <string>

#include "app/contexte.h"
#include "conversion/lecture_wav.h"

namespace quorva {

struct resultat_conversion {
    bool choisi = false;     // a file was chosen (always true for the watcher)
    resultat_lecture lecture = resultat_lecture::ignore;  // of the display pass
    bool annulee = false;    // cancelled in the size dialog
    bool classeur_ouvert = false;  // the workbook was written and handed to the shell
    std::string classeur;    // chemin + ".slk"
};

// The two passes on one recording, as both callers need them:
//  1. show the progress window;
//  2. display pass (header, size check, samples, detection, the chart);
//  3. accepted and not cancelled: workbook pass, ExecuteFile(chemin + ".slk",
//     "", chemin_appli, 1), hide the progress window; a recording that the
//     workbook pass no longer reads (changed meanwhile) opens nothing: an
//     ignored one raises texte_pas_un_wav, a refused one has shown its message;
//  4. cancelled in the size dialog: hide the progress window.
// An error of either pass hides the progress window before it goes on to
// the caller; a workbook that cannot be written also names the workbook and
// its likely cause (texte_classeur_bloque).
// A refused recording has shown its message and hidden the progress window
// (the reader did it); an ignored one shows nothing and leaves the progress
// window as it is. While it runs, ctx.audacity.conversion_en_cours is set, so
// that the export watcher leaves the shared sample buffer alone. The workbook
// takes the program's current language (ctx.langue.langue), whatever
// ui.langue says.
resultat_conversion convertir_enregistrement(contexte& ctx, const std::string& chemin,
                                             const interface_conversion& ui);

// "Le fichier %s n'est pas un enregistrement .WAV lisible."
extern const char* const texte_pas_un_wav;
// Added to the error of a workbook that could not be written (%s: its path).
extern const char* const texte_classeur_bloque;

// The open dialog's settings (OpenDialog1 of the toolbar).
constexpr const char* filtre_wav = "(*.wav)|*.WAV";
constexpr const char* extension_wav = "wav";

// Shows the open dialog: filter, default extension and initial folder as
// given; returns the chosen path (cp1252), empty when the user cancels.
using choix_fichier = std::function<std::string(const std::string& filtre, const std::string& extension,
                                                const std::string& dossier_initial)>;

// The hidden button of the toolbar: open dialog in chemin_appli, then the two
// passes. Nothing happens (not even the dialog) while another conversion
// runs: the sample buffer is shared. A chosen file that is no WAV recording
// at all (the reader ignores it) hides the progress window and is reported
// with texte_pas_un_wav. A workbook opened refreshes the added workbooks of
// the menu (recherche_excel_ajoute).
resultat_conversion BitBtn1Click(contexte& ctx, const choix_fichier& choisir, const interface_conversion& ui);

// The menu entry: a fresh conversion (reponse_taille 0, facteur_division 1,
// conversion_annulee 0), then BitBtn1Click.
resultat_conversion Lectureconversionwav1Click(contexte& ctx, const choix_fichier& choisir,
                                               const interface_conversion& ui);

}  // namespace quorva
