#include "chart/disposition_chart.h"

#include <algorithm>

namespace quorva {

disposition_chart disposer_chart(int largeur_fenetre) {
    disposition_chart d;
    const int largeur = std::clamp(largeur_fenetre, largeur_min_chart, largeur_chart);
    const int retrait = largeur_chart - largeur;
    d.largeur_image = largeur_image - retrait;
    d.x_ok -= retrait;
    d.x_cancel -= retrait;
    // The three parts of the status line keep their shares of the image's width.
    const auto part = [&](int design) { return design * d.largeur_image / largeur_image; };
    d.largeur_position = part(d.largeur_position);
    d.x_resume = 24 + part(d.x_resume - 24);
    d.largeur_resume = part(d.largeur_resume);
    d.x_message = 24 + part(d.x_message - 24);
    d.largeur_message = 24 + d.largeur_image - d.x_message;
    return d;
}

}  // namespace quorva
