// The conversion driver on the fake platform, with recorded windows.
#include "conversion/pilote_conversion.h"

#include <gtest/gtest.h>

#include "base/erreur.h"
#include "launcher/menu.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva::test {
namespace {

namespace gen = quorva::generateur;

choix_fichier choix(const std::string& chemin, int* appels = nullptr) {
    return [chemin, appels](const std::string&, const std::string&, const std::string&) {
        if (appels) ++*appels;
        return chemin;
    };
}

TEST(PiloteConversion, RunsBothPassesThenOpensTheWorkbookAndMarksTheBufferBusyMeanwhile) {
    banc_conversion b;
    const auto chemin = b.chemin("essai.wav");
    b.os.ecrire(chemin, gen::wav(gen::patin(5000, 9)));
    bool occupe_pendant = false;
    b.ui.montrer_graphique = [&] {
        b.evenements.push_back("graphique");
        occupe_pendant = b.ctx.conversion.conversion_en_cours;
    };
    b.ui.langue = 2;  // French workbook
    int apres_classeur = 0;
    b.ctx.conversion.apres_classeur = [&] { ++apres_classeur; };
    const auto r = Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(chemin), b.ui);
    EXPECT_TRUE(r.choisi);
    EXPECT_EQ(r.lecture, resultat_lecture::accepte);
    EXPECT_TRUE(r.classeur_ouvert);
    EXPECT_TRUE(occupe_pendant);
    EXPECT_FALSE(b.ctx.conversion.conversion_en_cours);
    EXPECT_EQ(b.evenements, (std::vector<std::string>{"montrer", "masquer", "graphique", "montrer", "masquer"}));
    ASSERT_EQ(b.os.ouvertures.size(), 1u);
    EXPECT_EQ(b.os.ouvertures[0].fichier, chemin + ".slk");
    EXPECT_NE(b.os.lire(chemin + ".slk").find(std::string("Corr") + test::e_aigu + "lation"), std::string::npos);
    EXPECT_EQ(apres_classeur, 1);  // the menu of added workbooks is rebuilt
}

// A missing base workbook is said before the size question (a long
// recording) or the chart (a short one), with the writer's message.
TEST(PiloteConversion, AMissingBaseWorkbookStopsBeforeTheSizeQuestionAndTheChart) {
    for (const int nb : {40000, 3000}) {
        banc_conversion b;
        const auto chemin = b.chemin("essai.wav");
        b.os.ecrire(chemin, gen::wav(gen::patin(nb, 2)));
        b.ctx.chemins.chemin_appli = b.os.racine() + "ailleurs\\";  // no base workbook there
        const std::string base = b.ctx.chemins.chemin_appli + "fic_quorva\\patin_tracte_base_EN.slk";
        try {
            Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(chemin), b.ui);
            ADD_FAILURE() << "no error";
        } catch (const erreur_quorva& e) {
            EXPECT_EQ(e.what(), message("Impossible d'ouvrir le fichier %s", base));
        }
        EXPECT_TRUE(b.questions.empty());
        // Shown, hidden (for the question or after the detection), hidden by the error: no chart.
        EXPECT_EQ(b.evenements, (std::vector<std::string>{"montrer", "masquer", "masquer"})) << nb;
        EXPECT_FALSE(b.ctx.conversion.conversion_en_cours);
        EXPECT_TRUE(b.os.ouvertures.empty());
        EXPECT_FALSE(b.os.file_exists(chemin + ".slk"));
    }
}

// A workbook that cannot be written says why, as the system told it (and
// nothing more when the system named no cause); the old one stays whole and
// the progress window goes.
TEST(PiloteConversion, AWorkbookThatCannotBeWrittenSaysWhyAndKeepsTheOldOne) {
    using enum FileFailure;
    const char* const texte_classeur_bloque =
        "Le classeur %s n'a pas pu être écrit : il est ouvert par un autre programme (tableur, antivirus...). "
        "Fermez-le, puis recommencez.";
    const char* const texte_classeur_disque_plein =
        "Le classeur %s n'a pas pu être écrit : le disque est plein. Libérez de la place, puis recommencez.";
    const char* const texte_classeur_interdit =
        "Le classeur %s n'a pas pu être écrit : l'écriture n'est pas permise dans ce dossier. "
        "Copiez l'enregistrement dans un dossier où vous pouvez écrire, puis recommencez.";
    for (const auto& [cause, texte] : std::vector<std::pair<FileFailure, const char*>>{
             {busy, texte_classeur_bloque}, {disk_full, texte_classeur_disque_plein},
             {denied, texte_classeur_interdit}, {other, nullptr}}) {
        banc_conversion b;
        const auto chemin = b.chemin("essai.wav"), classeur = chemin + ".slk";
        b.os.ecrire(chemin, gen::wav(gen::patin(3000, 2)));
        b.os.ecrire(classeur, "ancien");
        b.os.echecs_ecriture[classeur] = cause;
        std::string erreur;
        try {
            Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(chemin), b.ui);
        } catch (const erreur_quorva& e) {
            erreur = e.what();
        }
        EXPECT_NE(erreur.find(classeur), std::string::npos) << erreur;
        for (const char* t : {texte_classeur_bloque, texte_classeur_disque_plein, texte_classeur_interdit})
            EXPECT_EQ(erreur.find(message(t, classeur)) != std::string::npos, t == texte) << erreur;
        EXPECT_EQ(b.os.lire(classeur), "ancien");
        EXPECT_EQ(b.evenements.back(), "masquer");
        EXPECT_TRUE(b.os.ouvertures.empty());
        EXPECT_FALSE(b.ctx.conversion.conversion_en_cours);
    }
}

// A workbook still held after the writes' own wait: the box asks again
// until the spreadsheet lets go (Retry writes and opens it), or Cancel keeps
// the old one and says what will make the new one, without an error.
TEST(PiloteConversion, AHeldWorkbookAsksRetryOrCancel) {
    for (const bool reessayer : {true, false}) {
        banc_conversion b;
        const auto chemin = b.chemin("essai.wav"), classeur = chemin + ".slk";
        b.os.ecrire(chemin, gen::wav(gen::patin(3000, 2)));
        b.os.ecrire(classeur, "ancien");
        b.os.echecs_ecriture[classeur] = FileFailure::busy;
        std::vector<std::string> boites;
        b.ui.reessayer_classeur = [&](const std::string& texte) {
            boites.push_back(texte);
            if (boites.size() == 2) b.os.echecs_ecriture.clear();  // the spreadsheet closed
            return reessayer;
        };
        const auto r = Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(chemin), b.ui);
        ASSERT_EQ(boites.size(), reessayer ? 2u : 1u);
        EXPECT_NE(boites[0].find("Fermez le classeur essai.wav.slk dans le tableur"), std::string::npos);
        EXPECT_EQ(r.classeur_ouvert, reessayer);
        EXPECT_EQ(b.os.lire(classeur) == "ancien", !reessayer);
        EXPECT_EQ(b.messages, reessayer ? std::vector<std::string>{}
                                        : std::vector<std::string>{message(texte_classeur_garde, classeur)});
        EXPECT_EQ(b.evenements.back(), "masquer");
    }
}

TEST(PiloteConversion, AMenuConversionAddsItsWorkbookToTheMenu) {
    banc_conversion b;
    const auto chemin = b.os.racine() + "prog/fic_quorva/audacity/patin_tracte/essai.wav";
    b.os.ecrire(chemin, gen::wav(gen::patin(3000, 2)));
    Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(chemin), b.ui);
    const entree_menu* ajouts = trouve_entree(b.ctx.menu, "DOCUMENTSEXCELAJOUTES1");
    ASSERT_NE(ajouts, nullptr);
    EXPECT_TRUE(ajouts->visible);
    ASSERT_EQ(ajouts->sous_menu.size(), 1u);
    EXPECT_EQ(ajouts->sous_menu[0].caption, "essai.wav.slk");
}

TEST(PiloteConversion, NothingStartsWhileAnotherConversionRuns) {
    banc_conversion b;
    b.ctx.conversion.conversion_en_cours = true;
    b.ctx.conversion.facteur_division = 4;
    int appels = 0;
    const auto r = Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(b.chemin("x.wav"), &appels), b.ui);
    EXPECT_FALSE(r.choisi);
    EXPECT_EQ(appels, 0);
    EXPECT_EQ(b.ctx.conversion.facteur_division, 4);  // the running conversion's state is left alone
    EXPECT_TRUE(b.evenements.empty());
    EXPECT_TRUE(b.ctx.conversion.conversion_en_cours);
}

TEST(PiloteConversion, TheWatchersPathKeepsItsFactorAndAnswersTheSizeQuestionOnce) {
    banc_conversion b;
    const auto chemin = b.chemin("long.wav");
    b.os.ecrire(chemin, gen::wav(gen::patin(70000, 5)));  // 140,000 bytes: f = 3
    b.reponse = reponse_diminuer;
    b.ctx.conversion.facteur_division = 1;
    const auto r = convertir(b.ctx, b.ctx.conversion, chemin, b.ui);
    EXPECT_TRUE(r.classeur_ouvert);
    EXPECT_EQ(b.questions.size(), 4u);  // asked once: size, bits, factor, values
    EXPECT_EQ(b.questions[2], 3);
    EXPECT_EQ(b.ctx.conversion.facteur_division, 3);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 23334);  // the workbook pass walked the same samples
}

// Every conversion starts fresh: a cancelled size question, a reduced factor
// or the watcher's title of an earlier one never carry over to the next;
// the chart's title is the recording's name on every road.
TEST(PiloteConversion, EachConversionStartsFromAFreshState) {
    banc_conversion b;
    const auto chemin = b.chemin("essai.wav");
    b.os.ecrire(chemin, gen::wav(gen::patin(3000, 2)));
    std::vector<std::string> titres;
    b.ui.montrer_graphique = [&] { titres.push_back(b.ctx.conversion.fichier_en_cours); };
    convertir(b.ctx, b.ctx.conversion, chemin, b.ui, {1, "autre.wav", true});  // from the watcher
    auto& etat = b.ctx.conversion;
    etat.facteur_division = 5;
    etat.reponse_taille = reponse_annuler;
    etat.conversion_annulee = 1;
    const auto r = Lectureconversionwav1Click(b.ctx, etat, choix(chemin), b.ui);
    EXPECT_TRUE(r.classeur_ouvert);
    convertir(b.ctx, etat, chemin, b.ui);  // no title given: the recording's name all the same
    EXPECT_EQ(titres, (std::vector<std::string>{"autre.wav", "essai.wav", "essai.wav"}));
    EXPECT_EQ(etat.facteur_division, 1);
    EXPECT_EQ(etat.nb_echantillons, 3000);
}

// The recording may change while the chart is open (Audacity exporting it
// again): when the workbook pass no longer accepts it, no workbook is
// opened as if it had been written.
TEST(PiloteConversion, ARecordingThatChangedUnderTheChartOpensNoWorkbook) {
    banc_conversion b;
    const auto chemin = b.chemin("essai.wav");
    b.os.ecrire(chemin, gen::wav(gen::patin(3000, 4)));
    b.ui.montrer_graphique = [&] { b.os.ecrire(chemin, "RIFF pas encore fini"); };
    EXPECT_THROW(Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(chemin), b.ui), erreur_quorva);
    EXPECT_TRUE(b.os.ouvertures.empty());
    EXPECT_FALSE(b.os.file_exists(chemin + ".slk"));
    EXPECT_FALSE(b.ctx.conversion.conversion_en_cours);

    b.ui.montrer_graphique = [&] { b.os.ecrire(chemin, gen::entete(8, 2) + std::string(8, '\0')); };
    b.os.ecrire(chemin, gen::wav(gen::patin(3000, 4)));
    const auto r = Lectureconversionwav1Click(b.ctx, b.ctx.conversion, choix(chemin), b.ui);
    EXPECT_FALSE(r.classeur_ouvert);
    EXPECT_TRUE(b.os.ouvertures.empty());
    EXPECT_FALSE(b.os.file_exists(chemin + ".slk"));
    ASSERT_EQ(b.messages.size(), 1u);
    EXPECT_EQ(b.messages[0], texte_refus_wav);
}

}  // namespace
}  // namespace quorva::test
