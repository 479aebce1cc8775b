// The practical-work section windows' bookkeeping: what each window shows,
// where it stands, and which slots are free. The Qt windows (Tform_TP) are
// views of these records.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/ouvertures_shell.h"

namespace quorva {

struct couleur_tp {
    int r = 128, g = 128, b = 128;
    bool operator==(const couleur_tp&) const = default;
};

struct feuille_tp {
    bool creee = false;
    int Tag = 0;                // its slot while open, 0 once closed
    bool visible = false;
    int mode = 0;               // Tag of ListBox1: 1 menu section, 0 folder section
    std::string titre;          // lab_nom_tp
    couleur_tp fond;            // window and Shape1 fill
    couleur_tp couleur_titre{255, 255, 255};
    std::vector<std::string> ListBox1;   // visible rows
    std::vector<std::string> Liste_nom;  // menu section: what row i opens
    std::string dossier;                 // folder section: FileListBox1's folder
    // Geometry, client coordinates in pixels.
    int Left = 1016, Top = 4;
    int Width = 189, Height = 109;
    int liste_largeur = 0, liste_hauteur = 0;
    int titre_left = 5;
    int close_left = 189 - 14 - 2;
};

constexpr int nb_max_feuilles = 50;
constexpr int nb_max_sections = 50;

struct etat_sections {
    std::array<feuille_tp, nb_max_feuilles + 1> feuilles_tp;  // slot 0 unused
    int nb_feuilles = 0;
    ouvertures_shell ouvertures;  // what the section rows opened last
    int nb_sections = 0;

    // Drag shared by all section windows.
    bool deplacement_tp = false;
    int x0 = 0, y0 = 0;

    // Given by the window layer: the width of a text in Lab_taille's font and
    // the height of one line. The defaults are a rough estimate for tests.
    std::function<int(const std::string& texte)> largeur_texte;
    std::function<int()> hauteur_ligne;
    // Given by the window layer: show (create or refresh) window `slot`.
    std::function<void(int slot)> montrer_feuille;
};

}  // namespace quorva
