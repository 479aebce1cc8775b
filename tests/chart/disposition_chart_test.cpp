#include "chart/disposition_chart.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorva;

TEST(DispositionChart, AtItsDesignWidthAndWiderTheDesignPlaces) {
    for (int largeur : {largeur_chart, largeur_chart + 300}) {
        const auto d = disposer_chart(largeur);
        EXPECT_EQ(d.largeur_image, 1081);
        EXPECT_EQ(d.x_ok, 1000);
        EXPECT_EQ(d.x_cancel, 1003);
        EXPECT_EQ(d.x_resume, 260);
        EXPECT_EQ(d.largeur_message, 415);
    }
}

TEST(DispositionChart, NarrowedTheButtonsStayRightOfTheHelpAndTheStatusLineInsideTheImage) {
    for (int largeur = largeur_min_chart - 50; largeur <= largeur_chart; largeur += 7) {
        const auto d = disposer_chart(largeur);
        const int fenetre = std::max(largeur, largeur_min_chart);
        SCOPED_TRACE(largeur);
        EXPECT_EQ(24 + d.largeur_image + 25, fenetre);
        EXPECT_GE(d.x_ok, 297 + 8);                  // the help ends at 297
        EXPECT_LE(d.x_cancel + 75, fenetre - 25);     // Cancel, 75 wide, the rightmost
        EXPECT_LE(d.x_position + d.largeur_position, d.x_resume);
        EXPECT_LE(d.x_resume + d.largeur_resume, d.x_message);
        EXPECT_EQ(d.x_message + d.largeur_message, 24 + d.largeur_image);
        EXPECT_GT(d.largeur_message, 0);
    }
}

// The status line's parts at any width: whole words, the path shortened in
// its middle only when a line of its own is too narrow for it. One pixel a
// character here.
TEST(DispositionChart, TheStatusLineKeepsWordsWholeAndShortensOnlyThePath) {
    const mesure_texte mesure = [](const std::string& t) {
        return static_cast<int>(std::count_if(t.begin(), t.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    };
    const std::string autre = "Pointes non lues : le fichier de pointes est celui d'un autre enregistrement (C:\\élèves\\essai.wav.txt)";
    struct cas {
        std::string texte, chemin;
        int largeur;
        std::vector<std::string> lignes;
    } const table[] = {
        {autre, "C:\\élèves\\essai.wav.txt", 200, {autre}},
        {autre, "C:\\élèves\\essai.wav.txt", 40,
         {"Pointes non lues : le fichier de pointes", "est celui d'un autre enregistrement",
          "(C:\\élèves\\essai.wav.txt)"}},
        {autre, "C:\\élèves\\essai.wav.txt", 20,
         {"Pointes non lues :", "le fichier de", "pointes est celui", "d'un autre", "enregistrement", "(C:\\élèves….wav.txt)"}},
        {"Marks saved: 2 marks in C:\\a b\\e.txt", "C:\\a b\\e.txt", 14, {"Marks saved: 2", "marks in", "C:\\a b\\e.txt"}},
        {"Marks saved: 2 marks in C:\\a b\\e.txt", "C:\\a b\\e.txt", 8, {"Marks", "saved: 2", "marks in", "C:\\a…txt"}},
        {"7 pointes : 5 comme détectées, 1 déplacée", "", 12, {"7 pointes :", "5 comme", "détectées, 1", "déplacée"}},
        {"Échantillon 12345, 12,345 s", "", 5, {"Échantillon", "12345,", "12,345", "s"}},
        {"1 mark   Limit of 100", "", 30, {"1 mark   Limit of 100"}},
        {"1 mark   Limit of 100", "", 8, {"1 mark", "Limit of", "100"}},
        {"", "", 10, {}},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.texte + " at " + std::to_string(c.largeur));
        EXPECT_EQ(lignes_etat(c.texte, c.chemin, c.largeur, mesure), c.lignes);
    }
}
