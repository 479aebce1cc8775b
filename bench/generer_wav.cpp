// generer_wav FILE.wav SAMPLES [SEED]: writes a towed-skid recording (see
// generateur_wav.h) for tests and benchmarks.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "bench/generateur_wav.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: generer_wav FILE.wav SAMPLES [SEED]\n";
        return 2;
    }
    const long long nb = std::atoll(argv[2]);
    const unsigned long long graine = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    if (nb < 0) return 2;
    std::ofstream sortie(argv[1], std::ios::binary);
    sortie << quorva::generateur::wav(quorva::generateur::patin(nb, graine));
    return sortie ? 0 : 1;
}
