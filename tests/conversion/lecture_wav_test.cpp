#include <gtest/gtest.h>

#include <algorithm>

#include "base/erreur.h"
#include "base/texte.h"
#include "conversion/fichier_pointes.h"
#include "conversion/detection.h"
#include "conversion/lecture_wav.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva::test {
namespace {

namespace gen = quorva::generateur;

resultat_lecture passe_affichage(banc_conversion& b, const std::string& nom, const std::string& octets) {
    b.os.ecrire(b.chemin(nom), octets);
    return Lecture_fichier_wav(b.ctx, b.ctx.conversion, b.chemin(nom), passe_lecture::affichage, b.ui);
}

TEST(LectureWav, ReadsSignedLittleEndianSamplesNumberedFromOne) {
    banc_conversion b;
    const auto r = passe_affichage(b, "a.wav", gen::wav({0x0000, -32768, 0x7FFF, -1, 12}));
    EXPECT_EQ(r, resultat_lecture::accepte);
    const auto& e = b.ctx.conversion;
    ASSERT_EQ(e.nb_echantillons, 5);
    EXPECT_EQ(e.echantillons[1], 0);
    EXPECT_EQ(e.echantillons[2], -32768);
    EXPECT_EQ(e.echantillons[3], 32767);
    EXPECT_EQ(e.echantillons[4], -1);
    EXPECT_EQ(e.echantillons[5], 12);
    EXPECT_EQ(e.fichier_pointes, b.chemin("a.wav") + ".txt");
    // Display pass: detection hides the progress window (the driver then
    // opens the chart).
    EXPECT_EQ(b.evenements, (std::vector<std::string>{"masquer"}));
    EXPECT_TRUE(b.messages.empty());
}

TEST(LectureWav, FactorPicksEveryKthSampleFromTheFirst) {
    banc_conversion b;
    std::vector<std::int16_t> v;
    for (int i = 0; i < 10; ++i) v.push_back(static_cast<std::int16_t>(i * 10));
    b.ctx.conversion.facteur_division = 3;  // offsets 44, 50, 56, 62
    passe_affichage(b, "a.wav", gen::wav(v));
    ASSERT_EQ(b.ctx.conversion.nb_echantillons, 4);
    EXPECT_EQ(b.ctx.conversion.echantillons[2], 30);
    EXPECT_EQ(b.ctx.conversion.echantillons[4], 90);
}

TEST(LectureWav, WalkStopsAtTheDataChunkAndAtTheLastWholeSample) {
    banc_conversion b;
    // A trailing LIST chunk is not walked as samples.
    std::string f = gen::wav({1, 2, 3}) + "LIST" + std::string("\x04\0\0\0abcd", 8);
    passe_affichage(b, "list.wav", f);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 3);

    // Odd length: the half sample at the end is not a sample.
    std::string impair = gen::entete(7) + std::string("\x01\0\x02\0\x03\0\x04", 7);
    passe_affichage(b, "impair.wav", impair);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 3);

    // A data size that lies (past the end, negative, or 0 as an interrupted
    // or streaming recorder leaves it) means the end of the file.
    std::string menteur = gen::wav({5, 6});
    menteur[40] = '\xFF';
    menteur[41] = '\xFF';
    menteur[42] = '\x00';
    menteur[43] = '\x00';
    passe_affichage(b, "menteur.wav", menteur);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 2);
    menteur[43] = '\x80';
    passe_affichage(b, "negatif.wav", menteur);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 2);
    menteur[40] = menteur[41] = menteur[42] = menteur[43] = '\x00';
    passe_affichage(b, "interrompu.wav", menteur);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 2);

    // A data size shorter than the file bounds the walk.
    std::string court = gen::wav({5, 6, 7, 8});
    court[40] = 4;
    passe_affichage(b, "court.wav", court);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 2);

    // An empty data chunk: accepted, no samples, no events.
    EXPECT_EQ(passe_affichage(b, "vide.wav", gen::entete(0)), resultat_lecture::accepte);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 0);
    EXPECT_EQ(b.ctx.conversion.nb_pointes, 0);
}

TEST(LectureWav, NonRecordingsAreIgnoredSilently) {
    banc_conversion b;
    std::string bon = gen::wav({1, 2});
    std::string sans_wave = bon;
    sans_wave[8] = 'X';
    std::string sans_fmt = bon;
    sans_fmt[12] = 'X';
    for (const auto& octets : {std::string("RIFF") + std::string(60, '\x55'), sans_wave, sans_fmt,
                               bon.substr(0, 43), std::string(), std::string("RIFF")}) {
        b.ctx.conversion.fichier_pointes.clear();
        EXPECT_EQ(passe_affichage(b, "x.wav", octets), resultat_lecture::ignore);
        EXPECT_EQ(b.ctx.conversion.fichier_pointes, b.chemin("x.wav") + ".txt");
    }
    EXPECT_TRUE(b.messages.empty());
    EXPECT_TRUE(b.evenements.empty());
}

TEST(LectureWav, OtherFormatsAreRefusedWithTheMessage) {
    std::string stereo = gen::entete(8, 2, 16) + std::string(8, '\0');
    std::string huit_bits = gen::entete(4, 1, 8) + std::string(4, '\0');
    // An 18-byte fmt chunk puts "data" at 38, not 36.
    std::string fmt18 = gen::wav({1, 2});
    fmt18[16] = 18;
    fmt18.insert(36, std::string(2, '\0'));
    for (const auto& octets : {stereo, huit_bits, fmt18}) {
        banc_conversion b;
        b.ctx.conversion.fichier_en_cours = "essai.wav";
        EXPECT_EQ(passe_affichage(b, "r.wav", octets), resultat_lecture::refuse);
        ASSERT_EQ(b.messages.size(), 1u);
        EXPECT_EQ(b.messages[0],
                  "Lecture des fichiers .WAV différents de \r1 canal, 16 bits pas encore possible.\r\r"
                  " Désolé, j'y travaille (RQ)");
        EXPECT_EQ(b.evenements, (std::vector<std::string>{"masquer"}));
        EXPECT_EQ(b.ctx.conversion.fichier_en_cours, "");
    }
}

TEST(LectureWav, ARecordingKeptWholeIsDetectedChartedAndWrittenWhole) {
    // 60,000 samples with 8 slips, "Poursuivre": every slip is found, and the
    // marks file and the workbook cover the whole recording.
    banc_conversion b;
    auto v = rafales(std::vector<std::pair<int, int>>(8, {7000, 120}), 0);
    v.resize(60000, 0);
    v.back() = 7;
    b.ui.montrer_graphique = [&b] {  // the chart's OK
        reconstruit_pointes(b.ctx.conversion);
        Savemarks(b.ctx, b.ctx.conversion);
    };
    ASSERT_EQ(b.convertit("long.wav", gen::wav(v)).lecture, resultat_lecture::accepte);
    const auto& e = b.ctx.conversion;
    EXPECT_EQ(b.questions.size(), 4u);  // asked once
    ASSERT_EQ(e.nb_echantillons, 60000);
    EXPECT_EQ(e.echantillons[60000], 7);
    ASSERT_EQ(e.nb_pointes, 8);
    EXPECT_EQ(e.pointes[8].x, 6981 + 7 * 7120);
    const auto marques = decouper_lignes(b.os.lire(b.chemin("long.wav.txt")));
    EXPECT_EQ(marques.front(), "60000");
    EXPECT_EQ(marques[60000], "7");
    const auto classeur = decouper_lignes(b.os.lire(b.chemin("long.wav.slk")));
    EXPECT_NE(std::find(classeur.begin(), classeur.end(), "C;X9;K" + std::to_string(6981 + 7 * 7120)), classeur.end());
    EXPECT_NE(std::find(classeur.begin(), classeur.end(), "C;Y60005;X1;K60000;ER[-1]C+1"), classeur.end());
}

TEST(LectureWav, UnreadableFileRaisesTheSystemError) {
    banc_conversion b;
    try {
        Lecture_fichier_wav(b.ctx, b.ctx.conversion, b.chemin("absent.wav"), passe_lecture::affichage, b.ui);
        FAIL();
    } catch (const erreur_quorva& e) {
        EXPECT_EQ(std::string(e.what()), "Impossible d'ouvrir le fichier " + b.chemin("absent.wav"));
    }
}

TEST(TailleWav, ProposalKeepsValuesUnder32000) {
    auto p = propose_reduction(64000, 16);
    EXPECT_FALSE(p.trop_gros);
    p = propose_reduction(64001, 16);
    EXPECT_TRUE(p.trop_gros);
    EXPECT_EQ(p.facteur, 2);
    EXPECT_EQ(p.nb_valeurs, 16000);
    p = propose_reduction(128000, 16);
    EXPECT_EQ(p.facteur, 3);
    EXPECT_EQ(p.nb_valeurs, 21333);
    p = propose_reduction(200000, 16);
    EXPECT_EQ(p.seuil, 64000);
    EXPECT_EQ(p.facteur, 4);
    EXPECT_EQ(p.nb_valeurs, 25000);
    p = propose_reduction(2'000'000'000, 16);
    EXPECT_LT(p.nb_valeurs, 32000);
}

TEST(TailleWav, QuestionAskedOnceAndItsAnswerApplied) {
    std::vector<std::int16_t> v(100000, 0);  // 200,000 bytes
    {
        banc_conversion b;
        b.reponse = reponse_diminuer;
        EXPECT_EQ(b.convertit("d.wav", gen::wav(v)).lecture, resultat_lecture::accepte);
        EXPECT_EQ(b.questions, (std::vector<std::int32_t>{200000, 16, 4, 25000}));  // display pass only
        EXPECT_EQ(b.ctx.conversion.facteur_division, 4);
        EXPECT_EQ(b.ctx.conversion.nb_echantillons, 25000);
        EXPECT_EQ(b.ctx.conversion.nb_lignes_classeur, 25000);
        // Shown by the driver, hidden for the question and shown again.
        EXPECT_EQ(b.evenements[0], "montrer");
        EXPECT_EQ(b.evenements[1], "masquer");
        EXPECT_EQ(b.evenements[2], "montrer");
    }
    {
        banc_conversion b;
        b.reponse = reponse_annuler;
        EXPECT_EQ(b.convertit("c.wav", gen::wav(v)).lecture, resultat_lecture::accepte);
        EXPECT_EQ(b.ctx.conversion.conversion_annulee, 1);
        EXPECT_EQ(b.ctx.conversion.reponse_taille, 0);
        EXPECT_EQ(b.evenements, (std::vector<std::string>{"montrer", "masquer", "montrer", "masquer"}));  // no chart
        EXPECT_FALSE(b.os.file_exists(b.chemin("c.wav.slk")));
    }
    {
        banc_conversion b;
        b.reponse = reponse_poursuivre;
        b.convertit("p.wav", gen::wav(v));
        EXPECT_EQ(b.ctx.conversion.facteur_division, 1);
        EXPECT_EQ(b.ctx.conversion.nb_echantillons, 100000);  // kept whole
        EXPECT_EQ(b.ctx.conversion.nb_lignes_classeur, 100000);
        EXPECT_EQ(b.questions.size(), 4u);
        EXPECT_EQ(b.gardes, (std::vector<std::int64_t>{100000}));  // what "Poursuivre" keeps
        b.convertit("p3.wav", gen::wav(v), 3);  // ... with the factor the conversion started with
        EXPECT_EQ(b.gardes.back(), 33334);
    }
}

// A cancelled walk walks nothing: the count is 0, not the one left by the
// recording converted before.
TEST(TailleWav, CancelledWalkCountsNoSample) {
    banc_conversion b;
    EXPECT_EQ(b.convertit("court.wav", gen::wav(std::vector<std::int16_t>(500, 3))).lecture, resultat_lecture::accepte);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 500);
    b.reponse = reponse_annuler;
    EXPECT_EQ(b.convertit("long.wav", gen::wav(std::vector<std::int16_t>(100000, 0))).lecture, resultat_lecture::accepte);
    EXPECT_EQ(b.ctx.conversion.conversion_annulee, 1);
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 0);
}

TEST(TailleWav, QuestionSeesTheBytesReallyWalked) {
    banc_conversion b;
    b.reponse = reponse_diminuer;
    std::string f = gen::wav(std::vector<std::int16_t>(40000, 0));  // 80,000 bytes
    f[43] = '\x7F';  // the header claims about 2 GB
    EXPECT_EQ(b.convertit("menteur.wav", f).lecture, resultat_lecture::accepte);
    EXPECT_EQ(b.questions, (std::vector<std::int32_t>{80000, 16, 2, 20000}));
    EXPECT_EQ(b.ctx.conversion.nb_echantillons, 20000);
}

TEST(TailleWav, ProgressStepsOncePerThousandSamples) {
    banc_conversion b;
    std::vector<std::int16_t> v(5500, 0);
    passe_affichage(b, "p.wav", gen::wav(v));
    // 5 steps for the walk, 5 for the detection's positions 1..5480.
    EXPECT_EQ(b.pas_progression, 10);
}

}  // namespace
}  // namespace quorva::test
