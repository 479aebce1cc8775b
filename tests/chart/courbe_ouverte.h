// What the chart's unit tests share: a view moved to a range of samples and
// drawn, and a fixture holding a recording in the program's context with a
// view on it.
#pragma once

#include <gtest/gtest.h>

#include "app/contexte.h"
#include "chart/vue_courbe.h"
#include "tests/support/plateforme_factice.h"

namespace quorva::test {

// Shows samples premier..dernier of `etat` in `vue` and draws them.
inline trace_courbe afficher(vue_courbe& vue, const etat_conversion& etat, int premier, int dernier) {
    vue.premier_visible = premier;
    vue.dernier_visible = dernier;
    trace_courbe trace;
    calculer_trace(vue, etat, trace);
    return trace;
}

// The conversion's recording, filled by remplir(), and a view opened on it
// by ouvrir().
class CourbeOuverte : public ::testing::Test {
protected:
    // n samples, sample i worth valeur(i).
    template <class Valeur>
    void remplir(int n, Valeur valeur) {
        auto& c = ctx.conversion;
        c.nb_echantillons = n;
        for (int i = 1; i <= n; ++i) c.echantillons[i] = valeur(i);
    }
    void ouvrir() {
        ouvrir_vue(vue, ctx.conversion);
        redessiner();
    }
    void redessiner() {
        trace_courbe trace;
        calculer_trace(vue, ctx.conversion, trace);
    }

    PlateformeFactice os;
    contexte ctx{os};
    vue_courbe vue;
};

}  // namespace quorva::test
