#include "sections/sections.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/contexte.h"
#include "app/base/services_systeme.h"
#include "launcher/menu.h"

namespace quorva {

namespace {

constexpr couleur_tp gris{128, 128, 128};
constexpr couleur_tp jaune{255, 255, 0};
constexpr couleur_tp blanc{255, 255, 255};
constexpr couleur_tp noir{0, 0, 0};

bool contient(const std::string& texte, std::string_view morceau) { return texte.find(morceau) != std::string::npos; }

int largeur(const contexte& ctx, const std::string& texte) {
    if (ctx.sections.largeur_texte) return ctx.sections.largeur_texte(texte);
    return static_cast<int>(std::min<std::size_t>(texte.size(), 10000)) * 6;
}

int hauteur_ligne(const contexte& ctx) { return ctx.sections.hauteur_ligne ? ctx.sections.hauteur_ligne() : 13; }

// Row text and what it opens (an entry name or a path), kept apart so that a
// caption holding "#" still opens what it names.
using ligne_section = std::pair<std::string, std::string>;

void ajoute_contenu(contexte& ctx, std::vector<ligne_section>& lignes, std::string_view sous_menu) {
    entree_menu* parent = trouve_entree(ctx.menu, sous_menu);
    if (!parent) return;
    for (const auto& e : parent->sous_menu) {
        lignes.emplace_back(e.caption, chemin_ajoute(ctx, sous_menu, e.tag));
        if (entree_menu* autres = trouve_entree(ctx.menu, "AUTRESDOCUMENTATIONS1")) autres->visible = true;
    }
}

void separateur(std::vector<ligne_section>& lignes, const char* texte) { lignes.emplace_back(texte, texte); }

std::vector<ligne_section> lignes_menu(contexte& ctx, const entree_menu& titre) {
    std::vector<ligne_section> lignes;
    auto& menu = ctx.menu.PopupMenu1;
    std::size_t position = 0;
    while (position < menu.size() && menu[position].nom != titre.nom) ++position;
    // The rows run to the next heading, or to the end of the menu.
    for (std::size_t p = position + 1; p < menu.size(); ++p) {
        const entree_menu& e = menu[p];
        if (p > position + 1 && contient(e.caption, "_____")) break;
        if (!contient(e.caption, "AJOUTE") && !contient(e.caption, "ADDED") && e.caption != titre.caption &&
            e.visible)
            lignes.emplace_back(e.caption, e.nom);
    }
    if (titre.nom == "LOGICIELS1") {
        ajoute_contenu(ctx, lignes, "Logicielsajouts1");
    } else if (titre.nom == "FichiersExcel1") {
        const auto avant = lignes.size();
        ajoute_contenu(ctx, lignes, "DOCUMENTSEXCELAJOUTES1");
        if (lignes.size() > avant) trouve_entree(ctx.menu, "FichiersExcel1")->visible = true;
    } else if (titre.nom == "AUTRESDOCUMENTATIONS1") {
        ajoute_contenu(ctx, lignes, "Documentsajout1");
        const entree_menu* films = trouve_entree(ctx.menu, "FILMSAJOUTES1");
        if (films && !films->sous_menu.empty()) {
            separateur(lignes, "--------VIDEO-------------");
            ajoute_contenu(ctx, lignes, "FILMSAJOUTES1");
        }
        const entree_menu* google = trouve_entree(ctx.menu, "FichiersGoogleEarthAJOUTES1");
        if (google && !google->sous_menu.empty()) {
            separateur(lignes, "--------GOOGLE EARTH-------------");
            ajoute_contenu(ctx, lignes, "FichiersGoogleEarthAJOUTES1");
        }
    }
    return lignes;
}

void dimensionne(const contexte& ctx, feuille_tp& f, int slot) {
    int w = 180;
    for (const auto& ligne : f.ListBox1) w = std::max(w, largeur(ctx, ligne));
    const int largeur_titre = largeur(ctx, f.titre);
    w = std::max(w, largeur_titre + 20);
    f.liste_hauteur = static_cast<int>(f.ListBox1.size()) * (hauteur_ligne(ctx) + 2);
    f.liste_largeur = w + 15;
    f.Left -= 20 * slot;
    f.Top += 20 * slot;
    f.Tag = slot;
    f.Width = w + 20;
    f.Height = f.liste_hauteur + 25;
    f.titre_left = (f.Width - largeur_titre) / 2;
    f.close_left = f.Width - 14 - 2;
}

feuille_tp* feuille(contexte& ctx, int slot) {
    if (slot < 1 || slot > ctx.sections.nb_feuilles) return nullptr;
    return &ctx.sections.feuilles_tp[static_cast<std::size_t>(slot)];
}

}  // namespace

bool est_titre_section(std::string_view nom) {
    static constexpr std::array<std::string_view, 7> titres = {
        "PLINKADoityourself1", "Patintract1", "N1", "N3", "LOGICIELS1", "FichiersExcel1", "AUTRESDOCUMENTATIONS1"};
    return std::find(titres.begin(), titres.end(), nom) != titres.end();
}

void recherche_TP(contexte& ctx) {
    const std::string dossier = ctx.chemins.chemin_appli + "fic_quorva\\TP";
    if (!ctx.os.folder_exists(dossier)) return;
    entree_menu* tp = trouve_entree(ctx.menu, "TP1");
    if (!tp) return;
    for (const auto& nom : ctx.os.list_folders(dossier)) {
        if (ctx.sections.nb_sections >= nb_max_sections) break;
        ++ctx.sections.nb_sections;
        entree_menu e;
        e.tag = ctx.sections.nb_sections;
        e.caption = nom;
        e.clic = action_menu::section;
        tp->sous_menu.push_back(std::move(e));
        tp->visible = true;
    }
}

int creation_feuille_tpclick(contexte& ctx, const entree_menu& sender) {
    auto& s = ctx.sections;
    // Copied: building the rows may touch the menu the sender lives in.
    const entree_menu titre = sender;
    const std::string& h = titre.caption;
    if (s.nb_feuilles >= nb_max_feuilles) return 0;

    int slot = 0;
    for (int i = s.nb_feuilles; i >= 1 && slot == 0; --i)
        if (s.feuilles_tp[static_cast<std::size_t>(i)].Tag == 0) slot = i;
    if (slot == 0) {
        slot = ++s.nb_feuilles;
        s.feuilles_tp[static_cast<std::size_t>(slot)] = feuille_tp{};
        s.feuilles_tp[static_cast<std::size_t>(slot)].creee = true;
    }
    feuille_tp& f = s.feuilles_tp[static_cast<std::size_t>(slot)];
    f.titre = h;
    f.fond = gris;
    f.couleur_titre = blanc;
    f.ListBox1.clear();
    f.Liste_nom.clear();
    f.dossier.clear();

    if (est_titre_section(titre.nom)) {
        f.fond = jaune;
        f.couleur_titre = noir;
        f.mode = 1;
        for (auto& [texte, nom] : lignes_menu(ctx, titre)) {
            f.ListBox1.push_back(std::move(texte));
            f.Liste_nom.push_back(std::move(nom));
        }
    } else {
        f.mode = 0;
        f.dossier = ctx.chemins.chemin_appli + "fic_quorva\\TP\\" + h;
        // A folder removed since start-up gives an empty list.
        f.ListBox1 = ctx.os.list_files(f.dossier, "*.*");
    }
    dimensionne(ctx, f, slot);
    f.visible = true;
    if (s.montrer_feuille) s.montrer_feuille(slot);
    return slot;
}

void FileListBox1DblClick(contexte& ctx, int slot, int ligne) {
    feuille_tp* f = feuille(ctx, slot);
    if (!f || ligne < 0 || static_cast<std::size_t>(ligne) >= f->ListBox1.size()) return;
    if (f->mode == 0) {
        ExecuteFile(ctx, ctx.sections.ouvertures, f->dossier + "\\" + f->ListBox1[static_cast<std::size_t>(ligne)], "", f->dossier, 1);
        return;
    }
    if (static_cast<std::size_t>(ligne) >= f->Liste_nom.size()) return;
    const std::string nom = f->Liste_nom[static_cast<std::size_t>(ligne)];
    auto& menu = ctx.menu.PopupMenu1;
    for (auto e = menu.rbegin(); e != menu.rend(); ++e) {
        if (!nom.empty() && e->nom == nom) {
            lance_entree(ctx, *e);
            return;
        }
    }
    const auto fin = nom.find_last_of("\\/");
    if (fin == std::string::npos || fin == 0) return;
    ExecuteFile(ctx, ctx.sections.ouvertures, nom, "", nom.substr(0, fin), 1);
}

void Speed_closeClick(contexte& ctx, int slot) {
    feuille_tp* f = feuille(ctx, slot);
    if (!f) return;
    f->visible = false;
    f->Tag = 0;
    if (ctx.sections.montrer_feuille) ctx.sections.montrer_feuille(slot);
}

void FormMouseDown(contexte& ctx, bool bouton_droit, int x, int y) {
    if (bouton_droit) return;
    ctx.sections.deplacement_tp = true;
    ctx.sections.x0 = x;
    ctx.sections.y0 = y;
}

bool FormMouseMove(contexte& ctx, int slot, int x, int y) {
    feuille_tp* f = feuille(ctx, slot);
    if (!f || !ctx.sections.deplacement_tp) return false;
    f->Left += x - ctx.sections.x0;
    f->Top += y - ctx.sections.y0;
    return true;
}

void FormMouseUp(contexte& ctx) { ctx.sections.deplacement_tp = false; }

}  // namespace quorva
