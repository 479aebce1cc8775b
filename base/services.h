// What every subsystem stands on: the platform, the decimal separator read
// once at start, the program's path values, the window search data, the
// diagnostic log and the message boxes. Subsystem routines take this and the
// state of their own subsystem, never the whole program context.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/chemins.h"
#include "base/plateforme.h"
#include "base/recherche_fenetres.h"

namespace quorva {

struct services {
    explicit services(Plateforme& plateforme)
        : os(plateforme), separateur_decimal(plateforme.decimal_separator()) {}

    Plateforme& os;
    char separateur_decimal;  // read once at start

    chemins_programme chemins;
    recherche_fenetres fenetres;
    std::vector<std::string> journal;  // diagnostic log, shown by TForm_voir

    // How a routine shows a message box with one OK button,
    // one hook per kind so that the box carries the icon that fits:
    // - afficher_message: a refusal the user has to act on (warning);
    // - afficher_information: guidance or a confirmation (information);
    // - afficher_erreur: something failed (error).
    // The windows install real message boxes, quorva-convert prints, tests
    // record. An unset guidance or error hook falls back to afficher_message,
    // so that a caller that installs that one alone still sees every text.
    using afficheur = std::function<void(const std::string& texte)>;
    afficheur afficher_message;
    afficheur afficher_information;
    afficheur afficher_erreur;

    void message(const std::string& texte) const { montre(afficher_message, texte); }
    void information(const std::string& texte) const {
        montre(afficher_information ? afficher_information : afficher_message, texte);
    }
    void erreur(const std::string& texte) const {
        montre(afficher_erreur ? afficher_erreur : afficher_message, texte);
    }
    // For the guard (garde.h): its errors shown as errors.
    afficheur afficheur_erreurs() const {
        return [this](const std::string& texte) { erreur(texte); };
    }

private:
    static void montre(const afficheur& hook, const std::string& texte) {
        if (hook) hook(texte);
    }
};

}  // namespace quorva
