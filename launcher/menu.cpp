#include "launcher/menu.h"

#include <array>

#include "app/contexte.h"
#include "app/base/chemins.h"
#include "app/base/erreur.h"
#include "app/base/services_systeme.h"
#include "launcher/adaptation_menu.h"

namespace quorva {

namespace {

entree_menu* cherche(std::vector<entree_menu>& entrees, std::string_view nom) {
    for (auto& e : entrees) {
        if (e.nom == nom) return &e;
        if (entree_menu* dedans = cherche(e.sous_menu, nom)) return dedans;
    }
    return nullptr;
}

// The entry that must exist in the menu model; the model is built here, so a
// missing one is a fault of this program.
entree_menu& entree(contexte& ctx, std::string_view nom) {
    entree_menu* e = trouve_entree(ctx.menu, nom);
    if (!e) throw erreur_quorva(message("Entr\xE9" "e de menu %s introuvable", std::string(nom)));
    return *e;
}

void montre(contexte& ctx, std::string_view nom) { entree(ctx, nom).visible = true; }

// Where an entry's own file was found, or its slot when it never was resolved.
std::string dossier_entree(contexte& ctx, const entree_menu& e, int slot) {
    if (!e.dossier_trouve.empty()) return e.dossier_trouve;
    return slot >= 1 && slot <= nb_slots_menu ? ctx.menu.chemins[slot] : std::string();
}

// A path handed to a presentation program as one argument.
std::string argument(const std::string& chemin) {
    return chemin.find(' ') == std::string::npos ? chemin : "\"" + chemin + "\"";
}

void lance_presentation(contexte& ctx, bool execution) {
    const std::string dossier = dossier_entree(ctx, entree(ctx, "PowerpointIstanbul1"), 22);
    const std::string fichier = dossier + "Plinka-do-it-yourself.ppt";
    if (!execution) {
        ExecuteFile(ctx, ctx.menu.ouvertures, fichier, "", dossier, 1);
    } else if (ctx.os.file_exists("C:\\Program Files (x86)\\Microsoft Office\\Office\\POWERPNT.EXE")) {
        ExecuteFile(ctx, ctx.menu.ouvertures, "POWERPNT.EXE", "/s " + argument(fichier), dossier, 1);
    } else if (ctx.os.file_exists("C:\\Program Files (x86)\\OpenOffice.org 3\\program\\simpress.exe")) {
        ExecuteFile(ctx, ctx.menu.ouvertures, "SIMPRESS.EXE", "-show " + argument(fichier), dossier, 1);
    } else {
        ExecuteFile(ctx, ctx.menu.ouvertures, fichier, "", dossier, 1);
    }
}

void lance_simulation(contexte& ctx, const entree_menu& e) {
    const std::string dossier = dossier_entree(ctx, e, 20);
    const std::string ancien = ctx.os.current_folder();
    ctx.os.set_current_folder(dossier + "simul_seismes");
    if (ctx.menu.attendre) ctx.menu.attendre(500);
    if (ctx.menu.repeindre) ctx.menu.repeindre();
    ExecuteFile(ctx, ctx.menu.ouvertures, dossier + "simul_seismes\\simul_seismes.exe", "", dossier + "simul_seismes\\", 1);
    if (!ancien.empty()) ctx.os.set_current_folder(ancien);
}

void action_fixe(contexte& ctx, entree_menu& e) {
    if (e.nom == "Executefile1") return lance_presentation(ctx, true);
    if (e.nom == "Editionfile1") return lance_presentation(ctx, false);
    if (e.nom == "Simulseismes1") return lance_simulation(ctx, e);
    const ressource_fixe* r = ressource_de(e.nom);
    if (!r || !r->ouvre) return;
    const std::string dossier = dossier_entree(ctx, e, r->slot);
    const std::string travail = *r->dossier_travail ? dossier + r->dossier_travail : dossier;
    ExecuteFile(ctx, ctx.menu.ouvertures, dossier + r->ouvre, "", travail, 1);
}

void appelle(const std::function<void()>& crochet) {
    if (crochet) crochet();
}

// Heading rules: they only ever show an entry. Each test goes through the
// slot its entry was resolved with.
void regles_titres(contexte& ctx) {
    auto existe = [&](int slot, const char* nom) { return ctx.os.file_exists(ctx.menu.chemins[slot] + nom); };
    if (existe(13, "azimut\\azimut.exe") || existe(15, "meca_foyer\\meca_foyer.exe") ||
        existe(20, "simul_seismes\\simul_seismes.exe"))
        montre(ctx, "LOGICIELS1");
    if (existe(1, "A_PROPOS_QUORVA.doc")) montre(ctx, "Apropos1");
    if (existe(21, "Varnel_atelier_veldrun_2013.doc") || existe(21, "atelier_veldrun_2014_RQ.ppt"))
        montre(ctx, "VELDRUN20131");
    if (existe(16, "racine_montagnes\\racine_montagnes.xls") ||
        existe(17, "racine_montagnes\\epaisseur_lithosphere.xls") || existe(2, "essai.wav.xls"))
        montre(ctx, "FichiersExcel1");
    if (existe(14, "activite_tp_RQ_vienne_2013\\Plinka_EN.doc") ||
        existe(14, "activite_tp_RQ_vienne_2013\\Plinka_FR.doc")) {
        montre(ctx, "PLINKADoityourself1");
        montre(ctx, "PlinkaDoity1");
    }
}

entree_menu entree_ajoutee(const std::string& caption, int tag, icone_menu icone, action_menu clic) {
    entree_menu e;
    e.tag = tag;
    e.caption = caption;
    e.icone = icone;
    e.clic = clic;
    return e;
}

// Opens slot `tag` of an added-content table. The stored path is opened as
// it is: a name holding "&" is a file like any other.
template <std::size_t N>
void ouvre_slot(contexte& ctx, const std::array<std::string, N>& table, int tag, bool dossier_avec_separateur) {
    if (tag < 1 || static_cast<std::size_t>(tag) >= N || table[tag].empty()) return;
    const std::string& chemin = table[tag];
    ExecuteFile(ctx, ctx.menu.ouvertures, chemin, "", dossier_de(chemin, dossier_avec_separateur), 1);
}

}  // namespace

entree_menu* trouve_entree(etat_menu& menu, std::string_view nom) {
    if (nom.empty()) return nullptr;
    return cherche(menu.PopupMenu1, nom);
}

entree_menu* entree_a(etat_menu& menu, const std::vector<int>& place) {
    std::vector<entree_menu>* niveau = &menu.PopupMenu1;
    entree_menu* e = nullptr;
    for (const int i : place) {
        if (i < 0 || static_cast<std::size_t>(i) >= niveau->size()) return nullptr;
        e = &(*niveau)[static_cast<std::size_t>(i)];
        niveau = &e->sous_menu;
    }
    return e;
}

void lance_entree(contexte& ctx, entree_menu& e) {
    switch (e.clic) {
        case action_menu::aucune: return;
        case action_menu::fixe: return action_fixe(ctx, e);
        case action_menu::cible: return lance_item_menuClick(ctx, e);
        case action_menu::section:
            if (ctx.menu.ouvrir_section) ctx.menu.ouvrir_section(e);
            return;
        case action_menu::logiciel_ajoute: return lance_fic_execlick(ctx, e.tag);
        case action_menu::excel_ajoute: return lance_fic_excelclick(ctx, e.tag);
        case action_menu::document_ajoute: return lance_fic_wordclick(ctx, e.tag);
        case action_menu::conversion: return appelle(ctx.menu.lancer_conversion);
        case action_menu::audacity_patin: return appelle(ctx.menu.lancer_audacity_patin);
        case action_menu::audacity_vitesse: return appelle(ctx.menu.lancer_audacity_vitesse);
        case action_menu::audacity_tables: return appelle(ctx.menu.lancer_audacity_tables);
        case action_menu::voir: return appelle(ctx.menu.montrer_voir);
        case action_menu::quitter: return appelle(ctx.menu.quitter);
    }
}

void lance_item_menuClick(contexte& ctx, entree_menu& e) {
    const int tag = e.tag;
    if (tag < 1 || tag > nb_slots_menu) return;
    const std::string cible = ctx.menu.cibles[tag];
    if (cible.empty()) return;
    auto& dossier = ctx.menu.chemins_cibles[tag];
    if (dossier.empty()) dossier = ctx.chemins.chemin_appli;
    met_chemin_dans(ctx, e, cible, dossier);
    const std::string fichier = dossier + cible;
    ExecuteFile(ctx, ctx.menu.ouvertures, fichier, "", dossier_de(fichier), 1);
}

void lance_fic_execlick(contexte& ctx, int tag) { ouvre_slot(ctx, ctx.menu.chemins_logiciels, tag, false); }
void lance_fic_wordclick(contexte& ctx, int tag) { ouvre_slot(ctx, ctx.menu.chemins_documents, tag, false); }
void lance_fic_excelclick(contexte& ctx, int tag) { ouvre_slot(ctx, ctx.menu.chemins_excel, tag, true); }

std::string chemin_ajoute(const contexte& ctx, std::string_view sous_menu, int tag) {
    const auto& m = ctx.menu;
    auto lit = [tag](const auto& table) {
        return tag >= 1 && static_cast<std::size_t>(tag) < table.size() ? table[tag] : std::string();
    };
    if (sous_menu == "Logicielsajouts1") return lit(m.chemins_logiciels);
    if (sous_menu == "DOCUMENTSEXCELAJOUTES1") return lit(m.chemins_excel);
    if (sous_menu == "Documentsajout1" || sous_menu == "FILMSAJOUTES1" || sous_menu == "FichiersGoogleEarthAJOUTES1")
        return lit(m.chemins_documents);
    return {};
}

void decouverte_documents(contexte& ctx) {
    auto& m = ctx.menu;
    const std::string appli = ctx.chemins.chemin_appli;
    const std::string donnees = dossier_donnees(ctx);
    m.nb_documents = 0;
    m.Memo_fic_word.clear();
    m.chemins_documents.fill({});
    int separateur = 0;  // Tag of the PDF separator line, 0 when none

    auto connu = [&](const std::string& nom) {
        if (deja_la(nom)) return true;
        for (const auto& e : m.PopupMenu1)
            if (e.caption == nom) return true;
        return false;
    };
    // A full table stops the listing: an entry never opens another's file.
    auto ajoute = [&](const std::string& ligne, const std::string& chemin) {
        if (m.nb_documents >= nb_slots_documents) return false;
        ++m.nb_documents;
        m.chemins_documents[m.nb_documents] = chemin;
        m.Memo_fic_word.push_back(ligne);
        return true;
    };
    auto liste = [&](const std::string& dossier, const char* masque, bool filtre) {
        for (const auto& nom : ctx.os.list_files(dossier, masque)) {
            if (filtre && connu(nom)) continue;
            if (!ajoute(nom, dossier + nom)) return;
        }
    };
    // A folder the teacher fills: listed when present, made ready otherwise.
    auto dossier_ajouts = [&](const std::string& dossier, const char* masque, bool* non_vide) {
        if (!ctx.os.folder_exists(dossier)) {
            ctx.os.create_folder(dossier);
            return;
        }
        const auto noms = ctx.os.list_files(dossier, masque);
        if (non_vide) *non_vide = !noms.empty();
        for (const auto& nom : noms) {
            if (connu(nom)) continue;
            if (!ajoute(nom, dossier + "\\" + nom)) return;
        }
    };

    liste(appli, "*.doc", true);
    dossier_ajouts(donnees + "doc_word_ajoutes", "*.doc", nullptr);
    if (ctx.os.folder_exists(donnees + "film_table_1D")) {
        if (ajoute("------PDF Files---------", "-------PDF files-----------")) separateur = m.nb_documents;
        liste(donnees + "film_table_1D\\", "*.pdf", false);
    }
    liste(donnees, "*.pdf", false);
    if (ctx.os.folder_exists(donnees + "pdf_ajoutes")) liste(donnees + "pdf_ajoutes\\", "*.pdf", false);
    const int d = m.nb_documents;

    auto& films = entree(ctx, "FILMSAJOUTES1");
    films.sous_menu.clear();
    const bool films_present = ctx.os.folder_exists(donnees + "films_ajoutes");
    bool films_non_vide = false;
    dossier_ajouts(donnees + "films_ajoutes", "*.*", &films_non_vide);
    if (films_present) films.enabled = films.visible = films_non_vide;
    const int f = m.nb_documents;

    dossier_ajouts(donnees + "fic_google_earth_ajoutes", "*.*", nullptr);

    auto& documents = entree(ctx, "Documentsajout1");
    auto& google = entree(ctx, "FichiersGoogleEarthAJOUTES1");
    documents.sous_menu.clear();
    google.sous_menu.clear();
    google.enabled = google.visible = false;
    documents.enabled = documents.visible = false;

    for (int i = 0; i < static_cast<int>(m.Memo_fic_word.size()); ++i) {
        const std::string& ligne = m.Memo_fic_word[static_cast<std::size_t>(i)];
        const int tag = i + 1;
        if (i < d) {
            if (tag == separateur)
                documents.sous_menu.push_back(entree_ajoutee(ligne, tag, icone_menu::aucune, action_menu::aucune));
            else
                documents.sous_menu.push_back(
                    entree_ajoutee(ligne, tag, documents.icone, action_menu::document_ajoute));
            documents.enabled = documents.visible = true;
        } else if (i < f) {
            films.sous_menu.push_back(entree_ajoutee(ligne, tag, entree(ctx, "Filmpatintract1").icone,
                                                     action_menu::document_ajoute));
            films.visible = true;
        } else {
            google.sous_menu.push_back(entree_ajoutee(ligne, tag, google.icone, action_menu::document_ajoute));
            google.enabled = google.visible = true;
        }
        montre(ctx, "AUTRESDOCUMENTATIONS1");
    }
}

void recherche_logiciels_ajoutes(contexte& ctx) {
    static constexpr std::array<std::string_view, 9> connus = {
        "activite_tp_RQ_vienne_2013", "Audacity", "azimut", "film_patin_tracte", "film_table_1D",
        "film_table_3D_2011", "meca_foyer", "racine_montagnes", "simul_seismes"};
    auto& m = ctx.menu;
    auto& ajouts = entree(ctx, "Logicielsajouts1");
    ajouts.sous_menu.clear();
    m.nb_logiciels = 0;
    m.chemins_logiciels.fill({});
    const std::string donnees = dossier_donnees(ctx);
    for (const auto& sous_dossier : ctx.os.list_folders(donnees)) {
        bool saute = false;
        for (const auto nom : connus) saute = saute || nom == sous_dossier;
        if (saute) continue;
        const std::string dossier = donnees + sous_dossier;
        for (const auto& nom : ctx.os.list_files(dossier, "*.jar;*.exe")) {
            if (m.nb_logiciels >= nb_slots_logiciels) return;
            ++m.nb_logiciels;
            m.chemins_logiciels[m.nb_logiciels] = dossier + "\\" + nom;
            ajouts.sous_menu.push_back(
                entree_ajoutee(nom, m.nb_logiciels, ajouts.icone, action_menu::logiciel_ajoute));
            ajouts.visible = true;
            montre(ctx, "LOGICIELS1");
        }
    }
}

void recherche_excel_ajoute(contexte& ctx) {
    auto& m = ctx.menu;
    std::string classeurs;
    if (ctx.os.folder_exists(dossier_donnees(ctx) + "audacity\\patin_tracte"))
        classeurs = dossier_donnees(ctx) + "audacity\\patin_tracte";
    if (ctx.os.folder_exists(ctx.chemins.chemin_appli + "audacity\\patin_tracte"))
        classeurs = ctx.chemins.chemin_appli + "audacity\\patin_tracte";

    auto& ajouts = entree(ctx, "DOCUMENTSEXCELAJOUTES1");
    ajouts.sous_menu.clear();
    ajouts.enabled = ajouts.visible = false;
    regles_titres(ctx);
    if (classeurs.empty()) return;

    m.nb_excel = 0;
    m.chemins_excel.fill({});
    for (const auto& nom : ctx.os.list_files(classeurs, "*.xls;*.slk")) {
        if (m.nb_excel >= nb_slots_excel) break;
        ++m.nb_excel;
        ajouts.sous_menu.push_back(entree_ajoutee(nom, m.nb_excel, ajouts.icone, action_menu::excel_ajoute));
        m.chemins_excel[m.nb_excel] = classeurs + "\\" + nom;
        ajouts.enabled = ajouts.visible = true;
        montre(ctx, "FichiersExcel1");
    }
}

}  // namespace quorva
