#include "base/lecture_bornee.h"

#include "base/erreur.h"

namespace quorva {

const char* const texte_fichier_trop_grand = "Le fichier %s est trop grand : il n'est pas lu.";

std::string lire_fichier_borne(Plateforme& os, const std::string& chemin, std::size_t taille_max) {
    std::string contenu;
    // One byte more tells a file of exactly taille_max from a longer one.
    if (!os.read_file(chemin, contenu, taille_max + 1))
        throw erreur_quorva(message("Impossible d'ouvrir le fichier %s", chemin));
    if (contenu.size() > taille_max) throw erreur_quorva(message(texte_fichier_trop_grand, chemin));
    return contenu;
}

}  // namespace quorva
