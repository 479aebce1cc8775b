// The conversion driver: from a recording to its workbook. One call,
// convertir, serves every caller (the menu entry "Read convert .wav", the
// export watcher, quorva-convert and the tests):
//
//   convertir(ctx, etat, chemin, ui, options)
//     fresh state: reponse_taille 0, conversion_annulee 0, the starting
//       facteur_division and the chart's title from the options
//     progress window shown
//     display pass (conversion/lecture_wav.h): header, size check, samples,
//       events; the base workbook must be readable before the size
//       question or the chart
//     the chart (ui.montrer_graphique), then the progress window again
//     accepted and not cancelled: workbook pass, chemin + ".slk" handed to
//       the shell, progress window hidden
//
// The windows come in through `ui`: the progress window, the size dialog
// and the chart. Errors of a pass (unreadable recording, missing base
// workbook, workbook that cannot be written) are raised as erreur_quorva for
// the caller's guard; nothing is opened then.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/services.h"
#include "conversion/etat_conversion.h"
#include "conversion/fichier_pointes.h"
#include "conversion/lecture_wav.h"

namespace quorva {

struct options_conversion {
    std::int32_t facteur_division = 1;  // before any answer of the size dialog
    std::string fichier_en_cours;       // the chart's title; empty: the recording's file name
    bool ouvrir_classeur = true;        // hand the workbook to the shell
};

struct resultat_conversion {
    bool choisi = false;     // a file was chosen (always true but for the menu's cancelled dialog)
    resultat_lecture lecture = resultat_lecture::ignore;  // of the display pass
    bool annulee = false;    // cancelled in the size dialog
    bool classeur_ecrit = false;   // the workbook was written
    bool classeur_ouvert = false;  // ... and handed to the shell
    std::string classeur;    // chemin + ".slk"
};

// The two passes on one recording, with the chart between them. Steps:
//  1. a fresh conversion state, the progress window shown;
//  2. display pass, then the chart and the progress window again (an
//     ignored recording shows nothing and leaves the progress window as it
//     is; a refused one has shown its message and hidden it). Before the
//     size question, or else before the chart, the base workbook of
//     ui.langue is read (lire_classeur_base): its error comes then, with no
//     chart and no workbook;
//  3. accepted and not cancelled: workbook pass, then (ouvrir_classeur)
//     ExecuteFile(chemin + ".slk", "", chemin_appli, 1) and etat.apres_classeur;
//     the progress window hidden. A recording that the workbook pass no
//     longer reads (changed meanwhile) opens nothing: an ignored one raises
//     texte_pas_un_wav, a refused one has shown its message;
//  4. cancelled in the size dialog: the progress window hidden.
// An error of either pass hides the progress window before it goes on to
// the caller; a workbook that cannot be written also names the workbook and
// the cause the system gave (raison_ecriture, base/echecs_fichiers.h).
// One that another program still holds asks ui.reessayer_classeur when
// there is one: Retry runs the workbook pass again, Cancel keeps the old
// workbook and says so (texte_classeur_garde), without an error. While it runs,
// etat.conversion_en_cours is set: the sample buffer is shared.
resultat_conversion convertir(services& ctx, etat_conversion& etat, const std::string& chemin,
                              const interface_conversion& ui, const options_conversion& options = {});

// A recording as its workbook holds it, without the chart and without
// writing anything (the pages of collected work, the class summary): the
// display pass on a fresh state, as convertir starts it, at
// options.facteur_division (a size question unanswered keeps it), then the
// tables of pointes_du_classeur. A marks file that cannot be read leaves
// the detected tables and says why in erreur_pointes; an error of the
// recording itself is raised.
struct lecture_classeur {
    resultat_lecture lecture = resultat_lecture::ignore;
    accord_pointes accord = accord_pointes::absent;
    std::string erreur_pointes;
};
lecture_classeur lire_comme_classeur(const services& ctx, etat_conversion& etat, const std::string& chemin,
                                     const interface_conversion& ui, const options_conversion& options);

// "Le fichier %s n'est pas un enregistrement .WAV lisible."
extern const char* const texte_pas_un_wav;
// The Retry/Cancel box of a workbook still held (ui.reessayer_classeur),
// naming its path then its file name; and what Cancel says.
std::string texte_classeur_tenu(const std::string& classeur);
extern const char* const texte_classeur_garde;

// The open dialog's settings (OpenDialog1 of the toolbar).
constexpr const char* filtre_wav = "(*.wav)|*.WAV";
constexpr const char* extension_wav = "wav";

// Shows the open dialog: filter, default extension and initial folder as
// given; returns the chosen path, empty when the user cancels.
using choix_fichier = std::function<std::string(const std::string& filtre, const std::string& extension,
                                                const std::string& dossier_initial)>;

// The toolbar's conversion routine (the work of its hidden button BitBtn1):
// open dialog in chemin_appli, then convertir with the chosen file's name
// as the chart's title. Nothing happens (not even the dialog) while another
// conversion runs. A chosen file that is no WAV recording at all (the
// reader ignores it) hides the progress window and is reported with
// texte_pas_un_wav.
resultat_conversion BitBtn1Click(services& ctx, etat_conversion& etat, const choix_fichier& choisir,
                                 const interface_conversion& ui);

// The menu entry "Read convert .wav ( 1 channel; 16 bits) Excel": the
// toolbar's conversion routine (convertir resets the conversion's state).
inline resultat_conversion Lectureconversionwav1Click(services& ctx, etat_conversion& etat,
                                                      const choix_fichier& choisir, const interface_conversion& ui) {
    return BitBtn1Click(ctx, etat, choisir, ui);
}

}  // namespace quorva
