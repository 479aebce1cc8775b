#include "chart/textes_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/nombres.h"
#include "conversion/classeur_sylk.h"

namespace quorva {

namespace {

bool francais(int langue) { return langue == 2; }

std::string pointes_en(int n) { return std::to_string(n) + (n == 1 ? " mark" : " marks"); }
std::string pointes_fr(int n) { return std::to_string(n) + (n > 1 ? " pointes" : " pointe"); }
std::string accord_fr(int n, const std::string& participe) { return std::to_string(n) + " " + participe + (n > 1 ? "s" : ""); }

}  // namespace

legendes_chart legendes(int langue) {
    if (francais(langue))
        return {"Annuler", "Rétablir", "Caler les pointes sur le début des secousses", "Montrer le détecteur",
                "Copier l'image", "Enregistrer le compte rendu...", "temps (s)", "amplitude (unités d'échantillon)"};
    return {"Undo",           "Redo",     "Snap marks to the onset", "Show the detector", "Copy the image",
            "Save the report...", "time (s)", "amplitude (sample units)"};
}

std::string texte_position(double position, std::uint32_t frequence, std::int32_t facteur_division,
                           char separateur, int langue) {
    const std::int64_t n = arrondi(position);
    std::string texte = (francais(langue) ? "Échantillon " : "Sample ") + std::to_string(n);
    if (frequence == 0) return texte;
    // As many decimals as one sample period needs (3 at 1000 Hz).
    const double periode = static_cast<double>(std::max<std::int32_t>(facteur_division, 1)) / frequence;
    const int decimales = std::clamp(static_cast<int>(std::ceil(-std::log10(periode) - 1e-9)), 0, 6);
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.*f", decimales,
                  secondes_de(static_cast<double>(n), frequence, facteur_division));
    std::string secondes = tampon;
    if (separateur != '.') std::replace(secondes.begin(), secondes.end(), '.', separateur);
    return texte + ", " + secondes + " s";
}

std::string texte_resume(const resume_pointes& r, int langue) {
    const std::string limites = texte_limites(r.total, langue);
    const std::string apres = limites.empty() ? "" : "   " + limites;
    if (francais(langue))
        return pointes_fr(r.total) + " : " + std::to_string(r.detectees) + " comme détecté" +
               (r.detectees > 1 ? "es" : "e") + ", " + accord_fr(r.deplacees, "déplacée") + ", " +
               accord_fr(r.ajoutees, "ajoutée") + ", " + accord_fr(r.supprimees, "supprimée") + apres;
    return pointes_en(r.total) + ": " + std::to_string(r.detectees) + " as detected, " + std::to_string(r.deplacees) +
           " moved, " + std::to_string(r.ajoutees) + " added, " + std::to_string(r.supprimees) + " deleted" + apres;
}

std::string texte_limites(int nb_pointes, int langue) {
    const bool fr = francais(langue);
    std::string t;
    if (nb_pointes >= capacite_pointes)
        t = fr ? "Limite de " + std::to_string(capacite_pointes) +
                     " pointes atteinte : les glissements suivants ne sont pas marqués."
               : "Limit of " + std::to_string(capacite_pointes) + " marks reached: later slips are not marked.";
    if (nb_pointes > enregistrements_max_classeur)
        t += std::string(t.empty() ? "" : " ") +
             (fr ? "Le classeur ne contient que les " + std::to_string(enregistrements_max_classeur) +
                       " premiers événements."
                 : "The workbook holds only the first " + std::to_string(enregistrements_max_classeur) + " events.");
    return t;
}

std::string texte_sauvegarde(const std::string& fichier, int nb_pointes, int langue) {
    if (francais(langue)) return "Pointes enregistrées : " + pointes_fr(nb_pointes) + " dans " + fichier;
    return "Marks saved: " + pointes_en(nb_pointes) + " in " + fichier;
}

std::string texte_lecture(const std::string& fichier, int nb_pointes, int nb_echantillons, int langue) {
    if (francais(langue))
        return "Pointes lues : " + pointes_fr(nb_pointes) + " et " + std::to_string(nb_echantillons) +
               " échantillons de " + fichier;
    return "Marks read: " + pointes_en(nb_pointes) + " and " + std::to_string(nb_echantillons) + " samples from " +
           fichier;
}

std::string texte_sans_fichier(const std::string& fichier, int langue) {
    if (francais(langue)) return "Pas de fichier de pointes " + fichier;
    return "No marks file " + fichier;
}

std::string texte_autre_enregistrement(const std::string& fichier, int langue) {
    // The fact first, the file last: a narrow status line shortens the path.
    if (francais(langue))
        return "Pointes non lues : le fichier de pointes est celui d'un autre enregistrement (" + fichier + ")";
    return "Marks not read: the marks file belongs to another recording (" + fichier + ")";
}

std::string texte_table_pleine() { return "No room for another mark: 100 marks at most.\rDelete a mark first."; }

}  // namespace quorva
