// The export watcher's look at a recording that another program holds (an
// antivirus, a spreadsheet), on the system's own platform (Windows; Wine
// here). A look runs on the user-interface thread: a click on the toolbar
// during it waits until it ends, so its duration is the toolbar's response.
// Timed: a look that finds nothing new (the baseline), a look at a new
// recording held by another handle, and the waiting read such a look made
// before (held files waited for about two seconds). Prints the medians and
// their ratios to the baseline.
// Usage: bench_regard_tenu [RUNS]   (5 by default)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audacity/surveillance.h"
#include "base/plateforme.h"
#include "base/services.h"
#include "base/platform/wide_win32.h"

using namespace quorva;

namespace {

double millisecondes(const std::function<void()>& f) {
    const auto debut = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
}

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A mono 16-bit recording of one second at 1000 Hz, finished.
std::string enregistrement() {
    const std::uint32_t donnees = 2000;
    std::string wav = "RIFF";
    const auto mot = [&](std::uint32_t v, int octets) {
        for (int i = 0; i < octets; ++i) wav += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    mot(36 + donnees, 4);
    wav += "WAVEfmt ";
    mot(16, 4), mot(1, 2), mot(1, 2), mot(1000, 4), mot(2000, 4), mot(2, 2), mot(16, 2);
    wav += "data";
    mot(donnees, 4);
    return wav + std::string(donnees, '\0');
}

}  // namespace

int main(int argc, char** argv) {
    const int essais = std::max(argc > 1 ? std::atoi(argv[1]) : 5, 1);
    auto os = creer_plateforme_systeme();
    services ctx(*os);
    int messages = 0;
    ctx.afficher_message = [&](const std::string&) { ++messages; };
    const std::string racine = os->temp_folder() + "quorva-bench-regard-" + std::to_string(GetCurrentProcessId());
    const std::string vide = racine + "\\vide", tenu = racine + "\\tenu", fichier = tenu + "\\essai.wav";
    for (const auto& dossier : {racine, vide, tenu}) os->create_folder(dossier);
    auto sortie = os->create_file(fichier);
    sortie->write(enregistrement());
    sortie->commit();
    sortie.reset();
    // Another program's handle, without sharing.
    const HANDLE prise = CreateFileW(to_wide(fichier).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (prise == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "the recording could not be held\n");
        return 1;
    }

    etat_conversion conversion;
    int conversions = 0;
    actions_surveillance actions;
    actions.convertir = [&](const std::string&, const options_conversion&) {
        ++conversions;
        return resultat_conversion{};
    };
    // Each look sees the recording as new, as the first looks after its
    // export do.
    const auto regard = [&](const std::string& dossier) {
        etat_audacity etat;
        etat.dossier_enreg = dossier;
        etat.Timer_surveille_actif = true;
        return millisecondes([&] { Timer_surveilleTimer(ctx, etat, conversion, actions); });
    };
    std::vector<double> vides, tenus, attentes;
    for (int i = 0; i < essais; ++i) {
        vides.push_back(regard(vide));
        tenus.push_back(regard(tenu));
        std::string contenu;
        attentes.push_back(millisecondes([&] { os->read_file(fichier, contenu, SIZE_MAX, nullptr, true); }));
    }
    CloseHandle(prise);
    DeleteFileW(to_wide(fichier).c_str());
    for (const auto& dossier : {tenu, vide, racine}) RemoveDirectoryW(to_wide(dossier).c_str());

    const double v = mediane(vides), t = mediane(tenus), a = mediane(attentes);
    std::printf("%d runs each, milliseconds (median)\n", essais);
    std::printf("  a look that finds nothing new (baseline): %9.2f\n", v);
    std::printf("  a look at a held recording:               %9.2f  ratio %.1f\n", t, t / v);
    std::printf("  the waiting read a look made before:      %9.2f  ratio %.1f\n", a, a / v);
    std::printf("  (conversions started: %d, messages: %d; both 0 expected)\n", conversions, messages);
    return conversions == 0 && messages == 0 ? 0 : 1;
}
