#include "app/demarrage.h"

#include <gtest/gtest.h>

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
