#include "i18n/traduction.h"

#include <gtest/gtest.h>

#include "base/erreur.h"
#include "launcher/adaptation_menu.h"
#include "tests/launcher/banc_menu.h"

namespace quorva::test {
namespace {

struct Traduction : BancMenu {
    std::string preference() { return os.lire(ctx.chemins.chemin_temp + "quorva/langue_quorva.txt"); }
    void ecrire_preference(const std::string& contenu) {
        os.ecrire(ctx.chemins.chemin_temp + "quorva/langue_quorva.txt", contenu);
    }
    void ecrire_traduction(const std::string& contenu) { fichier("fic_quorva\\fic_trad.txt", contenu); }
};

TEST_F(Traduction, EmbeddedTableHasItsThirtyEightLinesByteForByte) {
    const auto& table = table_trad_defaut();
    ASSERT_EQ(table.size(), 38u);
    EXPECT_EQ(table[6],
              "AideAudacitypourpatintract1#Help Audacity for stick-slip (French)<Patin_tracte_audacity.doc>|"
              "Aide Audacity pour patin-tracté (French)<Patin_tracte_audacity.doc>");
    EXPECT_EQ(table[2], "PlinkaDoity1#PLINKA \"Do it yourself\" EN<fic_quorva\\activite_tp_RQ_vienne_2013\\Plinka_EN.doc>|"
                        "PLINKA \"Do it yourself\" FR<fic_quorva\\activite_tp_RQ_vienne_2013\\Plinka_FR.doc>");
    EXPECT_EQ(table[19], "Mcanismesaufoyer1#Local mechanism|Mécanismes au foyer");
    EXPECT_EQ(table[28], "AUTRESDOCUMENTATIONS1#________OTHER  DOCUMENTS______|________AUTRES DOCUMENTS______");
    EXPECT_EQ(table[36], "N4#-");
    EXPECT_EQ(ctx.langue.table_trad, table);
}

TEST_F(Traduction, FirstRunIsFrenchAndWritesThePreference) {
    lec_langue(ctx, ctx.langue);
    EXPECT_EQ(ctx.langue.langue, 2);
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Mcanismesaufoyer1").caption, "Mécanismes au foyer");
    EXPECT_EQ(e("Patintract1").caption, "______PATIN TRACTE_______");
    EXPECT_EQ(e("Rsultatpatintract1").caption, "Résultats du patin tracté");
    EXPECT_EQ(bouton_langue(ctx.langue).Tag, 2);
    EXPECT_TRUE(bouton_langue(ctx.langue).visible);
    EXPECT_EQ(bouton_langue(ctx.langue).image, &Speed_FR());
    EXPECT_EQ(preference(), "langue=2\r\n");
    // N4 has no "|": its caption stays the separator.
    EXPECT_EQ(e("N4").caption, "-");
}

TEST_F(Traduction, PreferenceFileChoosesTheLanguage) {
    ecrire_preference("langue=1\r\nlangue=2\r\n");  // only the first line counts
    lec_langue(ctx, ctx.langue);
    EXPECT_EQ(ctx.langue.langue, 1);
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Mcanismesaufoyer1").caption, "Local mechanism");
    EXPECT_EQ(bouton_langue(ctx.langue).image, &Speed_EN());

    Traduction* t = this;
    for (const char* sans_valeur : {"english\r\n", "", "langue=abc\r\n", "langue=\r\n", "langue=99999999999\r\n"}) {
        t->ctx.langue.langue = 1;
        ecrire_preference(sans_valeur);
        EXPECT_NO_THROW(lec_langue(ctx, ctx.langue)) << sans_valeur;
        EXPECT_EQ(ctx.langue.langue, 1) << sans_valeur;
    }
}

// A damaged preference does not end the start-up: English, a line in the
// log, and the file written again whole.
TEST_F(Traduction, ADamagedPreferenceIsEnglishLoggedAndWrittenAgain) {
    ecrire_preference("langue=abc\r\n");
    const auto avant = ctx.journal.size();
    lec_langue(ctx, ctx.langue);
    EXPECT_EQ(ctx.langue.langue, 1);
    ASSERT_EQ(ctx.journal.size(), avant + 1);
    EXPECT_EQ(ctx.journal.back(), ctx.chemins.chemin_temp +
                                      "quorva\\langue_quorva.txt : 'abc' n'est pas une valeur entière correcte");
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Mcanismesaufoyer1").caption, "Local mechanism");
    EXPECT_EQ(bouton_langue(ctx.langue).image, &Speed_EN());
    EXPECT_EQ(preference(), "langue=1\r\n");
}

TEST_F(Traduction, TargetsGoToTheirTagsAndSwitchToTheTargetHandler) {
    ctx.langue.langue = 1;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    const std::vector<std::pair<const char*, const char*>> attendues = {
        {"Apropos1", "A_PROPOS_QUORVA.doc"},
        {"PlinkaDoity1", "fic_quorva\\activite_tp_RQ_vienne_2013\\Plinka_EN.doc"},
        {"AideAudacitypourpatintract1", "Patin_tracte_audacity.doc"},
        {"Filmpatintract1", "Film_patin_tracte\\patin_tracte.exe"},
        {"AideAudacitypourvitessedesondes1", "mesure_vitesse_ondes.doc"},
        {"AidepourlestablesvibrantesEnglish1", "Tables_vibrantes_pedagogiques_EN.doc"},
        {"Racinesmontagnes1", "racine_montagnes\\racine_montagnes.doc"},
        {"Rsultatpatintract1", "essai.wav.xls"},
    };
    int avec_cible = 0;
    for (const auto& entree : ctx.menu.PopupMenu1) avec_cible += entree.clic == action_menu::cible;
    EXPECT_EQ(avec_cible, 8);
    for (const auto& [nom, cible] : attendues) {
        EXPECT_EQ(e(nom).clic, action_menu::cible) << nom;
        EXPECT_EQ(ctx.menu.cibles[static_cast<std::size_t>(e(nom).tag)], cible) << nom;
    }
    EXPECT_EQ(e("Azimut1").clic, action_menu::fixe);
}

TEST_F(Traduction, LanguageThreeKeepsBothPartsAndTheButton) {
    ecrire_preference("langue=3\r\n");
    lec_langue(ctx, ctx.langue);
    ASSERT_EQ(ctx.langue.langue, 3);
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Apropos1").caption, "ABOUT QUORVA");
    EXPECT_EQ(e("Azimut1").caption, "Azimut|Azimut");
    EXPECT_EQ(ctx.menu.cibles[5], "fic_quorva\\activite_tp_RQ_vienne_2013\\Plinka_EN.doc");
    EXPECT_EQ(bouton_langue(ctx.langue).Tag, 1);
    EXPECT_TRUE(bouton_langue(ctx.langue).visible);
    EXPECT_EQ(preference(), "langue=3\r\n");
    const auto bouton = SpeedButton3Click(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(bouton.Tag, 2);
    EXPECT_EQ(ctx.langue.langue, 2);
    EXPECT_EQ(e("Azimut1").caption, "Azimut");
}

TEST_F(Traduction, FileRulesDuplicatesBrokenLinesAndKeptTargets) {
    ecrire_traduction(
        "Apropos1#First<one.doc>|Premier\r\n"
        "Apropos1#Second<two.doc>|Second\r\n"  // twice: the later wins
        "Azimut1#Azimut<azimut\\azimut.exe>|Azimut<azimut\\azimut.exe>\n"  // Tag 2022: no target
        "Options1#Options<x.doc>|Options<x.doc>\n"                         // Tag 0: no target
        "Filmstable1D1#No bar here\n"
        "no hash at all|really\n"
        "Inconnu1#Unknown|Inconnu\n"
        "Filmtable3D1#Film<film|Film(unclosed target\n"
        "|\n\n#|\n");
    ctx.langue.langue = 1;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Apropos1").caption, "Second");
    EXPECT_EQ(ctx.menu.cibles[1], "two.doc");
    EXPECT_EQ(e("Azimut1").clic, action_menu::fixe);
    EXPECT_EQ(e("Options1").clic, action_menu::aucune);
    EXPECT_EQ(e("Filmstable1D1").caption, "Films table 1D");
    EXPECT_EQ(e("Filmtable3D1").caption, "Film");
    EXPECT_EQ(ctx.menu.cibles[18], "film");
    EXPECT_EQ(ctx.langue.table_trad.size(), 11u);

    // French part without a target: the English target and action stay.
    SpeedButton3Click(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Apropos1").caption, "Second");
    EXPECT_EQ(ctx.menu.cibles[1], "two.doc");
    EXPECT_EQ(e("Apropos1").clic, action_menu::cible);
    EXPECT_EQ(e("Filmtable3D1").caption, "Film(unclosed target");
}

TEST_F(Traduction, Utf8WithOrWithoutAByteOrderMarkAndCp1252FilesReadTheSame) {
    // "Mécanismes à Éole" and its target "dossier é\fiche.doc", in the three
    // ways a teacher's editor saves them.
    const std::string ligne_cp1252 = "Apropos1#About|M\xE9" "canismes \xE0 \xC9ole<dossier \xE9\\fiche.doc>\r\n";
    const std::string ligne_utf8 = "Apropos1#About|M\xC3\xA9" "canismes \xC3\xA0 \xC3\x89ole<dossier \xC3\xA9\\fiche.doc>\r\n";
    for (const std::string& contenu : {ligne_cp1252, ligne_utf8, "\xEF\xBB\xBF" + ligne_utf8}) {
        ecrire_traduction(contenu);
        ctx.langue.langue = 2;
        lec_fic_trad(ctx, ctx.langue, ctx.menu);
        EXPECT_EQ(e("Apropos1").caption, "Mécanismes à Éole");
        EXPECT_EQ(ctx.menu.cibles[1], "dossier é\\fiche.doc");
        // The mark never sticks to the first entry's name.
        ctx.langue.langue = 1;
        lec_fic_trad(ctx, ctx.langue, ctx.menu);
        EXPECT_EQ(e("Apropos1").caption, "About");
    }
}

TEST_F(Traduction, SwitchingTwiceReturnsAndRewritesThePreferenceEachTime) {
    ctx.langue.langue = 1;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(preference(), "langue=1\r\n");
    const auto francais = SpeedButton3Click(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(francais.Tag, 2);
    EXPECT_EQ(francais.image, &Speed_FR());
    EXPECT_EQ(preference(), "langue=2\r\n");
    EXPECT_EQ(e("Lectureconversionwav1").caption, "Lire convertir .wav ( 1 canal; 16 bits) Excel");
    const auto anglais = SpeedButton3Click(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(anglais.Tag, 1);
    EXPECT_EQ(preference(), "langue=1\r\n");
    EXPECT_EQ(e("Lectureconversionwav1").caption, "Read convert .wav ( 1 channel; 16 bits) Excel");
    // A change to the file shows at the next switch.
    ecrire_traduction("Lectureconversionwav1#Convert|Convertir\r\n");
    SpeedButton3Click(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Lectureconversionwav1").caption, "Convertir");
}

TEST_F(Traduction, UnwritablePreferenceIsToldAfterTheCaptionsAreApplied) {
    os.ecrire(ctx.chemins.chemin_temp + "quorva", "a file where the folder should be");
    ctx.langue.langue = 1;
    EXPECT_THROW(lec_fic_trad(ctx, ctx.langue, ctx.menu), erreur_quorva);
    EXPECT_EQ(e("Mcanismesaufoyer1").caption, "Local mechanism");
    std::vector<std::string> messages;
    ctx.afficher_erreur = [&](const std::string& texte) { messages.push_back(texte); };
    EXPECT_EQ(SpeedButton3Click(ctx, ctx.langue, ctx.menu).Tag, 2);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(e("Mcanismesaufoyer1").caption, "Mécanismes au foyer");
}

TEST_F(Traduction, HugeAndBrokenTranslationFilesAreApplied) {
    std::string texte;
    for (int i = 0; i < 5000; ++i) texte += "Ligne" + std::to_string(i) + "#sans effet|aucun\r\n";
    texte += std::string(300000, 'Z') + "#|\r\n";
    texte += "Simulseismes1#" + std::string(100000, 'S') + "|Simul \xE9\xE8\xE0\xFF\x80\r\n";
    texte += "Azimut1\x81\xFE#broken|bytes\r\n";
    texte += std::string("Racinedesmontagnes1#A\0B|C", 25) + "\r\n";
    ecrire_traduction(texte);
    ctx.langue.langue = 2;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Simulseismes1").caption, "Simul éèàÿ€");
    EXPECT_EQ(e("Racinedesmontagnes1").caption, "C");
    ctx.langue.langue = 1;
    lec_fic_trad(ctx, ctx.langue, ctx.menu);
    EXPECT_EQ(e("Simulseismes1").caption.size(), 100000u);
    EXPECT_EQ(ctx.langue.table_trad.size(), 5004u);
}

TEST(Drapeaux, TwoDifferentPicturesOfSixteenByEleven) {
    EXPECT_EQ(Speed_EN().pixels.size(), 16u * 11u);
    EXPECT_NE(Speed_EN().pixels, Speed_FR().pixels);
    EXPECT_EQ(Speed_FR().pixels[0], 0x002395u);         // blue at the hoist
    EXPECT_EQ(Speed_FR().pixels[15], 0xED2939u);        // red at the fly
    EXPECT_EQ(Speed_EN().pixels[5 * 16 + 8], 0xC8102Eu);  // red cross at the centre
}

}  // namespace
}  // namespace quorva::test
