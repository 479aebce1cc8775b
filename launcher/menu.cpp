#include "launcher/menu.h"

#include <array>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/services_systeme.h"
#include "base/texte.h"
#include "launcher/adaptation_menu.h"
#include "launcher/descripteurs_menu.h"

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
entree_menu& entree(etat_menu& menu, std::string_view nom) {
    entree_menu* e = trouve_entree(menu, nom);
    if (!e) throw erreur_quorva(message("Entrée de menu %s introuvable", std::string(nom)));
    return *e;
}

void montre(etat_menu& menu, std::string_view nom) { entree(menu, nom).visible = true; }

// Where an entry's own file was found, or its slot when it never was resolved.
std::string dossier_entree(const etat_menu& menu, const entree_menu& e, int slot) {
    if (!e.dossier_trouve.empty()) return e.dossier_trouve;
    return slot >= 1 && slot <= nb_slots_menu ? menu.chemins[slot] : std::string();
}

// A path handed to a presentation program as one argument.
std::string argument(const std::string& chemin) {
    return chemin.find(' ') == std::string::npos ? chemin : "\"" + chemin + "\"";
}

void lance_presentation(services& ctx, etat_menu& menu, bool execution) {
    const descripteur_entree* d = descripteur_de("PowerpointIstanbul1");
    if (!d || !d->teste) return;
    const std::string dossier = dossier_entree(menu, entree(menu, d->nom), d->slot);
    const std::string fichier = dossier + d->teste;
    if (!execution) {
        ExecuteFile(ctx, menu.ouvertures, fichier, "", dossier, 1);
    } else if (ctx.os.file_exists("C:\\Program Files (x86)\\Microsoft Office\\Office\\POWERPNT.EXE")) {
        ExecuteFile(ctx, menu.ouvertures, "POWERPNT.EXE", "/s " + argument(fichier), dossier, 1);
    } else if (ctx.os.file_exists("C:\\Program Files (x86)\\OpenOffice.org 3\\program\\simpress.exe")) {
        ExecuteFile(ctx, menu.ouvertures, "SIMPRESS.EXE", "-show " + argument(fichier), dossier, 1);
    } else {
        ExecuteFile(ctx, menu.ouvertures, fichier, "", dossier, 1);
    }
}

void lance_simulation(services& ctx, etat_menu& menu, const entree_menu& e) {
    const std::string dossier = dossier_entree(menu, e, slot_simul_seismes);
    const std::string ancien = ctx.os.current_folder();
    ctx.os.set_current_folder(dossier + "simul_seismes");
    if (menu.attendre) menu.attendre(500);
    if (menu.repeindre) menu.repeindre();
    ExecuteFile(ctx, menu.ouvertures, dossier + "simul_seismes\\simul_seismes.exe", "", dossier + "simul_seismes\\", 1);
    if (!ancien.empty()) ctx.os.set_current_folder(ancien);
}

// The entry's own file, opened from the folder where it was found, with the
// folder part of its name as working folder.
void action_fixe(services& ctx, etat_menu& menu, entree_menu& e) {
    if (e.nom == "Executefile1") return lance_presentation(ctx, menu, true);
    if (e.nom == "Editionfile1") return lance_presentation(ctx, menu, false);
    if (e.nom == "Simulseismes1") return lance_simulation(ctx, menu, e);
    const descripteur_entree* d = descripteur_de(e.nom);
    if (!d || !d->teste) return;
    const std::string ouvert = fichier_ouvert(*d);
    const std::string dossier = dossier_entree(menu, e, d->slot);
    ExecuteFile(ctx, menu.ouvertures, dossier + ouvert, "", dossier + dossier_de(ouvert), 1);
}

void appelle(const std::function<void()>& crochet) {
    if (crochet) crochet();
}

// Heading rules: they only ever show an entry. Each test goes through the
// slot its entry was resolved with.
void regles_titres(const services& ctx, etat_menu& menu) {
    auto existe = [&](int slot, const char* nom) { return nom && ctx.os.file_exists(menu.chemins[slot] + nom); };
    for (const auto& d : descripteurs_menu()) {
        if (!d.titres_montres[0]) continue;
        if (!existe(d.slot, d.teste) && !existe(d.slot, d.autre_teste)) continue;
        for (const char* titre : d.titres_montres)
            if (titre) montre(menu, titre);
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
void ouvre_slot(services& ctx, etat_menu& menu, const std::array<std::string, N>& table, int tag,
                bool dossier_avec_separateur) {
    if (tag < 1 || static_cast<std::size_t>(tag) >= N || table[tag].empty()) return;
    const std::string& chemin = table[tag];
    ExecuteFile(ctx, menu.ouvertures, chemin, "", dossier_de(chemin, dossier_avec_separateur), 1);
}

// The documents family's listing: fills its table and captions in order. A
// full table stops the listing: an entry never opens another's file.
struct listage_documents {
    services& ctx;
    etat_menu& menu;
    int separateur = 0;  // Tag of the PDF separator line, 0 when none

    bool connu(const std::string& nom) const {
        if (deja_la(nom)) return true;
        for (const auto& e : menu.PopupMenu1)
            if (e.caption == nom) return true;
        return false;
    }
    bool ajoute(const std::string& ligne, const std::string& chemin) {
        if (menu.nb_documents >= nb_slots_documents) return false;
        ++menu.nb_documents;
        menu.chemins_documents[menu.nb_documents] = chemin;
        menu.Memo_fic_word.push_back(ligne);
        return true;
    }
    void liste(const std::string& dossier, const char* masque, bool filtre) {
        for (const auto& nom : ctx.os.list_files(dossier, masque)) {
            if (filtre && connu(nom)) continue;
            if (!ajoute(nom, dossier + nom)) return;
        }
    }
    // A folder the teacher fills: listed when present, made ready otherwise.
    // True when it holds files.
    bool dossier_ajouts(const std::string& dossier, const char* masque) {
        if (!ctx.os.folder_exists(dossier)) {
            ctx.os.create_folder(dossier);
            return false;
        }
        const auto noms = ctx.os.list_files(dossier, masque);
        for (const auto& nom : noms) {
            if (connu(nom)) continue;
            if (!ajoute(nom, joindre(dossier, nom))) break;
        }
        return !noms.empty();
    }
};

// The documents family's submenus from its table: documents up to line
// `fin_documents`, films up to `fin_films`, Google Earth files after.
void remplit_documents(etat_menu& menu, int fin_documents, int fin_films, int separateur) {
    auto& films = entree(menu, "FILMSAJOUTES1");
    auto& documents = entree(menu, "Documentsajout1");
    auto& google = entree(menu, "FichiersGoogleEarthAJOUTES1");
    documents.sous_menu.clear();
    google.sous_menu.clear();
    google.enabled = google.visible = false;
    documents.enabled = documents.visible = false;

    for (int i = 0; i < static_cast<int>(menu.Memo_fic_word.size()); ++i) {
        const std::string& ligne = menu.Memo_fic_word[static_cast<std::size_t>(i)];
        const int tag = i + 1;
        if (i < fin_documents) {
            if (tag == separateur)
                documents.sous_menu.push_back(entree_ajoutee(ligne, tag, icone_menu::aucune, action_menu::aucune));
            else
                documents.sous_menu.push_back(
                    entree_ajoutee(ligne, tag, documents.icone, action_menu::document_ajoute));
            documents.enabled = documents.visible = true;
        } else if (i < fin_films) {
            films.sous_menu.push_back(entree_ajoutee(ligne, tag, entree(menu, "Filmpatintract1").icone,
                                                     action_menu::document_ajoute));
            films.visible = true;
        } else {
            google.sous_menu.push_back(entree_ajoutee(ligne, tag, google.icone, action_menu::document_ajoute));
            google.enabled = google.visible = true;
        }
        montre(menu, "AUTRESDOCUMENTATIONS1");
    }
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

void lance_entree(services& ctx, etat_menu& menu, entree_menu& e) {
    switch (e.clic) {
        case action_menu::aucune: return;
        case action_menu::fixe: return action_fixe(ctx, menu, e);
        case action_menu::cible: return lance_item_menuClick(ctx, menu, e);
        case action_menu::section:
            if (menu.ouvrir_section) menu.ouvrir_section(e);
            return;
        case action_menu::logiciel_ajoute: return lance_fic_execlick(ctx, menu, e.tag);
        case action_menu::excel_ajoute: return lance_fic_excelclick(ctx, menu, e.tag);
        case action_menu::document_ajoute: return lance_fic_wordclick(ctx, menu, e.tag);
        case action_menu::conversion: return appelle(menu.lancer_conversion);
        case action_menu::synthese: return appelle(menu.lancer_synthese);
        case action_menu::audacity_patin: return appelle(menu.lancer_audacity_patin);
        case action_menu::audacity_vitesse: return appelle(menu.lancer_audacity_vitesse);
        case action_menu::audacity_tables: return appelle(menu.lancer_audacity_tables);
        case action_menu::voir: return appelle(menu.montrer_voir);
        case action_menu::quitter: return appelle(menu.quitter);
    }
}

void lance_item_menuClick(services& ctx, etat_menu& menu, entree_menu& e) {
    const int tag = e.tag;
    if (tag < 1 || tag > nb_slots_menu) return;
    const std::string cible = menu.cibles[tag];
    if (cible.empty()) return;
    auto& dossier = menu.chemins_cibles[tag];
    if (dossier.empty()) dossier = ctx.chemins.chemin_appli;
    met_chemin_dans(ctx, e, cible, dossier);
    const std::string fichier = dossier + cible;
    ExecuteFile(ctx, menu.ouvertures, fichier, "", dossier_de(fichier), 1);
}

void lance_fic_execlick(services& ctx, etat_menu& menu, int tag) {
    ouvre_slot(ctx, menu, menu.chemins_logiciels, tag, false);
}
void lance_fic_wordclick(services& ctx, etat_menu& menu, int tag) {
    ouvre_slot(ctx, menu, menu.chemins_documents, tag, false);
}
void lance_fic_excelclick(services& ctx, etat_menu& menu, int tag) {
    ouvre_slot(ctx, menu, menu.chemins_excel, tag, true);
}

std::string chemin_ajoute(const etat_menu& menu, std::string_view sous_menu, int tag) {
    auto lit = [tag](const auto& table) {
        return tag >= 1 && static_cast<std::size_t>(tag) < table.size() ? table[tag] : std::string();
    };
    if (sous_menu == "Logicielsajouts1") return lit(menu.chemins_logiciels);
    if (sous_menu == "DOCUMENTSEXCELAJOUTES1") return lit(menu.chemins_excel);
    if (sous_menu == "Documentsajout1" || sous_menu == "FILMSAJOUTES1" || sous_menu == "FichiersGoogleEarthAJOUTES1")
        return lit(menu.chemins_documents);
    return {};
}

void decouverte_documents(services& ctx, etat_menu& menu) {
    const std::string appli = ctx.chemins.chemin_appli;
    const std::string donnees = dossier_donnees(ctx.chemins);
    menu.nb_documents = 0;
    menu.Memo_fic_word.clear();
    menu.chemins_documents.fill({});
    listage_documents listage{ctx, menu};

    listage.liste(appli, "*.doc", true);
    listage.dossier_ajouts(donnees + "doc_word_ajoutes", "*.doc");
    if (ctx.os.folder_exists(donnees + "film_table_1D")) {
        if (listage.ajoute("------PDF Files---------", "-------PDF files-----------"))
            listage.separateur = menu.nb_documents;
        listage.liste(donnees + "film_table_1D\\", "*.pdf", false);
    }
    listage.liste(donnees, "*.pdf", false);
    if (ctx.os.folder_exists(donnees + "pdf_ajoutes")) listage.liste(donnees + "pdf_ajoutes\\", "*.pdf", false);
    const int fin_documents = menu.nb_documents;

    auto& films = entree(menu, "FILMSAJOUTES1");
    films.sous_menu.clear();
    const bool films_present = ctx.os.folder_exists(donnees + "films_ajoutes");
    const bool films_non_vide = listage.dossier_ajouts(donnees + "films_ajoutes", "*.*");
    if (films_present) films.enabled = films.visible = films_non_vide;
    const int fin_films = menu.nb_documents;

    listage.dossier_ajouts(donnees + "fic_google_earth_ajoutes", "*.*");
    remplit_documents(menu, fin_documents, fin_films, listage.separateur);
}

void recherche_logiciels_ajoutes(services& ctx, etat_menu& menu) {
    static constexpr std::array<std::string_view, 9> connus = {
        "activite_tp_RQ_vienne_2013", "Audacity", "azimut", "film_patin_tracte", "film_table_1D",
        "film_table_3D_2011", "meca_foyer", "racine_montagnes", "simul_seismes"};
    auto& ajouts = entree(menu, "Logicielsajouts1");
    ajouts.sous_menu.clear();
    menu.nb_logiciels = 0;
    menu.chemins_logiciels.fill({});
    const std::string donnees = dossier_donnees(ctx.chemins);
    for (const auto& sous_dossier : ctx.os.list_folders(donnees)) {
        bool saute = false;
        // The program's own folders, found through paths that Windows (and
        // Quorva's Linux layer) match without case: "audacity" is Audacity's.
        for (const auto nom : connus) saute = saute || egal_sans_casse(nom, sous_dossier);
        if (saute) continue;
        const std::string dossier = donnees + sous_dossier;
        for (const auto& nom : ctx.os.list_files(dossier, "*.jar;*.exe")) {
            if (menu.nb_logiciels >= nb_slots_logiciels) return;
            ++menu.nb_logiciels;
            menu.chemins_logiciels[menu.nb_logiciels] = joindre(dossier, nom);
            ajouts.sous_menu.push_back(
                entree_ajoutee(nom, menu.nb_logiciels, ajouts.icone, action_menu::logiciel_ajoute));
            ajouts.visible = true;
            montre(menu, "LOGICIELS1");
        }
    }
}

void recherche_excel_ajoute(services& ctx, etat_menu& menu) {
    std::string classeurs;
    for (const std::string& dossier : {dossier_donnees(ctx.chemins), ctx.chemins.chemin_appli})
        if (ctx.os.folder_exists(joindre(dossier, "audacity\\patin_tracte")))
            classeurs = joindre(dossier, "audacity\\patin_tracte");
    // On a network drive, this machine's recordings are in its own folder.
    if (!classeurs.empty() && ctx.os.on_network_drive(classeurs)) {
        try {
            classeurs = joindre(classeurs, dossier_machine(ctx.os.computer_name()));
        } catch (const erreur_quorva&) {
            // No folder of its own (the launch says why): the shared one.
        }
    }

    auto& ajouts = entree(menu, "DOCUMENTSEXCELAJOUTES1");
    ajouts.sous_menu.clear();
    ajouts.enabled = ajouts.visible = false;
    regles_titres(ctx, menu);
    if (classeurs.empty()) return;

    menu.nb_excel = 0;
    menu.chemins_excel.fill({});
    for (const auto& nom : ctx.os.list_files(classeurs, "*.xls;*.slk")) {
        if (menu.nb_excel >= nb_slots_excel) break;
        ++menu.nb_excel;
        ajouts.sous_menu.push_back(entree_ajoutee(nom, menu.nb_excel, ajouts.icone, action_menu::excel_ajoute));
        menu.chemins_excel[menu.nb_excel] = joindre(classeurs, nom);
        ajouts.enabled = ajouts.visible = true;
        montre(menu, "FichiersExcel1");
    }
}

}  // namespace quorva
