// How the toolbar moves: dragging by its frame, panel or label (a drag of 5
// pixels or more is not a click), and the arrival animation that jiggles it
// where it was created, then glides it to the top-right corner of the screen.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace quorva {

struct position_fenetre {
    int gauche = 0;
    int haut = 0;
};

struct etat_barre {
    // Drag
    bool souris_enfoncee = false;
    std::int32_t souris_x = 0, souris_y = 0;
    std::int32_t depart_gauche = 0, depart_haut = 0;
    bool fenetre_deplacee = false;
    // Arrival animation
    std::int32_t nb_sauts = 0;
    std::int32_t nb_pas = 0;
    std::int32_t pas_x = 0;
    std::int32_t pas_y = 0;
    std::mt19937 aleatoire{0};
};

// A press on the frame, the panel or the label; x, y in the pressed control.
void FormMouseDown(etat_barre& etat, bool bouton_droit, int x, int y, position_fenetre fenetre);
// A move; returns where the window goes.
position_fenetre FormMouseMove(etat_barre& etat, int x, int y, position_fenetre fenetre);
void FormMouseUp(etat_barre& etat, int x, int y);
// A click on the panel or the label: true when the menu is to open, at
// (left, top + 20). The flag is cleared in every case.
bool Label4Click(etat_barre& etat);

// A screen of the desktop, in desktop pixels.
struct rectangle_ecran {
    int gauche = 0, haut = 0, largeur = 0, hauteur = 0;
};

// How much of the toolbar must stay on a screen: the flag and the start of
// the label, over the whole height.
constexpr int largeur_toujours_visible = 60;

// The nearest place to `voulue` where the toolbar's first
// largeur_toujours_visible pixels and its whole height lie on one screen;
// `voulue` itself when they already do. Without screens, `voulue`.
position_fenetre dans_un_ecran(position_fenetre voulue, const std::vector<rectangle_ecran>& ecrans,
                               int hauteur_fenetre);

// Where the menu opens for a click: just below the window's top-left corner.
position_fenetre point_menu(position_fenetre fenetre);

enum class suite_animation { continuer, fin_sauts, fin_glissade };

// One tick of the jiggle (31 ticks): the window jumps by -20..20 in each
// direction. On the 31st it computes the glide steps and says fin_sauts.
suite_animation Timer_sauteTimer(etat_barre& etat, position_fenetre& fenetre, int largeur_ecran,
                                 int largeur_fenetre);
// One tick of the glide (20 ticks); on the 20th the window settles one pixel
// from the right edge and 18 pixels from the top, and the menu is to open.
suite_animation Timer_placeTimer(etat_barre& etat, position_fenetre& fenetre, int largeur_ecran,
                                 int largeur_fenetre);

}  // namespace quorva
