#include "chart/historique_pointes.h"

#include <algorithm>
#include <cmath>

#include "chart/detecteur_courbe.h"

namespace quorva {

namespace {

// A history longer than this only holds memory: the oldest steps go.
constexpr std::size_t etapes_max = 1000;

// Snap radius of a drop: ten pixel columns.
constexpr double colonnes_accroche = 10;

std::int32_t nb_marques(const etat_conversion& conversion) {
    return std::clamp<std::int32_t>(conversion.nb_pointes, 0, capacite_pointes);
}

void accrocher(const vue_courbe& vue, const etat_conversion& conversion, double& x) {
    if (!(vue.echelle_x > 0)) return;
    if (const auto debut = debut_proche(conversion, x, colonnes_accroche / vue.echelle_x)) x = *debut;
}

}  // namespace

void historique_pointes::commencer(const etat_conversion& conversion) {
    passees_.clear();
    futures_.clear();
    avant_placement_.reset();
    const std::int32_t nb = nb_marques(conversion);
    detectees_.assign(static_cast<std::size_t>(nb) + 1, 0.0);
    origine_.fill(0);
    for (std::int32_t k = 1; k <= nb; ++k) {
        detectees_[static_cast<std::size_t>(k)] = conversion.pointes[k].x;
        if (conversion.pointes[k].x != 0) origine_[k] = k;
    }
}

void historique_pointes::terminer() {
    passees_.clear();
    futures_.clear();
    avant_placement_.reset();
}

historique_pointes::instantane historique_pointes::prendre(const etat_conversion& conversion) const {
    instantane etat;
    etat.pointes = conversion.pointes;
    etat.nb_pointes = conversion.nb_pointes;
    etat.origine = origine_;
    return etat;
}

void historique_pointes::remettre(const instantane& etat, etat_conversion& conversion) {
    conversion.pointes = etat.pointes;
    conversion.nb_pointes = etat.nb_pointes;
    origine_ = etat.origine;
}

void historique_pointes::enregistrer(genre_etape genre, instantane avant, const etat_conversion& conversion) {
    instantane apres = prendre(conversion);
    if (genre != genre_etape::lecture && apres.nb_pointes == avant.nb_pointes && apres.origine == avant.origine &&
        std::equal(apres.pointes.begin(), apres.pointes.end(), avant.pointes.begin(),
                   [](const point_xy& a, const point_xy& b) { return a.x == b.x && a.y == b.y; }))
        return;  // a mark dropped where it was picked up changes nothing
    passees_.push_back({genre, std::move(avant), std::move(apres)});
    if (passees_.size() > etapes_max) passees_.erase(passees_.begin());
    futures_.clear();
}

std::optional<genre_etape> historique_pointes::annuler(vue_courbe& vue, etat_conversion& conversion) {
    if (vue.placement) {
        abandonner_placement(vue, conversion);
        return genre_placement_;
    }
    return deplacer_etape(passees_, futures_, false, vue, conversion);
}

std::optional<genre_etape> historique_pointes::retablir(vue_courbe& vue, etat_conversion& conversion) {
    abandonner_placement(vue, conversion);
    return deplacer_etape(futures_, passees_, true, vue, conversion);
}

// The last step of `de` is undone (or done again, `apres`) and goes to `vers`.
std::optional<genre_etape> historique_pointes::deplacer_etape(std::vector<etape>& de, std::vector<etape>& vers,
                                                              bool apres, vue_courbe& vue,
                                                              etat_conversion& conversion) {
    if (de.empty()) return std::nullopt;
    etape e = std::move(de.back());
    de.pop_back();
    remettre(apres ? e.apres : e.avant, conversion);
    const genre_etape genre = e.genre;
    vers.push_back(std::move(e));
    vue.pointe_choisie = 0;
    // Undone or done again, a file read leaves the view as the read does:
    // opened on the whole recording.
    if (genre == genre_etape::lecture) ouvrir_vue(vue, conversion);
    return genre;
}

bool historique_pointes::clic_gauche(vue_courbe& vue, etat_conversion& conversion, int x, bool accroche) {
    if (vue.placement) {
        const std::int32_t k = vue.pointe_choisie;
        quorva::clic_gauche(vue, conversion, x);
        if (accroche && k >= 1 && k <= nb_marques(conversion) && conversion.pointes[k].x != 0)
            accrocher(vue, conversion, conversion.pointes[k].x);
        if (avant_placement_) enregistrer(genre_placement_, std::move(*avant_placement_), conversion);
        avant_placement_.reset();
        return true;
    }
    instantane avant = prendre(conversion);
    if (!quorva::clic_gauche(vue, conversion, x)) return false;
    avant_placement_ = std::move(avant);
    genre_placement_ = genre_etape::deplacement;
    return true;
}

bool historique_pointes::ajouter(vue_courbe& vue, etat_conversion& conversion) {
    const std::int32_t portee = vue.placement ? vue.pointe_choisie : 0;
    instantane avant = prendre(conversion);
    if (!ajouter_pointe(vue, conversion)) return false;
    if (vue.pointe_choisie == portee) return true;  // the carried mark's own slot: still its move
    if (!avant_placement_) {
        avant_placement_ = std::move(avant);
        genre_placement_ = genre_etape::ajout;
    }
    origine_[vue.pointe_choisie] = 0;
    return true;
}

bool historique_pointes::supprimer(vue_courbe& vue, etat_conversion& conversion) {
    const std::int32_t k = vue.pointe_choisie;
    const std::int32_t nb = nb_marques(conversion);
    if (k < 1 || k > nb) return false;
    // Deleting the mark being placed: the step goes from before its pick-up.
    instantane avant = avant_placement_ ? std::move(*avant_placement_) : prendre(conversion);
    avant_placement_.reset();
    supprimer_pointe(vue, conversion);
    for (std::int32_t j = k; j < nb; ++j) origine_[j] = origine_[j + 1];
    origine_[nb] = 0;
    if (vue.pointe_selectionnee == k)
        vue.pointe_selectionnee = 0;
    else if (vue.pointe_selectionnee > k)
        --vue.pointe_selectionnee;
    enregistrer(genre_etape::suppression, std::move(avant), conversion);
    return true;
}

void historique_pointes::abandonner_placement(vue_courbe& vue, etat_conversion& conversion) {
    if (avant_placement_) {
        remettre(*avant_placement_, conversion);
        avant_placement_.reset();
    } else if (vue.placement) {
        annuler_placement(vue, conversion);
    }
    vue.placement = false;
    vue.pointe_choisie = 0;
    vue.position_origine = 0;
}

bool historique_pointes::deplacer_selection(vue_courbe& vue, etat_conversion& conversion, double decalage) {
    abandonner_placement(vue, conversion);
    const std::int32_t k = pointe_selectionnee(vue, conversion);
    const std::int32_t n = nb_utilisables(conversion);
    if (k == 0 || n < 1 || !std::isfinite(decalage)) return false;
    const double x = std::clamp(conversion.pointes[k].x + decalage, 1.0, static_cast<double>(n));
    if (x == conversion.pointes[k].x) return false;
    instantane avant = prendre(conversion);
    conversion.pointes[k].x = x;
    enregistrer(genre_etape::deplacement, std::move(avant), conversion);
    montrer_position(vue, conversion, x);
    return true;
}

bool historique_pointes::supprimer_selection(vue_courbe& vue, etat_conversion& conversion) {
    abandonner_placement(vue, conversion);
    const std::int32_t k = pointe_selectionnee(vue, conversion);
    if (k == 0) return false;
    const double x = conversion.pointes[k].x;
    vue.pointe_choisie = k;
    supprimer(vue, conversion);
    // The selection goes on to the next mark to the right, else to the left.
    std::int32_t droite = 0, gauche = 0;
    for (std::int32_t j = 1; j <= nb_marques(conversion); ++j) {
        const double xj = conversion.pointes[j].x;
        if (xj == 0) continue;
        if (xj >= x && (droite == 0 || xj < conversion.pointes[droite].x)) droite = j;
        if (xj < x && (gauche == 0 || xj > conversion.pointes[gauche].x)) gauche = j;
    }
    vue.pointe_selectionnee = droite != 0 ? droite : gauche;
    return true;
}

bool historique_pointes::inserer(vue_courbe& vue, etat_conversion& conversion, double position, bool accroche) {
    abandonner_placement(vue, conversion);
    const std::int32_t n = nb_utilisables(conversion);
    if (n < 1 || std::isnan(position)) return false;
    instantane avant = prendre(conversion);
    if (!ajouter_pointe(vue, conversion)) return false;
    const std::int32_t k = vue.pointe_choisie;
    vue.placement = false;
    vue.pointe_choisie = 0;
    vue.position_origine = 0;
    double x = std::clamp(position, 1.0, static_cast<double>(n));
    if (accroche) accrocher(vue, conversion, x);
    conversion.pointes[k].x = x;
    origine_[k] = 0;
    vue.pointe_selectionnee = k;
    enregistrer(genre_etape::ajout, std::move(avant), conversion);
    return true;
}

bool historique_pointes::lire(vue_courbe& vue, etat_conversion& conversion, const std::function<bool()>& lire) {
    abandonner_placement(vue, conversion);
    instantane avant = prendre(conversion);
    if (!lire()) return false;
    reconnaitre_origines(conversion);
    vue.pointe_selectionnee = 0;
    enregistrer(genre_etape::lecture, std::move(avant), conversion);
    return true;
}

void historique_pointes::reconnaitre_origines(const etat_conversion& conversion) {
    // A mark read at a detected position is that detected mark. The others
    // were moved (in an earlier session) from the detected marks left over,
    // the nearest pairs first, as a mark moved here is; what is left over
    // after that is added, or deleted.
    origine_.fill(0);
    std::vector<bool> prise(detectees_.size(), false);
    struct paire {
        double ecart;
        std::int32_t k;
        std::size_t j;
    };
    std::vector<paire> paires;
    for (std::int32_t k = 1; k <= nb_marques(conversion); ++k) {
        const double x = conversion.pointes[k].x;
        if (x == 0) continue;
        for (std::size_t j = 1; j < detectees_.size(); ++j)
            if (!prise[j] && detectees_[j] == x) {
                prise[j] = true;
                origine_[k] = static_cast<std::int32_t>(j);
                break;
            }
        if (origine_[k] != 0) continue;
        for (std::size_t j = 1; j < detectees_.size(); ++j)
            if (detectees_[j] != 0) paires.push_back({std::abs(detectees_[j] - x), k, j});
    }
    std::stable_sort(paires.begin(), paires.end(), [](const paire& a, const paire& b) { return a.ecart < b.ecart; });
    for (const auto& p : paires)
        if (origine_[p.k] == 0 && !prise[p.j]) {
            prise[p.j] = true;
            origine_[p.k] = static_cast<std::int32_t>(p.j);
        }
}

resume_pointes historique_pointes::resume(const etat_conversion& conversion) const {
    // While a mark is carried, the count is that of before its pick-up.
    const instantane etat = avant_placement_ ? *avant_placement_ : prendre(conversion);
    resume_pointes r;
    std::vector<bool> presente(detectees_.size(), false);
    for (std::int32_t k = 1; k <= std::clamp<std::int32_t>(etat.nb_pointes, 0, capacite_pointes); ++k) {
        const double x = etat.pointes[k].x;
        if (x == 0) continue;
        ++r.total;
        const auto o = static_cast<std::size_t>(etat.origine[k]);
        if (o >= 1 && o < detectees_.size() && !presente[o]) {
            presente[o] = true;
            (x == detectees_[o] ? r.detectees : r.deplacees)++;
        } else {
            ++r.ajoutees;
        }
    }
    for (std::size_t j = 1; j < detectees_.size(); ++j)
        if (detectees_[j] != 0 && !presente[j]) ++r.supprimees;
    return r;
}

}  // namespace quorva
