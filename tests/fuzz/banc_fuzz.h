// What every fuzz target shares: the real POSIX platform (without X11) on a
// private temporary folder that stands for the program folder, a fresh
// context per input, and the input written to the file the reader opens, so
// that each input goes through the same calls as a file met in class.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/contexte.h"
#include "base/erreur.h"
#include "base/platform/platform_posix.h"

namespace quorva::fuzz {

// The program folder of the run ("quorva-fuzz-XXXXXX/" in memory when the
// system has /dev/shm, so that the writers' fsync costs nothing), removed at
// exit. Never freed: the exit handler still needs it.
inline const std::string& dossier() {
    static const std::string* chemin = [] {
        std::string modele = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/quorva-fuzz-XXXXXX"
                                                                        : "/tmp/quorva-fuzz-XXXXXX";
        if (!::mkdtemp(modele.data())) std::abort();
        std::filesystem::create_directories(modele + "/fic_quorva");
        std::filesystem::create_directories(modele + "/temp/quorva");
        auto* resultat = new std::string(modele + "/");
        std::atexit([] { std::filesystem::remove_all(dossier()); });
        return resultat;
    }();
    return *chemin;
}

inline PlateformePosix& plateforme() {
    static PlateformePosix os(false);
    return os;
}

inline void ecrire(const std::string& chemin, const std::uint8_t* donnees, std::size_t taille) {
    std::ofstream(chemin, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(donnees),
                                                                    static_cast<std::streamsize>(taille));
}

inline void copier(const std::string& source, const std::string& destination) {
    std::filesystem::copy_file(source, destination, std::filesystem::copy_options::overwrite_existing);
}

// A context as the start-up sequence leaves it: program folder, temporary
// folder, messages swallowed (every reader may show one).
inline std::unique_ptr<contexte> nouveau_contexte() {
    auto ctx = std::make_unique<contexte>(plateforme());
    ctx->chemins.chemin_appli = dossier();
    ctx->chemins.chemin_temp = dossier() + "temp/";
    ctx->afficher_message = [](const std::string&) {};
    return ctx;
}

// Runs a reader; its own error type is a clear message to the user, so it
// is an expected outcome. Anything else escapes and stops the fuzzer.
template <class F>
void sans_erreur_quorva(F&& lecteur) {
    try {
        lecteur();
    } catch (const erreur_quorva&) {
    }
}

}  // namespace quorva::fuzz
