#include "sections/sections.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "i18n/traduction.h"
#include "launcher/menu.h"
#include "tests/launcher/banc_menu.h"

namespace quorva::test {
namespace {

using V = std::vector<std::string>;

struct Sections : BancMenu {
    Sections() {
        // 6 pixels a character, lines of 13: sizes easy to follow.
        ctx.sections.largeur_texte = [](const std::string& t) { return static_cast<int>(t.size()) * 6; };
        ctx.sections.hauteur_ligne = [] { return 13; };
        ctx.sections.montrer_feuille = [this](int slot) { montrees.push_back(slot); };
    }
    const feuille_tp& feuille(int slot) { return ctx.sections.feuilles_tp[static_cast<std::size_t>(slot)]; }
    V lignes(const char* titre) {
        const int slot = creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e(titre));
        return slot ? feuille(slot).ListBox1 : V{};
    }
    std::vector<int> montrees;
};

TEST_F(Sections, RowsOfEachHeadingWithTheDefaultMenu) {
    for (auto& entree : ctx.menu.PopupMenu1) entree.visible = true;
    EXPECT_EQ(lignes("PLINKADoityourself1"), V{"PLINKA \"Do it yourself\" EN"});
    EXPECT_EQ(lignes("Patintract1"), (V{"Audacity for stick-slip(1ch;16 bits;1000 hz) Local",
                                        "Help Audacity for stick-slip (French)", "Film stick slip",
                                        "Read convert .wav ( 1 channel; 16 bits) Excel", "Class summary..."}));
    EXPECT_EQ(lignes("N1"), (V{"Audacity for speed wave (2ch;22 KHz) Local", "Help Audacity for wave speed"}));
    EXPECT_EQ(lignes("N3"), (V{"Audacity pour table vibrante 1D-2D", "Aide pour les tables vibrantes (FR)",
                               "Films table 1D", "Film table 3D"}));
    EXPECT_EQ(lignes("LOGICIELS1"), (V{"Azimut", "Mécanismes au foyer", "Simul_seismes"}));
    EXPECT_EQ(lignes("FichiersExcel1"), (V{"Doc montains root (French)", "Montains root",
                                           "Thickness and subduction", "Result stick slip"}));
    EXPECT_TRUE(lignes("AUTRESDOCUMENTATIONS1").empty());
    EXPECT_EQ(feuille(2).Liste_nom, (V{"LancerAudacityCl1", "AideAudacitypourpatintract1", "Filmpatintract1",
                                       "Lectureconversionwav1", "Synthesedelaclasse1"}));
    EXPECT_EQ(feuille(1).fond, (couleur_tp{255, 255, 0}));
    EXPECT_EQ(feuille(1).couleur_titre, (couleur_tp{0, 0, 0}));
    EXPECT_EQ(feuille(1).mode, 1);
    EXPECT_EQ(montrees, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(Sections, HiddenAndAddedEntriesAreNotRowsButAddedContentIs) {
    fichier("fic_quorva\\doc_word_ajoutes\\cours.doc");
    fichier("fic_quorva\\film_table_1D\\notice.pdf");
    fichier("fic_quorva\\films_ajoutes\\faille.avi");
    fichier("fic_quorva\\outils\\sismo.exe");
    fichier("fic_quorva\\audacity\\patin_tracte\\essai.slk");
    decouverte_documents(ctx, ctx.menu);
    recherche_logiciels_ajoutes(ctx, ctx.menu);
    recherche_excel_ajoute(ctx, ctx.menu);
    ctx.langue.langue = 1;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    e("Mcanismesaufoyer1").visible = false;

    EXPECT_EQ(lignes("LOGICIELS1"), (V{"Azimut", "Simul_seismes", "sismo.exe"}));
    EXPECT_EQ(feuille(1).Liste_nom[2], donnees + "outils\\sismo.exe");
    EXPECT_EQ(lignes("FichiersExcel1"), (V{"Doc montains root (French)", "Montains root",
                                           "Thickness and subduction", "Result stick slip", "essai.slk"}));
    EXPECT_EQ(lignes("AUTRESDOCUMENTATIONS1"), (V{"cours.doc", "------PDF Files---------", "notice.pdf",
                                                  "--------VIDEO-------------", "faille.avi"}));
    EXPECT_EQ(feuille(3).Liste_nom, (V{donnees + "doc_word_ajoutes\\cours.doc", "-------PDF files-----------",
                                       donnees + "film_table_1D\\notice.pdf", "--------VIDEO-------------",
                                       donnees + "films_ajoutes\\faille.avi"}));
    // Rows open what they name; separators do nothing.
    os.ouvertures.clear();
    FileListBox1DblClick(ctx, ctx.menu, ctx.sections, 3, 1);
    FileListBox1DblClick(ctx, ctx.menu, ctx.sections, 3, 3);
    FileListBox1DblClick(ctx, ctx.menu, ctx.sections, 3, 99);
    EXPECT_TRUE(os.ouvertures.empty());
    FileListBox1DblClick(ctx, ctx.menu, ctx.sections, 3, 4);
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, donnees + "films_ajoutes\\faille.avi");
    EXPECT_EQ(os.ouvertures[0].dossier, donnees + "films_ajoutes");
}

TEST_F(Sections, DoubleClickPerformsTheEntrysCurrentClick) {
    int conversions = 0;
    ctx.menu.lancer_conversion = [&] { ++conversions; };
    const int slot = creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("Patintract1"));
    FileListBox1DblClick(ctx, ctx.menu, ctx.sections, slot, 3);
    EXPECT_EQ(conversions, 1);
}

TEST_F(Sections, HeadingWithoutAFollowingHeadingRunsToTheEndOfTheMenu) {
    fichier("fic_quorva\\fic_trad.txt", "TP1#TP|TP\r\nVOIR1#See|Voir\r\n");
    ctx.langue.langue = 1;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(lignes("AUTRESDOCUMENTATIONS1"), (V{"-", "Quit Quorva"}));
}

TEST_F(Sections, SizeAndPlaceOfNewAndReusedWindows) {
    const int premier = creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("N1"));
    ASSERT_EQ(premier, 1);
    const feuille_tp& f = feuille(1);
    // Widest row: 42 characters, 252 pixels.
    EXPECT_EQ(f.Width, 252 + 20);
    EXPECT_EQ(f.liste_largeur, 252 + 15);
    EXPECT_EQ(f.liste_hauteur, 2 * 15);
    EXPECT_EQ(f.Height, 30 + 25);
    EXPECT_EQ(f.titre_left, (272 - 25 * 6) / 2);
    EXPECT_EQ(f.close_left, 272 - 16);
    EXPECT_EQ(f.Left, 1016 - 20);
    EXPECT_EQ(f.Top, 4 + 20);
    EXPECT_EQ(f.Tag, 1);

    EXPECT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("N1")), 2);
    EXPECT_EQ(feuille(2).Left, 1016 - 40);
    EXPECT_EQ(feuille(2).Top, 44);

    // Closing the first and opening another section reuses it, shifted
    // again from where it was left (it had been dragged meanwhile).
    FormMouseDown(ctx.sections, false, 10, 10);
    EXPECT_TRUE(FormMouseMove(ctx.sections, 1, 15, 7));
    FormMouseUp(ctx.sections);
    EXPECT_FALSE(FormMouseMove(ctx.sections, 1, 50, 50));
    EXPECT_EQ(f.Left, 1001);
    EXPECT_EQ(f.Top, 21);
    FormMouseDown(ctx.sections, true, 10, 10);  // the right button does not drag
    EXPECT_FALSE(ctx.sections.deplacement_tp);

    Speed_closeClick(ctx.sections, 1);
    EXPECT_EQ(f.Tag, 0);
    EXPECT_FALSE(f.visible);
    EXPECT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("AUTRESDOCUMENTATIONS1")), 1);
    EXPECT_EQ(f.Left, 981);
    EXPECT_EQ(f.Top, 41);
    // An empty section: no rows, height 25; the title still fits.
    EXPECT_EQ(f.Height, 25);
    EXPECT_EQ(f.Width, 30 * 6 + 20 + 20);
    EXPECT_EQ(ctx.sections.nb_feuilles, 2);
}

TEST_F(Sections, FiftyWindowsAtMost) {
    for (int i = 1; i <= 50; ++i) ASSERT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("N3")), i);
    Speed_closeClick(ctx.sections, 7);
    EXPECT_EQ(creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("N3")), 0);
    EXPECT_EQ(ctx.sections.nb_feuilles, 50);
}

TEST_F(Sections, FolderSectionsFromTheTPFolder) {
    recherche_TP(ctx, ctx.menu, ctx.sections);
    EXPECT_FALSE(e("TP1").visible);

    fichier("fic_quorva\\TP\\Zeta\\b.doc");
    fichier("fic_quorva\\TP\\Zeta\\A.pdf");
    fichier("fic_quorva\\TP\\Zeta\\sous\\c.doc");
    fichier("fic_quorva\\TP\\TP seisme & ondes\\x.txt");
    fichier("fic_quorva\\TP\\lisezmoi.txt");
    recherche_TP(ctx, ctx.menu, ctx.sections);
    EXPECT_EQ(captions("TP1"), (V{"TP seisme & ondes", "Zeta"}));
    EXPECT_TRUE(e("TP1").visible);
    EXPECT_EQ(e("TP1").sous_menu[1].tag, 2);

    const int slot = creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("TP1").sous_menu[1]);
    EXPECT_EQ(feuille(slot).ListBox1, (V{"A.pdf", "b.doc"}));
    EXPECT_EQ(feuille(slot).mode, 0);
    EXPECT_EQ(feuille(slot).fond, (couleur_tp{128, 128, 128}));
    EXPECT_EQ(feuille(slot).titre, "Zeta");
    os.ouvertures.clear();
    FileListBox1DblClick(ctx, ctx.menu, ctx.sections, slot, 1);
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, donnees + "TP\\Zeta\\b.doc");
    EXPECT_EQ(os.ouvertures[0].dossier, donnees + "TP\\Zeta");

    // "&" is part of the folder's name.
    const int autre = creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("TP1").sous_menu[0]);
    EXPECT_EQ(feuille(autre).ListBox1, V{"x.txt"});
    // A folder gone since start-up: an empty list.
    std::filesystem::remove_all(*os.chemin_posix(donnees + "TP\\Zeta"));
    const int vide = creation_feuille_tpclick(ctx, ctx.menu, ctx.sections, e("TP1").sous_menu[1]);
    EXPECT_TRUE(feuille(vide).ListBox1.empty());
}

TEST_F(Sections, FiftySectionEntriesAtMost) {
    for (int i = 0; i < 60; ++i) dossier("fic_quorva\\TP\\s" + std::to_string(100 + i));
    fichier("fic_quorva\\TP\\.garde");
    for (int i = 0; i < 60; ++i) fichier("fic_quorva\\TP\\s" + std::to_string(100 + i) + "\\f.doc");
    recherche_TP(ctx, ctx.menu, ctx.sections);
    EXPECT_EQ(e("TP1").sous_menu.size(), 50u);
    EXPECT_EQ(e("TP1").sous_menu.back().caption, "s149");
}

}  // namespace
}  // namespace quorva::test
