// The toolbar's menu as it stands before start-up: 38 top-level entries in
// order, with their names, Tags, initial captions, shown flags, icons and
// click actions. Start-up then resolves, scans and translates it.
#include "launcher/etat_menu.h"

#include <chrono>
#include <string_view>
#include <thread>

namespace quorva {

namespace {

using A = action_menu;
using I = icone_menu;

entree_menu entree(const char* nom, int tag, const char* caption, bool visible, I icone, A clic) {
    entree_menu e;
    e.est_sous_menu = std::string_view(nom) == "VELDRUN20131" || std::string_view(nom) == "PowerpointIstanbul1" ||
                      std::string_view(nom) == "Logicielsajouts1" || std::string_view(nom) == "DOCUMENTSEXCELAJOUTES1" ||
                      std::string_view(nom) == "Documentsajout1" || std::string_view(nom) == "FILMSAJOUTES1" ||
                      std::string_view(nom) == "FichiersGoogleEarthAJOUTES1" || std::string_view(nom) == "TP1";
    e.nom = nom;
    e.tag = tag;
    e.caption = caption;
    e.visible = visible;
    e.icone = icone;
    e.clic = clic;
    return e;
}

std::vector<entree_menu> menu_initial() {
    std::vector<entree_menu> m;
    m.reserve(38);
    m.push_back(entree("Apropos1", 1, "ABOUT QUORVA", false, I::information, A::fixe));
    {
        auto veldrun = entree("VELDRUN20131", 2, "VELDRUN", false, I::presentation, A::aucune);
        veldrun.sous_menu.push_back(entree("VELDRUN20132", 0, "VELDRUN 2013", true, I::document, A::fixe));
        veldrun.sous_menu.push_back(entree("VELDRUN20141", 0, "VELDRUN 2014", true, I::presentation, A::fixe));
        m.push_back(std::move(veldrun));
    }
    {
        auto pwp = entree("PowerpointIstanbul1", 3, "Pwpnt Plinka", true, I::presentation, A::aucune);
        pwp.sous_menu.push_back(entree("Executefile1", 0, "Execute mode", true, I::presentation, A::fixe));
        pwp.sous_menu.push_back(entree("Editionfile1", 0, "Edit mode", true, I::document, A::fixe));
        m.push_back(std::move(pwp));
    }
    m.push_back(entree("PLINKADoityourself1", 4, "_______PLINKA \"Do it yourself\"", false, I::section, A::section));
    m.push_back(entree("PlinkaDoity1", 5, "PLINKA \"Do it yourself\" EN", false, I::document, A::fixe));
    m.push_back(entree("Patintract1", 6, "______STICK SLIP_______", true, I::section, A::section));
    m.push_back(entree("LancerAudacityCl1", 7, "Audacity for stick-slip(1ch;16 bits;1000 hz) Local", true, I::audacity,
                       A::audacity_patin));
    m.push_back(entree("AideAudacitypourpatintract1", 8, "Help Audacity for stick-slip (French)", true, I::document,
                       A::fixe));
    m.push_back(entree("Filmpatintract1", 9, "Film stick slip", true, I::film, A::fixe));
    m.push_back(entree("Lectureconversionwav1", 10, "Read convert .wav ( 1 channel; 16 bits) Excel", true,
                       I::conversion, A::conversion));
    m.push_back(entree("N1", 11, "______WAVES SPEED________", true, I::section, A::section));
    m.push_back(entree("AudacityforspeedwaveUSBkey1", 12, "Audacity for speed wave (2ch;22 KHz) Local", true,
                       I::audacity, A::audacity_vitesse));
    m.push_back(entree("AideAudacitypourvitessedesondes1", 13, "Help Audacity for wave speed", true, I::document,
                       A::fixe));
    m.push_back(entree("N3", 14, "________SHAKE TABLES__________", true, I::section, A::section));
    m.push_back(entree("Audacityforshaketable1D2D1", 15, "Audacity pour table vibrante 1D-2D", true, I::audacity,
                       A::audacity_tables));
    m.push_back(entree("AidepourlestablesvibrantesEnglish1", 16, "Aide pour les tables vibrantes (FR)", true,
                       I::document, A::fixe));
    m.push_back(entree("Filmstable1D1", 17, "Films table 1D", true, I::film, A::fixe));
    m.push_back(entree("Filmtable3D1", 18, "Film table 3D", true, I::film, A::fixe));
    m.push_back(entree("LOGICIELS1", 19, "________SOFTWARES___________", false, I::section, A::section));
    m.push_back(entree("Azimut1", 2022, "Azimut", true, I::programme, A::fixe));
    m.push_back(entree("Mcanismesaufoyer1", 21, "M\xE9" "canismes au foyer", true, I::programme, A::fixe));
    m.push_back(entree("Simulseismes1", 22, "Simul_seismes", true, I::programme, A::fixe));
    m.push_back(entree("Logicielsajouts1", 23, "LOGICIELS AJOUTES", false, I::programme, A::aucune));
    m.push_back(entree("FichiersExcel1", 24, "_________EXCEL FILES__________", false, I::section, A::section));
    m.push_back(entree("Racinesmontagnes1", 25, "Doc montains root (French)", true, I::document, A::fixe));
    m.push_back(entree("Racinedesmontagnes1", 26, "Montains root", true, I::tableur, A::fixe));
    m.push_back(entree("Epaisseuretsubduction1", 27, "Thickness and subduction", true, I::tableur, A::fixe));
    m.push_back(entree("Rsultatpatintract1", 28, "Result stick slip", true, I::tableur, A::fixe));
    m.push_back(entree("DOCUMENTSEXCELAJOUTES1", 29, "-DOCUMENTS EXCEL AJOUTES", true, I::tableur, A::aucune));
    m.push_back(entree("AUTRESDOCUMENTATIONS1", 30, "________OTHER  DOCUMENTS______", false, I::section, A::section));
    m.push_back(entree("Documentsajout1", 31, "Documents Word AJOUTES", false, I::document, A::aucune));
    m.push_back(entree("FILMSAJOUTES1", 32, "Films AJOUTES", false, I::film, A::aucune));
    m.push_back(entree("FichiersGoogleEarthAJOUTES1", 33, "Fichiers Google Earth AJOUTES", false, I::google_earth,
                       A::aucune));
    m.push_back(entree("TP1", 34, "_________TP____________", false, I::dossier, A::aucune));
    m.push_back(entree("VOIR1", 35, "_________VOIR_______", false, I::voir, A::voir));
    m.push_back(entree("N4", 36, "-", true, I::aucune, A::aucune));
    m.push_back(entree("Options1", 0, "Options", false, I::aucune, A::aucune));
    m.push_back(entree("QuitterQuorva1", 37, "Quit Quorva", true, I::quitter, A::quitter));
    return m;
}

}  // namespace

etat_menu::etat_menu()
    : PopupMenu1(menu_initial()),
      attendre([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {}

}  // namespace quorva
