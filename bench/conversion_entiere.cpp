// conversion_entiere PROGRAM_FOLDER WORK_FOLDER: recordings of 100,000 and
// 1,000,000 samples kept whole ("Poursuivre"), both passes in this process
// as the program runs them (detection over every sample, then the workbook),
// with a progress callback like the progress window's. Prints, per size, the
// median time of 5 conversions, the progress steps, and the longest time the
// progress bar stood still.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/platform/platform_posix.h"
#include "bench/generateur_wav.h"
#include "app/contexte.h"
#include "conversion/pilote_conversion.h"

using namespace quorva;
using horloge = std::chrono::steady_clock;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: conversion_entiere PROGRAM_FOLDER WORK_FOLDER\n";
        return 2;
    }
    PlateformePosix os(false);
    contexte ctx(os);
    ctx.chemins.chemin_appli = std::string(argv[1]) + "/";
    std::printf("%-10s %10s %10s %14s %8s\n", "samples", "median_s", "steps", "longest_gap_ms", "events");
    for (const std::int64_t n : {100000, 1000000}) {
        const std::string wav = std::string(argv[2]) + "/entier_" + std::to_string(n) + ".wav";
        std::ofstream(wav, std::ios::binary) << generateur::wav(generateur::patin(n, 7));
        std::vector<double> durees;
        int pas = 0;
        double plus_long = 0;
        for (int essai = 0; essai < 5; ++essai) {
            auto precedent = horloge::now();
            const auto debut = precedent;
            pas = 0;
            interface_conversion ui;
            ui.question_taille = [](std::int32_t, int, std::int32_t, std::int32_t, std::int64_t) {
                return reponse_poursuivre;
            };
            ui.avance_progression = [&] {
                const auto maintenant = horloge::now();
                plus_long = std::max(plus_long, std::chrono::duration<double, std::milli>(maintenant - precedent).count());
                precedent = maintenant;
                ++pas;
            };
            convertir(ctx, ctx.conversion, wav, ui, {1, "", false});
            durees.push_back(std::chrono::duration<double>(horloge::now() - debut).count());
        }
        std::sort(durees.begin(), durees.end());
        std::printf("%-10lld %10.3f %10d %14.1f %8d\n", static_cast<long long>(n), durees[durees.size() / 2], pas,
                    plus_long, ctx.conversion.nb_pointes);
        std::remove(wav.c_str());
        std::remove((wav + ".slk").c_str());
    }
    return 0;
}
