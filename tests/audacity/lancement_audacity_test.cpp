#include "audacity/lancement_audacity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "base/erreur.h"
#include "base/texte.h"
#include "audacity/localisation_audacity.h"
#include "audacity/preferences_audacity.h"
#include "tests/audacity/lignes_attendues.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;
using quorva::test::PlateformeFactice;
using quorva::test::verifier_lignes;

namespace {

namespace fs = std::filesystem;

// A fake on which writing a file fails once its bytes are given (a full or
// read-only medium), and on which reading a chosen file fails.
class PlateformeCapricieuse : public PlateformeFactice {
public:
    bool ecriture_impossible = false;
    std::string illisible;

    std::unique_ptr<OutputFile> create_file(const std::string& path) override {
        auto reel = PlateformeFactice::create_file(path);
        if (!ecriture_impossible) return reel;
        struct SortieRatee : OutputFile {
            std::unique_ptr<OutputFile> reel;
            std::string chemin;
            void write(std::string_view octets) override { reel->write(octets.substr(0, octets.size() / 2)); }
            void commit() override { throw erreur_quorva(message("Impossible de créer le fichier %s", chemin)); }
        };
        auto sortie = std::make_unique<SortieRatee>();
        sortie->reel = std::move(reel);
        sortie->chemin = path;
        return sortie;
    }
    bool read_file(const std::string& path, std::string& contents, std::size_t max_bytes,
                   FileFailure* why) override {
        if (!illisible.empty() && path == illisible) return false;
        return PlateformeFactice::read_file(path, contents, max_bytes, why);
    }
};

class LancementAudacity : public ::testing::Test {
protected:
    LancementAudacity() : ctx(os) {
        ctx.chemins.chemin_appli = "c:\\quorva\\";
        ctx.afficher_message = [this](const std::string& texte) { messages.push_back(texte); };
        ctx.afficher_erreur = [this](const std::string& texte) { erreurs.push_back(texte); };
        audacity.armer_Timer_surveille = [this](bool actif) { armements.push_back(actif); };
        os.ecrire("c:\\quorva\\fic_quorva\\audacity\\audacity.exe", "#!/bin/sh\n");
    }

    std::string cfg() { return "c:\\quorva\\fic_quorva\\audacity\\Portable Settings\\audacity.cfg"; }
    std::vector<std::string> lignes_cfg() { return decouper_lignes(os.lire(cfg())); }
    // Files of a folder, temporary ones included.
    std::vector<std::string> fichiers(const std::string& dossier) {
        std::vector<std::string> noms;
        for (const auto& e : fs::directory_iterator(*os.chemin_posix(dossier))) noms.push_back(e.path().filename().string());
        std::sort(noms.begin(), noms.end());
        return noms;
    }

    PlateformeCapricieuse os;
    services ctx;
    etat_audacity audacity;
    // The local copy's folder (slot 19 of the menu's folder table).
    const std::string copie_locale = "c:\\quorva\\fic_quorva\\";
    std::vector<std::string> messages;  // refusals (warning)
    std::vector<std::string> erreurs;   // failures (error)
    std::vector<bool> armements;
};

}  // namespace

TEST_F(LancementAudacity, StickSlipFirstLaunchPreparesEverythingAndStartsTheWatcher) {
    os.ecrire("c:\\quorva\\fic_quorva\\audacity\\patin_tracte\\essai1.wav", "x");
    os.ecrire("c:\\quorva\\fic_quorva\\audacity\\patin_tracte\\essai1.wav.slk", "x");
    os.ecrire("c:\\quorva\\fic_quorva\\audacity\\patin_tracte\\Essai0.WAV", "x");
    LancerAudacityCl1Click(ctx, audacity, copie_locale);

    const auto& a = audacity;
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(a.chem_audacity, "c:\\quorva\\fic_quorva\\audacity\\audacity.exe");
    EXPECT_EQ(a.dossier_config_audacity, "c:\\quorva\\fic_quorva\\audacity\\Portable Settings\\");
    EXPECT_EQ(a.mes_documents, "c:\\quorva\\fic_quorva\\audacity\\");
    EXPECT_EQ(a.dossier_enreg, "c:\\quorva\\fic_quorva\\audacity\\patin_tracte");
    EXPECT_EQ(a.audacity_trouve, 1);
    EXPECT_TRUE(os.folder_exists("c:\\quorva\\fic_quorva\\audacity\\Portable Settings\\AutoSave"));

    const auto lignes = lignes_cfg();
    ASSERT_EQ(lignes.size(), 110u);
    const std::string r = "c:\\\\quorva\\\\fic_quorva\\\\audacity\\\\patin_tracte\\\\";
    EXPECT_EQ(lignes[9], "DefaultOpenPath=" + r);
    EXPECT_EQ(lignes[99], "DefaultExportPath=" + r);
    EXPECT_EQ(lignes[100], "Path=" + r);
    EXPECT_NE(os.lire(cfg()).find("RecordChannels=1\r\n"), std::string::npos);

    // The snapshot: the recordings already there, "*.wav" only.
    EXPECT_EQ(a.ListBox1, (std::vector<std::string>{"Essai0.WAV", "essai1.wav"}));

    EXPECT_EQ(ctx.journal, (std::vector<std::string>{
                               "Trouvé " + cfg(), "Chem_enreg=c:\\quorva\\fic_quorva\\audacity\\patin_tracte",
                               "Execute file=c:\\quorva\\fic_quorva\\audacity\\audacity.exe"}));
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, a.chem_audacity);
    EXPECT_EQ(os.ouvertures[0].parametres, "");
    EXPECT_EQ(os.ouvertures[0].dossier, "c:\\quorva\\");
    EXPECT_EQ(os.ouvertures[0].affichage, 1);
    EXPECT_TRUE(a.Timer_surveille_actif);
    EXPECT_EQ(armements, (std::vector<bool>{false, true}));

    // A second launch gives the same file, byte for byte.
    const std::string premier = os.lire(cfg());
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    EXPECT_EQ(os.lire(cfg()), premier);
    EXPECT_EQ(fichiers("c:\\quorva\\fic_quorva\\audacity\\Portable Settings"),
              (std::vector<std::string>{"AutoSave", "audacity.cfg"}));
}

TEST_F(LancementAudacity, AnOpenAudacityWindowRefusesTheLaunchAndTouchesNothing) {
    os.fenetres = {{7, "Audacity - essai"}, {8, "audacity"}};
    audacity.Timer_surveille_actif = true;
    LancerAudacityCl1Click(ctx, audacity, copie_locale);  // a project window or another case: not noticed
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(os.ouvertures.size(), 1u);

    fs::remove_all(*os.chemin_posix("c:\\quorva\\fic_quorva\\audacity\\Portable Settings"));
    os.ouvertures.clear();
    armements.clear();
    os.fenetres.push_back({9, "Audacity"});
    Audacityforshaketable1D2D1Click(ctx, audacity, copie_locale);
    EXPECT_EQ(messages, (std::vector<std::string>{"Only one Audacity in the same time please"}));
    EXPECT_TRUE(os.ouvertures.empty());
    EXPECT_FALSE(os.file_exists(cfg()));
    EXPECT_TRUE(armements.empty());
    EXPECT_TRUE(audacity.Timer_surveille_actif);  // the watcher keeps its state
    // The refused shake-table project is not handed to the next launch.
    os.fenetres.pop_back();
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].parametres, "");
}

TEST_F(LancementAudacity, ShakeTablesPassTheProjectAndLeaveTheWatcherStopped) {
    audacity.Timer_surveille_actif = true;
    Audacityforshaketable1D2D1Click(ctx, audacity, copie_locale);
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].parametres,
              "c:\\quorva\\fic_quorva\\audacity\\patin_tracte\\Manosque_Earthquake\\manosque_brut_Composante0-1.aup");
    EXPECT_TRUE(audacity.fichier_a_ouvrir.empty());
    EXPECT_FALSE(audacity.Timer_surveille_actif);
    EXPECT_TRUE(os.folder_exists("c:\\quorva\\fic_quorva\\audacity\\patin_tracte"));
    const std::string texte = os.lire(cfg());
    for (const char* cle : {"RecordChannels=1\r\n", "DefaultProjectSampleRate=1000\r\n", "DefaultProjectSampleFormat=131073\r\n"})
        EXPECT_NE(texte.find(cle), std::string::npos) << cle;

    // From a program folder with a blank the project stays one argument.
    ctx.chemins.chemin_appli = "c:\\program files\\quorva\\";
    Audacityforshaketable1D2D1Click(ctx, audacity, copie_locale);
    EXPECT_EQ(os.ouvertures[1].parametres,
              "\"c:\\program files\\quorva\\fic_quorva\\audacity\\patin_tracte\\Manosque_Earthquake\\manosque_brut_"
              "Composante0-1.aup\"");
}

TEST_F(LancementAudacity, WaveSpeedAfterStickSlip) {
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    os.ecrire("c:\\quorva\\fic_quorva\\audacity\\vitesse_ondes\\onde.wav", "x");
    armements.clear();
    AudacityforspeedwaveUSBkey1Click(ctx, audacity, copie_locale);
    EXPECT_FALSE(audacity.Timer_surveille_actif);
    EXPECT_EQ(armements, (std::vector<bool>{false}));
    EXPECT_EQ(audacity.dossier_enreg, "c:\\quorva\\fic_quorva\\audacity\\vitesse_ondes");
    EXPECT_EQ(audacity.ListBox1, (std::vector<std::string>{"onde.wav"}));
    const std::string v = "c:\\\\quorva\\\\fic_quorva\\\\audacity\\\\vitesse_ondes";
    verifier_lignes(lignes_cfg(), 110, {{9, "DefaultOpenPath=" + v},
                                        {10, "TempDir="},
                                        {17, "RecordChannels=2"},
                                        {99, "DefaultExportPath=c:\\\\quorva\\\\fic_quorva\\\\audacity\\\\patin_tracte\\\\"},
                                        {100, "Path=" + v},
                                        {101, "DefaultProjectSampleRate=22050"},
                                        {102, "DefaultProjectSampleFormat=262159"}});
    ASSERT_EQ(os.ouvertures.size(), 2u);
    EXPECT_EQ(os.ouvertures[1].fichier, "c:\\quorva\\fic_quorva\\audacity\\audacity.exe");
    EXPECT_EQ(ctx.journal.size(), 3u);  // the wave-speed launch writes no log line
}

TEST_F(LancementAudacity, WaveSpeedOnAFreshCopyWritesItsSettingsAndStartsAudacity) {
    AudacityforspeedwaveUSBkey1Click(ctx, audacity, copie_locale);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(audacity.audacity_trouve, 1);
    // The template, its two folder lines and Audacity 3's open folder.
    const std::string v = "c:\\\\quorva\\\\fic_quorva\\\\audacity\\\\vitesse_ondes";
    verifier_lignes(lignes_cfg(), 108, {{9, "DefaultOpenPath=" + v},
                                        {17, "RecordChannels=2"},
                                        {101, "DefaultProjectSampleRate=22050"},
                                        {107, "Default=" + v}});
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, "c:\\quorva\\fic_quorva\\audacity\\audacity.exe");
    EXPECT_FALSE(audacity.Timer_surveille_actif);
}

TEST_F(LancementAudacity, OnlyAMissingProgramFileSaysAudacityIsNotInstalled) {
    fs::remove(*os.chemin_posix("c:\\quorva\\fic_quorva\\audacity\\audacity.exe"));
    for (const auto entree : {LancerAudacityCl1Click, AudacityforspeedwaveUSBkey1Click, Audacityforshaketable1D2D1Click}) {
        erreurs.clear();
        entree(ctx, audacity, copie_locale);
        EXPECT_EQ(erreurs, (std::vector<std::string>{"Audacity n'est pas installé"}));
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(audacity.audacity_trouve, 0);
        EXPECT_FALSE(audacity.Timer_surveille_actif);
        EXPECT_TRUE(audacity.fichier_a_ouvrir.empty());
    }
    EXPECT_FALSE(os.file_exists(cfg()));
    EXPECT_TRUE(os.ouvertures.empty());
}

TEST_F(LancementAudacity, OnLinuxTheSystemsOwnPathsAndAudacity) {
    os.systeme_posix = true;
    // Quorva's folder holds a program named "audacity": it comes first.
    os.ecrire("c:\\quorva\\fic_quorva\\audacity\\audacity", "#!/bin/sh\n");
    os.programmes_installes["audacity"] = "/usr/bin/audacity";
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, "c:\\quorva\\fic_quorva\\audacity\\audacity");
    auto lignes = lignes_cfg();
    ASSERT_EQ(lignes.size(), 110u);
    EXPECT_EQ(lignes[9], "DefaultOpenPath=c:/quorva/fic_quorva/audacity/patin_tracte/");
    EXPECT_EQ(lignes[99], "DefaultExportPath=c:/quorva/fic_quorva/audacity/patin_tracte/");
    EXPECT_EQ(lignes[100], "Path=c:/quorva/fic_quorva/audacity/patin_tracte/");
    AudacityforspeedwaveUSBkey1Click(ctx, audacity, copie_locale);
    EXPECT_EQ(lignes_cfg()[9], "DefaultOpenPath=c:/quorva/fic_quorva/audacity/vitesse_ondes");

    // Then "audacity.exe"; without either, the system's own Audacity, with
    // the preferences of the user's settings and the recordings in Quorva's
    // folder.
    fs::remove(*os.chemin_posix("c:\\quorva\\fic_quorva\\audacity\\audacity"));
    EXPECT_EQ(programme_audacity(os, "c:\\quorva\\fic_quorva\\audacity\\").chemin,
              "c:\\quorva\\fic_quorva\\audacity\\audacity.exe");
    fs::remove(*os.chemin_posix("c:\\quorva\\fic_quorva\\audacity\\audacity.exe"));
    os.dossiers_speciaux[csidl_appdata] = "c:\\maison\\.config";
    os.ecrire("c:\\maison\\.config\\lisezmoi", "");
    os.ecrire("c:\\usr\\bin\\audacity", "#!/bin/sh\n");
    os.programmes_installes["audacity"] = "c:\\usr\\bin\\audacity";
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    EXPECT_EQ(os.ouvertures.back().fichier, "c:\\usr\\bin\\audacity");
    EXPECT_EQ(audacity.dossier_config_audacity, "c:\\maison\\.config\\audacity\\");
    lignes = decouper_lignes(os.lire("c:\\maison\\.config\\audacity\\audacity.cfg"));
    ASSERT_EQ(lignes.size(), 110u);
    EXPECT_EQ(lignes[99], "DefaultExportPath=c:/quorva/fic_quorva/audacity/patin_tracte/");
    EXPECT_EQ(audacity.dossier_enreg, "c:\\quorva\\fic_quorva\\audacity\\patin_tracte");

    // Windows looks in its own folder only, as ever.
    os.systeme_posix = false;
    EXPECT_EQ(programme_audacity(os, "c:\\quorva\\fic_quorva\\audacity\\").chemin,
              "c:\\quorva\\fic_quorva\\audacity\\audacity.exe");
}

// The system's Audacity on Linux reads "~/.audacity-data" whenever that
// folder exists, and only otherwise its XDG settings folder.
TEST(ConfigAudacitySysteme, TheOldFolderWhenItExistsElseTheSettingsFolder) {
    const std::string xdg = "c:\\maison\\.config\\audacity\\", ancien = "c:\\maison\\.audacity-data";
    // home folder, what "<home>\.audacity-data" is (a folder, a file, nothing), expected
    for (const auto& [maison, quoi, attendu] : {std::tuple<std::string, std::string, std::string>{"c:\\maison", "", xdg},
                                               {"c:\\maison\\", "dossier", ancien + "\\"},
                                               {"c:\\maison", "fichier", xdg}}) {
        PlateformeFactice os;
        os.dossiers_speciaux = {{csidl_appdata, "c:\\maison\\.config"}, {csidl_profile, maison}};
        if (!quoi.empty()) os.ecrire(quoi == "dossier" ? ancien + "\\audacity.cfg" : ancien, "");
        EXPECT_EQ(dossier_config_audacity_systeme(os), attendu) << maison << " " << quoi;
    }
}

TEST_F(LancementAudacity, AFailedWriteKeepsThePreviousFileWholeAndStartsNothing) {
    const std::string ancien = "SnapTo=0\r\n[Directories]\r\nTempDir=\r\n[Export]\r\nFormat=WAV\r\nPath=\r\n";
    os.ecrire(cfg(), ancien);
    os.ecriture_impossible = true;
    audacity.Timer_surveille_actif = true;
    try {
        LancerAudacityCl1Click(ctx, audacity, copie_locale);
        FAIL() << "no error";
    } catch (const erreur_quorva& e) {
        // The file, and what it means for the class.
        EXPECT_EQ(std::string(e.what()), "Impossible de créer le fichier " + cfg() +
                                             "\rLes préférences d'Audacity ne peuvent pas être "
                                             "écrites (dossier en lecture seule ?) : Audacity n'est pas lancé.");
    }
    EXPECT_EQ(os.lire(cfg()), ancien);
    EXPECT_EQ(fichiers("c:\\quorva\\fic_quorva\\audacity\\Portable Settings"), (std::vector<std::string>{"audacity.cfg"}));
    EXPECT_TRUE(os.ouvertures.empty());
    EXPECT_FALSE(audacity.Timer_surveille_actif);

    // No file yet: the template cannot be written either.
    fs::remove(*os.chemin_posix(cfg()));
    EXPECT_THROW(LancerAudacityCl1Click(ctx, audacity, copie_locale), erreur_quorva);
    EXPECT_FALSE(os.file_exists(cfg()));
    EXPECT_TRUE(os.ouvertures.empty());

    // Wave speed on a read-only medium: same refusal, file kept.
    os.ecrire(cfg(), ancien);
    EXPECT_THROW(AudacityforspeedwaveUSBkey1Click(ctx, audacity, copie_locale), erreur_quorva);
    EXPECT_EQ(os.lire(cfg()), ancien);
    EXPECT_TRUE(os.ouvertures.empty());
}

TEST_F(LancementAudacity, UnreadablePreferencesAreReported) {
    os.ecrire(cfg(), "SnapTo=0\r\n");
    os.illisible = cfg();
    try {
        LancerAudacityCl1Click(ctx, audacity, copie_locale);
        FAIL() << "no error";
    } catch (const erreur_quorva& e) {
        EXPECT_EQ(std::string(e.what()), "Impossible d'ouvrir le fichier " + cfg());
    }
    EXPECT_EQ(os.lire(cfg()), "SnapTo=0\r\n");
    EXPECT_TRUE(os.ouvertures.empty());
}

TEST_F(LancementAudacity, OddPreferenceFilesKeepEveryByteOfTheLinesNotReplaced) {
    // Lone CR and LF line ends, 8-bit bytes, a 3 MB line, no end on the
    // last line.
    const std::string longue(3'000'000, 'L');
    const std::string octets = "Nom=\xE9l\xE8ve \x80\x81\xFF\t";
    os.ecrire(cfg(), "SnapTo=0\n[Directories]\rTempDir=C:\\\\T\n" + octets + "\r\nX=" + longue +
                         "\r\n[Export]\r\nFormat=WAV\r\nPath=");
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    const std::string r = "c:\\\\quorva\\\\fic_quorva\\\\audacity\\\\patin_tracte\\\\";
    const std::string audacity3 = "[Directories/Open]\r\nDefault=" + r + "\r\n[Directories/Export]\r\nDefault=" + r + "\r\n";
    EXPECT_EQ(os.lire(cfg()), "SnapTo=0\r\n[Directories]\r\nDefaultOpenPath=" + r + "\r\nTempDir=C:\\\\T\r\n" + octets +
                                  "\r\nX=" + longue + "\r\n[Export]\r\nFormat=WAV\r\nDefaultExportPath=" + r +
                                  "\r\nPath=" + r + "\r\n" + audacity3);

    // A file without any line end is one line: the keys are added around it.
    os.ecrire(cfg(), "SnapTo=0 " + octets);
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    EXPECT_EQ(lignes_cfg(), (std::vector<std::string>{"SnapTo=0 " + octets, "DefaultOpenPath=" + r, "DefaultExportPath=" + r,
                                                       "[Directories/Open]", "Default=" + r, "[Directories/Export]",
                                                       "Default=" + r}));
}

// Start-up's search, with Quorva in c:\quorva\.
class ChercheAudacity : public ::testing::Test {
protected:
    ChercheAudacity() : ctx(os) { ctx.chemins.chemin_appli = "c:\\quorva\\"; }

    PlateformeFactice os;
    services ctx;
    etat_audacity audacity;
};

TEST_F(ChercheAudacity, PlacesByGenerationAndLogLines) {
    ctx.chemins.chemin_temp = "C:\\Temp\\";
    os.dossiers_speciaux = {{26, "C:\\Users\\eleve\\AppData\\Roaming"}, {5, "C:\\Users\\eleve\\Documents"},
                            {23, "C:\\ProgramData\\Programs"}};
    ctx.chemins.version_windows = "XP";
    cherche_audacity(ctx, audacity);
    EXPECT_EQ(ctx.journal, (std::vector<std::string>{"chem_temp=C:\\Temp\\", "Chem_audacity=C:\\ProgramData\\Programs"}));
    EXPECT_EQ(audacity.dossier_config_audacity, "C:\\Users\\eleve\\AppData\\Roaming\\Audacity\\");
    EXPECT_EQ(audacity.mes_documents, "C:\\Users\\eleve\\Documents\\");
    EXPECT_EQ(audacity.dossier_enreg, "C:\\Users\\eleve\\Documents\\patin_tracte");
    EXPECT_EQ(audacity.chem_audacity, "c:\\quorva\\fic_quorva\\audacity\\audacity.exe");
    EXPECT_EQ(audacity.audacity_trouve, 0);

    // A trailing backslash from the shell is not doubled; the copy in the
    // data folder makes Audacity available.
    ctx.journal.clear();
    os.dossiers_speciaux[26] = "C:\\Users\\eleve\\AppData\\Roaming\\";
    os.dossiers_speciaux[5] = "D:\\";
    os.ecrire("c:\\quorva\\fic_quorva\\audacity\\audacity.exe", "");
    ctx.chemins.version_windows = "Seven";
    cherche_audacity(ctx, audacity);
    EXPECT_EQ(ctx.journal, (std::vector<std::string>{"Chem_audacity=C:\\ProgramData\\Programs"}));
    EXPECT_EQ(audacity.dossier_config_audacity, "C:\\Users\\eleve\\AppData\\Roaming\\Audacity\\");
    EXPECT_EQ(audacity.mes_documents, "D:\\");
    EXPECT_EQ(audacity.audacity_trouve, 1);
}

TEST_F(ChercheAudacity, OtherGenerationsAndMissingFolders) {
    ctx.chemins.version_windows = "Windows 2000";
    os.dossiers_speciaux = {{26, "C:\\AppData"}, {5, "C:\\Docs"}};
    cherche_audacity(ctx, audacity);
    EXPECT_EQ(audacity.dossier_config_audacity, "");
    EXPECT_EQ(ctx.journal, (std::vector<std::string>{"Chem_audacity="}));

    // No folder from the shell: nothing is built on the root of a disk.
    os.dossiers_speciaux.clear();
    ctx.chemins.version_windows = "Vista";
    cherche_audacity(ctx, audacity);
    EXPECT_EQ(audacity.dossier_config_audacity, "");
    EXPECT_EQ(audacity.mes_documents, "");
    EXPECT_EQ(audacity.dossier_enreg, "patin_tracte");

    // Audacity only in the program folder itself: not available at start-up,
    // but the local entries use it through slot 19.
    os.ecrire("c:\\quorva\\audacity\\audacity.exe", "");
    cherche_audacity(ctx, audacity);
    EXPECT_EQ(audacity.audacity_trouve, 0);
    selection_copie_locale(ctx, audacity, "c:\\quorva\\");
    EXPECT_EQ(audacity.chem_audacity, "c:\\quorva\\audacity\\audacity.exe");
    EXPECT_EQ(audacity.dossier_config_audacity, "c:\\quorva\\audacity\\Portable Settings\\");
    EXPECT_EQ(audacity.mes_documents, "c:\\quorva\\audacity\\");
    EXPECT_EQ(audacity.dossier_enreg, "c:\\quorva\\audacity\\");
}

// --- A program folder on a network drive ------------------------------------------

TEST_F(LancementAudacity, OnANetworkDriveEachMachineRecordsInAFolderOfItsOwn) {
    const std::string audacity_dossier = "c:\\quorva\\fic_quorva\\audacity\\";
    struct cas { bool reseau; std::string nom, pratique, dossier; };  // dossier "": refused
    for (const auto& c : std::vector<cas>{{false, "PC-01", "patin", "patin_tracte"},
                                          {true, "PC-01", "patin", "patin_tracte\\PC-01"},
                                          {true, "SALLE:B?2. ", "patin", "patin_tracte\\SALLE_B_2"},
                                          {true, "ŁUKASZ-学生", "vitesse", "vitesse_ondes\\ŁUKASZ-学生"},
                                          {true, "con.local", "patin", ""},
                                          {true, "", "vitesse", ""}}) {
        SCOPED_TRACE(c.nom);
        os.reseau = c.reseau;
        os.nom_ordinateur = c.nom;
        os.ouvertures.clear();
        audacity.dossier_enreg.clear();
        try {
            if (c.pratique == "patin") LancerAudacityCl1Click(ctx, audacity, copie_locale);
            else AudacityforspeedwaveUSBkey1Click(ctx, audacity, copie_locale);
            ASSERT_NE(c.dossier, "");
        } catch (const erreur_quorva& e) {
            EXPECT_EQ(c.dossier, "");
            EXPECT_NE(std::string(e.what()).find("(« " + c.nom + " »)"), std::string::npos);
            EXPECT_TRUE(os.ouvertures.empty());
            continue;
        }
        EXPECT_EQ(audacity.dossier_enreg, audacity_dossier + c.dossier);
        EXPECT_TRUE(os.folder_exists(audacity.dossier_enreg));
        EXPECT_NE(os.lire(cfg()).find("DefaultOpenPath=" + echappe_chemin(audacity.dossier_enreg)), std::string::npos);
        EXPECT_EQ(os.ouvertures.size(), 1u);
        liberer_verrou_audacity(ctx, audacity);
    }
}

TEST_F(LancementAudacity, TheLaunchWaitsWhileAnotherHoldsTheLockThenHoldsItUntilAudacityShows) {
    std::int64_t maintenant = 0;
    audacity.horloge_ms = [&] { return maintenant; };
    std::vector<bool> verrou_arme;
    audacity.armer_Timer_verrou = [&](bool actif) { verrou_arme.push_back(actif); };
    std::vector<std::optional<std::string>> annonces;
    audacity.annoncer_attente = [&](const std::optional<std::string>& poste) { annonces.push_back(poste); };
    os.reseau = true;
    const std::string verrou = "c:\\quorva\\fic_quorva\\audacity\\Portable Settings\\quorva_audacity.verrou";
    os.ecrire(verrou, "POSTE-1\r\n");  // left by a run that died: it holds nothing
    auto autre = os.take_lock(verrou, "POSTE-B\r\n");  // another open file: another machine
    ASSERT_TRUE(autre);
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    LancerAudacityCl1Click(ctx, audacity, copie_locale);  // clicked again while it waits
    for (maintenant = 250; maintenant < 120'000; maintenant += 5000) Timer_verrouTimer(ctx, audacity);
    EXPECT_TRUE(os.ouvertures.empty());  // however long the holder takes
    EXPECT_EQ(annonces, (std::vector<std::optional<std::string>>{"POSTE-B", "POSTE-B"}));
    autre.reset();
    Timer_verrouTimer(ctx, audacity);
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(annonces.back(), std::nullopt);
    EXPECT_EQ(os.lock_holder(verrou), "POSTE-1\r\n");  // held while Audacity starts
    EXPECT_FALSE(os.take_lock(verrou, "POSTE-B\r\n"));
    LancerAudacityCl1Click(ctx, audacity, copie_locale);
    Timer_verrouTimer(ctx, audacity);
    EXPECT_EQ(os.ouvertures.size(), 1u);
    os.fenetres = {{7, "Audacity"}};
    Timer_verrouTimer(ctx, audacity);
    EXPECT_FALSE(os.file_exists(verrou));
    EXPECT_EQ(verrou_arme.back(), false);
    EXPECT_EQ(audacity.dossier_enreg, "c:\\quorva\\fic_quorva\\audacity\\patin_tracte\\POSTE-1");
}
