// affich_courbe on the real chart window, offscreen, for a recording of
// 32,100 samples: the full view against zoomed views (envelope of several
// samples per pixel column, and the line through at most one per column).
// The drawing is bounded by the image width, so the times should be close:
// the run ends with each zoomed view's time as a ratio of the full view's,
// and the full view's time against its 2 ms budget.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/platform/platform_posix.h"
#include "bench/generateur_wav.h"
#include "app/contexte.h"
#include "chart/TForm_chart.h"

using namespace quorva;

namespace {

constexpr int nb = 32100;

struct banc {
    PlateformePosix os{false};
    contexte ctx{os};
    std::unique_ptr<TForm_chart> chart;

    banc() {
        const auto valeurs = generateur::patin(nb, 7);
        ctx.conversion.nb_echantillons = nb;
        ctx.conversion.frequence_echantillonnage = 1000;
        for (int i = 0; i < nb; ++i) ctx.conversion.echantillons[static_cast<std::size_t>(i) + 1] = valeurs[static_cast<std::size_t>(i)];
        ctx.conversion.nb_pointes = 20;
        for (int k = 1; k <= 20; ++k) ctx.conversion.pointes[k].x = 1500.0 * k;
        chart = std::make_unique<TForm_chart>(ctx, ctx.conversion, ctx.langue.langue);
        chart->ouvrir();
        chart->vue.pointe_selectionnee = 3;
    }
};

banc& le_banc() {
    static banc b;
    return b;
}

void dessiner(benchmark::State& state, int premier, int dernier, bool detecteur = false) {
    auto& b = le_banc();
    b.chart->vue.premier_visible = premier;
    b.chart->vue.dernier_visible = dernier;
    b.chart->vue.detecteur_visible = detecteur;
    for (auto _ : state) {
        b.chart->affich_courbe();
        benchmark::DoNotOptimize(b.chart->Image1->bitmap.constBits());
    }
    state.counters["echantillons"] = dernier - premier + 1;
}

void BM_affich_courbe_entier(benchmark::State& state) { dessiner(state, 1, nb); }
void BM_affich_courbe_zoom_8000(benchmark::State& state) { dessiner(state, 12001, 20000); }
void BM_affich_courbe_zoom_4W(benchmark::State& state) { dessiner(state, 10001, 10000 + 4 * largeur_image); }
void BM_affich_courbe_zoom_W(benchmark::State& state) { dessiner(state, 15001, 15000 + largeur_image); }
void BM_affich_courbe_zoom_200(benchmark::State& state) { dessiner(state, 15001, 15200); }
void BM_affich_courbe_zoom_108(benchmark::State& state) { dessiner(state, 15001, 15000 + largeur_image / 10); }
void BM_affich_courbe_entier_detecteur(benchmark::State& state) { dessiner(state, 1, nb, true); }

// The geometry alone (calculer_trace), without painting.
void geometrie(benchmark::State& state, int premier, int dernier) {
    auto& b = le_banc();
    vue_courbe vue;
    ouvrir_vue(vue, b.ctx.conversion);
    vue.premier_visible = premier;
    vue.dernier_visible = dernier;
    trace_courbe trace;
    for (auto _ : state) {
        calculer_trace(vue, b.ctx.conversion, trace);
        benchmark::DoNotOptimize(trace.enveloppe.data());
    }
}

void BM_calculer_trace_entier(benchmark::State& state) { geometrie(state, 1, nb); }
void BM_calculer_trace_zoom_8000(benchmark::State& state) { geometrie(state, 12001, 20000); }
void BM_calculer_trace_zoom_W(benchmark::State& state) { geometrie(state, 15001, 15000 + largeur_image); }
void BM_calculer_trace_zoom_200(benchmark::State& state) { geometrie(state, 15001, 15200); }

// Keeps the CPU time of each benchmark for the ratios at the end (the
// processor time of the drawing: wall time also counts the other processes
// of a shared machine): the median of the repetitions, which are run in a
// random order so that a change of load weighs on every view alike.
class Rapport : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> temps_us;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs) {
            const bool mediane = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (mediane || (r.run_type == Run::RT_Iteration && r.iterations > 0))
                temps_us[r.run_name.function_name] = r.GetAdjustedCPUTime();  // in the unit asked: µs
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

BENCHMARK(BM_affich_courbe_entier)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_8000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_4W)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_W)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_zoom_108)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_affich_courbe_entier_detecteur)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_calculer_trace_entier)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_calculer_trace_zoom_8000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_calculer_trace_zoom_W)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_calculer_trace_zoom_200)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Unless told otherwise: 10 repetitions of each, in a random order, and
    // only their summaries (mean, median, spread) shown.
    std::vector<char*> arguments(argv, argv + argc);
    bool repetitions = false;
    for (int i = 1; i < argc; ++i) repetitions = repetitions || std::string(argv[i]).starts_with("--benchmark_repetitions");
    char repeter[] = "--benchmark_repetitions=10", melanger[] = "--benchmark_enable_random_interleaving=true",
         resumer[] = "--benchmark_report_aggregates_only=true", duree[] = "--benchmark_min_time=0.1";
    if (!repetitions) arguments.insert(arguments.begin() + 1, {repeter, melanger, resumer, duree});
    int nb_arguments = static_cast<int>(arguments.size());
    benchmark::Initialize(&nb_arguments, arguments.data());
    Rapport rapport;
    benchmark::RunSpecifiedBenchmarks(&rapport);
    benchmark::Shutdown();

    le_banc().chart.reset();  // before the application goes
    const auto entier = rapport.temps_us.find("BM_affich_courbe_entier");
    if (entier == rapport.temps_us.end() || entier->second <= 0) return 0;
    std::printf("\nfull view of %d samples: %.3f ms of CPU (budget 2 ms: %s)\n", nb, entier->second / 1000,
                entier->second < 2000 ? "within" : "OVER");
    double pire = 0;
    for (const char* nom : {"BM_affich_courbe_zoom_8000", "BM_affich_courbe_zoom_4W", "BM_affich_courbe_zoom_W",
                            "BM_affich_courbe_zoom_200", "BM_affich_courbe_zoom_108"}) {
        const auto z = rapport.temps_us.find(nom);
        if (z == rapport.temps_us.end()) continue;
        const double ratio = entier->second / z->second;
        pire = std::max(pire, std::abs(ratio - 1));
        std::printf("full / %-28s %.2f\n", nom + 3, ratio);
    }
    std::printf("largest gap between the full view and a zoomed view: %.0f %% (target: within 20 %%)\n", 100 * pire);
    std::fflush(stdout);
    return 0;
}
