#include "audacity/surveillance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "app/contexte.h"
#include "audacity/lancement_audacity.h"
#include "launcher/menu.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;
using quorva::test::PlateformeFactice;

namespace {

namespace fs = std::filesystem;

void ajouter32(std::string& octets, std::uint32_t valeur) {
    for (int i = 0; i < 4; ++i) octets += static_cast<char>((valeur >> (8 * i)) & 0xFF);
}
void ajouter16(std::string& octets, std::uint16_t valeur) {
    octets += static_cast<char>(valeur & 0xFF);
    octets += static_cast<char>(valeur >> 8);
}

// A finished canonical mono 16-bit recording of n samples.
std::string wav(std::uint32_t n, std::uint16_t canaux = 1) {
    std::string octets = "RIFF";
    ajouter32(octets, 36 + 2 * n);
    octets += "WAVEfmt ";
    ajouter32(octets, 16);
    ajouter16(octets, 1);
    ajouter16(octets, canaux);
    ajouter32(octets, 1000);
    ajouter32(octets, 2000);
    ajouter16(octets, 2);
    ajouter16(octets, 16);
    octets += "data";
    ajouter32(octets, 2 * n);
    octets += std::string(2 * n, '\x01');
    return octets;
}

// What the fake conversion does with a recording.
enum class issue { convertie, refusee, ignoree, annulee, erreur, illisible };

class Surveillance : public ::testing::Test {
protected:
    Surveillance() : ctx(os) {
        ctx.chemins.chemin_appli = "c:\\quorva\\";
        ctx.afficher_message = [this](const std::string& texte) { messages.push_back(texte); };
        ctx.afficher_erreur = [this](const std::string& texte) { erreurs.push_back(texte); };
        ctx.audacity.dossier_enreg = dossier;
        fs::create_directories(*os.chemin_posix(dossier));
        actions.convertir = [this](const std::string& chemin, const options_conversion& o) { return convertir(chemin, o); };
        actions.masquer_patience = [this] { ++masquages; };
        actions.colorer_indicateur = [this] { couleur_montree = ctx.audacity.couleur_Shape1; };
    }

    void demarrer() {
        prendre_instantane(ctx, ctx.audacity);
        armer_surveillance(ctx.audacity, true);
    }
    void exporter(const std::string& nom, const std::string& contenu) { os.ecrire(dossier + "\\" + nom, contenu); }
    void tic() { Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, actions); }

    resultat_conversion convertir(const std::string& chemin, const options_conversion& options) {
        converties.push_back(chemin.substr(dossier.size() + 1));
        facteurs.push_back(options.facteur_division);
        titres.push_back(options.fichier_en_cours);
        EXPECT_TRUE(ctx.conversion.conversion_en_cours);
        EXPECT_FALSE(ctx.audacity.Timer_surveille_actif);
        // The indicator already shows this tick's colour.
        EXPECT_EQ(couleur_montree, ctx.audacity.couleur_Shape1);
        // The timer may fire while the chart is open: that tick waits.
        const auto couleur = ctx.audacity.couleur_Shape1;
        tic();
        EXPECT_EQ(ctx.audacity.couleur_Shape1, couleur);

        resultat_conversion r;
        r.choisi = true;
        r.classeur = chemin + ".slk";
        const auto trouve = issues.find(converties.back());
        switch (trouve == issues.end() ? issue::convertie : trouve->second) {
            case issue::convertie:
                r.lecture = resultat_lecture::accepte;
                r.classeur_ouvert = true;
                os.ecrire(r.classeur, "ID;P");
                ctx.os.shell_open(r.classeur, "", ctx.chemins.chemin_appli, 1);
                break;
            case issue::refusee:
                r.lecture = resultat_lecture::refuse;
                ctx.conversion.fichier_en_cours.clear();
                break;
            case issue::ignoree:
                break;
            case issue::annulee:
                r.lecture = resultat_lecture::accepte;
                r.annulee = true;
                ctx.conversion.conversion_annulee = 1;
                break;
            case issue::erreur:
                throw erreur_quorva(message("Impossible d'ouvrir le fichier %s", chemin));
            case issue::illisible:
                throw erreur_ouverture(chemin, FileFailure::busy);
        }
        ctx.conversion.reponse_taille = 3;
        ctx.conversion.facteur_division = 4;
        return r;
    }

    const std::string dossier = "c:\\quorva\\fic_quorva\\audacity\\patin_tracte";
    PlateformeFactice os;
    contexte ctx;
    actions_surveillance actions;
    std::map<std::string, issue> issues;
    std::vector<std::string> converties;
    std::vector<std::int32_t> facteurs;
    std::vector<std::string> titres;
    std::vector<std::string> messages;  // refusals (warning)
    std::vector<std::string> erreurs;   // failures (error)
    int masquages = 0;
    std::uint32_t couleur_montree = 0;
};

}  // namespace

TEST_F(Surveillance, ATickWithNothingNewOnlyBlinksAndRearms) {
    exporter("ancien.wav", wav(10));
    demarrer();
    EXPECT_EQ(ctx.audacity.couleur_Shape1, couleur_blanche);
    std::vector<bool> armements;
    ctx.audacity.armer_Timer_surveille = [&](bool actif) { armements.push_back(actif); };
    tic();
    EXPECT_EQ(ctx.audacity.couleur_Shape1, couleur_rouge);
    tic();
    EXPECT_EQ(ctx.audacity.couleur_Shape1, couleur_blanche);
    EXPECT_EQ(armements, (std::vector<bool>{false, true, false, true}));
    EXPECT_TRUE(converties.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(masquages, 0);

    // A stopped watcher, or one during a menu conversion, does nothing.
    exporter("nouveau.wav", wav(10));
    ctx.conversion.conversion_en_cours = true;
    tic();
    ctx.conversion.conversion_en_cours = false;
    armer_surveillance(ctx.audacity, false);
    tic();
    EXPECT_TRUE(converties.empty());
    EXPECT_EQ(ctx.audacity.couleur_Shape1, couleur_blanche);
    armer_surveillance(ctx.audacity, true);
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"nouveau.wav"}));
}

TEST_F(Surveillance, ANewRecordingIsConvertedItsWorkbookOpenedAndItBecomesKnown) {
    exporter("a.wav", wav(10));
    exporter("a.wav.slk", "ID;P");
    demarrer();
    ctx.conversion.facteur_division = 7;
    exporter("b.wav", wav(20));
    exporter("b.WAV.txt", "marks");
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"b.wav"}));
    EXPECT_EQ(facteurs, (std::vector<std::int32_t>{1}));
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, dossier + "\\b.wav.slk");
    EXPECT_EQ(ctx.audacity.ListBox1, (std::vector<std::string>{"a.wav", "b.wav"}));
    EXPECT_EQ(titres, (std::vector<std::string>{"b.wav"}));  // the chart's title
    EXPECT_EQ(masquages, 1);
    EXPECT_TRUE(ctx.audacity.Timer_surveille_actif);
    EXPECT_FALSE(ctx.conversion.conversion_en_cours);
    tic();
    EXPECT_EQ(converties.size(), 1u);
    EXPECT_TRUE(ctx.conversion.fichier_en_cours.empty());
}

TEST_F(Surveillance, RecordingsExportedInOneIntervalAreAllConvertedOneAfterTheOther) {
    demarrer();
    exporter("essai1.wav", wav(10));
    exporter("essai2.wav", wav(10));
    exporter("Essai3.wav", wav(10));
    tic();
    tic();
    tic();
    tic();
    // The last in the listing's order first (the listing sorts without
    // regard to case).
    EXPECT_EQ(converties, (std::vector<std::string>{"Essai3.wav", "essai2.wav", "essai1.wav"}));
    EXPECT_EQ(ctx.audacity.ListBox1, (std::vector<std::string>{"essai1.wav", "essai2.wav", "Essai3.wav"}));
}

TEST_F(Surveillance, ANameDifferingOnlyByCaseIsNew) {
    exporter("Essai.wav", wav(10));
    demarrer();
    // Written beside it (the platform's paths would find "Essai.wav").
    std::ofstream(*os.chemin_posix(dossier) + "/essai.wav", std::ios::binary) << wav(10);
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"essai.wav"}));
}

TEST_F(Surveillance, RefusedAndCancelledRecordingsAreOfferedOnlyOnce) {
    demarrer();
    exporter("stereo.wav", wav(10, 2));
    issues["stereo.wav"] = issue::refusee;
    tic();
    exporter("long.wav", wav(10));
    issues["long.wav"] = issue::annulee;
    tic();
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"stereo.wav", "long.wav"}));
    EXPECT_TRUE(os.ouvertures.empty());
    EXPECT_EQ(ctx.audacity.ListBox1, (std::vector<std::string>{"long.wav", "stereo.wav"}));
    EXPECT_TRUE(ctx.audacity.Timer_surveille_actif);
}

TEST_F(Surveillance, ARecordingStillBeingWrittenWaitsForItsEnd) {
    demarrer();
    // Created, header not yet written.
    exporter("essai.wav", "");
    tic();
    exporter("essai.wav", "RIFF");
    tic();
    EXPECT_TRUE(converties.empty());
    EXPECT_TRUE(ctx.audacity.ListBox1.empty());
    EXPECT_EQ(masquages, 0);  // no progress window for a file not yet there

    // Header written with its sizes still open, samples coming in.
    std::string partiel = wav(1000);
    partiel[4] = partiel[5] = partiel[6] = partiel[7] = 0;
    exporter("essai.wav", partiel.substr(0, 600));
    tic();
    exporter("essai.wav", partiel.substr(0, 1200));
    tic();
    EXPECT_TRUE(converties.empty());
    // Finished: sizes written.
    exporter("essai.wav", wav(1000));
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"essai.wav"}));
    EXPECT_TRUE(messages.empty());

    // A header whose sizes are never written: converted once its length
    // stops changing.
    exporter("autre.wav", partiel);
    tic();
    EXPECT_EQ(converties.size(), 1u);
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"essai.wav", "autre.wav"}));
}

TEST_F(Surveillance, AFileThatNeverBecomesARecordingIsReportedOnceAndBlocksNothing) {
    demarrer();
    exporter(".wav", "");
    exporter("zz.wav", "pas un son du tout, vraiment pas");
    exporter("a.wav", wav(10));
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"a.wav"}));
    for (int i = 0; i < 2 * vues_avant_abandon; ++i) tic();
    EXPECT_EQ(converties.size(), 1u);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("zz.wav"), std::string::npos);
    EXPECT_NE(messages[1].find("\\.wav"), std::string::npos);
    EXPECT_EQ(ctx.audacity.ListBox1, (std::vector<std::string>{".wav", "a.wav", "zz.wav"}));
    EXPECT_TRUE(ctx.audacity.Timer_surveille_actif);

    // One that the reader itself ignores is retried, then given up the same way.
    exporter("bizarre.wav", wav(10));
    issues["bizarre.wav"] = issue::ignoree;
    for (int i = 0; i < 2 * vues_avant_abandon; ++i) tic();
    EXPECT_EQ(std::count(converties.begin(), converties.end(), "bizarre.wav"), vues_avant_abandon);
    EXPECT_EQ(masquages, 1 + vues_avant_abandon);  // never left shown
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(Surveillance, AnErrorIsShownAndTheWatcherGoesOn) {
    demarrer();
    exporter("casse.wav", wav(10));
    issues["casse.wav"] = issue::erreur;
    tic();
    EXPECT_EQ(erreurs, (std::vector<std::string>{"Impossible d'ouvrir le fichier " + dossier + "\\casse.wav"}));
    EXPECT_TRUE(ctx.audacity.Timer_surveille_actif);
    EXPECT_FALSE(ctx.conversion.conversion_en_cours);
    EXPECT_EQ(masquages, 1);
    exporter("bon.wav", wav(10));
    tic();
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"casse.wav", "bon.wav"}));
    EXPECT_EQ(erreurs.size(), 1u);
    EXPECT_TRUE(messages.empty());
}

// A recording that cannot be read inside its conversion (held by another
// program) stays new: tried again at the next looks and converted once
// free; one held for good is said once, then left alone.
TEST_F(Surveillance, AnUnreadableRecordingIsTriedAgainThenGivenUpWithOneMessage) {
    demarrer();
    exporter("tenu.wav", wav(10));
    exporter("bloque.wav", wav(10));
    issues["tenu.wav"] = issues["bloque.wav"] = issue::illisible;
    tic();
    tic();
    EXPECT_TRUE(erreurs.empty());
    issues.erase("tenu.wav");
    for (int i = 0; i < 2 * vues_avant_abandon; ++i) tic();
    EXPECT_EQ(std::count(converties.begin(), converties.end(), "tenu.wav"), 3);
    EXPECT_EQ(std::count(converties.begin(), converties.end(), "bloque.wav"), vues_avant_abandon);
    ASSERT_EQ(erreurs.size(), 1u);
    EXPECT_NE(erreurs[0].find("bloque.wav : il est ouvert par un autre programme"), std::string::npos) << erreurs[0];
    EXPECT_EQ(ctx.audacity.ListBox1, (std::vector<std::string>{"bloque.wav", "tenu.wav"}));
    EXPECT_TRUE(ctx.audacity.Timer_surveille_actif);
}

TEST_F(Surveillance, AVanishedRecordingFolderIsReportedOnceAndWatchedAgainWhenBack) {
    exporter("a.wav", wav(10));
    demarrer();
    fs::remove_all(*os.chemin_posix(dossier));
    tic();
    tic();
    ASSERT_EQ(erreurs.size(), 1u);
    EXPECT_NE(erreurs[0].find(dossier), std::string::npos);
    EXPECT_TRUE(ctx.audacity.Timer_surveille_actif);
    // The folder made again: what is exported into it is new, under an old
    // name too.
    exporter("a.wav", wav(10));
    exporter("b.wav", wav(10));
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"b.wav", "a.wav"}));
    EXPECT_EQ(erreurs.size(), 1u);
}

TEST_F(Surveillance, ARecordingExportedAgainUnderItsNameIsConvertedAgainOnceFinished) {
    exporter("essai.wav", wav(10));
    exporter("autre.wav", wav(10));
    demarrer();
    tic();
    EXPECT_TRUE(converties.empty());
    // Exported again: Audacity writes the header with its sizes still 0
    // first, then the samples, then the sizes.
    std::string partiel = wav(1000);
    for (const int i : {4, 5, 6, 7, 40, 41, 42, 43}) partiel[static_cast<std::size_t>(i)] = 0;
    const auto ecrire_date = [&](const std::string& contenu, int secondes) {
        exporter("essai.wav", contenu);
        fs::last_write_time(*os.chemin_posix(dossier + "\\essai.wav"),
                            fs::file_time_type::clock::now() + std::chrono::seconds(secondes));
    };
    ecrire_date(partiel.substr(0, 600), 1);
    tic();
    ecrire_date(partiel.substr(0, 1200), 2);
    tic();
    EXPECT_TRUE(converties.empty());
    ecrire_date(wav(1000), 3);
    tic();
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"essai.wav"}));
    // Same length, other time: a second try of the same length.
    ecrire_date(wav(1000), 10);
    tic();
    tic();
    EXPECT_EQ(converties, (std::vector<std::string>{"essai.wav", "essai.wav"}));
    // A streaming recorder that never writes its sizes: converted once it
    // stopped changing between two looks, not before.
    ecrire_date(partiel, 20);
    tic();
    EXPECT_EQ(converties.size(), 2u);
    tic();
    EXPECT_EQ(converties.size(), 3u);
    tic();
    EXPECT_EQ(converties.size(), 3u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Surveillance, ALaunchDuringATickDecidesWhetherTheWatcherRuns) {
    demarrer();
    exporter("a.wav", wav(10));
    actions.convertir = [this](const std::string&, const options_conversion&) {
        ++ctx.audacity.nb_lancements;
        armer_surveillance(ctx.audacity, false);
        return resultat_conversion{};
    };
    tic();
    EXPECT_FALSE(ctx.audacity.Timer_surveille_actif);
}

// The watcher with the real conversion driver and reader (no windows): what
// the toolbar wires together.
TEST(SurveillanceConversionReelle, ConvertsRefusesAndReportsThroughTheRealDriver) {
    PlateformeFactice os;
    contexte ctx(os);
    std::vector<std::string> messages;
    ctx.afficher_message = [&](const std::string& texte) { messages.push_back(texte); };
    ctx.chemins.chemin_appli = "c:\\quorva\\";
    std::string base;
    ASSERT_TRUE(os.read_file(QUORVA_DONNEES_CONVERSION "/patin_tracte_base_EN.slk", base, SIZE_MAX));
    os.ecrire("c:\\quorva\\fic_quorva\\patin_tracte_base_EN.slk", base);
    const std::string dossier = "c:\\quorva\\fic_quorva\\audacity\\patin_tracte";
    os.ecrire(dossier + "\\ancien.wav", wav(10));
    ctx.audacity.dossier_enreg = dossier;
    prendre_instantane(ctx, ctx.audacity);
    armer_surveillance(ctx.audacity, true);

    interface_conversion ui;
    int graphiques = 0;
    ui.montrer_graphique = [&] { ++graphiques; };
    actions_surveillance actions;
    actions.convertir = [&](const std::string& chemin, const options_conversion& o) {
        return convertir(ctx, ctx.conversion, chemin, ui, o);
    };

    os.ecrire(dossier + "\\essai.wav", wav(3000));
    Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, actions);
    EXPECT_EQ(graphiques, 1);
    EXPECT_EQ(os.lire(dossier + "\\essai.wav.slk").substr(0, 3), "ID;");
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, dossier + "\\essai.wav.slk");
    EXPECT_EQ(os.ouvertures[0].dossier, "c:\\quorva\\");
    EXPECT_TRUE(messages.empty());

    // A refused recording and a good one found in the same look, the
    // refused one first: it alone becomes known, and is offered once.
    os.ecrire(dossier + "\\bon.wav", wav(100));
    os.ecrire(dossier + "\\stereo.wav", wav(100, 2));
    Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, actions);
    Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, actions);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], texte_refus_wav);
    EXPECT_FALSE(os.file_exists(dossier + "\\stereo.wav.slk"));
    EXPECT_EQ(graphiques, 2);
    ASSERT_EQ(os.ouvertures.size(), 2u);
    EXPECT_EQ(os.ouvertures[1].fichier, dossier + "\\bon.wav.slk");

    // Without its base workbook the conversion fails: said once, and the
    // watcher goes on.
    fs::remove(*os.chemin_posix("c:\\quorva\\fic_quorva\\patin_tracte_base_EN.slk"));
    os.ecrire(dossier + "\\suivant.wav", wav(100));
    Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, actions);
    Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, actions);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "Impossible d'ouvrir le fichier c:\\quorva\\fic_quorva\\patin_tracte_base_EN.slk");
    EXPECT_TRUE(ctx.audacity.Timer_surveille_actif);
    EXPECT_EQ(ctx.audacity.ListBox1,
              (std::vector<std::string>{"ancien.wav", "bon.wav", "essai.wav", "stereo.wav", "suivant.wav"}));
    EXPECT_EQ(os.ouvertures.size(), 2u);
}
