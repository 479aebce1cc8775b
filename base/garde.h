// The guard that every event handler runs through: an error raised by the
// handler ends that handler, its text is shown to the user, and the program
// goes on. No exception ever crosses the event loop.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "base/erreur.h"

namespace quorva {

// How the guard shows a message; the windows install a message box.
using afficheur_erreur = std::function<void(const std::string& texte)>;

// Runs `gestionnaire`; returns false when it failed (the text was shown).
template <class F>
bool garde(const afficheur_erreur& afficher, F&& gestionnaire) {
    try {
        std::forward<F>(gestionnaire)();
        return true;
    } catch (const erreur_quorva& e) {
        if (afficher) afficher(e.what());
    } catch (const std::bad_alloc&) {
        if (afficher) afficher("Mémoire insuffisante");
    } catch (const std::exception& e) {
        if (afficher) afficher(e.what());
    } catch (...) {
        if (afficher) afficher("Erreur inattendue");
    }
    return false;
}

}  // namespace quorva
