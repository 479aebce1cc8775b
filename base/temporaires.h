// The temporary file of a write, beside the file it is to replace:
// ".<name>.quorva-<machine>-<process>-<n>". A write that dies before its
// rename leaves it behind; the next write in the folder removes it only when
// the name proves that it is ours and dead: made on this machine (the same
// machine text) by a process that no longer runs here, and left untouched
// for longer than any write takes. Everything else stays: a user's file that
// merely looks like one, a leftover of another machine sharing the folder
// (whose processes we cannot see), a write in progress.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorva {

// How long a leftover is left alone, whatever else its name says: far more
// than a write takes, even one waiting on a question to the user.
constexpr std::int64_t age_min_reste_secondes = 24 * 3600;

// The machine's text in the names: letters, digits, '.', '_' and '-' kept,
// anything else becomes '_'; "?" when the system gives none (then nothing
// is ever taken for ours).
std::string texte_machine(std::string_view nom_systeme);

// The temporary name for `nom_cible` (a file name, no folder). It is never
// longer than the target's name, in bytes (POSIX' limit) and in UTF-16
// units (Windows': 255): the part taken from the target is cut (never
// inside a character) to leave room for the rest, so that a target whose
// path fits the system's limits has a temporary file that fits too. Only a target name shorter than the pattern itself (one character of
// it, the mark, the machine, the numbers) gets a longer one, of that
// shortest form.
std::string nom_temporaire(std::string_view nom_cible, std::string_view machine, unsigned long processus,
                           unsigned long numero);

struct auteur_temporaire {
    std::string machine;
    unsigned long processus = 0;
};

// Who made a temporary file of the pattern above; nothing for any other name.
std::optional<auteur_temporaire> auteur_du_temporaire(std::string_view nom);

// Whether a file of the folder may be removed as a dead write's leftover:
// ours (pattern), made on `machine`, not by this process, older than
// age_min_reste_secondes, and its process gone. `processus_mort` is asked
// last, only for such a file.
template <class Mort>
bool reste_a_supprimer(std::string_view nom, std::string_view machine, unsigned long moi, std::int64_t age_secondes,
                       Mort processus_mort) {
    const auto auteur = auteur_du_temporaire(nom);
    if (!auteur || machine == "?" || auteur->machine != machine || auteur->processus == moi) return false;
    if (age_secondes < age_min_reste_secondes) return false;
    return processus_mort(auteur->processus);
}

}  // namespace quorva
