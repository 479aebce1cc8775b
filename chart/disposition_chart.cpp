#include "chart/disposition_chart.h"

#include <algorithm>

namespace quorva {

disposition_chart disposer_chart(int largeur_fenetre) {
    disposition_chart d;
    const int largeur = std::clamp(largeur_fenetre, largeur_min_chart, largeur_chart);
    const int retrait = largeur_chart - largeur;
    d.largeur_image = largeur_image - retrait;
    d.x_ok -= retrait;
    d.x_cancel -= retrait;
    // The three parts of the status line keep their shares of the image's width.
    const auto part = [&](int design) { return design * d.largeur_image / largeur_image; };
    d.largeur_position = part(d.largeur_position);
    d.x_resume = 24 + part(d.x_resume - 24);
    d.largeur_resume = part(d.largeur_resume);
    d.x_message = 24 + part(d.x_message - 24);
    d.largeur_message = 24 + d.largeur_image - d.x_message;
    return d;
}

namespace {

// The byte offsets where the UTF-8 characters of `texte` begin, and its size.
std::vector<std::size_t> debuts_caracteres(const std::string& texte) {
    std::vector<std::size_t> debuts;
    for (std::size_t i = 0; i < texte.size(); ++i)
        if ((static_cast<unsigned char>(texte[i]) & 0xC0) != 0x80) debuts.push_back(i);
    debuts.push_back(texte.size());
    return debuts;
}

// `avant` + the path + `apres` within `largeur`: the most characters of the
// path that fit, as many from its start as from its end, "…" between.
std::string raccourcir_chemin(const std::string& avant, const std::string& chemin, const std::string& apres,
                              int largeur, const mesure_texte& mesure) {
    const auto debuts = debuts_caracteres(chemin);
    const std::size_t n = debuts.size() - 1;
    const auto garder = [&](std::size_t k) {
        if (k >= n) return avant + chemin + apres;
        const std::size_t tete = (k + 1) / 2, queue = k / 2;
        return avant + chemin.substr(0, debuts[tete]) + "…" + chemin.substr(debuts[n - queue]) + apres;
    };
    std::size_t bas = 0, haut = n;  // garder(bas) is shown whatever its width
    while (bas < haut) {
        const std::size_t milieu = (bas + haut + 1) / 2;
        if (mesure(garder(milieu)) <= largeur) bas = milieu;
        else haut = milieu - 1;
    }
    return garder(bas);
}

// The words between single blanks; a wider gap gives empty words, so that
// it stays as wide within a line.
std::vector<std::string> mots(const std::string& texte) {
    std::vector<std::string> liste;
    std::size_t debut = 0;
    while (debut < texte.size()) {
        const std::size_t fin = std::min(texte.find(' ', debut), texte.size());
        liste.push_back(texte.substr(debut, fin - debut));
        debut = fin + 1;
    }
    return liste;
}

}  // namespace

std::vector<std::string> lignes_etat(const std::string& texte, const std::string& chemin, int largeur,
                                     const mesure_texte& mesure) {
    std::vector<std::string> lignes;
    std::string ligne;
    // A line ends without its blanks; none begins with one.
    const auto finir = [&] {
        const auto fin = ligne.find_last_not_of(' ');
        if (fin != std::string::npos) lignes.push_back(ligne.substr(0, fin + 1));
        ligne.clear();
    };
    const auto ajouter = [&](const std::string& mot) {
        if (ligne.empty() && mot.empty()) return;
        const std::string suite = ligne.empty() ? mot : ligne + " " + mot;
        if (ligne.empty() || mesure(suite) <= largeur) {
            ligne = suite;
            return;
        }
        finir();
        ligne = mot;
    };
    const std::size_t ou = chemin.empty() ? std::string::npos : texte.rfind(chemin);
    if (ou == std::string::npos) {
        for (const auto& mot : mots(texte)) ajouter(mot);
    } else {
        // The path with what touches it: from the blank before it to the
        // blank after it.
        const std::size_t debut = texte.rfind(' ', ou) == std::string::npos ? 0 : texte.rfind(' ', ou) + 1;
        const std::size_t fin = std::min(texte.find(' ', ou + chemin.size()), texte.size());
        for (const auto& mot : mots(texte.substr(0, debut))) ajouter(mot);
        const std::string avant = texte.substr(debut, ou - debut);
        const std::string apres = texte.substr(ou + chemin.size(), fin - ou - chemin.size());
        if (!ligne.empty() && mesure(ligne + " " + avant + chemin + apres) > largeur) finir();
        ajouter(raccourcir_chemin(avant, chemin, apres, ligne.empty() ? largeur : largeur - mesure(ligne + " "),
                                  mesure));
        for (const auto& mot : mots(texte.substr(fin))) ajouter(mot);
    }
    finir();
    return lignes;
}

}  // namespace quorva
