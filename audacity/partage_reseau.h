// A program folder on a network drive, started by several machines: each
// machine records into a folder of its own, named after it (dossier_machine,
// base/services_systeme.h), and the preferences of the one Audacity copy
// are written and read by one machine at a time, under a lock file of the
// preferences folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/plateforme.h"

namespace quorva {

// The lock file, in the preferences folder.
inline constexpr std::string_view nom_verrou_audacity = "quorva_audacity.verrou";

// How long a machine holds the lock at most when Audacity's window does not
// show, and how long the same lock must stay unchanged before another
// machine takes it over (left by a machine that crashed): longer than the
// first, so that a live holder is never robbed.
inline constexpr std::int64_t garde_verrou_max_ms = 20'000;
inline constexpr std::int64_t delai_reprise_verrou_ms = 30'000;

// One look at the lock file: its stamp and what its holder wrote in it
// (the holder's machine folder name, a line break, its launch's moment).
struct vue_verrou {
    FileStamp empreinte;
    std::string contenu;
    bool operator==(const vue_verrou&) const = default;
};

// What a machine waiting for the lock remembers: the lock as it first saw it,
// and when (its own clock: the machines' clocks need not agree).
struct attente_verrou {
    std::optional<vue_verrou> vu;
    std::int64_t depuis_ms = 0;
};

enum class decision_verrou {
    prendre,    // no lock: create it
    attendre,   // another machine holds it: look again later
    reprendre,  // left behind (unchanged for too long, or by this machine's earlier run): replace it
};

// The lock's rule, at each look (`actuel`: the file, nothing when there is none).
decision_verrou regle_verrou(attente_verrou& attente, const std::optional<vue_verrou>& actuel,
                             std::string_view machine, std::int64_t maintenant_ms);

}  // namespace quorva
