// Slip events and energy trend of the recording in the conversion state, and the
// rebuild of the event tables from the chart's marks.
#pragma once

#include "base/services.h"
#include "conversion/lecture_wav.h"

namespace quorva {

// The rise test: the energy of the fenetre_detection samples after a
// position above seuil_detection starts an event.
constexpr int fenetre_detection = 20;
constexpr double seuil_detection = 80;

// Detection and fit over echantillons[1..nb_echantillons]: clears both event
// tables, then fills coefficient_a, coefficient_b, niveau_base, pointes,
// nb_pointes, intervalles, and the diagnostic texts (texte_label1,
// texte_label2). Progress through ui.avance_progression (one step per 1000
// positions); hides the progress window (ui.masquer_patience) at its end.
void detecte_pointes(const services& ctx, etat_conversion& etat, const interface_conversion& ui);

// The chart's OK: marks not placed (x = 0) are dropped, the positions are
// sorted, each event's energy is recomputed from the samples (less
// niveau_base), intervalles rebuilt, positions rounded half to even.
void reconstruit_pointes(etat_conversion& etat);

// The two event tables as a workbook holds them.
struct tables_evenements {
    std::array<point_xy, capacite_pointes + 1> pointes{};
    std::array<point_xy, capacite_pointes + 1> intervalles{};
    std::int32_t nb_pointes = 0;
};

// The tables that reconstruit_pointes would give, the state left as it is
// (the chart's report shows the events as OK will write them).
tables_evenements tables_reconstruites(const etat_conversion& etat);

// The tables of the state as they stand: those the workbook pass writes.
tables_evenements tables_ecrites(const etat_conversion& etat);

// Where a report's events come from; its heading says so unless they are
// the checked ones.
enum class origine_pointes {
    validees,   // checked: OK written, --accept, or the pupil's marks file
    avant_ok,   // the chart's marks, before OK writes them
    detectees,  // detection only, the marks not checked
};

// Energy of sample value v: (v / 1000)^2.
inline double energie(double v) { return (v / 1000) * (v / 1000); }

}  // namespace quorva
