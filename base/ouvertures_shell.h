// The last document or program handed to the shell. Pupils double-click menu
// entries and list rows as they do on the desktop, and a slow start of the
// associated program invites a second click: the same open asked again
// within a moment is the same request, and is served once.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace quorva {

struct ouvertures_shell {
    using horloge = std::chrono::steady_clock;
    // Longer than any double-click time, shorter than a deliberate reopening.
    static constexpr std::chrono::milliseconds delai{1500};

    std::function<horloge::time_point()> maintenant = [] { return horloge::now(); };
    std::string derniere;  // file, parameters and folder of the last open served
    horloge::time_point quand{};

    // True when `demande` repeats the last open served within the delay;
    // otherwise it becomes the last open served.
    bool repetition(const std::string& demande) {
        const auto t = maintenant();
        if (!derniere.empty() && demande == derniere && t - quand < delai) return true;
        derniere = demande;
        quand = t;
        return false;
    }
    // The same for one shell open.
    bool repetition(const std::string& fichier, const std::string& parametres, const std::string& dossier) {
        return repetition(fichier + '\0' + parametres + '\0' + dossier);
    }
};

}  // namespace quorva
