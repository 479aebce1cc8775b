#include "app/demarrage.h"

#include <gtest/gtest.h>

#include "base/erreur.h"
#include "launcher/menu.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;

namespace {

struct Raccourci : ::testing::Test {
    test::PlateformeFactice os;
    std::unique_ptr<contexte> ctx = std::make_unique<contexte>(os);

    void SetUp() override {
        ctx->chemins.chemin_appli = "c:\\quorva\\";
        ctx->chemins.bureau_commun = "C:\\Public\\Desktop\\";
        ctx->chemins.bureau_utilisateur = "C:\\eleve\\Desktop\\";
        os.ecrire("C:\\quorva\\fic_quorva\\quorva.lnk", "raccourci");
        os.create_folder("C:\\Public");
        os.create_folder("C:\\Public\\Desktop");
        os.create_folder("C:\\eleve");
        os.create_folder("C:\\eleve\\Desktop");
    }
};

}  // namespace

TEST_F(Raccourci, GoesToTheCommonDesktopOnlyWhenItCan) {
    installe_raccourci(*ctx);
    EXPECT_EQ(os.lire("C:\\Public\\Desktop\\quorva.lnk"), "raccourci");
    EXPECT_FALSE(os.file_exists("C:\\eleve\\Desktop\\quorva.lnk"));
}

TEST_F(Raccourci, FallsBackToTheUsersDesktopWithoutReplacingIt) {
    ctx->chemins.bureau_commun = "C:\\Absent\\Desktop\\";  // the copy there fails
    installe_raccourci(*ctx);
    EXPECT_FALSE(os.file_exists("C:\\Absent\\Desktop\\quorva.lnk"));
    EXPECT_EQ(os.lire("C:\\eleve\\Desktop\\quorva.lnk"), "raccourci");

    os.ecrire("C:\\eleve\\Desktop\\quorva.lnk", "le sien");
    installe_raccourci(*ctx);
    EXPECT_EQ(os.lire("C:\\eleve\\Desktop\\quorva.lnk"), "le sien");
}

TEST_F(Raccourci, NothingFromAnotherDriveOrWhenAlreadyThere) {
    os.ecrire("C:\\Public\\Desktop\\quorva.lnk", "ancien");
    installe_raccourci(*ctx);
    EXPECT_EQ(os.lire("C:\\Public\\Desktop\\quorva.lnk"), "ancien");
    EXPECT_FALSE(os.file_exists("C:\\eleve\\Desktop\\quorva.lnk"));

    ctx->chemins.chemin_appli = "d:\\quorva\\";
    os.ecrire("D:\\quorva\\fic_quorva\\quorva.lnk", "raccourci");
    ctx->chemins.bureau_commun = "D:\\Public\\";
    installe_raccourci(*ctx);
    EXPECT_FALSE(os.file_exists("D:\\Public\\quorva.lnk"));
}

TEST_F(Raccourci, NeverOnTheRootForADesktopTheSystemLacks) {
    ctx->chemins.bureau_commun = "";
    installe_raccourci(*ctx);
    EXPECT_FALSE(os.file_exists("quorva.lnk"));
    EXPECT_EQ(os.lire("C:\\eleve\\Desktop\\quorva.lnk"), "raccourci");
    ctx->chemins.bureau_utilisateur = "";
    EXPECT_NO_THROW(installe_raccourci(*ctx));
}

TEST(JournalDemarrage, ListsTheTwentyThreeFoldersDocumentsTwice) {
    test::PlateformeFactice os;
    os.dossiers_speciaux = {{5, "/home/eleve/Documents"}, {26, "/home/eleve/.config"}};
    auto ctx = std::make_unique<contexte>(os);
    journal_dossiers_speciaux(*ctx);
    ASSERT_EQ(ctx->journal.size(), 23u);
    EXPECT_EQ(ctx->journal[0], "/home/eleve/.config");
    EXPECT_EQ(ctx->journal[14], "/home/eleve/Documents");
    EXPECT_EQ(ctx->journal[22], "/home/eleve/Documents");
    EXPECT_EQ(ctx->journal[1], "");
}

namespace {

// A program folder on drive C of the fake, with the demo's layout.
struct Demarrage : ::testing::Test {
    test::PlateformeFactice os;
    std::unique_ptr<contexte> ctx;

    void SetUp() override {
        os.ligne_commande = "\"C:\\Quorva\\quorva.exe\" ";
        os.exportations = {"GetLocaleInfoEx"};
        os.dossiers_speciaux = {{5, "C:\\eleve\\Documents"}, {23, "C:\\ProgramData\\Menu"},
                                {26, "C:\\eleve\\AppData"}, {0, "C:\\eleve\\Desktop"},
                                {25, "C:\\Public\\Desktop"}};
        os.ecrire("C:\\Quorva\\fic_quorva\\A_PROPOS_QUORVA.doc", "");
        os.ecrire("C:\\Quorva\\fic_quorva\\quorva.lnk", "raccourci");
        os.ecrire("C:\\Quorva\\fic_quorva\\doc_word_ajoutes\\Consignes.doc", "");
        os.ecrire("C:\\Public\\Desktop\\desktop.ini", "");
        ctx = std::make_unique<contexte>(os);
    }
};

}  // namespace

TEST_F(Demarrage, RunsEveryStepInItsOrder) {
    sequence_demarrage(*ctx);
    const auto& c = ctx->chemins;
    EXPECT_EQ(c.chemin_appli, "c:\\quorva\\");
    EXPECT_EQ(c.version_windows, "Seven");
    EXPECT_EQ(c.bureau_commun, "C:\\Public\\Desktop\\");
    EXPECT_EQ(os.lire("C:\\Public\\Desktop\\quorva.lnk"), "raccourci");

    // The log: Audacity's lines, then its preferences folder, then the 23
    // special folders, the documents twice.
    const auto& journal = ctx->journal;
    ASSERT_GE(journal.size(), 24u);
    const std::size_t config = journal.size() - 24;
    EXPECT_EQ(journal[config], "Chem_config_audacity=C:\\eleve\\AppData\\Audacity\\");
    EXPECT_EQ(journal[config - 1], "Chem_audacity=C:\\ProgramData\\Menu");
    EXPECT_EQ(journal[config + 1], "C:\\eleve\\AppData");
    EXPECT_EQ(journal[config + 15], "C:\\eleve\\Documents");
    EXPECT_EQ(journal.back(), "C:\\eleve\\Documents");

    // No Audacity copy: the shake-table entry stays hidden. The menu is
    // translated last (French without a preference), and the preference
    // is written.
    const entree_menu* tables = trouve_entree(ctx->menu, "Audacityforshaketable1D2D1");
    ASSERT_NE(tables, nullptr);
    EXPECT_FALSE(tables->visible);
    EXPECT_EQ(trouve_entree(ctx->menu, "Apropos1")->caption, "A PROPOS de QUORVA");
    EXPECT_TRUE(os.file_exists(c.chemin_temp + "quorva\\langue_quorva.txt"));
    EXPECT_TRUE(os.folder_exists("C:\\Quorva\\fic_quorva\\films_ajoutes"));
}

TEST_F(Demarrage, OffersTheShakeTablesOnlyWithAudacity) {
    os.ecrire("C:\\Quorva\\fic_quorva\\audacity\\audacity.exe", "");
    sequence_demarrage(*ctx);
    const entree_menu* tables = trouve_entree(ctx->menu, "Audacityforshaketable1D2D1");
    EXPECT_TRUE(tables->visible);
    EXPECT_TRUE(tables->enabled);
}

TEST_F(Demarrage, AnErrorEndsTheSequenceAtItsStep) {
    os.sans_bibliotheque = true;  // the probe cannot find the system library
    EXPECT_THROW(sequence_demarrage(*ctx), erreur_quorva);
    EXPECT_EQ(ctx->chemins.chemin_appli, "c:\\quorva\\");  // set before the probe
    // The program folder became the current one before the probe failed.
    EXPECT_TRUE(os.file_exists("fic_quorva\\quorva.lnk"));
    EXPECT_TRUE(ctx->journal.empty());                     // later steps never ran
    EXPECT_FALSE(os.file_exists("C:\\Public\\Desktop\\quorva.lnk"));
}
