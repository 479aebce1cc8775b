// The chart's edits of the marks as undoable steps, and the count of what
// the pupil changed. Every edit goes through here: a mark picked up and
// dropped (one step, whatever the mouse did in between), a mark added, a
// mark deleted, a keyboard move, the marks read from their file. A step keeps
// the marks before and after it, so that undo and redo put back exactly what
// was there (a file read brings marks only: a marks file is read only when
// its samples are those of the chart). The history starts when
// the chart opens and ends when it closes (OK or Cancel).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "chart/vue_courbe.h"
#include "conversion/etat_conversion.h"

namespace quorva {

enum class genre_etape { deplacement, ajout, suppression, lecture };

// What the pupil changed, against the marks at the chart's opening.
struct resume_pointes {
    int total = 0;       // placed marks
    int detectees = 0;   // at their detected position
    int deplacees = 0;   // a detected mark elsewhere
    int ajoutees = 0;    // not a detected mark
    int supprimees = 0;  // detected marks no longer there
};

class historique_pointes {
public:
    // The chart opens: the current marks are the detected ones, nothing to
    // undo or redo.
    void commencer(const etat_conversion& conversion);
    // The chart closes: the history is forgotten.
    void terminer();

    bool peut_annuler() const { return !passees_.empty(); }
    bool peut_retablir() const { return !futures_.empty(); }

    // Undo / redo one step; the kind of step, or none when there was none.
    // A placement in progress is given up first (that alone is the undo).
    // A file read undone or redone re-opens the view on the whole recording.
    std::optional<genre_etape> annuler(vue_courbe& vue, etat_conversion& conversion);
    std::optional<genre_etape> retablir(vue_courbe& vue, etat_conversion& conversion);

    // --- With the mouse ----------------------------------------------------
    // A left click: picks up the mark under the mouse, or drops the mark
    // being placed (moved to the onset within ten pixel columns when
    // `accroche`). The drop records the step. True when something changed.
    bool clic_gauche(vue_courbe& vue, etat_conversion& conversion, int x, bool accroche);
    // "Add a mark": starts placing a new mark (the drop records the step).
    // False when the table is full.
    bool ajouter(vue_courbe& vue, etat_conversion& conversion);
    // "Delete the mark": the mark under the mouse (pointe_choisie).
    bool supprimer(vue_courbe& vue, etat_conversion& conversion);
    // Escape, Cancel, or a file read: a carried mark goes back, an added
    // one is given up; no step.
    void abandonner_placement(vue_courbe& vue, etat_conversion& conversion);

    // --- With the keyboard (on the selected mark) ---------------------------
    // Moves the selected mark by `decalage` samples, within the recording.
    bool deplacer_selection(vue_courbe& vue, etat_conversion& conversion, double decalage);
    // Deletes the selected mark; the next one in position order is selected.
    bool supprimer_selection(vue_courbe& vue, etat_conversion& conversion);
    // Adds a mark at `position` (snapped when `accroche`) and selects it.
    // False when the table is full or the recording empty.
    bool inserer(vue_courbe& vue, etat_conversion& conversion, double position, bool accroche);

    // --- Marks file -----------------------------------------------------------
    // Gives up a placement in progress, then runs `lire` (which puts the
    // marks of a file in place); when it returns true the marks it put in
    // place are one step. When it returns false or throws, no step is
    // recorded and the exception goes on to the caller.
    bool lire(vue_courbe& vue, etat_conversion& conversion, const std::function<bool()>& lire);

    resume_pointes resume(const etat_conversion& conversion) const;

private:
    struct instantane {
        std::array<point_xy, capacite_pointes + 1> pointes{};
        std::int32_t nb_pointes = 0;
        std::array<std::int32_t, capacite_pointes + 1> origine{};
    };
    struct etape {
        genre_etape genre;
        instantane avant, apres;
    };

    instantane prendre(const etat_conversion& conversion) const;
    void remettre(const instantane& etat, etat_conversion& conversion);
    std::optional<genre_etape> deplacer_etape(std::vector<etape>& de, std::vector<etape>& vers, bool apres,
                                              vue_courbe& vue, etat_conversion& conversion);
    void enregistrer(genre_etape genre, instantane avant, const etat_conversion& conversion);
    void reconnaitre_origines(const etat_conversion& conversion);

    std::vector<etape> passees_, futures_;
    // For each slot of pointes, the detected mark it comes from (1-based
    // index into detectees_), 0 for a mark added.
    std::array<std::int32_t, capacite_pointes + 1> origine_{};
    std::vector<double> detectees_;  // positions at the opening, [0] unused
    // The marks before the placement in progress (pick-up or add).
    std::optional<instantane> avant_placement_;
    genre_etape genre_placement_ = genre_etape::deplacement;
};

}  // namespace quorva
