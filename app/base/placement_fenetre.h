// Where a window shows: whole inside the available area of the screen (the
// screen without its task bar), frame and title bar included, whatever the
// display scaling. Coordinates are the windows' own (logical) pixels: at
// 150 % a 1920 x 1080 screen is 1280 x 720 of them.
#pragma once

namespace quorva {

struct rectangle_fenetre {
    int gauche = 0, haut = 0, largeur = 0, hauteur = 0;
    int droite() const { return gauche + largeur; }  // first pixel past the right edge
    int bas() const { return haut + hauteur; }
    bool contient(const rectangle_fenetre& r) const {
        return r.gauche >= gauche && r.haut >= haut && r.droite() <= droite() && r.bas() <= bas();
    }
    bool operator==(const rectangle_fenetre&) const = default;
};

// The frame the window system draws around the client area; `haut` holds
// the title bar.
struct marges_cadre {
    int gauche = 0, haut = 0, droite = 0, bas = 0;
    bool operator==(const marges_cadre&) const = default;
};

// The client rectangle and frame give the window's whole rectangle.
rectangle_fenetre avec_cadre(const rectangle_fenetre& client, const marges_cadre& cadre);

// The client rectangle to give a window that asks for `voulu` (its client
// area), framed by `cadre`, on the available area `zone`:
// - a window that lies whole in the zone keeps its place and size;
// - otherwise it moves the least that brings it whole into the zone;
// - a window wider than the zone is narrowed, down to largeur_min at most
//   (never widened); if it is still wider, its left edge goes to the zone's
//   left edge (the title bar's start, its icon and its menu, on the screen);
// - a window taller than the zone (never made shorter) has its title bar at
//   the zone's top, so it can still be moved.
// An empty zone (no screen known) leaves the window as asked.
rectangle_fenetre placer_fenetre(const rectangle_fenetre& voulu, const marges_cadre& cadre,
                                 const rectangle_fenetre& zone, int largeur_min);

}  // namespace quorva
