// Where the chart's controls go across the window's width. At its design
// width (1130) and wider, the design places: the 1081-pixel image from 24,
// OK and Cancel at 1000 and 1003. On a screen too small for it the window is
// narrowed (base/placement_fenetre.h, down to largeur_min_chart): the
// image, the time ruler and the status line narrow with it, and OK and Cancel
// keep their distance to the right edge, right of the help.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chart/vue_courbe.h"

namespace quorva {

constexpr int largeur_chart = 24 + largeur_image + 25;
// The help ends at 297; the buttons stay 8 pixels right of it.
constexpr int largeur_min_chart = 297 + 8 + (largeur_chart - 1000);

struct disposition_chart {
    int largeur_image = quorva::largeur_image;  // the image and its ruler, from x = 24
    int x_ok = 1000, x_cancel = 1003;
    // The status line: position, summary and message, from left to right.
    int x_position = 24, largeur_position = 230;
    int x_resume = 260, largeur_resume = 420;
    int x_message = 690, largeur_message = 24 + quorva::largeur_image - 690;
};

disposition_chart disposer_chart(int largeur_fenetre);

// How wide a text shows, in pixels (the status line's font).
using mesure_texte = std::function<int(const std::string& texte)>;

// One part of the status line in lines no wider than `largeur`: broken at
// its blanks, every word whole. The path in it (`chemin`, its last
// occurrence; none when empty or absent) is one piece with what touches it
// ("(" and ")"); when the rest of a line cannot hold it, it starts the next
// one, shortened in its middle ("…") when a whole line is too narrow for
// it. A word wider than a line stands alone on its own.
std::vector<std::string> lignes_etat(const std::string& texte, const std::string& chemin, int largeur,
                                     const mesure_texte& mesure);

}  // namespace quorva
