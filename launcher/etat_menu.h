// The toolbar's menu model and the tables of added content.
//
// The menu lives here, in plain C++: the Qt component PopupMenu1 only draws
// it and forwards clicks. Entries keep the names and Tags of the menu they
// describe; the Tag doubles as the slot number of the folder, target and
// added-content tables (1-based, slot 0 unused).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/ouvertures_shell.h"

namespace quorva {

// What a click on an entry does.
enum class action_menu {
    aucune,            // headings of submenus, separators, hidden options
    fixe,              // the entry's own resource (fixed table)
    cible,             // the target handler lance_item_menuClick
    section,           // hook: a section window (creation_feuille_tpclick)
    logiciel_ajoute,   // lance_fic_execlick
    excel_ajoute,      // lance_fic_excelclick
    document_ajoute,   // lance_fic_wordclick
    conversion,        // hook: read and convert a recording
    synthese,          // hook: the class summary of a folder of recordings
    audacity_patin,    // hook: Audacity for stick-slip (local copy)
    audacity_vitesse,  // hook: Audacity for wave speed (local copy)
    audacity_tables,   // hook: Audacity for the shake tables
    voir,              // hook: the log viewer
    quitter,           // hook: quit Quorva
};

// Small icons of the entries; the Qt side picks a picture for each.
enum class icone_menu {
    aucune,
    information,
    document,
    presentation,
    tableur,
    film,
    programme,
    audacity,
    conversion,
    dossier,
    section,
    google_earth,
    voir,
    quitter,
};

struct entree_menu {
    std::string nom;      // empty for entries created at run time
    int tag = 0;
    std::string caption;  // a "-" caption is a separator line
    bool visible = true;
    bool enabled = true;
    icone_menu icone = icone_menu::aucune;
    action_menu clic = action_menu::aucune;
    bool est_sous_menu = false;  // opens a submenu (possibly empty)
    // Folder in which the entry's own file was found by the last
    // resolution (met_chemin): its fixed action opens from there, whatever
    // another entry later does to the shared slot.
    std::string dossier_trouve;
    std::vector<entree_menu> sous_menu;
};

constexpr int nb_slots_menu = 50;
// Slots 1 to nb_slots_au_depart start on the program folder.
constexpr int nb_slots_au_depart = 30;

// The folder slots of the fixed resources (indices of etat_menu::chemins):
// the slot a resource's presence is tested through, and the folder it opens
// from. The two Audacity entries share one, so do the two VELDRUN documents.
constexpr int slot_a_propos = 1;
constexpr int slot_resultat_patin = 2;
constexpr int slot_aide_patin = 5;
constexpr int slot_aide_vitesse = 6;
constexpr int slot_aide_tables = 7;
constexpr int slot_film_patin = 10;
constexpr int slot_film_table_1d = 11;
constexpr int slot_film_table_3d = 12;
constexpr int slot_azimut = 13;
constexpr int slot_plinka = 14;
constexpr int slot_meca_foyer = 15;
constexpr int slot_racine_montagnes = 16;
constexpr int slot_epaisseur = 17;
constexpr int slot_doc_racines = 18;
constexpr int slot_audacity = 19;
constexpr int slot_simul_seismes = 20;
constexpr int slot_veldrun = 21;
constexpr int slot_presentation = 22;
constexpr int nb_slots_documents = 100;
constexpr int nb_slots_logiciels = 50;
constexpr int nb_slots_excel = 50;

struct etat_menu {
    etat_menu();

    ouvertures_shell ouvertures;  // what the menu's entries opened last

    // The popup menu of the toolbar: its 39 top-level entries in order.
    std::vector<entree_menu> PopupMenu1;

    std::array<std::string, nb_slots_menu + 1> chemins;  // folder of each slot
    std::array<std::string, nb_slots_menu + 1> cibles;   // translated targets
    // Folder of each target, by Tag. Targets resolve in a table of their
    // own: several Tags are also slots of other resources (5, 13, 16), and
    // a target found in one place must not move another entry's file.
    std::array<std::string, nb_slots_menu + 1> chemins_cibles;

    // Added content; slot k is opened by the entry of Tag k.
    std::vector<std::string> Memo_fic_word;  // captions of the documents family
    std::array<std::string, nb_slots_documents + 1> chemins_documents;
    std::array<std::string, nb_slots_logiciels + 1> chemins_logiciels;
    std::array<std::string, nb_slots_excel + 1> chemins_excel;
    int nb_documents = 0;
    int nb_logiciels = 0;
    int nb_excel = 0;

    // Actions that need a window or another subsystem; the toolbar connects
    // them. An unconnected hook does nothing.
    std::function<void()> lancer_conversion;        // Lectureconversionwav1
    std::function<void()> lancer_synthese;          // Synthesedelaclasse1
    std::function<void()> lancer_audacity_patin;    // LancerAudacityCl1
    std::function<void()> lancer_audacity_vitesse;  // AudacityforspeedwaveUSBkey1
    std::function<void()> lancer_audacity_tables;   // Audacityforshaketable1D2D1
    std::function<void()> montrer_voir;             // VOIR1
    std::function<void()> quitter;                  // QuitterQuorva1
    // A heading of a practical-work section, or an entry of the TP1 submenu.
    std::function<void(const entree_menu&)> ouvrir_section;
    // The simulation program's start waits half a second, then repaints
    // the toolbar. Tests replace the wait.
    std::function<void(int millisecondes)> attendre;
    std::function<void()> repeindre;
};

}  // namespace quorva
