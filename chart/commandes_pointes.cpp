#include "chart/commandes_pointes.h"

#include <algorithm>
#include <utility>

#include "chart/textes_chart.h"
#include "conversion/detection.h"
#include "conversion/fichier_pointes.h"

namespace quorva {

compte_rendu lire_pointes(const services& ctx, vue_courbe& vue, historique_pointes& historique,
                          etat_conversion& conversion, bool automatique, int langue) {
    // Read and compared first: a broken file raises before anything changes.
    const pointes_fichier lu = lire_fichier_pointes(ctx, conversion);
    const std::string& fichier = conversion.fichier_pointes;
    switch (lu.accord) {
    case accord_pointes::absent:
        if (automatique) return {};
        return {texte_sans_fichier(fichier, langue), ""};
    case accord_pointes::autre_enregistrement: {
        // The detected marks stand; the pupil is told why the file's did
        // not come back, in a message when the pupil asked for them.
        std::string texte = texte_autre_enregistrement(fichier, langue);
        if (automatique) return {std::move(texte), ""};
        return {texte, texte};
    }
    case accord_pointes::lues:
        break;
    }
    historique.lire(vue, conversion, [&] {
        appliquer_pointes(lu, conversion);
        return true;
    });
    ouvrir_vue(vue, conversion);
    return {texte_lecture(fichier, std::clamp(conversion.nb_pointes, 0, capacite_pointes), conversion.nb_echantillons,
                          langue),
            "", true};
}

void valider_graphique(const services& ctx, vue_courbe& vue, etat_conversion& conversion) {
    retirer_pointes_vides(vue, conversion);
    valider_pointes(ctx, conversion);
}

pointes_ouverture retenir_pointes(const etat_conversion& conversion, bool du_fichier) {
    return {conversion.pointes, conversion.intervalles, conversion.nb_pointes, du_fichier};
}

void abandonner_graphique(etat_conversion& conversion, const pointes_ouverture& ouverture) {
    conversion.pointes = ouverture.pointes;
    conversion.intervalles = ouverture.intervalles;
    conversion.nb_pointes = ouverture.nb_pointes;
    if (ouverture.du_fichier) reconstruit_pointes(conversion);
}

}  // namespace quorva
