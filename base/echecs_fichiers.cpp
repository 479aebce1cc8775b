#include "base/echecs_fichiers.h"

#include "base/texte.h"

namespace quorva {

const char* const texte_ouvert_ailleurs = "ouvert par un autre programme (tableur, antivirus...)";

std::string texte_trop_long(const std::string& chemin) {
    return "le chemin " + chemin + " est trop long (" + std::to_string(nb_caracteres_utf8(chemin)) + " caractères)";
}

std::string raison_ecriture(const std::string& sujet, const std::string& chemin, FileFailure cause) {
    const std::string debut = message(sujet, chemin) + " n'a pas pu être écrit : ";
    switch (cause) {
        case FileFailure::busy:
            return debut + "il est " + texte_ouvert_ailleurs + ". Fermez-le, puis recommencez.";
        case FileFailure::disk_full:
            return debut + "le disque est plein. Libérez de la place, puis recommencez.";
        case FileFailure::denied:
            return debut + "l'écriture n'est pas permise dans ce dossier. Copiez l'enregistrement dans un dossier "
                           "où vous pouvez écrire, puis recommencez.";
        case FileFailure::too_long:
            return debut + texte_trop_long(chemin) +
                   ". Copiez l'enregistrement dans un dossier au chemin plus court, puis recommencez.";
        case FileFailure::other: break;
    }
    return "";
}

ReadError erreur_ouverture(const std::string& chemin, FileFailure cause) {
    std::string texte = message("Impossible d'ouvrir le fichier %s", chemin);
    if (cause == FileFailure::busy)
        texte += " : il est " + std::string(texte_ouvert_ailleurs) + ". Fermez-le, puis recommencez.";
    else if (cause == FileFailure::too_long)
        texte = "Impossible d'ouvrir le fichier : " + texte_trop_long(chemin) +
                ". Copiez-le dans un dossier au chemin plus court, puis recommencez.";
    return ReadError(texte, chemin, cause);
}

}  // namespace quorva
