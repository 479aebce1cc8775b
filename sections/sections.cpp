#include "sections/sections.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "base/chemins.h"
#include "base/services_systeme.h"
#include "launcher/descripteurs_menu.h"
#include "launcher/menu.h"

namespace quorva {

namespace {

constexpr couleur_tp gris{128, 128, 128};
constexpr couleur_tp jaune{255, 255, 0};
constexpr couleur_tp blanc{255, 255, 255};
constexpr couleur_tp noir{0, 0, 0};

bool contient(const std::string& texte, std::string_view morceau) { return texte.find(morceau) != std::string::npos; }

int largeur(const etat_sections& sections, const std::string& texte) {
    if (sections.largeur_texte) return sections.largeur_texte(texte);
    return static_cast<int>(std::min<std::size_t>(texte.size(), 10000)) * 6;
}

int hauteur_ligne(const etat_sections& sections) { return sections.hauteur_ligne ? sections.hauteur_ligne() : 13; }

// Row text and what it opens (an entry name or a path), kept apart so that a
// caption holding "#" still opens what it names.
using ligne_section = std::pair<std::string, std::string>;

void ajoute_contenu(etat_menu& menu, std::vector<ligne_section>& lignes, std::string_view sous_menu) {
    entree_menu* parent = trouve_entree(menu, sous_menu);
    if (!parent) return;
    for (const auto& e : parent->sous_menu) {
        lignes.emplace_back(e.caption, chemin_ajoute(menu, sous_menu, e.tag));
        if (entree_menu* autres = trouve_entree(menu, "AUTRESDOCUMENTATIONS1")) autres->visible = true;
    }
}

void separateur(std::vector<ligne_section>& lignes, const char* texte) { lignes.emplace_back(texte, texte); }

std::vector<ligne_section> lignes_menu(etat_menu& menu, const entree_menu& titre) {
    std::vector<ligne_section> lignes;
    const auto& entrees = menu.PopupMenu1;
    std::size_t position = 0;
    while (position < entrees.size() && entrees[position].nom != titre.nom) ++position;
    // The rows run to the next heading, or to the end of the menu.
    for (std::size_t p = position + 1; p < entrees.size(); ++p) {
        const entree_menu& e = entrees[p];
        if (p > position + 1 && contient(e.caption, "_____")) break;
        if (!contient(e.caption, "AJOUTE") && !contient(e.caption, "ADDED") && e.caption != titre.caption &&
            e.visible)
            lignes.emplace_back(e.caption, e.nom);
    }
    if (titre.nom == "LOGICIELS1") {
        ajoute_contenu(menu, lignes, "Logicielsajouts1");
    } else if (titre.nom == "FichiersExcel1") {
        const auto avant = lignes.size();
        ajoute_contenu(menu, lignes, "DOCUMENTSEXCELAJOUTES1");
        if (lignes.size() > avant) trouve_entree(menu, "FichiersExcel1")->visible = true;
    } else if (titre.nom == "AUTRESDOCUMENTATIONS1") {
        ajoute_contenu(menu, lignes, "Documentsajout1");
        const entree_menu* films = trouve_entree(menu, "FILMSAJOUTES1");
        if (films && !films->sous_menu.empty()) {
            separateur(lignes, "--------VIDEO-------------");
            ajoute_contenu(menu, lignes, "FILMSAJOUTES1");
        }
        const entree_menu* google = trouve_entree(menu, "FichiersGoogleEarthAJOUTES1");
        if (google && !google->sous_menu.empty()) {
            separateur(lignes, "--------GOOGLE EARTH-------------");
            ajoute_contenu(menu, lignes, "FichiersGoogleEarthAJOUTES1");
        }
    }
    return lignes;
}

void dimensionne(const etat_sections& sections, feuille_tp& f, int slot) {
    int w = 180;
    for (const auto& ligne : f.ListBox1) w = std::max(w, largeur(sections, ligne));
    const int largeur_titre = largeur(sections, f.titre);
    w = std::max(w, largeur_titre + 20);
    f.liste_hauteur = static_cast<int>(f.ListBox1.size()) * (hauteur_ligne(sections) + 2);
    f.liste_largeur = w + 15;
    f.Left -= 20 * slot;
    f.Top += 20 * slot;
    f.Tag = slot;
    f.Width = w + 20;
    f.Height = f.liste_hauteur + 25;
    f.titre_left = (f.Width - largeur_titre) / 2;
    f.close_left = f.Width - 14 - 2;
}

feuille_tp* feuille(etat_sections& sections, int slot) {
    if (slot < 1 || slot > sections.nb_feuilles) return nullptr;
    return &sections.feuilles_tp[static_cast<std::size_t>(slot)];
}

}  // namespace

bool est_titre_section(std::string_view nom) {
    const descripteur_entree* d = descripteur_de(nom);
    return d && !d->parent && d->clic == action_menu::section;
}

void recherche_TP(const services& ctx, etat_menu& menu, etat_sections& sections) {
    const std::string dossier = joindre(dossier_donnees(ctx.chemins), "TP");
    if (!ctx.os.folder_exists(dossier)) return;
    entree_menu* tp = trouve_entree(menu, "TP1");
    if (!tp) return;
    for (const auto& nom : ctx.os.list_folders(dossier)) {
        if (sections.nb_sections >= nb_max_sections) break;
        ++sections.nb_sections;
        entree_menu e;
        e.tag = sections.nb_sections;
        e.caption = nom;
        e.clic = action_menu::section;
        tp->sous_menu.push_back(std::move(e));
        tp->visible = true;
    }
}

int creation_feuille_tpclick(const services& ctx, etat_menu& menu, etat_sections& sections,
                             const entree_menu& sender) {
    auto& s = sections;
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
        for (auto& [texte, nom] : lignes_menu(menu, titre)) {
            f.ListBox1.push_back(std::move(texte));
            f.Liste_nom.push_back(std::move(nom));
        }
    } else {
        f.mode = 0;
        f.dossier = joindre(dossier_donnees(ctx.chemins), "TP\\" + h);
        // A folder removed since start-up gives an empty list.
        f.ListBox1 = ctx.os.list_files(f.dossier, "*.*");
    }
    dimensionne(s, f, slot);
    f.visible = true;
    if (s.montrer_feuille) s.montrer_feuille(slot);
    return slot;
}

void FileListBox1DblClick(services& ctx, etat_menu& menu, etat_sections& sections, int slot, int ligne) {
    feuille_tp* f = feuille(sections, slot);
    if (!f || ligne < 0 || static_cast<std::size_t>(ligne) >= f->ListBox1.size()) return;
    if (f->mode == 0) {
        ExecuteFile(ctx, sections.ouvertures, joindre(f->dossier, f->ListBox1[static_cast<std::size_t>(ligne)]), "",
                    f->dossier, 1);
        return;
    }
    if (static_cast<std::size_t>(ligne) >= f->Liste_nom.size()) return;
    const std::string nom = f->Liste_nom[static_cast<std::size_t>(ligne)];
    auto& entrees = menu.PopupMenu1;
    for (auto e = entrees.rbegin(); e != entrees.rend(); ++e) {
        if (!nom.empty() && e->nom == nom) {
            lance_entree(ctx, menu, *e);
            return;
        }
    }
    const std::string dossier = dossier_de(nom);
    if (dossier.empty()) return;
    ExecuteFile(ctx, sections.ouvertures, nom, "", dossier, 1);
}

void Speed_closeClick(etat_sections& sections, int slot) {
    feuille_tp* f = feuille(sections, slot);
    if (!f) return;
    f->visible = false;
    f->Tag = 0;
    if (sections.montrer_feuille) sections.montrer_feuille(slot);
}

void FormMouseDown(etat_sections& sections, bool bouton_droit, int x, int y) {
    if (bouton_droit) return;
    sections.deplacement_tp = true;
    sections.x0 = x;
    sections.y0 = y;
}

bool FormMouseMove(etat_sections& sections, int slot, int x, int y) {
    feuille_tp* f = feuille(sections, slot);
    if (!f || !sections.deplacement_tp) return false;
    f->Left += x - sections.x0;
    f->Top += y - sections.y0;
    return true;
}

void FormMouseUp(etat_sections& sections) { sections.deplacement_tp = false; }

}  // namespace quorva
