#include "launcher/menu.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "launcher/adaptation_menu.h"
#include "i18n/traduction.h"
#include "tests/launcher/banc_menu.h"

namespace quorva::test {
namespace {

using Menu = BancMenu;

TEST_F(Menu, DefaultModelHasItsEntriesInOrder) {
    const auto& m = ctx.menu.PopupMenu1;
    ASSERT_EQ(m.size(), 39u);
    // Tag = position + 1 up to N4, except Azimut1, and one more after the
    // class summary, the program's own entry.
    EXPECT_EQ(m[10].nom, "Synthesedelaclasse1");
    for (std::size_t p = 0; p <= 36; ++p) {
        if (m[p].nom != "Azimut1" && p != 10) {
            EXPECT_EQ(m[p].tag, static_cast<int>(p < 10 ? p : p - 1) + 1) << m[p].nom;
        }
    }
    EXPECT_EQ(m[20].tag, 2022);
    EXPECT_EQ(m[37].nom, "Options1");
    EXPECT_EQ(m[37].tag, 0);
    EXPECT_EQ(m[38].tag, 37);
    EXPECT_EQ(m[21].caption, "Mécanismes au foyer");
    EXPECT_EQ(m[36].caption, "-");
    EXPECT_EQ(captions("PowerpointIstanbul1"), (std::vector<std::string>{"Execute mode", "Edit mode"}));
    EXPECT_EQ(captions("VELDRUN20131"), (std::vector<std::string>{"VELDRUN 2013", "VELDRUN 2014"}));
    int visibles = 0;
    for (const auto& e : m) visibles += e.visible;
    EXPECT_EQ(visibles, 25);
}

TEST_F(Menu, FixedActionsOpenTheirFilesWithTheirWorkingFolders) {
    fichier("Film_table_1D\\seismes.exe");
    fichier("fic_quorva\\racine_montagnes\\epaisseur_lithosphere.xls");
    fichier("Tables_vibrantes_pedagogiques_EN.doc");
    fichier("fic_quorva\\Plinka-do-it-yourself.ppt");
    adapte_menu(ctx, ctx.menu);

    auto film = clic(e("Filmstable1D1"));
    EXPECT_EQ(film.fichier, appli + "Film_table_1D\\seismes.exe");
    EXPECT_EQ(film.dossier, appli + "Film_table_1D");
    EXPECT_EQ(film.parametres, "");
    auto epaisseur = clic(e("Epaisseuretsubduction1"));
    EXPECT_EQ(epaisseur.fichier, donnees + "racine_montagnes\\epaisseur_lithosphere.xls");
    EXPECT_EQ(epaisseur.dossier, donnees + "racine_montagnes");
    // Shown for the English document, opens the French one.
    EXPECT_EQ(clic(e("AidepourlestablesvibrantesEnglish1")).fichier, appli + "Tables_vibrantes_pedagogiques.doc");

    // The presentation: no presentation program, so its default program.
    const std::string ppt = donnees + "Plinka-do-it-yourself.ppt";
    auto execution = clic(e("Executefile1"));
    EXPECT_EQ(execution.fichier, ppt);
    EXPECT_EQ(execution.parametres, "");
    EXPECT_EQ(execution.dossier, donnees);
    os.ecrire("C:\\Program Files (x86)\\OpenOffice.org 3\\program\\simpress.exe", "");
    execution = clic(e("Executefile1"));
    EXPECT_EQ(execution.fichier, "SIMPRESS.EXE");
    EXPECT_EQ(execution.parametres, "-show " + ppt);
    os.ecrire("C:\\Program Files (x86)\\Microsoft Office\\Office\\POWERPNT.EXE", "");
    execution = clic(e("Executefile1"));
    EXPECT_EQ(execution.fichier, "POWERPNT.EXE");
    EXPECT_EQ(execution.parametres, "/s " + ppt);
    EXPECT_EQ(clic(e("Editionfile1")).fichier, ppt);
}

TEST_F(Menu, PresentationPathWithBlanksStaysOneArgument) {
    ctx.chemins.chemin_appli = "c:\\program files\\quorva\\";
    fichier("Plinka-do-it-yourself.ppt");
    os.ecrire("C:\\Program Files (x86)\\Microsoft Office\\Office\\POWERPNT.EXE", "");
    adapte_menu(ctx, ctx.menu);
    EXPECT_EQ(clic(e("Executefile1")).parametres, "/s \"c:\\program files\\quorva\\fic_quorva\\Plinka-do-it-yourself.ppt\"");
}

TEST_F(Menu, SimulationStartsFromItsFolderAndRestoresTheCurrentOne) {
    fichier("simul_seismes\\simul_seismes.exe");
    adapte_menu(ctx, ctx.menu);
    const std::string avant = os.current_folder();
    std::string pendant;
    ctx.menu.repeindre = [&] { pendant = os.current_folder(); };
    const auto simulation = clic(e("Simulseismes1"));
    EXPECT_EQ(simulation.fichier, appli + "simul_seismes\\simul_seismes.exe");
    EXPECT_EQ(simulation.dossier, appli + "simul_seismes\\");
    EXPECT_EQ(attentes, std::vector<int>{500});
    EXPECT_EQ(pendant, *os.chemin_posix(appli + "simul_seismes"));
    EXPECT_EQ(os.current_folder(), avant);
}

TEST_F(Menu, TargetHandlerResolvesAgainInItsTagSlot) {
    fichier("azimut\\azimut.exe");
    fichier("fic_quorva\\mesure_vitesse_ondes.doc");
    fichier("fic_quorva\\Patin_tracte_audacity.doc");  // slot 5 moves to the data folder
    fichier("fic_quorva\\activite_tp_RQ_vienne_2013\\Plinka_EN.doc");
    adapte_menu(ctx, ctx.menu);
    ctx.langue.langue = 1;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    auto aide = clic(e("AideAudacitypourvitessedesondes1"));
    EXPECT_EQ(aide.fichier, donnees + "mesure_vitesse_ondes.doc");
    EXPECT_EQ(aide.dossier, donnees.substr(0, donnees.size() - 1));
    EXPECT_EQ(ctx.menu.chemins_cibles[13], donnees);
    // Tag 13 is also Azimut1's slot: the help's click does not move it.
    EXPECT_EQ(ctx.menu.chemins[13], appli);
    EXPECT_EQ(clic(e("Azimut1")).fichier, appli + "azimut\\azimut.exe");
    // Tag 5 is the stick-slip help's slot, now on the data folder: the
    // PLINKA target, written from the program folder, is still found.
    EXPECT_EQ(clic(e("PlinkaDoity1")).fichier, appli + "fic_quorva\\activite_tp_RQ_vienne_2013\\Plinka_EN.doc");
    EXPECT_TRUE(e("PlinkaDoity1").visible);

    // A target whose file has gone: the entry hides itself, the open is asked.
    fichier("essai.wav.xls");
    adapte_menu(ctx, ctx.menu);
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    std::filesystem::remove(*os.chemin_posix(appli + "essai.wav.xls"));
    EXPECT_EQ(clic(e("Rsultatpatintract1")).fichier, donnees + "essai.wav.xls");
    EXPECT_FALSE(e("Rsultatpatintract1").visible);
}

TEST_F(Menu, HooksAreCalledAndUnconnectedOnesDoNothing) {
    std::vector<std::string> appels;
    lance_entree(ctx, ctx.menu, e("Lectureconversionwav1"));
    lance_entree(ctx, ctx.menu, e("QuitterQuorva1"));
    lance_entree(ctx, ctx.menu, e("Options1"));
    EXPECT_TRUE(os.ouvertures.empty());
    ctx.menu.lancer_conversion = [&] { appels.push_back("conversion"); };
    ctx.menu.lancer_audacity_patin = [&] { appels.push_back("patin"); };
    ctx.menu.lancer_audacity_vitesse = [&] { appels.push_back("vitesse"); };
    ctx.menu.lancer_audacity_tables = [&] { appels.push_back("tables"); };
    ctx.menu.montrer_voir = [&] { appels.push_back("voir"); };
    ctx.menu.quitter = [&] { appels.push_back("quitter"); };
    for (const char* nom : {"Lectureconversionwav1", "LancerAudacityCl1", "AudacityforspeedwaveUSBkey1",
                            "Audacityforshaketable1D2D1", "VOIR1", "QuitterQuorva1", "Options1", "N4"})
        lance_entree(ctx, ctx.menu, e(nom));
    EXPECT_EQ(appels, (std::vector<std::string>{"conversion", "patin", "vitesse", "tables", "voir", "quitter"}));
}

}  // namespace
}  // namespace quorva::test
