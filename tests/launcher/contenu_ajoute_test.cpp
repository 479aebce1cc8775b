#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "launcher/adaptation_menu.h"
#include "launcher/menu.h"
#include "tests/launcher/banc_menu.h"

namespace quorva::test {
namespace {

using ContenuAjoute = BancMenu;
using V = std::vector<std::string>;

TEST_F(ContenuAjoute, DocumentsFamilyInItsOrderWithTheSeparator) {
    fichier("b_cours.doc");
    fichier("A_PROPOS_QUORVA.doc");                     // covered by a fixed entry
    fichier("Tables_vibrantes_pedagogiques_EN.doc");    // "_en" differs in case: listed
    fichier("notes.txt");
    fichier("fic_quorva\\doc_word_ajoutes\\ajout.doc");
    fichier("fic_quorva\\doc_word_ajoutes\\Fractures_roches.doc");  // covered
    fichier("fic_quorva\\film_table_1D\\table.pdf");
    fichier("fic_quorva\\guide.pdf");
    fichier("fic_quorva\\pdf_ajoutes\\A_PROPOS_QUORVA.pdf");
    fichier("fic_quorva\\films_ajoutes\\seisme.avi");
    fichier("fic_quorva\\films_ajoutes\\Simul_seismes");  // a top-level caption
    decouverte_documents(ctx, ctx.menu);

    EXPECT_EQ(ctx.menu.Memo_fic_word,
              (V{"b_cours.doc", "Tables_vibrantes_pedagogiques_EN.doc", "ajout.doc", "------PDF Files---------",
                 "table.pdf", "guide.pdf", "A_PROPOS_QUORVA.pdf", "seisme.avi"}));
    EXPECT_EQ(captions("Documentsajout1"),
              (V{"b_cours.doc", "Tables_vibrantes_pedagogiques_EN.doc", "ajout.doc", "------PDF Files---------",
                 "table.pdf", "guide.pdf", "A_PROPOS_QUORVA.pdf"}));
    EXPECT_EQ(captions("FILMSAJOUTES1"), V{"seisme.avi"});
    EXPECT_TRUE(captions("FichiersGoogleEarthAJOUTES1").empty());
    EXPECT_FALSE(e("FichiersGoogleEarthAJOUTES1").visible);
    EXPECT_TRUE(e("Documentsajout1").visible);
    EXPECT_TRUE(e("FILMSAJOUTES1").visible);
    EXPECT_TRUE(e("AUTRESDOCUMENTATIONS1").visible);

    const auto& documents = e("Documentsajout1").sous_menu;
    for (std::size_t i = 0; i < documents.size(); ++i) EXPECT_EQ(documents[i].tag, static_cast<int>(i) + 1);
    EXPECT_EQ(e("FILMSAJOUTES1").sous_menu[0].tag, 8);
    // The separator does nothing; its neighbours open their own files.
    EXPECT_EQ(documents[3].clic, action_menu::aucune);
    lance_entree(ctx, ctx.menu, e("Documentsajout1").sous_menu[3]);
    EXPECT_TRUE(os.ouvertures.empty());
    auto ajout = clic(e("Documentsajout1").sous_menu[2]);
    EXPECT_EQ(ajout.fichier, donnees + "doc_word_ajoutes\\ajout.doc");
    EXPECT_EQ(ajout.dossier, donnees + "doc_word_ajoutes");
    EXPECT_EQ(clic(e("Documentsajout1").sous_menu[4]).fichier, donnees + "film_table_1D\\table.pdf");
    EXPECT_EQ(clic(e("Documentsajout1").sous_menu[0]).fichier, appli + "b_cours.doc");
    EXPECT_EQ(clic(e("FILMSAJOUTES1").sous_menu[0]).fichier, donnees + "films_ajoutes\\seisme.avi");
    // The missing Google Earth folder is made ready for the teacher.
    EXPECT_TRUE(os.folder_exists(donnees + "fic_google_earth_ajoutes"));
}

TEST_F(ContenuAjoute, WithoutFilmFolderNoSeparatorAndMissingFoldersAreCreated) {
    fichier("fic_quorva\\guide.pdf");
    fichier("fic_quorva\\fic_google_earth_ajoutes\\faille.kmz");
    decouverte_documents(ctx, ctx.menu);
    EXPECT_EQ(ctx.menu.Memo_fic_word, (V{"guide.pdf", "faille.kmz"}));
    EXPECT_EQ(captions("FichiersGoogleEarthAJOUTES1"), V{"faille.kmz"});
    EXPECT_EQ(e("FichiersGoogleEarthAJOUTES1").sous_menu[0].tag, 2);
    EXPECT_TRUE(e("FichiersGoogleEarthAJOUTES1").visible);
    EXPECT_FALSE(e("FILMSAJOUTES1").visible);
    EXPECT_TRUE(os.folder_exists(donnees + "doc_word_ajoutes"));
    EXPECT_TRUE(os.folder_exists(donnees + "films_ajoutes"));
}

TEST_F(ContenuAjoute, AFullTableStopsTheListingAndEveryEntryOpensItsOwnFile) {
    for (int i = 0; i < 2000; ++i) fichier_rapide("fic_quorva/doc_word_ajoutes/doc" + std::to_string(10000 + i) + ".doc");
    fichier("fic_quorva\\films_ajoutes\\film.avi");
    decouverte_documents(ctx, ctx.menu);
    EXPECT_EQ(ctx.menu.nb_documents, 100);
    EXPECT_EQ(e("Documentsajout1").sous_menu.size(), 100u);
    EXPECT_TRUE(e("FILMSAJOUTES1").sous_menu.empty());
    for (auto& entree : e("Documentsajout1").sous_menu)
        EXPECT_EQ(clic(entree).fichier, donnees + "doc_word_ajoutes\\" + entree.caption);
}

TEST_F(ContenuAjoute, NamesWithAmpersandOrOutsideCp1252StillOpen) {
    fichier("fic_quorva\\doc_word_ajoutes\\Sismo & Co.doc");
    os.ecrire(os.racine() + "c/quorva/fic_quorva/doc_word_ajoutes/\xE6\x97\xA5\xE6\x9C\xAC.doc", "");
    decouverte_documents(ctx, ctx.menu);
    ASSERT_EQ(captions("Documentsajout1").size(), 2u);
    EXPECT_EQ(captions("Documentsajout1")[0], "Sismo & Co.doc");
    for (auto& entree : e("Documentsajout1").sous_menu) {
        const auto ouverture = clic(entree);
        EXPECT_EQ(ouverture.fichier, donnees + "doc_word_ajoutes\\" + entree.caption);
        EXPECT_TRUE(os.file_exists(ouverture.fichier)) << ouverture.fichier;
    }
}

TEST_F(ContenuAjoute, ProgramsOfTheSubfoldersOfTheDataFolder) {
    fichier("fic_quorva\\outils\\b.jar");
    fichier("fic_quorva\\outils\\a.EXE");
    fichier("fic_quorva\\outils\\lisezmoi.txt");
    fichier("fic_quorva\\azimut\\azimut.exe");        // a fixed resource's folder
    fichier("fic_quorva\\audacity\\audacity.exe");    // Quorva's own Audacity, whatever the folder's case
    fichier("fic_quorva\\direct.exe");                // not in a subfolder
    recherche_logiciels_ajoutes(ctx, ctx.menu);
    EXPECT_EQ(captions("Logicielsajouts1"), (V{"a.EXE", "b.jar"}));
    EXPECT_TRUE(e("Logicielsajouts1").visible);
    EXPECT_TRUE(e("LOGICIELS1").visible);
    const auto a = clic(e("Logicielsajouts1").sous_menu[0]);
    EXPECT_EQ(a.fichier, donnees + "outils\\a.EXE");
    EXPECT_EQ(a.dossier, donnees + "outils");
    EXPECT_EQ(e("Logicielsajouts1").sous_menu[1].tag, 2);
}

TEST_F(ContenuAjoute, ProgramsBeyondFiftyAreNotListed) {
    for (int i = 0; i < 70; ++i) fichier("fic_quorva\\outils\\p" + std::to_string(100 + i) + ".exe", "");
    recherche_logiciels_ajoutes(ctx, ctx.menu);
    ASSERT_EQ(e("Logicielsajouts1").sous_menu.size(), 50u);
    EXPECT_EQ(clic(e("Logicielsajouts1").sous_menu[49]).fichier, donnees + "outils\\p149.exe");
}

TEST_F(ContenuAjoute, WorkbooksAreRebuiltAtEachScan) {
    fichier("fic_quorva\\audacity\\patin_tracte\\a.wav.slk");
    fichier("fic_quorva\\audacity\\patin_tracte\\c.XLS");
    fichier("fic_quorva\\audacity\\patin_tracte\\c.wav");
    recherche_excel_ajoute(ctx, ctx.menu);
    EXPECT_EQ(captions("DOCUMENTSEXCELAJOUTES1"), (V{"a.wav.slk", "c.XLS"}));
    EXPECT_TRUE(e("DOCUMENTSEXCELAJOUTES1").visible);
    EXPECT_TRUE(e("FichiersExcel1").visible);

    fichier("fic_quorva\\audacity\\patin_tracte\\b.wav.slk");
    recherche_excel_ajoute(ctx, ctx.menu);
    EXPECT_EQ(captions("DOCUMENTSEXCELAJOUTES1"), (V{"a.wav.slk", "b.wav.slk", "c.XLS"}));
    for (auto& entree : e("DOCUMENTSEXCELAJOUTES1").sous_menu) {
        const auto ouverture = clic(entree);
        EXPECT_EQ(ouverture.fichier, donnees + "audacity\\patin_tracte\\" + entree.caption);
        EXPECT_EQ(ouverture.dossier, donnees + "audacity\\patin_tracte\\");
    }
    // The program folder's recording folder wins.
    fichier("audacity\\patin_tracte\\z.slk");
    recherche_excel_ajoute(ctx, ctx.menu);
    EXPECT_EQ(captions("DOCUMENTSEXCELAJOUTES1"), V{"z.slk"});
    EXPECT_EQ(ctx.menu.chemins_excel[2], "");
}

TEST_F(ContenuAjoute, NoWorkbookFolderHidesTheSubmenuButHeadingRulesApply) {
    fichier("fic_quorva\\activite_tp_RQ_vienne_2013\\Plinka_FR.doc");
    fichier("fic_quorva\\meca_foyer\\meca_foyer.exe");
    fichier("A_PROPOS_QUORVA.doc");
    adapte_menu(ctx, ctx.menu);
    EXPECT_FALSE(e("PlinkaDoity1").visible);
    recherche_excel_ajoute(ctx, ctx.menu);
    EXPECT_FALSE(e("DOCUMENTSEXCELAJOUTES1").visible);
    EXPECT_FALSE(e("DOCUMENTSEXCELAJOUTES1").enabled);
    EXPECT_TRUE(e("PLINKADoityourself1").visible);
    EXPECT_TRUE(e("PlinkaDoity1").visible);
    EXPECT_TRUE(e("LOGICIELS1").visible);  // through meca_foyer's own slot
    EXPECT_TRUE(e("Apropos1").visible);
    EXPECT_FALSE(e("VELDRUN20131").visible);
    EXPECT_FALSE(e("FichiersExcel1").visible);
}

TEST_F(ContenuAjoute, UnreadableOrOddFoldersGiveNoEntries) {
    fichier("fic_quorva\\films_ajoutes", "a file where a folder is expected");
    fichier("fic_quorva\\outils", "same");
    decouverte_documents(ctx, ctx.menu);
    recherche_logiciels_ajoutes(ctx, ctx.menu);
    EXPECT_TRUE(ctx.menu.Memo_fic_word.empty());
    EXPECT_TRUE(e("Logicielsajouts1").sous_menu.empty());
    EXPECT_FALSE(e("Documentsajout1").visible);
}

TEST_F(ContenuAjoute, FoldersWithoutReadPermissionGiveNoEntries) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows folders are guarded by access lists, not permission bits";
#else
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
#endif
    fichier("fic_quorva\\doc_word_ajoutes\\cache.doc");
    fichier("fic_quorva\\outils\\cache.exe");
    fichier("fic_quorva\\audacity\\patin_tracte\\cache.slk");
    for (const char* d : {"doc_word_ajoutes", "outils", "audacity/patin_tracte"})
        std::filesystem::permissions(os.racine() + "c/quorva/fic_quorva/" + d, std::filesystem::perms::none);
    decouverte_documents(ctx, ctx.menu);
    recherche_logiciels_ajoutes(ctx, ctx.menu);
    recherche_excel_ajoute(ctx, ctx.menu);
    EXPECT_TRUE(ctx.menu.Memo_fic_word.empty());
    EXPECT_TRUE(e("Logicielsajouts1").sous_menu.empty());
    EXPECT_TRUE(e("DOCUMENTSEXCELAJOUTES1").sous_menu.empty());
}

}  // namespace
}  // namespace quorva::test
