// The chart's view of the recording and the editing of its marks: which
// samples are visible, the scales, the wheel navigation, the hit test and
// the pick-up / drop / add / delete of marks. TForm_chart only draws what
// calculer_trace() gives and forwards its mouse and wheel events here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/platform/plateforme.h"
#include "conversion/etat_conversion.h"

namespace quorva {

struct contexte;

// Size of the drawing surface Image1, in pixels.
constexpr int largeur_image = 1081;
constexpr int hauteur_image = 161;

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
};

struct point_trace {
    int x = 0;
    int y = 0;
};

// What affich_courbe draws: the black polyline (the first point is where the
// pen starts) and the left pixel column of each visible red mark (two
// pixels wide, over the whole height).
struct trace_courbe {
    std::vector<point_trace> points;
    std::vector<int> colonnes_pointes;
};

// Number of usable samples: the count, bounded by the buffer's capacity.
std::int32_t nb_utilisables(const etat_conversion& conversion);

// The chart's opening (and the re-initialisation after a marks file is
// read): range of the values, vertical scale, whole recording visible.
void ouvrir_vue(vue_courbe& vue, const etat_conversion& conversion);

// The drawing of affich_courbe: updates nb_visibles, echelle_x and
// pas_trace, and fills `trace` with at most about four points per pixel
// column, whatever the zoom.
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
void ranger_fenetres_couvrantes(contexte& ctx, const std::function<bool(WindowId)>& est_propre);

// The help text, as the message box shows it (lines joined by CR) and as
// the memo shows it (seven lines).
std::string texte_aide_message();
std::vector<std::string> lignes_aide_memo();

}  // namespace quorva
