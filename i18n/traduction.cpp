#include "i18n/traduction.h"

#include <cmath>
#include <string_view>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/langue_enregistree.h"
#include "base/nombres.h"
#include "base/texte.h"
#include "launcher/menu.h"

namespace quorva {

namespace {

// A translation file larger than this is not a translation file; reading it
// whole would only exhaust memory.
constexpr std::size_t taille_max_traduction = 64u << 20;

void applique_ligne(etat_menu& menu, int langue, const std::string& ligne) {
    const auto diese = ligne.find('#');
    if (diese == std::string::npos) return;
    entree_menu* e = trouve_entree(menu, std::string_view(ligne).substr(0, diese));
    if (!e) return;
    std::string_view reste = std::string_view(ligne).substr(diese + 1);
    const auto barre = reste.find('|');
    if (barre == std::string_view::npos) return;
    if (langue == 1) reste = reste.substr(0, barre);
    else if (langue == 2) reste = reste.substr(barre + 1);

    const auto chevron = reste.find('<');
    e->caption = std::string(reste.substr(0, chevron));
    if (chevron == std::string_view::npos) return;
    std::string_view cible = reste.substr(chevron + 1);
    cible = cible.substr(0, cible.find('>'));
    // Targets are kept by Tag: an entry outside 1..50 cannot carry one.
    if (e->tag < 1 || e->tag > nb_slots_menu) return;
    menu.cibles[e->tag] = std::string(cible);
    e->clic = action_menu::cible;
}

image_drapeau dessine_en() {
    image_drapeau d;
    constexpr std::uint32_t bleu = 0x012169, blanc = 0xFFFFFF, rouge = 0xC8102E;
    for (int y = 0; y < image_drapeau::hauteur; ++y) {
        for (int x = 0; x < image_drapeau::largeur; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double pente = 11.0 / 16.0;
            const double d1 = std::abs(py - px * pente), d2 = std::abs(py - (11.0 - px * pente));
            const double dx = std::abs(px - 8.0), dy = std::abs(py - 5.5);
            std::uint32_t c = bleu;
            if (d1 < 1.1 || d2 < 1.1) c = blanc;
            if (d1 < 0.45 || d2 < 0.45) c = rouge;
            if (dx < 2.0 || dy < 2.0) c = blanc;
            if (dx < 1.0 || dy < 1.0) c = rouge;
            d.pixels[static_cast<std::size_t>(y * image_drapeau::largeur + x)] = c;
        }
    }
    return d;
}

image_drapeau dessine_fr() {
    image_drapeau d;
    for (int y = 0; y < image_drapeau::hauteur; ++y)
        for (int x = 0; x < image_drapeau::largeur; ++x)
            d.pixels[static_cast<std::size_t>(y * image_drapeau::largeur + x)] =
                x < 5 ? 0x002395u : x < 11 ? 0xFFFFFFu : 0xED2939u;
    return d;
}

}  // namespace

const image_drapeau& Speed_EN() {
    static const image_drapeau image = dessine_en();
    return image;
}

const image_drapeau& Speed_FR() {
    static const image_drapeau image = dessine_fr();
    return image;
}

void lec_langue(services& ctx, etat_langue& langue) {
    if (!ctx.os.file_exists(fichier_langue(ctx.chemins))) {
        langue.langue = 2;
        return;
    }
    // A damaged value keeps the language (English at start-up, as a line
    // without "=") rather than ending the start-up: said in the log, and
    // the file is written again whole by lec_fic_trad.
    try {
        if (const auto enregistree = langue_enregistree(ctx)) langue.langue = *enregistree;
    } catch (const erreur_quorva& e) {
        ctx.journal.push_back(fichier_langue(ctx.chemins) + " : " + e.what());
    }
}

void lec_fic_trad(services& ctx, etat_langue& langue, etat_menu& menu) {
    const std::string fichier = dossier_donnees(ctx.chemins) + "fic_trad.txt";
    if (ctx.os.file_exists(fichier)) {
        std::string contenu;
        if (ctx.os.read_file(fichier, contenu, taille_max_traduction))
            langue.table_trad = decouper_lignes(texte_fichier_utf8(contenu));
    }

    if (!langue.table_trad.empty()) {
        if (langue.langue == 2) langue.tag_SpeedButton3 = 2;
        if (langue.langue == 1) langue.tag_SpeedButton3 = 1;
        langue.SpeedButton3_visible = true;
    }
    for (const auto& ligne : lignes_propres()) applique_ligne(menu, langue.langue, ligne);
    for (const auto& ligne : langue.table_trad) applique_ligne(menu, langue.langue, ligne);

    if (ctx.chemins.chemin_temp.empty())
        throw erreur_quorva(message("Impossible de créer le fichier %s", fichier_langue(ctx.chemins)));
    const std::string dossier = ctx.chemins.chemin_temp + "quorva";
    if (!ctx.os.folder_exists(dossier)) ctx.os.create_folder(dossier);
    auto sortie = ctx.os.create_file(fichier_langue(ctx.chemins));
    sortie->write("langue=" + std::to_string(langue.langue) + "\r\n");
    sortie->commit();
}

etat_SpeedButton3 bouton_langue(const etat_langue& langue) {
    const int tag = langue.tag_SpeedButton3;
    return {tag, langue.SpeedButton3_visible, tag == 2 ? &Speed_FR() : &Speed_EN()};
}

etat_SpeedButton3 SpeedButton3Click(services& ctx, etat_langue& langue, etat_menu& menu) {
    langue.tag_SpeedButton3 = langue.tag_SpeedButton3 == 1 ? 2 : 1;
    langue.langue = langue.tag_SpeedButton3;
    // The captions are applied before the preference is written: a failed
    // write is told, and the new language still shows.
    try {
        lec_fic_trad(ctx, langue, menu);
    } catch (const erreur_quorva& e) {
        ctx.erreur(e.what());
    }
    return bouton_langue(langue);
}

}  // namespace quorva
