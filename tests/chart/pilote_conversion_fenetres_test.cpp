// The conversion driver with the real windows (offscreen): the size dialog,
// the progress window and the chart, each answered by an injected answerer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <memory>
#include <tuple>

#include "base/erreur.h"
#include "app/contexte.h"
#include "bench/generateur_wav.h"
#include "chart/TForm_chart.h"
#include "conversion/TForm2.h"
#include "conversion/TForm_patience.h"
#include "app/fenetres_conversion.h"
#include "conversion/pilote_conversion.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;

namespace {

class PiloteFenetres : public ::testing::Test {
protected:
    void SetUp() override {
        ctx.chemins.chemin_appli = os.racine() + "prog\\";
        for (const char* nom : {"patin_tracte_base.slk", "patin_tracte_base_EN.slk"}) {
            test::PlateformeFactice source;
            os.ecrire(os.racine() + "prog/fic_quorva/" + nom,
                      source.lire(std::string(QUORVA_DONNEES_CONVERSION) + "/" + nom));
        }
        ctx.afficher_message = [this](const std::string& t) { messages.push_back(t); };
        form2 = std::make_unique<TForm2>();
        patience = std::make_unique<TForm_patience>();
        chart = std::make_unique<TForm_chart>(ctx, ctx.conversion, ctx.langue.langue);
        ui = interface_fenetres(ctx.langue.langue, {*form2, *patience, *chart});
        form2->repondeur = [this](TForm2& f) {
            questions.push_back({f.Lab_div_par->text().toStdString(), f.Lab_nb_val->text().toStdString()});
            patience_pendant_question = patience->isVisible();
            reponse_taille(f);
        };
        chart->repondeur = [this](TForm_chart& f) {
            ++charts;
            patience_pendant_chart = patience->isVisible();
            echantillons_vus = ctx.conversion.nb_echantillons;
            reponse_chart(f);
        };
    }

    std::string enregistrer(const std::string& nom, const std::string& octets) {
        os.ecrire(os.racine() + nom, octets);
        return os.racine() + nom;
    }

    resultat_conversion par_le_menu(const std::string& chemin) {
        return Lectureconversionwav1Click(
            ctx, ctx.conversion,
            [this, chemin](const std::string& filtre, const std::string& extension, const std::string& dossier) {
                dialogue = {filtre, extension, dossier};
                return chemin;
            },
            ui);
    }

    test::PlateformeFactice os;
    contexte ctx{os};
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm_patience> patience;
    std::unique_ptr<TForm_chart> chart;
    interface_conversion ui;
    std::vector<std::string> messages;
    std::vector<std::pair<std::string, std::string>> questions;
    std::vector<std::string> dialogue;
    bool patience_pendant_question = true;
    bool patience_pendant_chart = true;
    int charts = 0;
    int echantillons_vus = 0;
    std::function<void(TForm2&)> reponse_taille = [](TForm2& f) { f.BitBtn2->click(); };
    std::function<void(TForm_chart&)> reponse_chart = [](TForm_chart& f) { f.BitBtn1->click(); };
};

}  // namespace

TEST_F(PiloteFenetres, CancelInTheSizeDialogGivesNoChartNoWorkbookAndNoShellCall) {
    // 40,000 samples: 80,000 bytes, above 64,000.
    const auto chemin = enregistrer("long.wav", generateur::wav(generateur::patin(40000, 1)));
    for (int maniere = 0; maniere < 3; ++maniere) {
        reponse_taille = [maniere](TForm2& f) {
            if (maniere == 0) f.BitBtn1->click();
            if (maniere == 1) {
                QKeyEvent echap(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&f, &echap);
            }
            if (maniere == 2) f.close();
        };
        const auto r = par_le_menu(chemin);
        EXPECT_TRUE(r.annulee) << maniere;
        EXPECT_FALSE(r.classeur_ouvert);
        EXPECT_EQ(charts, 0);
        EXPECT_FALSE(os.file_exists(chemin + ".slk"));
        EXPECT_TRUE(os.ouvertures.empty());
        EXPECT_FALSE(patience->isVisible());
        EXPECT_EQ(ctx.conversion.reponse_taille, 0);
        EXPECT_FALSE(ctx.conversion.conversion_en_cours);
    }
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[0].first, "2");
    EXPECT_EQ(questions[0].second, "nb de valeurs de : 20000");
    EXPECT_FALSE(patience_pendant_question);
}

// Keeping every sample of a recording longer than a spreadsheet: one more
// line under "Poursuivre" says so and pushes the rows below it down.
TEST_F(PiloteFenetres, TheSizeDialogSaysWhenPoursuivreKeepsMoreThanASpreadsheetShows) {
    std::vector<std::tuple<bool, int, int>> vus;  // warning shown, Cancel's y, the dialog's height
    reponse_taille = [&vus](TForm2& f) {
        vus.emplace_back(f.Lab_tableur->isVisible(), f.BitBtn1->y(), f.height());
        f.BitBtn1->click();
    };
    par_le_menu(enregistrer("tres_long.wav", generateur::entete(2'097'144, 1) + std::string(2'097'144, '\0')));
    par_le_menu(enregistrer("long.wav", generateur::wav(generateur::patin(40000, 1))));
    EXPECT_EQ(vus, (std::vector<std::tuple<bool, int, int>>{{true, 220, 259}, {false, 180, 219}}));
}

TEST_F(PiloteFenetres, DiminuerDividesTheRateAndCancelInTheChartStillWritesAndOpensTheWorkbook) {
    const auto chemin = enregistrer("long.wav", generateur::wav(generateur::patin(100000, 2)));
    reponse_taille = [](TForm2& f) { f.BitBtn3->click(); };
    reponse_chart = [](TForm_chart& f) { f.BitBtn2->click(); };
    const auto r = par_le_menu(chemin);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].first, "4");
    EXPECT_EQ(questions[0].second, "nb de valeurs de : 25000");
    EXPECT_EQ(ctx.conversion.facteur_division, 4);
    EXPECT_EQ(charts, 1);
    EXPECT_FALSE(patience_pendant_chart);
    EXPECT_EQ(echantillons_vus, 25000);
    EXPECT_TRUE(r.classeur_ouvert);
    EXPECT_TRUE(os.file_exists(chemin + ".slk"));
    EXPECT_FALSE(os.file_exists(chemin + ".txt"));  // Cancel saves no marks
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, chemin + ".slk");
    EXPECT_EQ(os.ouvertures[0].parametres, "");
    EXPECT_EQ(os.ouvertures[0].dossier, ctx.chemins.chemin_appli);
    EXPECT_EQ(os.ouvertures[0].affichage, 1);
    EXPECT_FALSE(patience->isVisible());
    EXPECT_EQ(patience->ProgressBar1->value(), 25 + 24 + 25);  // two walks and the scan
}

TEST_F(PiloteFenetres, OkInTheChartSavesTheMarksBeforeTheWorkbookIsWritten) {
    const auto chemin = enregistrer("court.wav", generateur::wav(generateur::patin(12000, 3)));
    ctx.conversion.facteur_division = 7;  // left by an earlier conversion: the menu resets it
    QString titre;
    reponse_chart = [&titre](TForm_chart& f) { titre = f.windowTitle(), f.BitBtn1->click(); };
    const auto r = par_le_menu(chemin);
    EXPECT_EQ(titre, "court.wav");  // the window's title, from the menu as from the watcher
    EXPECT_EQ(dialogue, (std::vector<std::string>{"(*.wav)|*.WAV", "wav", ctx.chemins.chemin_appli}));
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(ctx.conversion.facteur_division, 1);
    EXPECT_EQ(echantillons_vus, 12000);
    EXPECT_TRUE(r.classeur_ouvert);
    EXPECT_TRUE(os.file_exists(chemin + ".txt"));
    EXPECT_TRUE(os.file_exists(chemin + ".slk"));
    EXPECT_GT(ctx.conversion.nb_pointes, 3);
    EXPECT_EQ(patience->ProgressBar1->value(), 12 + 12 + 11);  // two walks and the scan
}

// Cancel after the marks file was read and a mark moved: the workbook is
// the one OK gave with the file's marks, and the file stays as it was.
TEST_F(PiloteFenetres, CancelWritesTheWorkbookOfTheMarksTheChartOpenedWith) {
    const auto chemin = enregistrer("repris.wav", generateur::wav(generateur::patin(12000, 3)));
    par_le_menu(chemin);
    const std::string classeur_ok = os.lire(chemin + ".slk"), pointes = os.lire(chemin + ".txt");
    reponse_chart = [this](TForm_chart& f) {
        f.Timer2Timer();  // the read one second after the opening
        const int c = colonne_de(f.vue, ctx.conversion.pointes[2].x);
        f.Image1MouseMove(c);
        f.Image1MouseDown(Qt::LeftButton, c);
        f.Image1MouseDown(Qt::LeftButton, c + 40);
        f.BitBtn2->click();
    };
    par_le_menu(chemin);
    EXPECT_EQ(os.lire(chemin + ".slk"), classeur_ok);
    EXPECT_EQ(os.lire(chemin + ".txt"), pointes);
}

TEST_F(PiloteFenetres, ARefusedRecordingShowsTheSystemsMessageAndWritesNothing) {
    auto stereo = generateur::entete(4000, 2);
    stereo.append(4000, '\x01');
    const auto chemin = enregistrer("stereo.wav", stereo);
    const auto r = par_le_menu(chemin);
    EXPECT_EQ(r.lecture, resultat_lecture::refuse);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], texte_refus_wav);
    EXPECT_EQ(charts, 0);
    EXPECT_FALSE(os.file_exists(chemin + ".slk"));
    EXPECT_TRUE(os.ouvertures.empty());
    EXPECT_FALSE(patience->isVisible());
}

TEST_F(PiloteFenetres, NoFileChosenOrNotARecordingDoesNothing) {
    const auto r = Lectureconversionwav1Click(
        ctx, ctx.conversion, [](const std::string&, const std::string&, const std::string&) { return std::string(); }, ui);
    EXPECT_FALSE(r.choisi);
    EXPECT_FALSE(patience->isVisible());

    const auto chemin = enregistrer("faux.wav", "RIFF n'importe quoi, pas un enregistrement");
    const auto r2 = par_le_menu(chemin);
    EXPECT_EQ(r2.lecture, resultat_lecture::ignore);
    // Chosen by hand: the user is told, and the progress window goes away.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], message(texte_pas_un_wav, chemin));
    EXPECT_FALSE(patience->isVisible());
    EXPECT_EQ(charts, 0);
    EXPECT_TRUE(os.ouvertures.empty());
    EXPECT_FALSE(os.file_exists(chemin + ".slk"));
}

TEST_F(PiloteFenetres, TheSizeDialogShowsItsTextsAndTheProgressWindowItsCaption) {
    EXPECT_EQ(patience->windowTitle(), "Conversion Excel");
    EXPECT_EQ(patience->ProgressBar1->minimum(), 0);
    EXPECT_EQ(patience->ProgressBar1->maximum(), 100);
    for (int i = 0; i < 150; ++i) patience->avancer();
    EXPECT_EQ(patience->ProgressBar1->value(), 100);  // stays at its end
    patience->remettre_a_zero();
    EXPECT_EQ(patience->ProgressBar1->value(), 0);
    EXPECT_EQ(form2->Label2->text(), "Le fichier semble trop gros pour Excel 6: faut-il ?");
    EXPECT_EQ(form2->Label3->text(), QString::fromUtf8("Poursuivre magr\u00E9 tout ?"));
    EXPECT_EQ(form2->Label4->text(),
              QString::fromUtf8("Diminuer la fr\u00E9quence d'acquisition en la divisant par         et obtenir  un"));
    EXPECT_EQ(form2->Label6->text(), "Annuler la conversion");
    EXPECT_EQ(form2->BitBtn2->text(), "Poursuivre");
    EXPECT_EQ(form2->BitBtn3->text(), "Diminuer");
    EXPECT_EQ(form2->BitBtn1->text(), "Cancel");
    // The factor stands in the blank of the sentence, after "par".
    EXPECT_TRUE(form2->Label4->geometry().contains(form2->Lab_div_par->geometry().topLeft()));
    EXPECT_GT(form2->Lab_div_par->x(), form2->Label4->x() + 10);
    form2->repondeur = [](TForm2& f) { f.BitBtn2->click(); };
    EXPECT_EQ(form2->demander(3, 21333), TForm2::resultat_poursuivre);
    EXPECT_EQ(form2->Lab_div_par->text(), "3");
    EXPECT_EQ(form2->Lab_nb_val->text(), "nb de valeurs de : 21333");
    form2->repondeur = [](TForm2& f) { f.BitBtn3->click(); };
    EXPECT_EQ(form2->demander(3, 21333), TForm2::resultat_diminuer);
}
