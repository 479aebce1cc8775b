// affich_courbe on the real chart window, offscreen: a full view of 32,000
// samples against zoomed views. The baseline is the zoomed view of 4 x W
// samples (every sample drawn); the ratios are what matter.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "app/platform/platform_posix.h"
#include "bench/generateur_wav.h"
#include "chart/TForm_chart.h"

using namespace quorva;

namespace {

struct banc {
    PlateformePosix os{false};
    contexte ctx{os};
    std::unique_ptr<TForm_chart> chart;

    banc() {
        const auto valeurs = generateur::patin(32000, 7);
        ctx.conversion.nb_echantillons = 32000;
        for (int i = 0; i < 32000; ++i) ctx.conversion.echantillons[i + 1] = valeurs[i];
        ctx.conversion.nb_pointes = 20;
        for (int k = 1; k <= 20; ++k) ctx.conversion.pointes[k].x = 1500.0 * k;
        chart = std::make_unique<TForm_chart>(ctx);
        chart->ouvrir();
    }
};

banc& le_banc() {
    static banc b;
    return b;
}

void dessiner(benchmark::State& state, int premier, int dernier) {
    auto& b = le_banc();
    b.chart->vue.premier_visible = premier;
    b.chart->vue.dernier_visible = dernier;
    for (auto _ : state) {
        b.chart->affich_courbe();
        benchmark::DoNotOptimize(b.chart->Image1->bitmap.constBits());
    }
    state.counters["echantillons"] = dernier - premier + 1;
    state.counters["pas_trace"] = b.chart->vue.pas_trace;
}

void BM_affich_courbe_entier(benchmark::State& state) { dessiner(state, 1, 32000); }
void BM_affich_courbe_zoom_4W(benchmark::State& state) { dessiner(state, 10001, 10000 + 4 * largeur_image); }
void BM_affich_courbe_zoom_8000(benchmark::State& state) { dessiner(state, 12001, 20000); }
void BM_affich_courbe_zoom_200(benchmark::State& state) { dessiner(state, 15001, 15200); }

// The geometry alone, without painting.
void BM_calculer_trace_entier(benchmark::State& state) {
    auto& b = le_banc();
    vue_courbe vue;
    ouvrir_vue(vue, b.ctx.conversion);
    trace_courbe trace;
    for (auto _ : state) {
        calculer_trace(vue, b.ctx.conversion, trace);
        benchmark::DoNotOptimize(trace.points.data());
    }
}

}  // namespace

BENCHMARK(BM_affich_courbe_entier)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_4W)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_8000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_calculer_trace_entier)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
