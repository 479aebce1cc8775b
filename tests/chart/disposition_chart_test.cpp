#include "chart/disposition_chart.h"

#include <gtest/gtest.h>

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
