// The chart's view of the recording and the editing of its marks: which
// samples are visible, the scales, the wheel navigation, the hit test, the
// pick-up / drop / add / delete of marks, the selected mark of the keyboard
// (where Insert puts a mark, the arrows' step) and the time ruler.
// TForm_chart only draws what calculer_trace(), colonnes_marquees() and
// graduations() give and forwards its mouse, wheel and key events here (the
// undoable edits go through chart/historique_pointes.h, Read marks and OK
// through chart/commandes_pointes.h).
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/plateforme.h"
#include "conversion/etat_conversion.h"

namespace quorva {


// Size of the drawing surface Image1, in pixels.
constexpr int largeur_image = 1081;
constexpr int hauteur_image = 161;

// What the drawing reads from the samples, kept between redraws (emptied
// by ouvrir_vue, and by calculer_trace when the buffer, its count or the
// vertical scale changed): the pixel row of every sample, and the highest
// and lowest rows of every run of 2, 4, 8, ... samples, so that the rows of
// a pixel column's samples are two look-ups whatever the zoom; and the
// cumulative energy of the detector's curve. A recording holding a value
// that is not a number has no order: its columns read the minimum and
// maximum values of the runs instead.
struct tables_courbe {
    const double* source = nullptr;
    std::int32_t n = 0;
    double echelle_y = 0;
    int hauteur = 0;
    bool sans_ordre = false;  // some sample is not a number (known once rangees is built)
    std::vector<std::int32_t> rangees;  // rangees[i]: the row of sample i (1-based), empty until needed
    struct etendue {
        double mini, maxi;
    };
    struct etendue_rangees {
        std::int32_t haut, bas;
    };
    // niveaux[k - 1][i]: samples i + 1 .. i + 2^k. Built up to the longest
    // run a view has asked for (the full view's columns hold the most).
    std::vector<std::vector<etendue_rangees>> niveaux_rangees;
    std::vector<std::vector<etendue>> niveaux;  // only for a recording without order
    std::vector<double> energies;  // empty until the detector is shown
};

struct vue_courbe {
    int largeur = largeur_image;  // W
    int hauteur = hauteur_image;  // H

    std::int32_t premier_visible = 1;
    std::int32_t dernier_visible = 0;
    std::int32_t nb_visibles = 0;
    double echelle_x = 0;  // pixels per sample
    double echelle_y = 0;  // pixels per unit of sample value; 0 for a flat recording
    double valeur_max = -50000;
    double valeur_min = 50000;
    double pas_trace = 1;  // drawing step in samples, at least 1
    std::int32_t premier_sauve = 1;
    std::int32_t dernier_sauve = 0;
    char touche_mod = 0;  // 's' Shift alone, 'c' Ctrl alone, 0 otherwise

    // Marks editing: the mark under the mouse or being placed (0 = none),
    // and whether it is being placed (the maroon bar Panel1 is shown).
    std::int32_t pointe_choisie = 0;
    bool placement = false;
    double position_origine = 0;  // where the mark being placed was picked up

    // The mark chosen with Tab / Shift+Tab (drawn highlighted), 0 = none.
    std::int32_t pointe_selectionnee = 0;
    // Whether the detector's window energy is drawn over the signal.
    bool detecteur_visible = false;

    tables_courbe tables;
};

struct point_trace {
    int x = 0;
    int y = 0;
};

// One pixel column of the signal: a vertical run of pixels from haut to bas
// (pixel rows, haut <= bas).
struct colonne_enveloppe {
    int x = 0;
    int haut = 0;
    int bas = 0;
};

// What affich_courbe draws. The signal, at every zoom, as one run of pixels
// per pixel column, left to right: where a column holds several samples, the
// range of its samples joined to the last sample of the column before it, so
// that no burst can vanish between drawn samples; where it holds one sample
// or fewer, the rows that the line through the samples crosses within half a
// column on either side (what a one-pixel pen draws), the line starting, as
// the pen always did, with a level stroke from the second sample's column
// back to the first sample. Then the left pixel column of each visible red
// mark (two pixels wide, over the whole height), the selected mark's column
// (-1 when it is not visible), and, when the detector is shown, its window
// energy as a polyline with the threshold's row.
struct trace_courbe {
    std::vector<colonne_enveloppe> enveloppe;
    // Where the columns hold several samples: the first sample of each
    // column of the envelope (empty otherwise).
    std::vector<std::int32_t> premiers;
    std::vector<int> colonnes_pointes;
    int colonne_selection = -1;
    std::vector<point_trace> detecteur;
    int y_seuil = -1;
};

// Rounding half to even (as std::lrint in the default rounding mode) of a
// pixel coordinate, |valeur| < 1e6, without a call into the maths library:
// the drawing rounds a few values for every pixel column.
inline int arrondi_pixel(double valeur) {
    int entier = static_cast<int>(valeur);
    entier -= static_cast<int>(entier > valeur);
    const double reste = valeur - entier;  // exact
    // Without branches: the signal's rows go up and down unpredictably.
    return entier + static_cast<int>((reste > 0.5) | ((reste == 0.5) & ((entier & 1) != 0)));
}

// The pixel column of visible sample i: its position rounded, the samples
// past the last column's middle drawn in the last column.
inline int colonne_echantillon(const vue_courbe& vue, std::int32_t i) {
    return std::min(arrondi_pixel((i - vue.premier_visible) * vue.echelle_x), vue.largeur - 1);
}

// What a pixel column of the image shows over its whole height: nothing
// (the signal), a red mark (its column and the next), or the selected mark
// (its column, one before and two after), which covers a red mark.
enum class marque_colonne : std::uint8_t { aucune, pointe, selection };

// The marks' colour of each of the `largeur` pixel columns of `trace`.
void colonnes_marquees(const trace_courbe& trace, int largeur, std::vector<marque_colonne>& colonnes);

// Number of usable samples: the count, bounded by what the buffer holds.
std::int32_t nb_utilisables(const etat_conversion& conversion);

// The chart's opening (and the re-initialisation after a marks file is
// read): range of the values, vertical scale, whole recording visible.
void ouvrir_vue(vue_courbe& vue, const etat_conversion& conversion);

// The drawing of affich_courbe: updates nb_visibles, echelle_x and
// pas_trace, and fills `trace`: one run of pixels per pixel column, whatever
// the zoom, each found in a constant time.
void calculer_trace(vue_courbe& vue, const etat_conversion& conversion, trace_courbe& trace);

// The modifier of a key press or wheel step: 's', 'c' or 0.
char touche_de(bool shift, bool ctrl, bool autre);

// One wheel step at x (pixels in the image): Shift scrolls, Ctrl zooms
// around the mouse; the view is clamped to the recording and a zoom that
// would show fewer than W div 10 samples is undone. Resets touche_mod.
void pas_molette(vue_courbe& vue, const etat_conversion& conversion, bool vers_haut, int x);

// The column of a mark at position x in the current view.
int colonne_de(const vue_courbe& vue, double x);

// Hit test at every mouse move (x in the image). Returns true when the
// mouse is on a mark (pointe_choisie is then its index). While a mark is
// being placed, nothing changes.
bool tester_pointe(vue_courbe& vue, const etat_conversion& conversion, int x);

// Left click in the image: drops the mark being placed at x, or picks up the
// mark under the mouse. Returns true when something changed.
bool clic_gauche(vue_courbe& vue, etat_conversion& conversion, int x);

// "Add a mark": reuses the last empty slot or appends one, and starts
// placing it. False (nothing changes) when the table holds 100 marks.
bool ajouter_pointe(vue_courbe& vue, etat_conversion& conversion);

// "Delete the mark": removes mark pointe_choisie keeping the others' order.
void supprimer_pointe(vue_courbe& vue, etat_conversion& conversion);

// Cancel while a mark is being placed: a picked-up mark goes back where it
// was, an added one is given up, so that no mark is lost.
void annuler_placement(vue_courbe& vue, etat_conversion& conversion);

// Before OK: a mark picked up or added but not dropped has no position; it
// is removed, with any other empty slot, so that the rebuild sees only real
// sample positions.
void retirer_pointes_vides(vue_courbe& vue, etat_conversion& conversion);

// Puts away the windows that cover the chart when it opens: up to five
// times, the foreground window is minimised unless its title is the chart's
// caption (fichier_en_cours) or it is one of the program's own windows.
void ranger_fenetres_couvrantes(Plateforme& os, const std::string& titre_chart,
                                const std::function<bool(WindowId)>& est_propre);

// --- Keyboard -----------------------------------------------------------------

// Tab (suivante) / Shift+Tab: selects the next or previous mark in the order
// of positions, going round at the ends, and scrolls the view to it when it
// is out of sight. False when there is no mark.
bool selectionner_pointe(vue_courbe& vue, const etat_conversion& conversion, bool suivante);

// The selected mark, or 0 when the selection no longer names a placed mark.
std::int32_t pointe_selectionnee(const vue_courbe& vue, const etat_conversion& conversion);

// Scrolls the view, keeping its width, so that position x is in sight.
void montrer_position(vue_courbe& vue, const etat_conversion& conversion, double x);

// "+" / "-": one Ctrl + wheel step around the selected mark when it is in
// sight, otherwise around the middle of the view.
void zoom_clavier(vue_courbe& vue, const etat_conversion& conversion, bool avant);

// The sample position under pixel column x (as a drop computes it).
double position_de(const vue_courbe& vue, int x);

// Insert: the new mark goes under the mouse when the mouse is over the
// image (x_souris, its column), otherwise in the middle of the view.
double position_insertion(const vue_courbe& vue, std::optional<int> x_souris);

// Left / Right: the selected mark moves by one sample, or with Shift by one
// pixel column (1 / echelle_x samples; one sample when nothing is drawn).
double pas_fleche(const vue_courbe& vue, bool par_colonne);

// --- Time ruler -------------------------------------------------------------

// One tick of the ruler under the curve: its pixel column and, for a major
// tick, its label.
struct graduation {
    int x = 0;
    bool majeure = false;
    std::string texte;
};

// Seconds from the start of the recording at sample n: one sample every
// facteur_division / frequence seconds; 0 when the rate is unknown.
double secondes_de(double n, std::uint32_t frequence, std::int32_t facteur_division);

// Ticks of the visible part at 1-2-5 steps (seconds, or sample numbers when
// the sample rate is unknown), labels at least about 80 pixels apart.
std::vector<graduation> graduations(const vue_courbe& vue, std::uint32_t frequence, std::int32_t facteur_division,
                                    char separateur);

// Ticks of the vertical scale, in sample units, at 1-2-5 steps at least
// ecart_min rows apart: their pixel row (in x) and label; a flat recording's
// span one sample unit either side of its line.
std::vector<graduation> graduations_amplitude(const vue_courbe& vue, double ecart_min, char separateur);

// The help text, as the message box shows it (lines joined by CR) and as
// the memo shows it (seven lines).
std::string texte_aide_message();
std::vector<std::string> lignes_aide_memo();

}  // namespace quorva
