#include "base/echecs_fichiers.h"

#include <algorithm>

#include "base/texte.h"

namespace quorva {

namespace {

// No system takes a name (one component of a path) longer than this, in
// any folder.
constexpr std::size_t nom_max = 255;

// The first name of the path longer than any system takes; empty when none
// is: then the path as a whole is what is too long.
std::string_view nom_trop_long(std::string_view chemin) {
    while (!chemin.empty()) {
        const std::size_t fin = std::min(chemin.find_first_of("\\/"), chemin.size());
        const std::string_view nom = chemin.substr(0, fin);
        if (nb_caracteres_utf8(nom) > nom_max) return nom;
        chemin.remove_prefix(std::min(fin + 1, chemin.size()));
    }
    return {};
}

}  // namespace

const char* const texte_ouvert_ailleurs = "ouvert par un autre programme (tableur, antivirus...)";

std::string texte_trop_long(const std::string& chemin) {
    const std::string_view nom = nom_trop_long(chemin);
    if (!nom.empty())
        return "le nom " + std::string(nom) + " est trop long (" + std::to_string(nb_caracteres_utf8(nom)) +
               " caractères, " + std::to_string(nom_max) + " au plus)";
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
            // A shorter folder cannot help a name that is too long.
            return debut + texte_trop_long(chemin) +
                   (nom_trop_long(chemin).empty() ? ". Copiez l'enregistrement dans un dossier au chemin plus court"
                                                  : ". Donnez à l'enregistrement un nom plus court") +
                   ", puis recommencez.";
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
                (nom_trop_long(chemin).empty() ? ". Copiez-le dans un dossier au chemin plus court"
                                               : ". Donnez-lui un nom plus court") +
                ", puis recommencez.";
    return ReadError(texte, chemin, cause);
}

}  // namespace quorva
