// Recordings for tests and benchmarks: canonical mono 16-bit WAV files with a
// stick-slip-like signal (quiet noise with bursts), reproducible from a seed.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace quorva::generateur {

inline void ajoute_u16(std::string& f, std::uint32_t v) {
    f += static_cast<char>(v & 0xFF);
    f += static_cast<char>((v >> 8) & 0xFF);
}
inline void ajoute_u32(std::string& f, std::uint32_t v) {
    ajoute_u16(f, v & 0xFFFF);
    ajoute_u16(f, v >> 16);
}

// The canonical 44-byte header.
inline std::string entete(std::uint32_t taille_donnees, std::uint16_t canaux = 1, std::uint16_t bits = 16,
                          std::uint32_t frequence = 1000) {
    std::string f = "RIFF";
    ajoute_u32(f, 36 + taille_donnees);
    f += "WAVEfmt ";
    ajoute_u32(f, 16);
    ajoute_u16(f, 1);
    ajoute_u16(f, canaux);
    ajoute_u32(f, frequence);
    ajoute_u32(f, frequence * canaux * bits / 8);
    ajoute_u16(f, static_cast<std::uint16_t>(canaux * bits / 8));
    ajoute_u16(f, bits);
    f += "data";
    ajoute_u32(f, taille_donnees);
    return f;
}

inline std::string wav(const std::vector<std::int16_t>& valeurs) {
    std::string f = entete(static_cast<std::uint32_t>(valeurs.size() * 2));
    for (auto v : valeurs) ajoute_u16(f, static_cast<std::uint16_t>(v));
    return f;
}

// A small deterministic generator (the same numbers on every system).
struct aleatoire {
    std::uint64_t etat;
    explicit aleatoire(std::uint64_t graine) : etat(graine * 6364136223846793005ULL + 1442695040888963407ULL) {}
    std::uint32_t suivant() {
        etat = etat * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(etat >> 33);
    }
    int entre(int bas, int haut) { return bas + static_cast<int>(suivant() % static_cast<std::uint32_t>(haut - bas + 1)); }
};

// A towed-skid recording: noise of a few hundred units, and every 700 to
// 1500 samples a slip, a decaying oscillation of 100 to 250 samples. The
// samples where the bursts start go to `debuts` when given.
inline std::vector<std::int16_t> patin(std::int64_t nb, std::uint64_t graine,
                                       std::vector<std::int64_t>* debuts = nullptr) {
    aleatoire hasard(graine);
    std::vector<std::int16_t> valeurs(static_cast<std::size_t>(nb));
    std::int64_t prochain = hasard.entre(400, 900);
    std::int64_t fin_rafale = -1, debut_rafale = 0;
    double amplitude = 0;
    for (std::int64_t i = 0; i < nb; ++i) {
        if (i == prochain) {
            debut_rafale = i;
            fin_rafale = i + hasard.entre(100, 250);
            amplitude = hasard.entre(8000, 30000);
            prochain = fin_rafale + hasard.entre(700, 1500);
            if (debuts) debuts->push_back(i + 1);  // sample numbers start at 1
        }
        double v = hasard.entre(-300, 300);
        if (i < fin_rafale) {
            const double t = static_cast<double>(i - debut_rafale);
            v += amplitude * std::exp(-t / 60.0) * std::sin(t * 0.9);
        }
        if (v > 32767) v = 32767;
        if (v < -32768) v = -32768;
        valeurs[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(v));
    }
    return valeurs;
}

}  // namespace quorva::generateur
