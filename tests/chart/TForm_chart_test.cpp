// The chart window, offscreen: drawing, wheel navigation, marks editing with
// the mouse and the popup menu, OK and Cancel, the marks file, the opening.
#include "chart/TForm_chart.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <cmath>
#include <memory>

#include "app/contexte.h"
#include "base/fenetres_qt.h"
#include "base/nombres.h"
#include "base/texte.h"
#include "chart/textes_chart.h"
#include "tests/chart/outils_chart.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;
using quorva::test::cliquer;
using quorva::test::clic_droit;
using quorva::test::deplacer;

namespace {

const QColor rouge(255, 0, 0);

class FenetreChart : public ::testing::Test {
protected:
    void SetUp() override {
        ctx.afficher_message = [this](const std::string& t) { messages.push_back(t); };
        ctx.conversion.fichier_pointes = os.racine() + "essai.wav.txt";
        chart = std::make_unique<TForm_chart>(ctx, ctx.conversion, ctx.langue.langue);
    }

    // A sine of amplitude 10000 and period 50 samples, with marks.
    void enregistrement(int n, std::vector<double> marques = {}) {
        auto& c = ctx.conversion;
        c.nb_echantillons = n;
        for (int i = 1; i <= n; ++i) c.echantillons[i] = std::round(10000 * std::sin(i * 2 * M_PI / 50));
        c.nb_pointes = static_cast<int>(marques.size());
        for (std::size_t k = 0; k < marques.size(); ++k) c.pointes[k + 1] = {marques[k], 1.0 * (k + 1)};
    }

    // Where the image is in the window, for wheel events.
    QPoint dans_image(int x) const { return QPoint(chart->Image1->x() + x, chart->Image1->y() + 80); }

    bool rouge_en(int x) const { return chart->Image1->bitmap.pixelColor(x, 100) == rouge; }

    test::PlateformeFactice os;
    contexte ctx{os};
    std::vector<std::string> messages;
    std::unique_ptr<TForm_chart> chart;
};

}  // namespace

TEST_F(FenetreChart, OpensOnTheWholeRecordingWithCurveMarksAndDrawingStep) {
    enregistrement(32000, {5000, 20000, 0});
    ctx.conversion.fichier_en_cours = "essai.wav";
    chart->ouvrir();
    EXPECT_EQ(chart->windowTitle(), "essai.wav");
    EXPECT_EQ(chart->vue.premier_visible, 1);
    EXPECT_EQ(chart->vue.dernier_visible, 32000);
    // 32,000 samples on 1081 pixels: every 7.4th sample.
    EXPECT_EQ(chart->Label1->text().toStdString(), format_reel(32000.0 / (4 * 1081)));
    EXPECT_EQ(chart->Label1->text().left(4), "7.40");

    const QImage& image = chart->Image1->bitmap;
    EXPECT_EQ(image.size(), QSize(1081, 161));
    // Red marks two pixels wide over the whole height.
    const int c = colonne_de(chart->vue, 5000);
    for (int y : {0, 80, 160}) {
        EXPECT_EQ(image.pixelColor(c, y), rouge);
        EXPECT_EQ(image.pixelColor(c + 1, y), rouge);
    }
    EXPECT_NE(image.pixelColor(c + 2, 0), rouge);
    EXPECT_NE(image.pixelColor(c - 1, 0), rouge);
    EXPECT_EQ(image.pixelColor(colonne_de(chart->vue, 20000), 5), rouge);
    // The black curve fills the height about the middle line; no red
    // elsewhere.
    int noirs_haut = 0, noirs_bas = 0, rouges = 0;
    for (int x = 0; x < 1081; ++x)
        for (int y = 0; y < 161; ++y) {
            const QColor p = image.pixelColor(x, y);
            if (p == Qt::black) (y < 80 ? noirs_haut : noirs_bas)++;
            if (p == rouge) ++rouges;
        }
    EXPECT_GT(noirs_haut, 1000);
    EXPECT_GT(noirs_bas, 1000);
    EXPECT_EQ(rouges, 4 * 161);
}

TEST_F(FenetreChart, AConstantRecordingIsDrawnOnTheMiddleLine) {
    auto& c = ctx.conversion;
    c.nb_echantillons = 2000;
    for (int i = 1; i <= 2000; ++i) c.echantillons[i] = -321;
    chart->ouvrir();
    const QImage& image = chart->Image1->bitmap;
    for (int x : {1, 300, 1079}) {
        EXPECT_EQ(image.pixelColor(x, 80), Qt::black) << x;
        EXPECT_EQ(image.pixelColor(x, 79), Qt::white) << x;
        EXPECT_EQ(image.pixelColor(x, 81), Qt::white) << x;
    }
    // And an empty one leaves a white image.
    c.nb_echantillons = 0;
    chart->ouvrir();
    EXPECT_EQ(chart->Image1->bitmap.pixelColor(540, 80), Qt::white);
}

TEST_F(FenetreChart, CtrlWheelZoomsAroundTheMouseAndATooDeepZoomIsUndone) {
    enregistrement(32000);
    chart->ouvrir();
    const double pas = chart->vue.pas_trace;
    test::molette(chart.get(), dans_image(0), true, Qt::ControlModifier);
    EXPECT_EQ(chart->Label2->text(), "0");
    EXPECT_EQ(chart->vue.premier_visible, 1);
    EXPECT_EQ(chart->vue.dernier_visible, std::lround(32000 - 800 * pas));
    // Zoom in at the middle down to the limit: never below W div 10 samples.
    for (int i = 0; i < 40; ++i) test::molette(chart.get(), dans_image(540), true, Qt::ControlModifier);
    const int largeur = chart->vue.dernier_visible - chart->vue.premier_visible + 1;
    EXPECT_GE(largeur, 108);
    EXPECT_LT(largeur, 108 + 800);
    EXPECT_DOUBLE_EQ(chart->vue.pas_trace, 1);
    EXPECT_EQ(chart->Label1->text(), "1");
    // The last step would have shown too few samples: the view did not move.
    const int premier = chart->vue.premier_visible;
    test::molette(chart.get(), dans_image(540), true, Qt::ControlModifier);
    EXPECT_EQ(chart->vue.premier_visible, premier);
    // Out again, to the whole recording.
    for (int i = 0; i < 40; ++i) test::molette(chart.get(), dans_image(540), false, Qt::ControlModifier);
    EXPECT_EQ(chart->vue.premier_visible, 1);
    EXPECT_EQ(chart->vue.dernier_visible, 32000);
}

// The wheel belongs to the chart wherever the mouse is in the window: over
// the help text, Ctrl + wheel zooms the curve, not the help's letters.
TEST_F(FenetreChart, CtrlWheelOverTheHelpTextZoomsTheCurve) {
    enregistrement(32000);
    chart->ouvrir();
    test::molette(chart->Memo1->viewport(), QPoint(20, 20), true, Qt::ControlModifier);
    EXPECT_LT(chart->vue.dernier_visible - chart->vue.premier_visible + 1, 32000);
}

TEST_F(FenetreChart, ShiftWheelScrollsAndAPlainWheelOnlyShowsThePosition) {
    enregistrement(1000);
    chart->ouvrir();
    chart->vue.premier_visible = 801;
    chart->vue.dernier_visible = 950;
    chart->affich_courbe();
    // Near the end: to the end, keeping the width.
    test::molette(chart.get(), dans_image(300), false, Qt::ShiftModifier);
    EXPECT_EQ(chart->vue.premier_visible, 851);
    EXPECT_EQ(chart->vue.dernier_visible, 1000);
    test::molette(chart.get(), dans_image(300), true, Qt::ShiftModifier);
    EXPECT_EQ(chart->vue.premier_visible, 751);
    test::molette(chart.get(), dans_image(777), true, Qt::NoModifier);
    test::molette(chart.get(), dans_image(777), true, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(chart->vue.premier_visible, 751);
    EXPECT_EQ(chart->vue.dernier_visible, 900);
    EXPECT_EQ(chart->Label2->text(), "777");
    // A touchpad's half notches make one step per whole notch.
    QWheelEvent demi(QPointF(dans_image(10)), QPointF(chart->mapToGlobal(dans_image(10))), QPoint(), QPoint(0, -60),
                     Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart.get(), &demi);
    EXPECT_EQ(chart->vue.premier_visible, 751);
    QApplication::sendEvent(chart.get(), &demi);
    EXPECT_EQ(chart->vue.premier_visible, 851);
}

TEST_F(FenetreChart, TheMouseFindsAMarkOnItsColumnAndTheOnesBesideIt) {
    enregistrement(1000, {300});
    chart->ouvrir();
    const int c = colonne_de(chart->vue, 300);
    for (int x : {c - 1, c, c + 1}) {
        deplacer(chart->Image1, x);
        EXPECT_EQ(chart->vue.pointe_choisie, 1) << x;
        EXPECT_EQ(chart->Image1->cursor().shape(), Qt::PointingHandCursor) << x;
    }
    for (int x : {c - 2, c + 2}) {
        deplacer(chart->Image1, x);
        EXPECT_EQ(chart->vue.pointe_choisie, 0) << x;
        EXPECT_EQ(chart->Image1->cursor().shape(), Qt::ArrowCursor) << x;
        cliquer(chart->Image1, x);
        EXPECT_FALSE(chart->Panel1->isVisibleTo(chart.get()));
        EXPECT_EQ(ctx.conversion.pointes[1].x, 300);
    }
}

TEST_F(FenetreChart, AMarkIsPickedUpCarriedAndDropped) {
    enregistrement(1000, {300, 600});
    chart->ouvrir();
    const int c = colonne_de(chart->vue, 300);
    deplacer(chart->Image1, c);
    cliquer(chart->Image1, c);
    // Picked up: the maroon bar stands for it, the red mark is gone.
    EXPECT_TRUE(chart->Panel1->isVisibleTo(chart.get()));
    EXPECT_EQ(chart->Panel1->geometry(), QRect(c + 24, 25, 2, 173));
    EXPECT_EQ(ctx.conversion.pointes[1].x, 0);
    EXPECT_FALSE(rouge_en(c));
    // The bar follows the mouse, even over the other mark.
    const int c2 = colonne_de(chart->vue, 600);
    deplacer(chart->Image1, c2);
    EXPECT_EQ(chart->Panel1->x(), c2 + 24);
    EXPECT_EQ(chart->vue.pointe_choisie, 1);
    deplacer(chart->Image1, 800);
    cliquer(chart->Image1, 800);
    EXPECT_FALSE(chart->Panel1->isVisibleTo(chart.get()));
    EXPECT_DOUBLE_EQ(ctx.conversion.pointes[1].x, 800 / chart->vue.echelle_x + 1);
    EXPECT_EQ(ctx.conversion.pointes[2].x, 600);
    EXPECT_TRUE(rouge_en(colonne_de(chart->vue, ctx.conversion.pointes[1].x)));
    // Other buttons do not pick up.
    deplacer(chart->Image1, c2);
    cliquer(chart->Image1, c2, 80, Qt::MiddleButton);
    EXPECT_EQ(ctx.conversion.pointes[2].x, 600);
}

TEST_F(FenetreChart, ThePopupMenuAddsAndDeletesMarks) {
    enregistrement(1000, {100, 300, 600, 900});
    chart->ouvrir();
    QStringList legendes;
    for (QAction* a : chart->PopupMenu1->actions())
        if (!a->isSeparator() && a->isVisible()) legendes << a->text();
    // Without a report hook, no "Save the report...".
    EXPECT_EQ(legendes, QStringList({"Add a mark", "Delete the mark", "Save marks", "Read marks", "Undo", "Redo",
                                     "Snap marks to the onset", "Show the detector", "Copy the image"}));

    // "Delete the mark" is offered only on a mark.
    deplacer(chart->Image1, 50);
    clic_droit(chart->Image1, 50);
    EXPECT_TRUE(chart->PopupMenu1->isVisible());
    EXPECT_FALSE(chart->Deletethemark1->isEnabled());
    chart->PopupMenu1->hide();
    const int c = colonne_de(chart->vue, 300);
    deplacer(chart->Image1, c);
    clic_droit(chart->Image1, c);
    EXPECT_TRUE(chart->Deletethemark1->isEnabled());
    chart->Deletethemark1->trigger();
    chart->PopupMenu1->hide();
    auto& p = ctx.conversion.pointes;
    EXPECT_EQ(ctx.conversion.nb_pointes, 3);
    EXPECT_EQ(p[1].x, 100);
    EXPECT_EQ(p[2].x, 600);
    EXPECT_EQ(p[3].x, 900);
    EXPECT_EQ(p[4].x, 0);
    EXPECT_FALSE(rouge_en(c));

    // Add: the bar appears, the next left click drops the new mark.
    chart->Addamark1->trigger();
    EXPECT_TRUE(chart->Panel1->isVisibleTo(chart.get()));
    deplacer(chart->Image1, 400);
    cliquer(chart->Image1, 400);
    EXPECT_EQ(ctx.conversion.nb_pointes, 4);
    EXPECT_NEAR(p[4].x, 400 / chart->vue.echelle_x + 1, 1e-9);
    EXPECT_TRUE(rouge_en(400));

    // A full table refuses, and says why.
    ctx.conversion.nb_pointes = 100;
    for (int k = 1; k <= 100; ++k) p[k].x = 5 * k;
    chart->Addamark1->trigger();
    EXPECT_FALSE(chart->Panel1->isVisibleTo(chart.get()));
    EXPECT_EQ(ctx.conversion.nb_pointes, 100);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("100 marks"), std::string::npos);
}

TEST_F(FenetreChart, OkRebuildsTheEventsSavesTheMarksAndDropsAnUnplacedMark) {
    enregistrement(1000, {600, 200, 400});
    ctx.conversion.niveau_base = 0;
    chart->ouvrir();
    // Mark 3 picked up and never dropped.
    const int c = colonne_de(chart->vue, 400);
    deplacer(chart->Image1, c);
    cliquer(chart->Image1, c);
    chart->BitBtn1->click();
    EXPECT_EQ(chart->result(), QDialog::Accepted);
    const auto& conv = ctx.conversion;
    ASSERT_EQ(conv.nb_pointes, 2);
    EXPECT_EQ(conv.pointes[1].x, 200);
    EXPECT_EQ(conv.pointes[2].x, 600);
    EXPECT_EQ(conv.intervalles[1].x, 400);
    double energie = 0;
    for (int k = 200; k <= 600; ++k) energie += (conv.echantillons[k] / 1000) * (conv.echantillons[k] / 1000);
    EXPECT_NEAR(conv.pointes[1].y, energie, 1e-6);

    const auto lignes = decouper_lignes(os.lire(conv.fichier_pointes));
    ASSERT_EQ(lignes.size(), 1u + 1000 + 2 + 4);
    EXPECT_EQ(lignes[0], "1000");
    EXPECT_EQ(lignes[1001], "Pointes");
    EXPECT_EQ(lignes[1002], "2");
    EXPECT_EQ(lignes[1003], format_exposant(200));
    EXPECT_EQ(lignes[1005], format_exposant(600));
}

TEST_F(FenetreChart, CancelGivesUpTheEditsWritesNothingAndPutsACarriedMarkBack) {
    enregistrement(1000, {200, 400});
    chart->ouvrir();
    int c = colonne_de(chart->vue, 200);
    deplacer(chart->Image1, c);
    cliquer(chart->Image1, c);
    cliquer(chart->Image1, 700);
    const double deplacee = ctx.conversion.pointes[1].x;
    // Mark 2 is being carried when Cancel is pressed: it goes back.
    c = colonne_de(chart->vue, 400);
    deplacer(chart->Image1, c);
    cliquer(chart->Image1, c);
    chart->BitBtn2->click();
    EXPECT_EQ(chart->result(), QDialog::Rejected);
    EXPECT_FALSE(os.file_exists(ctx.conversion.fichier_pointes));
    EXPECT_EQ(ctx.conversion.nb_pointes, 2);
    EXPECT_NE(deplacee, 200);
    EXPECT_EQ(ctx.conversion.pointes[1].x, 200);
    EXPECT_EQ(ctx.conversion.pointes[2].x, 400);
    EXPECT_EQ(ctx.conversion.intervalles[1].x, 0);  // not rebuilt
}

TEST_F(FenetreChart, SavedMarksAreReadBackAndABrokenFileChangesNothing) {
    enregistrement(1500, {123.25, 777});
    chart->ouvrir();
    chart->Savemarks1->trigger();
    ASSERT_TRUE(os.file_exists(ctx.conversion.fichier_pointes));

    // Other marks, a zoomed view: reading restores.
    enregistrement(1500, {42});
    chart->ouvrir();
    test::molette(chart.get(), dans_image(0), true, Qt::ControlModifier);
    chart->Readmarks1->trigger();
    EXPECT_EQ(ctx.conversion.nb_echantillons, 1500);
    EXPECT_EQ(ctx.conversion.nb_pointes, 2);
    EXPECT_DOUBLE_EQ(ctx.conversion.pointes[1].x, 123.25);
    EXPECT_EQ(chart->vue.premier_visible, 1);
    EXPECT_EQ(chart->vue.dernier_visible, 1500);
    EXPECT_TRUE(rouge_en(colonne_de(chart->vue, 777)));

    // A file that cannot be read: said in a message, the chart as it was.
    os.ecrire(ctx.conversion.fichier_pointes, "1500\r\n" + format_reel(ctx.conversion.echantillons[1]) + "\r\ndeux\r\n");
    test::repondeur_boites boites;
    chart->Readmarks1->trigger();
    ASSERT_EQ(boites.textes.size(), 1u);
    EXPECT_NE(boites.textes[0].find("deux"), std::string::npos);
    EXPECT_EQ(ctx.conversion.nb_echantillons, 1500);
    EXPECT_EQ(ctx.conversion.nb_pointes, 2);
    EXPECT_EQ(chart->vue.dernier_visible, 1500);
}

TEST_F(FenetreChart, ShowingPutsAwayCoveringWindowsThenReadsTheMarksAndHelps) {
    enregistrement(1000, {500});
    chart->ouvrir();
    chart->Savemarks1->trigger();
    enregistrement(800, {});  // a second take under the same name
    ctx.conversion.fichier_en_cours = "essai.wav";
    os.fenetres = {{11, "Audacity"}, {12, "essai.wav"}};
    os.premiers_plans = {11, 11, 12, 11};
    chart->ouvrir();
    chart->show();
    EXPECT_EQ(os.minimisees, (std::vector<WindowId>{11, 11}));
    EXPECT_TRUE(chart->Timer2.isActive());
    EXPECT_TRUE(messages.empty());

    QEventLoop boucle;
    QTimer::singleShot(1300, &boucle, &QEventLoop::quit);
    boucle.exec();
    EXPECT_FALSE(chart->Timer2.isActive());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], texte_aide_message());
    EXPECT_TRUE(chart->Memo1->isVisible());
    EXPECT_EQ(chart->Memo1->toPlainText().split('\n').size(), 7);
    EXPECT_EQ(ctx.conversion.nb_pointes, 0);  // the first take's marks are not read, and that is said
    EXPECT_EQ(chart->Label_message->toolTip().toStdString(),
              texte_autre_enregistrement(ctx.conversion.fichier_pointes, 1));
    EXPECT_TRUE(chart->Label_message->text().replace('\n', ' ').startsWith(
        "Marks not read: the marks file belongs to another recording ("));
    chart->BitBtn2->click();
    EXPECT_FALSE(chart->isVisible());
}

TEST_F(FenetreChart, TheModalChartIsAnsweredAndClosedWithoutWaiting) {
    enregistrement(1000, {500});
    chart->repondeur = [](TForm_chart& f) { f.BitBtn2->click(); };
    EXPECT_EQ(chart->montrer_modal(), QDialog::Rejected);
    chart->repondeur = [](TForm_chart& f) { f.BitBtn1->click(); };
    EXPECT_EQ(chart->montrer_modal(), QDialog::Accepted);
    EXPECT_TRUE(os.file_exists(ctx.conversion.fichier_pointes));
    // Escape cancels.
    chart->repondeur = [](TForm_chart& f) {
        QKeyEvent echap(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&f, &echap);
    };
    EXPECT_EQ(chart->montrer_modal(), QDialog::Rejected);
}

namespace {

void touche(QWidget* cible, int cle, Qt::KeyboardModifiers modificateurs = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, cle, modificateurs);
    QApplication::sendEvent(cible, &event);
}

}  // namespace

// The keyboard alone: Tab reaches the marks (even from a button), the arrows
// move the chosen one, Ctrl+Z / Ctrl+Y undo and redo, Escape gives up a
// placement before it cancels, Enter is OK. The status line follows.
TEST_F(FenetreChart, TheKeyboardChoosesMovesUndoesAndConfirms) {
    enregistrement(1000, {600, 200});
    ctx.conversion.frequence_echantillonnage = 1000;
    chart->ouvrir();
    EXPECT_EQ(chart->Label_resume->text(), "2 marks: 2 as detected, 0 moved, 0 added, 0 deleted");
    touche(chart->BitBtn1, Qt::Key_Tab);
    EXPECT_EQ(chart->vue.pointe_selectionnee, 2);  // the mark at 200 comes first
    EXPECT_EQ(chart->Image1->bitmap.pixelColor(colonne_de(chart->vue, 200), 100), QColor(255, 140, 0));
    touche(chart.get(), Qt::Key_Right);
    touche(chart.get(), Qt::Key_Right);
    EXPECT_EQ(ctx.conversion.pointes[2].x, 202);
    EXPECT_EQ(chart->Label_position->text(), "Sample 202, 0.201 s");
    EXPECT_EQ(chart->Label_resume->text(), "2 marks: 1 as detected, 1 moved, 0 added, 0 deleted");
    touche(chart.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctx.conversion.pointes[2].x, 201);
    touche(chart.get(), Qt::Key_Z, Qt::ControlModifier);
    touche(chart.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(ctx.conversion.pointes[2].x, 201);
    touche(chart.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ctx.conversion.pointes[2].x, 202);
    touche(chart.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(chart->vue.pointe_selectionnee, 1);
    touche(chart.get(), Qt::Key_Plus);
    EXPECT_LT(chart->vue.dernier_visible - chart->vue.premier_visible + 1, 1000);
    touche(chart.get(), Qt::Key_Minus);
    touche(chart.get(), Qt::Key_Delete);
    EXPECT_EQ(ctx.conversion.nb_pointes, 1);
    EXPECT_TRUE(chart->Annuler1->isEnabled());
    // Escape while a mark is carried puts it back and keeps the chart open.
    chart->show();
    chart->Addamark1->trigger();
    touche(chart.get(), Qt::Key_Escape);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(ctx.conversion.nb_pointes, 1);
    EXPECT_FALSE(chart->Panel1->isVisibleTo(chart.get()));
    touche(chart.get(), Qt::Key_Return);
    EXPECT_EQ(chart->result(), QDialog::Accepted);
    const auto lignes = decouper_lignes(os.lire(ctx.conversion.fichier_pointes));
    ASSERT_EQ(lignes.size(), 1u + 1000 + 2 + 2);
    EXPECT_EQ(lignes[1003], format_exposant(202));
    EXPECT_FALSE(chart->historique.peut_annuler());  // the history ended with the chart
}

// In French the new items and the status line are French; the snap setting
// is remembered in its own file; the detector draws its energy and the
// dashed threshold; "Save marks" and "Read marks" say what they did.
TEST_F(FenetreChart, NewItemsFollowTheLanguageAndSayWhatTheyDid) {
    ctx.langue.langue = 2;
    ctx.chemins.chemin_temp = os.racine() + "temp/";
    enregistrement(1000, {300});
    chart->ouvrir();
    EXPECT_EQ(chart->Annuler1->text(), "Annuler");
    EXPECT_EQ(chart->Addamark1->text(), "Add a mark");
    EXPECT_EQ(chart->Label_resume->text().toStdString(),
              "1 pointe : 1 comme détectée, 0 déplacée, 0 ajoutée, 0 supprimée");
    EXPECT_FALSE(chart->Accrocher1->isChecked());
    chart->Accrocher1->trigger();
    EXPECT_TRUE(chart->accroche);
    EXPECT_EQ(os.lire(ctx.chemins.chemin_temp + "quorva/accroche_quorva.txt"), "accroche=1\r\n");
    chart->ouvrir();
    EXPECT_TRUE(chart->Accrocher1->isChecked());

    const auto bleus = [&] {
        int n = 0;
        for (int x = 0; x < 1081; ++x)
            if (chart->Image1->bitmap.pixelColor(x, 120) == QColor(0, 110, 255)) ++n;
        return n;
    };
    EXPECT_EQ(bleus(), 0);
    chart->Detecteur1->trigger();
    EXPECT_GT(bleus(), 300);  // the dashed threshold line, a quarter up
    EXPECT_LT(bleus(), 1000);

    chart->Savemarks1->trigger();
    EXPECT_NE(chart->Label_message->toolTip().toStdString().find("1 pointe dans"), std::string::npos);
    chart->Readmarks1->trigger();
    EXPECT_NE(chart->Label_message->toolTip().toStdString().find("1000 "), std::string::npos);
    EXPECT_TRUE(chart->Annuler1->isEnabled());
}

// The boxes the pupil meets at every conversion carry the icon of their
// kind: the help is guidance, the full table a refusal to act on.
TEST_F(FenetreChart, TheHelpIsGuidanceAndAFullTableAWarning) {
    brancher_boites_message(ctx);
    std::vector<std::pair<QMessageBox::Icon, std::string>> boites;
    QTimer repondeur;
    QObject::connect(&repondeur, &QTimer::timeout, [&] {
        if (auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boites.emplace_back(boite->icon(), utf8(boite->text()).substr(0, 12));
            boite->done(QMessageBox::Ok);
        }
    });
    repondeur.start(10);
    enregistrement(1000, {500});
    chart->ouvrir();
    chart->Timer2Timer();
    ctx.conversion.nb_pointes = 100;
    for (int k = 1; k <= 100; ++k) ctx.conversion.pointes[k].x = 5 * k;
    chart->Addamark1->trigger();
    EXPECT_EQ(boites, (decltype(boites){{QMessageBox::Information, "Verify the b"}, {QMessageBox::Warning, "No room for "}}));
}
