// The chart's edits as undoable steps, the keyboard edits, and the count of
// what the pupil changed, without any window.
#include "chart/historique_pointes.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/contexte.h"
#include "base/erreur.h"
#include "chart/preference_accroche.h"
#include "chart/textes_chart.h"
#include "tests/chart/courbe_ouverte.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;

namespace {

// 1000 samples (a slow ramp) with marks at 100, 300 and 500, seen whole;
// the chart has just opened.
class Edition : public test::CourbeOuverte {
protected:
    void SetUp() override {
        remplir(1000, [](int i) { return i; });
        auto& c = ctx.conversion;
        c.nb_pointes = 3;
        c.pointes[1] = {100, 1};
        c.pointes[2] = {300, 2};
        c.pointes[3] = {500, 3};
        ouvrir();
        h.commencer(c);
    }
    std::vector<double> positions() const {
        std::vector<double> p;
        for (int k = 1; k <= ctx.conversion.nb_pointes; ++k) p.push_back(ctx.conversion.pointes[k].x);
        return p;
    }
    // The mouse: a move onto the mark's column, then a click there.
    void prendre(double x) {
        const int c = colonne_de(vue, x);
        tester_pointe(vue, ctx.conversion, c);
        h.clic_gauche(vue, ctx.conversion, c, false);
    }
    std::string resume() const { return texte_resume(h.resume(ctx.conversion), 1); }

    historique_pointes h;
};

}  // namespace

// Each edit is one step, undone and redone in order; a new edit forgets
// what could be redone.
TEST_F(Edition, EachEditIsOneStepUndoneAndRedoneInOrder) {
    auto& c = ctx.conversion;
    // Pick up mark 2 and carry it: not a step until it is dropped.
    prendre(300);
    ASSERT_TRUE(vue.placement);
    EXPECT_FALSE(h.peut_annuler());
    h.clic_gauche(vue, c, 700, false);
    const double deposee = position_de(vue, 700);
    EXPECT_EQ(positions(), (std::vector<double>{100, deposee, 500}));
    // Add one (menu, then a click), delete one (menu on mark 1).
    ASSERT_TRUE(h.ajouter(vue, c));
    EXPECT_EQ(h.resume(c).total, 3);  // not counted before the drop
    h.clic_gauche(vue, c, 1000, false);
    tester_pointe(vue, c, colonne_de(vue, 100));
    ASSERT_TRUE(h.supprimer(vue, c));
    const std::vector<double> fin = positions();
    EXPECT_EQ(fin, (std::vector<double>{deposee, 500, position_de(vue, 1000)}));
    EXPECT_EQ(resume(), "3 marks: 1 as detected, 1 moved, 1 added, 1 deleted");

    const std::vector<std::vector<double>> en_arriere = {
        {100, deposee, 500, position_de(vue, 1000)}, {100, deposee, 500}, {100, 300, 500}};
    for (const auto& attendu : en_arriere) {
        ASSERT_TRUE(h.annuler(vue, c).has_value());
        EXPECT_EQ(positions(), attendu);
    }
    EXPECT_FALSE(h.annuler(vue, c).has_value());
    EXPECT_EQ(resume(), "3 marks: 3 as detected, 0 moved, 0 added, 0 deleted");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(h.retablir(vue, c).has_value());
    EXPECT_EQ(positions(), fin);
    EXPECT_FALSE(h.retablir(vue, c).has_value());

    // Undo twice, then a new edit: nothing left to redo.
    h.annuler(vue, c);
    h.annuler(vue, c);
    vue.pointe_selectionnee = 1;
    ASSERT_TRUE(h.deplacer_selection(vue, c, 1));
    EXPECT_FALSE(h.peut_retablir());
    EXPECT_EQ(positions(), (std::vector<double>{101, deposee, 500}));
    // The chart closes: the history ends with it.
    h.terminer();
    EXPECT_FALSE(h.peut_annuler() || h.peut_retablir());
}

// Escape, Cancel or undo while a mark is carried put it back (an added one
// is given up) and record nothing.
TEST_F(Edition, AGivenUpPlacementLeavesTheMarksAsTheyWere) {
    auto& c = ctx.conversion;
    const auto avant = positions();
    prendre(300);
    h.abandonner_placement(vue, c);
    EXPECT_EQ(positions(), avant);
    h.ajouter(vue, c);
    EXPECT_EQ(c.nb_pointes, 4);
    EXPECT_TRUE(h.annuler(vue, c).has_value());  // the undo gives up the placement
    EXPECT_EQ(positions(), avant);
    EXPECT_FALSE(vue.placement);
    EXPECT_FALSE(h.peut_annuler() || h.peut_retablir());
}

// Keyboard edits on the selected mark: one sample or one pixel column,
// within the recording; Delete goes on to the next mark; Insert adds at a
// position and selects it.
TEST_F(Edition, KeyboardEditsMoveDeleteAndInsertOneStepEach) {
    auto& c = ctx.conversion;
    EXPECT_FALSE(h.deplacer_selection(vue, c, 1));  // nothing selected
    vue.pointe_selectionnee = 2;
    struct cas {
        double decalage;
        double attendu;
    };
    const double colonne = 1 / vue.echelle_x;  // about 0.93 sample
    for (const auto& [decalage, attendu] :
         {cas{1, 301}, cas{-1, 300}, cas{-1, 299}, cas{colonne, 299 + colonne}, cas{-5000, 1}, cas{5000, 1000}}) {
        ASSERT_TRUE(h.deplacer_selection(vue, c, decalage));
        EXPECT_DOUBLE_EQ(c.pointes[2].x, attendu) << decalage;
    }
    EXPECT_FALSE(h.deplacer_selection(vue, c, 1));  // already at the last sample
    for (int i = 0; i < 6; ++i) h.annuler(vue, c);
    EXPECT_EQ(positions(), (std::vector<double>{100, 300, 500}));

    ASSERT_TRUE(h.supprimer_selection(vue, c));
    EXPECT_EQ(positions(), (std::vector<double>{100, 500}));
    EXPECT_EQ(vue.pointe_selectionnee, 2);  // the mark at 500, now record 2
    ASSERT_TRUE(h.inserer(vue, c, 250.4, false));
    EXPECT_EQ(positions(), (std::vector<double>{100, 500, 250.4}));
    EXPECT_EQ(vue.pointe_selectionnee, 3);
    EXPECT_EQ(resume(), "3 marks: 2 as detected, 0 moved, 1 added, 1 deleted");
    h.annuler(vue, c);
    h.annuler(vue, c);
    EXPECT_EQ(positions(), (std::vector<double>{100, 300, 500}));

    // A full table: Insert refuses and changes nothing; so does an empty
    // recording.
    c.nb_pointes = 100;
    for (int k = 1; k <= 100; ++k) c.pointes[k].x = 5 * k;
    EXPECT_FALSE(h.inserer(vue, c, 40, false));
    EXPECT_EQ(c.nb_pointes, 100);
    c.nb_echantillons = 0;
    c.nb_pointes = 0;
    EXPECT_FALSE(h.inserer(vue, c, 40, false));
}

// A marks-file read is one step; a broken file changes nothing and leaves
// nothing to undo.
TEST_F(Edition, AMarksFileReadIsOneStepAndABrokenFileNone) {
    auto& c = ctx.conversion;
    const auto lire = [&] {  // what the file's marks put in place
        c.nb_pointes = 2;
        c.pointes[1] = {3, 0};
        c.pointes[2] = {100, 0};
        return true;
    };
    ASSERT_TRUE(h.lire(vue, c, lire));
    EXPECT_EQ(positions(), (std::vector<double>{3, 100}));
    // The mark at 100 is the detected one; 3 was moved from 300, the
    // nearest left over, and 500 is gone.
    EXPECT_EQ(resume(), "2 marks: 1 as detected, 1 moved, 0 added, 1 deleted");
    vue.premier_visible = 2;  // zoomed in: the undone read opens the view again
    vue.dernier_visible = 3;
    ASSERT_EQ(h.annuler(vue, c), genre_etape::lecture);
    EXPECT_EQ(vue.premier_visible, 1);
    EXPECT_EQ(vue.dernier_visible, 1000);
    EXPECT_EQ(positions(), (std::vector<double>{100, 300, 500}));
    ASSERT_EQ(h.retablir(vue, c), genre_etape::lecture);
    h.annuler(vue, c);

    EXPECT_THROW(h.lire(vue, c, []() -> bool { throw erreur_quorva("x"); }), erreur_quorva);
    EXPECT_FALSE(h.peut_annuler());
    EXPECT_EQ(positions(), (std::vector<double>{100, 300, 500}));
    EXPECT_FALSE(h.lire(vue, c, [] { return false; }));  // no file
    EXPECT_FALSE(h.peut_annuler());
}

TEST(TextesChart, StatusTextsInEnglishAndFrench) {
    const resume_pointes r{7, 5, 1, 1, 0};
    EXPECT_EQ(texte_resume(r, 1), "7 marks: 5 as detected, 1 moved, 1 added, 0 deleted");
    EXPECT_EQ(texte_resume(r, 2), "7 pointes : 5 comme détectées, 1 déplacée, 1 ajoutée, 0 supprimée");
    EXPECT_EQ(texte_resume({1, 1, 0, 0, 2}, 1), "1 mark: 1 as detected, 0 moved, 0 added, 2 deleted");
    EXPECT_EQ(texte_position(1234, 1000, 1, '.', 1), "Sample 1234, 1.233 s");
    EXPECT_EQ(texte_position(1234.4, 1000, 2, ',', 2), "Échantillon 1234, 2,466 s");
    EXPECT_EQ(texte_position(7, 0, 1, '.', 1), "Sample 7");
    EXPECT_EQ(texte_sauvegarde("C:\\x\\essai.wav.txt", 7, 1), "Marks saved: 7 marks in C:\\x\\essai.wav.txt");
    EXPECT_EQ(texte_lecture("e.txt", 1, 900, 1), "Marks read: 1 mark and 900 samples from e.txt");
    EXPECT_EQ(texte_autre_enregistrement("e", 2), "Pointes non lues : le fichier de pointes est celui d'un autre enregistrement (e)");
    EXPECT_EQ(legendes(1).accrocher, "Snap marks to the onset");
    EXPECT_EQ(legendes(2).annuler, "Annuler");
    EXPECT_EQ(legendes(3).retablir, "Redo");
}

// The snap setting: its own file beside the language preference, written
// whole or not at all; anything but "accroche=1" means off.
TEST(PreferenceAccroche, RemembersTheSettingAndReadsABrokenFileAsOff) {
    test::PlateformeFactice os;
    contexte ctx(os);
    ctx.chemins.chemin_temp = os.racine() + "temp/";
    const std::string fichier = ctx.chemins.chemin_temp + "quorva/accroche_quorva.txt";
    EXPECT_FALSE(lire_accroche(ctx));
    ecrire_accroche(ctx, true);
    EXPECT_EQ(os.lire(fichier), "accroche=1\r\n");
    EXPECT_TRUE(lire_accroche(ctx));
    for (const char* casse : {"accroche=2\r\n", "", "\xFF\xFE", "accroche=1x"}) {
        os.ecrire(fichier, casse);
        EXPECT_FALSE(lire_accroche(ctx)) << casse;
    }
    // The language preference keeps its single line.
    os.ecrire(ctx.chemins.chemin_temp + "quorva/langue_quorva.txt", "langue=1\r\n");
    ecrire_accroche(ctx, false);
    EXPECT_EQ(os.lire(ctx.chemins.chemin_temp + "quorva/langue_quorva.txt"), "langue=1\r\n");
    // A file where the folder should be: the write fails, nothing crashes.
    ctx.chemins.chemin_temp = os.racine() + "bloque/";
    os.ecrire(os.racine() + "bloque/quorva", "not a folder");
    EXPECT_THROW(ecrire_accroche(ctx, true), erreur_quorva);
    EXPECT_FALSE(lire_accroche(ctx));
}
