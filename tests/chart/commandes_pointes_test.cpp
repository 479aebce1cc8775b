// "Read marks" and the read one second after the chart opens: what they
// change and what the chart says, without any window.
#include "chart/commandes_pointes.h"

#include <gtest/gtest.h>

#include "base/nombres.h"
#include "chart/textes_chart.h"
#include "tests/chart/courbe_ouverte.h"

using namespace quorva;

using LecturePointes = test::CourbeOuverte;

// 2000 samples with a mark at 700 being carried in a zoomed view; the marks
// file holds n samples (0: no file), shifted by `decalage`, and a mark at 90.
TEST_F(LecturePointes, OnlyTheRecordingsOwnFileBringsItsMarksAndEachOutcomeIsSaid) {
    enum issue { rien, absent, lues, autre };
    struct cas {
        int n, decalage;
        bool automatique;
        issue dit;
    };
    for (const auto& [n, decalage, automatique, dit] :
         {cas{0, 0, true, rien}, cas{0, 0, false, absent}, cas{2000, 0, true, lues}, cas{2000, 1, true, autre},
          cas{1000, 0, false, autre}}) {
        auto& c = ctx.conversion;
        remplir(2000, [](int i) { return i % 300; });
        c.fichier_pointes = os.racine() + "essai" + std::to_string(n) + ".wav.txt";
        c.nb_pointes = 1;
        c.pointes[1] = {700, 1};
        std::string texte = std::to_string(n) + "\r\n";
        for (int i = 1; i <= n; ++i) texte += format_reel((i + decalage) % 300) + "\r\n";
        if (n > 0) os.ecrire(c.fichier_pointes, texte + "Pointes\r\n1\r\n" + format_exposant(90) + "\r\n 1.0E+0000\r\n");
        ouvrir();
        historique_pointes h;
        h.commencer(c);
        vue.premier_visible = 500;
        vue.dernier_visible = 900;
        tester_pointe(vue, c, colonne_de(vue, 700));
        h.clic_gauche(vue, c, colonne_de(vue, 700), false);

        const compte_rendu r = lire_pointes(ctx, vue, h, c, automatique, 2);
        const std::string ligne[] = {"", texte_sans_fichier(c.fichier_pointes, 2),
                                     texte_lecture(c.fichier_pointes, 1, 2000, 2),
                                     texte_autre_enregistrement(c.fichier_pointes, 2)};
        EXPECT_EQ(r.ligne_etat, ligne[dit]) << n;
        EXPECT_EQ(r.message, dit == autre && !automatique ? ligne[autre] : "") << n;
        // Only the own file changes anything: its mark as one step, the whole view.
        EXPECT_EQ(c.pointes[1].x, dit == lues ? 90 : 0) << n;  // 0: still carried
        EXPECT_EQ(vue.placement, dit != lues) << n;
        EXPECT_EQ(h.peut_annuler(), dit == lues) << n;
        EXPECT_EQ(vue.premier_visible, dit == lues ? 1 : 500) << n;
    }
}
