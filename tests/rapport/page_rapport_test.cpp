// The report's page: where the blocks go for any number of events, and its
// numbers against the workbook that the chart's OK then writes.
#include <gtest/gtest.h>

#include <map>

#include "base/nombres.h"
#include "base/texte.h"
#include "conversion/classeur_sylk.h"
#include "conversion/detection.h"
#include "rapport/formats_rapport.h"
#include "rapport/page_rapport.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva {
namespace {

bool dedans(const bloc_page& b, const bloc_page& dans) {
    return b.x >= dans.x && b.y >= dans.y && b.x + b.largeur <= dans.x + dans.largeur &&
           b.y + b.hauteur <= dans.y + dans.hauteur;
}
bool separes(const bloc_page& a, const bloc_page& b) {
    return a.x + a.largeur <= b.x || b.x + b.largeur <= a.x || a.y + a.hauteur <= b.y || b.y + b.hauteur <= a.y;
}

TEST(PageRapport, EveryBlockOnTheOnePageAndTheTableSaysWhatItLeavesOut) {
    const struct {
        int evenements, montrees, omises;
    } cas[] = {{0, 0, 0}, {1, 1, 0}, {23, 23, 0}, {24, 22, 2}, {100, 22, 78}, {-3, 0, 0}};
    const bloc_page page{0, 0, largeur_page, hauteur_page};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.evenements);
        const page_rapport p = mise_en_page(c.evenements);
        EXPECT_EQ(p.rangees_montrees, c.montrees);
        EXPECT_EQ(p.rangees_omises, c.omises);
        const bloc_page blocs[] = {p.titre,   p.a_remplir,           p.entete,          p.limites,
                                   p.signal,  p.tableau, p.relation_intervalles, p.relation_debuts, p.note};
        for (const auto& b : blocs) EXPECT_TRUE(dedans(b, page));
        for (std::size_t i = 0; i < std::size(blocs); ++i)
            for (std::size_t j = i + 1; j < std::size(blocs); ++j) EXPECT_TRUE(separes(blocs[i], blocs[j])) << i << " " << j;
        EXPECT_TRUE(dedans(p.courbe, p.signal));
        // Headings, the rows and the note of what is left out fit the table.
        EXPECT_LE((1 + p.rangees_montrees + (p.rangees_omises > 0)) * hauteur_rangee, p.tableau.hauteur);
    }
    EXPECT_EQ(texte_omises(2, 25, 1), "2 more events left out here: the workbook holds them all");
    EXPECT_EQ(texte_omises(77, 100, 2), "77 autres événements non listés ici : le classeur contient les 95 premiers");
}

// The values of a SYLK workbook by row and column (C records; a record
// without Y stays on the row of the one before).
std::map<std::pair<int, int>, std::string> cellules(const std::string& texte) {
    std::map<std::pair<int, int>, std::string> c;
    int ligne = 0;
    for (const auto& l : decouper_lignes(texte)) {
        if (l.rfind("C;", 0) != 0) continue;
        int colonne = 0;
        std::string valeur;
        std::size_t p = 2;
        while (p < l.size()) {
            std::size_t fin = l.find(';', p);
            if (fin == std::string::npos) fin = l.size();
            const std::string champ = l.substr(p, fin - p);
            if (champ[0] == 'Y') ligne = std::stoi(champ.substr(1));
            if (champ[0] == 'X') colonne = std::stoi(champ.substr(1));
            if (champ[0] == 'K') valeur = champ.substr(1);
            if (champ[0] == 'E') break;
            p = fin + 1;
        }
        c[{ligne, colonne}] = valeur;
    }
    return c;
}

// Marks edited in the chart (moved off a sample, added out of order,
// deleted; 100 marks, more than the workbook's 95 rows), the report made
// before OK: its events, energies and both coefficients are those of the
// workbook written after OK (its CORREL, or over the 95 rows it holds), and
// making it changed nothing.
std::vector<double> cent_marques() {
    std::vector<double> m;
    for (int i = 0; i < 100; ++i) m.push_back(40.5 + 61 * i + (i % 7) * 3);
    return m;
}

TEST(PageRapport, NumbersAreThoseOfTheWorkbookWrittenAfterOK) {
    const struct {
        std::vector<double> marques;
        bool coefficient_intervalles, coefficient_debuts;
    } cas[] = {
        {{}, false, false},
        {{1210.4}, false, false},
        {{2420, 1210.6}, false, true},
        {{1210.4, 3630, 2420.5, 5000, 6100}, true, true},
        {cent_marques(), true, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.marques.size());
        test::banc_conversion b;
        auto& etat = b.ctx.conversion;
        contenu_rapport contenu;
        b.ui.montrer_graphique = [&] {
            etat.pointes.fill({});
            etat.nb_pointes = static_cast<std::int32_t>(c.marques.size());
            for (std::size_t i = 0; i < c.marques.size(); ++i) etat.pointes[i + 1].x = c.marques[i];
            const auto avant = etat.pointes;
            contenu = preparer_rapport(etat, tables_reconstruites(etat), origine_pointes::avant_ok, "essai;é.wav",
                                       "2026-12-08 13:40", 1, '.');
            EXPECT_EQ(etat.pointes[1].x, avant[1].x);
            EXPECT_EQ(etat.nb_pointes, static_cast<std::int32_t>(c.marques.size()));
            reconstruit_pointes(etat);  // OK
        };
        const auto r = b.convertit("essai.wav", generateur::wav(test::rafales({{1210, 60}, {1150, 40}, {1150, 80}, {1300, 30}, {1100, 50}}, 900)));
        ASSERT_TRUE(r.classeur_ecrit);
        const auto cel = cellules(b.os.lire(r.classeur));
        const int n = static_cast<int>(c.marques.size());
        ASSERT_EQ(static_cast<int>(contenu.evenements.size()), n);
        for (int i = 1; i <= std::min(n, enregistrements_max_classeur); ++i) {
            EXPECT_EQ(contenu.evenements[static_cast<std::size_t>(i - 1)].energie,
                      texte_significatif(std::stod(cel.at({5 + i, 10})), 4, '.'));
            EXPECT_EQ(contenu.positions[static_cast<std::size_t>(i - 1)], std::stod(cel.at({5 + i, 9})));
        }
        EXPECT_EQ(contenu.debuts.vide.empty(), n > 0);
        EXPECT_EQ(contenu.intervalles.vide.empty(), n > 1);
        EXPECT_EQ(contenu.intervalles.avec_coefficient, c.coefficient_intervalles);
        EXPECT_EQ(contenu.debuts.avec_coefficient, c.coefficient_debuts);
        if (n <= enregistrements_max_classeur - 1) {
            if (c.coefficient_intervalles) {
                EXPECT_NEAR(contenu.intervalles.coefficient, std::stod(cel.at({5 + n, 8})), 1e-9);
            }
            if (c.coefficient_debuts) {
                EXPECT_NEAR(contenu.debuts.coefficient, std::stod(cel.at({6 + n, 10})), 1e-9);
            }
        } else {
            // No room for CORREL: the spreadsheet's over the rows written.
            std::vector<point_xy> intervalles(1), debuts(1);
            for (int ligne = 6; ligne <= 100; ++ligne) {
                intervalles.push_back({std::stod(cel.at({ligne, 7})), std::stod(cel.at({ligne, 8}))});
                debuts.push_back({std::stod(cel.at({ligne, 9})), std::stod(cel.at({ligne, 10}))});
            }
            EXPECT_NEAR(contenu.intervalles.coefficient, correlation_table(intervalles.data(), 95), 1e-12);
            EXPECT_NEAR(contenu.debuts.coefficient, correlation_table(debuts.data(), 95), 1e-12);
            EXPECT_EQ(contenu.debuts.nb_points, 95);
            EXPECT_NE(contenu.limites.find("100 marks reached"), std::string::npos);
        }
        EXPECT_NE(contenu.entete.find(std::to_string(n) + (n == 1 ? " mark" : " marks")), std::string::npos);
    }
}

}  // namespace
}  // namespace quorva
