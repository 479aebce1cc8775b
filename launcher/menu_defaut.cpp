// The toolbar's menu as it stands before start-up: 39 top-level entries in
// order, each described once below. Start-up then resolves, scans and
// translates it.
#include <chrono>
#include <iterator>
#include <thread>

#include "launcher/descripteurs_menu.h"

namespace quorva {

namespace {

using A = action_menu;
using I = icone_menu;

// clang-format off
// Constant-initialised: ready before any code runs.
constexpr descripteur_entree table_menu[] = {
    {.nom = "Apropos1", .tag = 1, .caption = "ABOUT QUORVA", .visible = false, .icone = I::information, .clic = A::fixe,
     .teste = "A_PROPOS_QUORVA.doc", .slot = slot_a_propos, .document_couvert = true, .titres_montres = {"Apropos1"}},
    {.nom = "VELDRUN20131", .tag = 2, .caption = "VELDRUN", .visible = false, .icone = I::presentation, .sous_menu = true},
    {.nom = "VELDRUN20132", .parent = "VELDRUN20131", .caption = "VELDRUN 2013", .icone = I::document, .clic = A::fixe,
     .teste = "Varnel_atelier_veldrun_2013.doc", .slot = slot_veldrun, .document_couvert = true,
     .titres_montres = {"VELDRUN20131"}},
    {.nom = "VELDRUN20141", .parent = "VELDRUN20131", .caption = "VELDRUN 2014", .icone = I::presentation,
     .clic = A::fixe, .teste = "atelier_veldrun_2014_RQ.ppt", .slot = slot_veldrun, .titres_montres = {"VELDRUN20131"}},
    {.nom = "PowerpointIstanbul1", .tag = 3, .caption = "Pwpnt Plinka", .icone = I::presentation, .sous_menu = true,
     .teste = "Plinka-do-it-yourself.ppt", .slot = slot_presentation},
    {.nom = "Executefile1", .parent = "PowerpointIstanbul1", .caption = "Execute mode", .icone = I::presentation,
     .clic = A::fixe},
    {.nom = "Editionfile1", .parent = "PowerpointIstanbul1", .caption = "Edit mode", .icone = I::document,
     .clic = A::fixe},
    {.nom = "PLINKADoityourself1", .tag = 4, .caption = "_______PLINKA \"Do it yourself\"", .visible = false,
     .icone = I::section, .clic = A::section},
    {.nom = "PlinkaDoity1", .tag = 5, .caption = "PLINKA \"Do it yourself\" EN", .visible = false,
     .icone = I::document, .clic = A::fixe, .teste = "activite_tp_RQ_vienne_2013\\Plinka_EN.doc",
     .slot = slot_plinka, .titres_montres = {"PLINKADoityourself1", "PlinkaDoity1"},
     .autre_teste = "activite_tp_RQ_vienne_2013\\Plinka_FR.doc"},
    {.nom = "Patintract1", .tag = 6, .caption = "______STICK SLIP_______", .icone = I::section, .clic = A::section},
    {.nom = "LancerAudacityCl1", .tag = 7, .caption = "Audacity for stick-slip(1ch;16 bits;1000 hz) Local",
     .icone = I::audacity, .clic = A::audacity_patin, .teste = "audacity\\audacity.exe", .slot = slot_audacity},
    {.nom = "AideAudacitypourpatintract1", .tag = 8, .caption = "Help Audacity for stick-slip (French)",
     .icone = I::document, .clic = A::fixe, .teste = "Patin_tracte_audacity.doc", .slot = slot_aide_patin,
     .document_couvert = true},
    {.nom = "Filmpatintract1", .tag = 9, .caption = "Film stick slip", .icone = I::film, .clic = A::fixe,
     .teste = "Film_patin_tracte\\patin_tracte.exe", .slot = slot_film_patin},
    {.nom = "Lectureconversionwav1", .tag = 10, .caption = "Read convert .wav ( 1 channel; 16 bits) Excel",
     .icone = I::conversion, .clic = A::conversion},
    {.nom = "Synthesedelaclasse1", .caption = "Class summary...", .icone = I::tableur, .clic = A::synthese},
    {.nom = "N1", .tag = 11, .caption = "______WAVES SPEED________", .icone = I::section, .clic = A::section},
    {.nom = "AudacityforspeedwaveUSBkey1", .tag = 12, .caption = "Audacity for speed wave (2ch;22 KHz) Local",
     .icone = I::audacity, .clic = A::audacity_vitesse, .teste = "audacity\\audacity.exe", .slot = slot_audacity},
    {.nom = "AideAudacitypourvitessedesondes1", .tag = 13, .caption = "Help Audacity for wave speed",
     .icone = I::document, .clic = A::fixe, .teste = "mesure_vitesse_ondes.doc", .slot = slot_aide_vitesse,
     .document_couvert = true},
    {.nom = "N3", .tag = 14, .caption = "________SHAKE TABLES__________", .icone = I::section, .clic = A::section},
    {.nom = "Audacityforshaketable1D2D1", .tag = 15, .caption = "Audacity pour table vibrante 1D-2D",
     .icone = I::audacity, .clic = A::audacity_tables},
    // Shown for the English document, opens the French one (its initial
    // caption says so); the translation table gives it per-language targets.
    {.nom = "AidepourlestablesvibrantesEnglish1", .tag = 16, .caption = "Aide pour les tables vibrantes (FR)",
     .icone = I::document, .clic = A::fixe, .teste = "Tables_vibrantes_pedagogiques_EN.doc",
     .slot = slot_aide_tables, .ouvre = "Tables_vibrantes_pedagogiques.doc", .document_couvert = true},
    {.nom = "Filmstable1D1", .tag = 17, .caption = "Films table 1D", .icone = I::film, .clic = A::fixe,
     .teste = "Film_table_1D\\seismes.exe", .slot = slot_film_table_1d},
    {.nom = "Filmtable3D1", .tag = 18, .caption = "Film table 3D", .icone = I::film, .clic = A::fixe,
     .teste = "Film_table_3D_2011\\video_table_3D.exe", .slot = slot_film_table_3d},
    {.nom = "LOGICIELS1", .tag = 19, .caption = "________SOFTWARES___________", .visible = false,
     .icone = I::section, .clic = A::section},
    {.nom = "Azimut1", .tag = 2022, .caption = "Azimut", .icone = I::programme, .clic = A::fixe,
     .teste = "azimut\\azimut.exe", .slot = slot_azimut, .titres_montres = {"LOGICIELS1"}},
    {.nom = "Mcanismesaufoyer1", .tag = 21, .caption = "Mécanismes au foyer", .icone = I::programme,
     .clic = A::fixe, .teste = "meca_foyer\\meca_foyer.exe", .slot = slot_meca_foyer,
     .titres_montres = {"LOGICIELS1"}},
    {.nom = "Simulseismes1", .tag = 22, .caption = "Simul_seismes", .icone = I::programme, .clic = A::fixe,
     .teste = "simul_seismes\\simul_seismes.exe", .slot = slot_simul_seismes, .titres_montres = {"LOGICIELS1"}},
    {.nom = "Logicielsajouts1", .tag = 23, .caption = "LOGICIELS AJOUTES", .visible = false,
     .icone = I::programme, .sous_menu = true},
    {.nom = "FichiersExcel1", .tag = 24, .caption = "_________EXCEL FILES__________", .visible = false,
     .icone = I::section, .clic = A::section},
    {.nom = "Racinesmontagnes1", .tag = 25, .caption = "Doc montains root (French)", .icone = I::document,
     .clic = A::fixe, .teste = "racine_montagnes\\racine_montagnes.doc", .slot = slot_doc_racines,
     .document_couvert = true},
    {.nom = "Racinedesmontagnes1", .tag = 26, .caption = "Montains root", .icone = I::tableur, .clic = A::fixe,
     .teste = "racine_montagnes\\racine_montagnes.xls", .slot = slot_racine_montagnes,
     .titres_montres = {"FichiersExcel1"}},
    {.nom = "Epaisseuretsubduction1", .tag = 27, .caption = "Thickness and subduction", .icone = I::tableur,
     .clic = A::fixe, .teste = "racine_montagnes\\epaisseur_lithosphere.xls", .slot = slot_epaisseur,
     .titres_montres = {"FichiersExcel1"}},
    {.nom = "Rsultatpatintract1", .tag = 28, .caption = "Result stick slip", .icone = I::tableur, .clic = A::fixe,
     .teste = "essai.wav.xls", .slot = slot_resultat_patin, .titres_montres = {"FichiersExcel1"}},
    {.nom = "DOCUMENTSEXCELAJOUTES1", .tag = 29, .caption = "-DOCUMENTS EXCEL AJOUTES", .icone = I::tableur,
     .sous_menu = true},
    {.nom = "AUTRESDOCUMENTATIONS1", .tag = 30, .caption = "________OTHER  DOCUMENTS______", .visible = false,
     .icone = I::section, .clic = A::section},
    {.nom = "Documentsajout1", .tag = 31, .caption = "Documents Word AJOUTES", .visible = false,
     .icone = I::document, .sous_menu = true},
    {.nom = "FILMSAJOUTES1", .tag = 32, .caption = "Films AJOUTES", .visible = false, .icone = I::film,
     .sous_menu = true},
    {.nom = "FichiersGoogleEarthAJOUTES1", .tag = 33, .caption = "Fichiers Google Earth AJOUTES", .visible = false,
     .icone = I::google_earth, .sous_menu = true},
    {.nom = "TP1", .tag = 34, .caption = "_________TP____________", .visible = false, .icone = I::dossier,
     .sous_menu = true},
    {.nom = "VOIR1", .tag = 35, .caption = "_________VOIR_______", .visible = false, .icone = I::voir, .clic = A::voir},
    {.nom = "N4", .tag = 36, .caption = "-"},
    {.nom = "Options1", .caption = "Options", .visible = false},
    {.nom = "QuitterQuorva1", .tag = 37, .caption = "Quit Quorva", .icone = I::quitter, .clic = A::quitter},
};
// clang-format on

entree_menu entree_de(const descripteur_entree& d) {
    entree_menu e;
    e.nom = d.nom;
    e.tag = d.tag;
    e.caption = d.caption;
    e.visible = d.visible;
    e.icone = d.icone;
    e.clic = d.clic;
    e.est_sous_menu = d.sous_menu;
    return e;
}

std::vector<entree_menu> menu_initial() {
    std::vector<entree_menu> m;
    m.reserve(std::size(table_menu));
    for (const auto& d : table_menu) {
        if (!d.parent) {
            m.push_back(entree_de(d));
            continue;
        }
        for (auto& parent : m)
            if (parent.nom == d.parent) parent.sous_menu.push_back(entree_de(d));
    }
    return m;
}

}  // namespace

std::span<const descripteur_entree> descripteurs_menu() { return table_menu; }

const descripteur_entree* descripteur_de(std::string_view nom) {
    for (const auto& d : table_menu)
        if (nom == d.nom) return &d;
    return nullptr;
}

std::string fichier_ouvert(const descripteur_entree& d) {
    if (d.ouvre) return d.ouvre;
    return d.teste ? d.teste : "";
}

etat_menu::etat_menu()
    : PopupMenu1(menu_initial()),
      attendre([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {}

}  // namespace quorva
