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

// A message box, which stays on top as the toolbar does, must leave the
// toolbar `barre` (its whole rectangle) in sight: the client rectangle
// `r`, framed by `cadre`, is moved just below the toolbar when it covers
// any of it, or else just left of it, whichever stays whole in `zone`; as it
// is when neither does.
rectangle_fenetre degager_barre(const rectangle_fenetre& r, const marges_cadre& cadre, const rectangle_fenetre& barre,
                                const rectangle_fenetre& zone);

// At a fractional scaling the toolkit gives the available area in logical
// pixels rounded from the screen's own (1366 at 150 % reads 911, though 911
// logical pixels are 1366.5), and rounds a window's place and size back to
// the nearest screen pixel: a window against the right edge may end one
// pixel past the screen. The part of `zone` where any window is surely whole
// once rounded back (`origine_x`, `origine_y`: the screen's logical top-left,
// from where the toolkit scales; `facteur`: screen pixels per logical pixel).
rectangle_fenetre zone_entiere(const rectangle_fenetre& zone, int origine_x, int origine_y, double facteur);

}  // namespace quorva
