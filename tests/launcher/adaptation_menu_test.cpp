#include "launcher/adaptation_menu.h"

#include <gtest/gtest.h>

#include <set>

#include "launcher/descripteurs_menu.h"

#include "tests/launcher/banc_menu.h"

namespace quorva::test {
namespace {

using AdaptationMenu = BancMenu;

TEST_F(AdaptationMenu, AResourceIsShownWhereItIsAndOpensFromThere) {
    fichier("Patin_tracte_audacity.doc");                        // program folder only
    fichier("fic_quorva\\mesure_vitesse_ondes.doc");             // data folder only
    fichier("essai.wav.xls");                                    // both
    fichier("fic_quorva\\essai.wav.xls");
    adapte_menu(ctx, ctx.menu);

    EXPECT_TRUE(e("AideAudacitypourpatintract1").visible);
    EXPECT_EQ(ctx.menu.chemins[5], appli);
    EXPECT_EQ(clic(e("AideAudacitypourpatintract1")).fichier, appli + "Patin_tracte_audacity.doc");

    EXPECT_TRUE(e("AideAudacitypourvitessedesondes1").visible);
    EXPECT_EQ(ctx.menu.chemins[6], donnees);
    const auto vitesse = clic(e("AideAudacitypourvitessedesondes1"));
    EXPECT_EQ(vitesse.fichier, donnees + "mesure_vitesse_ondes.doc");
    EXPECT_EQ(vitesse.dossier, donnees);
    EXPECT_EQ(vitesse.affichage, 1);

    EXPECT_TRUE(e("Rsultatpatintract1").visible);
    EXPECT_EQ(ctx.menu.chemins[2], appli);

    // Neither: hidden, its slot left on the data folder.
    EXPECT_FALSE(e("Filmpatintract1").visible);
    EXPECT_EQ(ctx.menu.chemins[10], donnees);
    EXPECT_FALSE(e("Apropos1").visible);
    EXPECT_FALSE(e("PowerpointIstanbul1").visible);
    // Slots 1..30 preset, the others untouched.
    EXPECT_EQ(ctx.menu.chemins[30], appli);
    EXPECT_EQ(ctx.menu.chemins[31], "");
    // Entries the resolution does not name keep their flags.
    EXPECT_TRUE(e("Lectureconversionwav1").visible);
    EXPECT_TRUE(e("Audacityforshaketable1D2D1").visible);
}

TEST_F(AdaptationMenu, SharedSlotsStartFromWhereTheEarlierCallLeftThem) {
    fichier("fic_quorva\\audacity\\audacity.exe");
    fichier("fic_quorva\\Varnel_atelier_veldrun_2013.doc");
    fichier("atelier_veldrun_2014_RQ.ppt");
    adapte_menu(ctx, ctx.menu);
    EXPECT_EQ(ctx.menu.chemins[19], donnees);
    EXPECT_TRUE(e("LancerAudacityCl1").visible);
    EXPECT_TRUE(e("AudacityforspeedwaveUSBkey1").visible);
    // Slot 21 moved to the data folder by the 2013 document: the 2014 one,
    // only in the program folder, is not found.
    EXPECT_EQ(ctx.menu.chemins[21], donnees);
    EXPECT_TRUE(e("VELDRUN20132").visible);
    EXPECT_FALSE(e("VELDRUN20141").visible);
}

TEST_F(AdaptationMenu, OnLinuxAudacityUnderItsOwnNameOrTheSystemsShowsTheEntries) {
    os.systeme_posix = true;
    fichier("audacity\\audacity");
    adapte_menu(ctx, ctx.menu);
    EXPECT_EQ(ctx.menu.chemins[19], appli);
    EXPECT_TRUE(e("LancerAudacityCl1").visible);
    EXPECT_TRUE(e("AudacityforspeedwaveUSBkey1").visible);

    // Only the system's own: shown, the recordings under the data folder.
    os.programmes_installes["audacity"] = "/usr/bin/audacity";
    std::filesystem::remove(*os.chemin_posix(appli + "audacity\\audacity"));
    adapte_menu(ctx, ctx.menu);
    EXPECT_EQ(ctx.menu.chemins[19], donnees);
    EXPECT_TRUE(e("LancerAudacityCl1").visible);
    EXPECT_TRUE(e("AudacityforspeedwaveUSBkey1").visible);

    // Windows knows "audacity.exe" only.
    os.systeme_posix = false;
    fichier("fic_quorva\\audacity\\audacity");
    adapte_menu(ctx, ctx.menu);
    EXPECT_FALSE(e("LancerAudacityCl1").visible);
    EXPECT_FALSE(e("AudacityforspeedwaveUSBkey1").visible);
}

TEST_F(AdaptationMenu, AnEntryOpensFromTheSlotItWasFoundThrough) {
    fichier("activite_tp_RQ_vienne_2013\\Plinka_EN.doc");  // slot 14 stays on the program folder
    fichier("fic_quorva\\meca_foyer\\meca_foyer.exe");      // slot 15 moves to the data folder
    fichier("fic_quorva\\A_PROPOS_QUORVA.doc");             // slot 1 moves, slot 9 does not
    adapte_menu(ctx, ctx.menu);
    EXPECT_EQ(ctx.menu.chemins[14], appli);
    EXPECT_TRUE(e("Mcanismesaufoyer1").visible);
    const auto meca = clic(e("Mcanismesaufoyer1"));
    EXPECT_EQ(meca.fichier, donnees + "meca_foyer\\meca_foyer.exe");
    EXPECT_EQ(meca.dossier, donnees + "meca_foyer");

    EXPECT_EQ(clic(e("Apropos1")).fichier, donnees + "A_PROPOS_QUORVA.doc");
    const auto plinka = clic(e("PlinkaDoity1"));
    EXPECT_EQ(plinka.fichier, appli + "activite_tp_RQ_vienne_2013\\Plinka_EN.doc");
    EXPECT_EQ(plinka.dossier, appli + "activite_tp_RQ_vienne_2013");
}

TEST_F(AdaptationMenu, MetCheminOnAnEmptySlotTriesTheDataFolder) {
    fichier("fic_quorva\\extra.doc");
    entree_menu libre;
    met_chemin(ctx, ctx.menu, libre, "extra.doc", 31);
    EXPECT_TRUE(libre.visible);
    EXPECT_EQ(ctx.menu.chemins[31], donnees);
    met_chemin(ctx, ctx.menu, libre, "extra.doc", 51);  // no such slot
    EXPECT_FALSE(libre.visible);
    met_chemin(ctx, ctx.menu, libre, "extra.doc", 0);
    EXPECT_FALSE(libre.visible);
}

TEST(DejaLa, NineNamesWithTheirCase) {
    EXPECT_TRUE(deja_la("A_PROPOS_QUORVA.doc"));
    EXPECT_TRUE(deja_la("Tables_vibrantes_pedagogiques_en.doc"));
    EXPECT_TRUE(deja_la("Varnel_atelier_veldrun_2013.doc"));
    EXPECT_FALSE(deja_la("a_propos_quorva.doc"));
    EXPECT_FALSE(deja_la("Tables_vibrantes_pedagogiques_EN.doc"));
    EXPECT_FALSE(deja_la("A_PROPOS_QUORVA.doc "));
    EXPECT_FALSE(deja_la(""));
}

// The descriptor table: one per entry, every submenu entry under a submenu,
// every file-related field with a file and a preset slot.
TEST(DescripteursMenu, OneConsistentDescriptorPerEntry) {
    std::set<std::string> noms;
    int en_haut = 0;
    for (const auto& d : descripteurs_menu()) {
        EXPECT_TRUE(noms.insert(d.nom).second) << d.nom;
        const descripteur_entree* parent = d.parent ? descripteur_de(d.parent) : nullptr;
        if (!d.parent) ++en_haut;
        else EXPECT_TRUE(parent && parent->sous_menu && !parent->parent) << d.nom;
        if (d.teste) EXPECT_TRUE(d.slot >= 1 && d.slot <= nb_slots_au_depart) << d.nom;
        else EXPECT_FALSE(d.ouvre || d.document_couvert || d.titres_montres[0] || d.autre_teste) << d.nom;
    }
    EXPECT_EQ(en_haut, 39);
    EXPECT_EQ(etat_menu().PopupMenu1.size(), 39u);
}

TEST(DejaLa, TheNineDocumentsOfferedElsewhere) {
    for (const char* nom : {"A_PROPOS_QUORVA.doc", "Fractures_roches.doc", "mesure_vitesse_ondes.doc",
                            "Patin_tracte_audacity.doc", "racine_montagnes.doc", "Tables_vibrantes_pedagogiques.doc",
                            "Tables_vibrantes_pedagogiques_en.doc", "TP_MPS_parasismique.doc",
                            "Varnel_atelier_veldrun_2013.doc"})
        EXPECT_TRUE(deja_la(nom)) << nom;
    EXPECT_FALSE(deja_la("Plinka_EN.doc"));
    int couverts = 0;
    for (const auto& d : descripteurs_menu()) couverts += d.document_couvert ? 1 : 0;
    EXPECT_EQ(couverts, 6);
}

}  // namespace
}  // namespace quorva::test
