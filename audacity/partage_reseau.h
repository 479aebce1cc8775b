// A program folder on a network drive, started by several machines: each
// machine records into a folder of its own, named after it (dossier_machine,
// base/services_systeme.h), and the preferences of the one Audacity copy
// are written and read by one machine at a time, under a lock of the
// preferences folder that the system holds (Plateforme::take_lock).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorva {

// The lock file, in the preferences folder.
inline constexpr std::string_view nom_verrou_audacity = "quorva_audacity.verrou";

// How long a machine holds the lock at most when Audacity's window does not
// show: the other machines need not wait for an Audacity that never comes.
inline constexpr std::int64_t garde_verrou_max_ms = 20'000;

// What a machine writes in the lock it holds: its machine folder's name and
// a line break.
std::string contenu_verrou(std::string_view machine);
// The holder's machine in what the lock holds; empty when it says none.
std::string poste_du_verrou(std::string_view contenu);

// What the toolbar says while a launch waits for the lock of `poste` (empty:
// a machine that cannot be named), in the program's language (2 French,
// else English).
std::string texte_attente_verrou(const std::string& poste, int langue);

}  // namespace quorva
