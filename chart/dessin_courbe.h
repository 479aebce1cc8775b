// The one drawing of the recording: the window's image, the picture copied
// to the clipboard and the report's signal all come from dessiner_courbe,
// so that what the pupil sees and what the page shows cannot drift apart.
// dessiner_figure puts the scales around it (the vertical scale in sample
// units, the time ruler in seconds, a title line, the marks' numbers).
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

#include "chart/vue_courbe.h"
#include "conversion/etat_conversion.h"

namespace quorva {

// Working rows kept between drawings (the window redraws at every wheel
// step).
struct tampons_dessin {
    std::vector<int> haut_colonne, bas_colonne;
    std::vector<marque_colonne> marques;
    std::vector<QRgb> couleur_colonne;
    QPolygon polyligne;
};

// Draws `trace` (computed by calculer_trace for `vue`) into `zone`: one
// trace column per vue.largeur-th of its width, one row per vue.hauteur-th
// of its height: the white background, the signal's run of each column, the
// red marks, the selected mark with its arrowhead, the detector when shown.
// On the window's own bitmap (the whole image, no transformation) the pixels
// are written directly, whatever the zoom; anywhere else (a picture with
// margins, a PDF) as filled rectangles, vectors in a PDF. `marques_derriere`:
// each mark a thin line behind the signal, so that the slip it marks stays
// visible (the window's marks cover their columns).
void dessiner_courbe(QPainter& peintre, const QRectF& zone, const vue_courbe& vue, const trace_courbe& trace,
                     tampons_dessin& tampons, bool marques_derriere = false);

struct options_figure {
    QString titre;                // above everything; empty: none
    // Positions of the marks to number 1..n, in time order; empty: none.
    std::vector<double> numeros;
    QString axe_temps, axe_amplitude;  // the scales' captions; empty: none
    double taille_texte = 7;      // points
    char separateur = '.';
};

// The rows of the marks' numbers above the curve: every mark is numbered,
// in staggered rows where the numbers would overlap (a number pushed aside
// is tied to its mark by a thin line).
constexpr int rangees_numeros = 3;

// The recording with its scales, as the page and the clipboard show it: the
// curve in `courbe` (dessiner_courbe, the marks behind the signal), the
// amplitude labels left of it, the time labels under it, the title and the
// marks' numbers above it (room for them is the caller's: the title line
// and rangees_numeros lines above, two under, a label's width and a line on
// the left).
void dessiner_figure(QPainter& peintre, const QRectF& courbe, const vue_courbe& vue, const trace_courbe& trace,
                     const etat_conversion& conversion, const options_figure& options, tampons_dessin& tampons);

// The chart's view as a picture for the clipboard: the page's figure of the
// view as the window shows it (dessiner_figure). The curve's left edge is at
// marge_image_gauche, its top at marge_image_haut.
constexpr int marge_image_gauche = 70;
constexpr int marge_image_haut = 48;
QImage image_vue(const vue_courbe& vue, const trace_courbe& trace, const etat_conversion& conversion,
                 const options_figure& options);

}  // namespace quorva
