#include "chart/commandes_pointes.h"

#include <algorithm>

#include "chart/textes_chart.h"
#include "conversion/fichier_pointes.h"

namespace quorva {

compte_rendu lire_pointes(const services& ctx, vue_courbe& vue, historique_pointes& historique,
                          etat_conversion& conversion, bool automatique, int langue) {
    if (!pointes_enregistrees(ctx, conversion)) {
        if (automatique) return {};
        return {texte_sans_fichier(conversion.fichier_pointes, langue), ""};
    }
    if (!historique.lire(vue, conversion, [&] { return Readmarks(ctx, conversion); })) return {};
    ouvrir_vue(vue, conversion);
    return {texte_lecture(conversion.fichier_pointes, std::clamp(conversion.nb_pointes, 0, capacite_pointes),
                          conversion.nb_echantillons, langue),
            ""};
}

void valider_graphique(const services& ctx, vue_courbe& vue, etat_conversion& conversion) {
    retirer_pointes_vides(vue, conversion);
    valider_pointes(ctx, conversion);
}

}  // namespace quorva
