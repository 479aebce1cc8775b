// The embedded translation table (the hidden memo Memo_fic_trad of the
// toolbar): one line per menu entry, "name#English|French", a part being a
// caption optionally followed by "<target>". Lines naming entries that the
// menu does not have, and "N4#-", are kept: a teacher's copy of this table
// keeps them too.
#include "base/chemins.h"
#include "i18n/etat_langue.h"
#include "i18n/traduction.h"

namespace quorva {

const std::vector<std::string>& table_trad_defaut() {
    static const std::vector<std::string> table = {
        "Apropos1#ABOUT QUORVA<A_PROPOS_QUORVA.doc>|A PROPOS de QUORVA<A_PROPOS_QUORVA.doc>",
        "PLINKADoityourself1#_______PLINKA \"Do it yourself\"|_______PLINKA \"Do it yourself\"",
        // Its targets are in the data folder (targets are relative to the
        // program folder).
        std::string("PlinkaDoity1#PLINKA \"Do it yourself\" EN<") + nom_dossier_donnees +
            "\\activite_tp_RQ_vienne_2013\\Plinka_EN.doc>|PLINKA \"Do it yourself\" FR<" + nom_dossier_donnees +
            "\\activite_tp_RQ_vienne_2013\\Plinka_FR.doc>",
        "Patintract1#______STICK SLIP_______|______PATIN TRACTE_______",
        "Audacitypourpatintract1#Audacity for stick-slip(1ch;16 bits;1000 hz)|Audacity pour patin-tracté(1ch;16 bits;1000 hz)",
        "LancerAudacityCl1#Audacity for stick-slip(1ch;16 bits;1000 hz) Local|Audacity pour patin-tracté(1ch;16 bits;1000 hz) Local",
        "AideAudacitypourpatintract1#Help Audacity for stick-slip (French)<Patin_tracte_audacity.doc>|Aide Audacity pour patin-tracté (French)<Patin_tracte_audacity.doc>",
        "Filmpatintract1#Film stick slip<Film_patin_tracte\\patin_tracte.exe>|Film stick slip<Film_patin_tracte\\patin_tracte.exe>",
        "Lectureconversionwav1#Read convert .wav ( 1 channel; 16 bits) Excel|Lire convertir .wav ( 1 canal; 16 bits) Excel",
        "N1#______WAVES SPEED________|______VITESSE DES ONDES________",
        "Audacitypourvitessedesondes1#Audacity for speed wave(2ch, 22 KHz)|Audacity pour vitesse des ondes(2cx, 22 KHz)",
        "AudacityforspeedwaveUSBkey1#Audacity for speed wave(2ch, 22 KHz) Local|Audacity pour vitesse des ondes(2cx, 22 KHz) Local",
        "AideAudacitypourvitessedesondes1#Help audacity for wave speed<mesure_vitesse_ondes.doc>|Aide Audacity pour vitesse des ondes<mesure_vitesse_ondes.doc>",
        "N3#________SHAKE TABLES__________|________TABLES VIBRANTES__________",
        "AidepourlestablesvibrantesEnglish1#Help for shake tables (EN)<Tables_vibrantes_pedagogiques_EN.doc>|Aide pour les tables vibrantes<Tables_vibrantes_pedagogiques.doc>",
        "Filmstable1D1#Films table 1D|Films table 1D",
        "Filmtable3D1#Film table 3D|Film table 3D",
        "LOGICIELS1#________SOFTWARES___________|________LOGICIELS___________",
        "Azimut1#Azimut|Azimut",
        "Mcanismesaufoyer1#Local mechanism|Mécanismes au foyer",
        "Simulseismes1#Simul_seismes|Simul_seismes",
        "Logicielsajouts1#SOFTWARE ADDED|LOGICIELS AJOUTES",
        "FichiersExcel1#_________EXCEL FILES__________|_________FICHIERS EXCEL__________",
        "Racinesmontagnes1#Doc montains root (French)<racine_montagnes\\racine_montagnes.doc>|Doc racine des montagnes<racine_montagnes\\racine_montagnes.doc>",
        "Racinedesmontagnes1#Montains root|Racine des montagnes",
        "Epaisseuretsubduction1#Thickness and subduction|Epaisseur et subduction",
        "DOCUMENTSEXCELAJOUTES1#EXCEL FILES ADDED|DOCUMENTS EXCEL AJOUTES",
        "Rsultatpatintract1#Result stick slip<essai.wav.xls>|Résultats du patin tracté<essai.wav.xls>",
        "AUTRESDOCUMENTATIONS1#________OTHER  DOCUMENTS______|________AUTRES DOCUMENTS______",
        "CraieetMaizna1#Chalk and Maizéna<Fractures_roches.doc>|Craie et Maizéna<Fractures_roches.doc>",
        "SeismesScienceonstage1#Earthquakes Science on stage<seismes_sc_en_scene.doc>|Seismes Science en Scène<seismes_sc_en_scene.doc>",
        "Documentsajout1#WORD DOCUMENTS ADDED|DOCUMENTS WORD AJOUTES",
        "TP1#_________TP____________|_________TP____________",
        "N2#________INSTALL_______|________INSTALLATIONS_______",
        "InstallerAudacity1#Install Audacity|Installer Audacity",
        "VOIR1#_________VOIR_______|_________SEE_______",
        "N4#-",
        "QuitterQuorva1#Quit Quorva|Quitter Quorva",
    };
    return table;
}

const std::vector<std::string>& lignes_propres() {
    static const std::vector<std::string> lignes{
        "Synthesedelaclasse1#Class summary...|Synthèse de la classe...",
    };
    return lignes;
}

etat_langue::etat_langue() : table_trad(table_trad_defaut()) {}

}  // namespace quorva
