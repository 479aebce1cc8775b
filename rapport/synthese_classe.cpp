#include "rapport/synthese_classe.h"

#include <algorithm>
#include <cmath>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/texte.h"
#include "conversion/classeur_sylk.h"
#include "conversion/fichier_pointes.h"
#include "conversion/liste_enregistrements.h"
#include "conversion/pilote_conversion.h"
#include "rapport/formats_rapport.h"
#include "rapport/page_rapport.h"

namespace quorva {

namespace {

// The row of a recording read as its workbook holds it.
void remplir(ligne_synthese& l, const etat_conversion& etat, const lecture_classeur& lu) {
    l.lue = true;
    l.validees = lu.accord == accord_pointes::lues;
    // The means over the events that the workbook holds (95 at most).
    l.nb_evenements = nb_enregistrements(etat.pointes);
    const int n = std::min(l.nb_evenements, enregistrements_max_classeur);
    double energies = 0;
    for (int i = 1; i <= n; ++i) energies += etat.pointes[static_cast<std::size_t>(i)].y;
    if (n > 0) l.energie_moyenne = energies / n;
    const int k = std::min(nb_enregistrements(etat.intervalles), enregistrements_max_classeur);
    double intervalles = 0;
    for (int i = 1; i <= k; ++i) {
        const point_xy& p = etat.intervalles[static_cast<std::size_t>(i)];
        intervalles += en_secondes(p.x, etat);
        l.points.push_back({en_secondes(p.x, etat), p.y});
    }
    if (k > 0) l.intervalle_moyen = intervalles / k;
    // The workbook caches a CORREL beside a table of two records or more.
    if (k >= 2) l.r_intervalles = correlation_classeur(etat.intervalles);
    if (n >= 2) l.r_debuts = correlation_classeur(etat.pointes);
}

// The folder of a recording under the chosen one, as a teacher names it.
std::string sous_dossier(const std::string& dossier, const std::string& chemin) {
    const std::string parent = dossier_de(chemin);
    if (parent.size() <= dossier.size()) return {};
    return nom_de(parent);
}

ligne_synthese lire_ligne(services& ctx, etat_conversion& etat, const std::string& dossier,
                          const std::string& chemin, int langue) {
    ligne_synthese l;
    l.chemin = chemin;
    l.dossier = sous_dossier(dossier, chemin);
    l.enregistrement = nom_de(chemin);
    if (const auto empreinte = ctx.os.file_stamp(chemin)) l.date = date_locale(empreinte->unix_seconds);
    // A recording that is not mono 16-bit says so through this hook: here it
    // is the row's cause, not a box.
    std::string refus;
    services lecteur(ctx.os);
    lecteur.chemins = ctx.chemins;
    lecteur.afficher_message = [&refus](const std::string& texte) { refus = texte; };
    interface_conversion ui;
    ui.langue = langue;
    options_conversion options;
    options.facteur_division = facteur_des_pointes(lecteur, chemin).value_or(1);
    try {
        const lecture_classeur lu = lire_comme_classeur(lecteur, etat, chemin, ui, options);
        if (lu.lecture == resultat_lecture::accepte) {
            remplir(l, etat, lu);
            if (!lu.erreur_pointes.empty()) l.cause = lu.erreur_pointes;
        } else {
            l.cause = lu.lecture == resultat_lecture::ignore ? message(texte_pas_un_wav, chemin) : refus;
        }
    } catch (const erreur_quorva& e) {
        l.cause = e.what();
    }
    // One line, the files by their names: the row says which folder.
    for (char& c : l.cause)
        if (c == '\r') c = ' ';
    for (const std::string& long_ : {chemin + ".txt", chemin})
        for (auto p = l.cause.find(long_); p != std::string::npos; p = l.cause.find(long_))
            l.cause.replace(p, long_.size(), nom_de(long_));
    return l;
}

}  // namespace

int synthese_classe::nb_illisibles() const {
    return static_cast<int>(std::count_if(lignes.begin(), lignes.end(), [](const auto& l) { return !l.lue; }));
}

synthese_classe preparer_synthese(services& ctx, const std::string& dossier, int langue,
                                  const std::function<void(const ligne_synthese&, int, int)>& apres) {
    synthese_classe s;
    s.dossier = dossier;
    const auto chemins = enregistrements_du_dossier(ctx.os, dossier);
    etat_conversion etat;
    std::vector<point_xy> tous;
    for (std::size_t i = 0; i < chemins.size(); ++i) {
        // A share that drops: what was read stays, the rest is said once.
        const std::string parent = dossier_de(chemins[i]);
        if (!ctx.os.folder_exists(parent)) {
            if (std::find(s.dossiers_perdus.begin(), s.dossiers_perdus.end(), parent) == s.dossiers_perdus.end())
                s.dossiers_perdus.push_back(parent);
            continue;
        }
        s.lignes.push_back(lire_ligne(ctx, etat, dossier, chemins[i], langue));
        const auto& l = s.lignes.back();
        tous.insert(tous.end(), l.points.begin(), l.points.end());
        if (apres) apres(l, static_cast<int>(i) + 1, static_cast<int>(chemins.size()));
    }
    s.commune = droite_de(tous);
    s.nb_points = static_cast<int>(tous.size());
    return s;
}

std::string texte_ligne(const ligne_synthese& l, int rang, int total, int langue) {
    std::string texte = std::to_string(rang) + "/" + std::to_string(total) + " " + l.chemin + ": ";
    if (!l.lue) return texte + l.cause;
    const bool fr = francais(langue);
    texte += std::to_string(l.nb_evenements) + (fr ? " événements" : " events");
    texte += l.validees ? (fr ? ", pointes validées" : ", validated marks") : (fr ? ", pointes détectées" : ", detected marks");
    if (!l.cause.empty()) texte += " (" + l.cause + ")";
    return texte;
}

textes_synthese textes_de_synthese(const synthese_classe& s, int langue, char separateur) {
    const bool fr = francais(langue);
    textes_synthese t;
    t.titre = fr ? "Patin tracté : synthèse de la classe" : "Stick-slip: class summary";
    t.sous_titre = s.dossier + "    " + std::to_string(s.lignes.size()) +
                   (fr ? " enregistrements    " : " recordings    ") + (fr ? "Faite le " : "Made ") + date_maintenant();
    t.vide = fr ? "Aucun enregistrement (.wav) dans ce dossier ni dans ses sous-dossiers."
                : "No recording (.wav) in this folder or its subfolders.";
    t.colonnes = fr ? std::vector<std::string>{"Dossier", "Enregistrement", "Date", "Événements", "Intervalle moyen (s)",
                                               "Énergie moyenne", "r intervalle-énergie", "r début-énergie", "Pointes"}
                    : std::vector<std::string>{"Folder", "Recording", "Date", "Events", "Mean interval (s)",
                                               "Mean energy", "r interval-energy", "r start-energy", "Marks"};
    t.relation = fr ? "Intervalle avant un événement et son énergie, tous les groupes"
                    : "Interval before an event against its energy, every group";
    t.axe_x = fr ? "intervalle avant (s)" : "interval before (s)";
    t.axe_y = fr ? "énergie" : "energy";
    const droite_ajustee& c = s.commune;
    t.coefficient = c.existe ? (fr ? "Toute la classe : r = " : "Whole class: r = ") +
                                   texte_coefficient(c.coefficient, separateur)
                             : (fr ? "Toute la classe : pas de coefficient" : "Whole class: no coefficient");
    t.droite = c.existe ? texte_droite(c.pente, c.ordonnee, s.nb_points, separateur)
                        : "(" + std::to_string(s.nb_points) + " points)";
    // A marks file that could not be read: its row is marked "*".
    for (const auto& l : s.lignes)
        if (l.lue && !l.cause.empty()) t.notes.push_back("* " + l.enregistrement + " : " + l.cause);
    if (!s.dossiers_perdus.empty()) {
        t.perdus = fr ? "Dossiers devenus illisibles pendant la synthèse, non lus : "
                      : "Folders that could no longer be read during the summary, not read: ";
        for (std::size_t i = 0; i < s.dossiers_perdus.size(); ++i) t.perdus += (i ? ", " : "") + s.dossiers_perdus[i];
    }
    return t;
}

std::vector<std::string> cellules(const ligne_synthese& l, int langue, char separateur) {
    const bool fr = francais(langue);
    std::vector<std::string> c{l.dossier, l.enregistrement, l.date};
    if (!l.lue) {
        c.push_back(l.cause);
        return c;
    }
    const auto r = [&](const std::optional<double>& v) { return v ? texte_coefficient(*v, separateur) : "–"; };
    c.push_back(std::to_string(l.nb_evenements));
    c.push_back(l.nb_evenements > 1 ? texte_secondes(l.intervalle_moyen, separateur) : "–");
    c.push_back(l.nb_evenements > 0 ? texte_significatif(l.energie_moyenne, 4, separateur) : "–");
    c.push_back(r(l.r_intervalles));
    c.push_back(r(l.r_debuts));
    c.push_back(std::string(l.validees ? (fr ? "validées" : "validated") : (fr ? "détectées" : "detected")) +
                (l.cause.empty() ? "" : " *"));
    return c;
}

int premiere_rangee_synthese(int page) {
    return page == 0 ? 0 : rangees_premiere_page + (page - 1) * rangees_page_suivante;
}

int rangees_de_page_synthese(int page) { return page == 0 ? rangees_premiere_page : rangees_page_suivante; }

int nb_pages_synthese(int nb_lignes) {
    if (nb_lignes <= rangees_premiere_page) return 1;
    return 1 + (nb_lignes - rangees_premiere_page + rangees_page_suivante - 1) / rangees_page_suivante;
}

std::string chemin_synthese_propose(Plateforme& os, const std::string& dossier, int langue) {
    return chemin_sous(os, dossier, francais(langue) ? "synthese_classe.pdf" : "class_summary.pdf");
}

std::string chemin_classeur_synthese(const std::string& chemin_page) {
    const auto point = chemin_page.find_last_of('.');
    const auto separateur = chemin_page.find_last_of("\\/");
    const bool extension = point != std::string::npos && (separateur == std::string::npos || point > separateur);
    return (extension ? chemin_page.substr(0, point) : chemin_page) + ".slk";
}

void ecrire_classeur_synthese(const services& ctx, const synthese_classe& s, int langue, const std::string& chemin) {
    const textes_synthese t = textes_de_synthese(s, langue, '.');
    std::vector<std::vector<cellule_sylk>> lignes;
    lignes.push_back({{t.titre, {}}, {s.dossier, {}}});
    lignes.push_back({});
    for (const auto& colonne : t.colonnes) lignes.back().push_back({colonne, {}});
    for (const auto& l : s.lignes) {
        std::vector<cellule_sylk> rangee{{l.dossier, {}}, {l.enregistrement, {}}, {l.date, {}}};
        if (!l.lue) {
            rangee.push_back({l.cause, {}});
        } else {
            const auto nombre = [](bool present, double v) { return present ? cellule_sylk{"", v} : cellule_sylk{}; };
            rangee.push_back(nombre(true, l.nb_evenements));
            rangee.push_back(nombre(l.nb_evenements > 1, l.intervalle_moyen));
            rangee.push_back(nombre(l.nb_evenements > 0, l.energie_moyenne));
            rangee.push_back(nombre(l.r_intervalles.has_value(), l.r_intervalles.value_or(0)));
            rangee.push_back(nombre(l.r_debuts.has_value(), l.r_debuts.value_or(0)));
            rangee.push_back({cellules(l, langue, '.').back(), {}});
        }
        lignes.push_back(std::move(rangee));
    }
    if (s.lignes.empty()) lignes.push_back({{t.vide, {}}});
    lignes.push_back({});
    lignes.push_back({{t.coefficient, {}}, {t.droite, {}}});
    for (const auto& note : t.notes) lignes.push_back({{note, {}}});
    if (!t.perdus.empty()) lignes.push_back({{t.perdus, {}}});
    ecrire_tableau_sylk(ctx, chemin, lignes);
}

}  // namespace quorva
