#include "base/services_systeme.h"

#include <gtest/gtest.h>

#include "app/contexte.h"
#include "base/erreur.h"
#include "base/garde.h"
#include "base/texte.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;
using quorva::test::PlateformeFactice;

namespace {

// Each rung of the ladder: the names a kernel32 of that generation exports
// (its own and every older one), and what the probe must answer.
struct rung {
    const char* nouveau;
    std::uint8_t generation;
};
const rung ladder[] = {
    {"Beep", 2},
    {"ConnectNamedPipe", 8},
    {"GetDiskFreeSpaceEx", 3},
    {"IsDebuggerPresent", 4},
    {"GetThreadPriorityBoost", 9},
    {"OpenThread", 6},
    {"ReplaceFile", 10},
    {"GetNativeSystemInfo", 11},
    {"GetLargePageMinimum", 13},
    {"GetLocaleInfoEx", 14},
};

}  // namespace

TEST(DetecteWindows, EachRungOfTheLadderGivesItsGeneration) {
    PlateformeFactice os;
    EXPECT_EQ(detecte_windows(os), 0);  // nothing exported: "Inconnu"
    EXPECT_STREQ(noms_windows[0], "Inconnu");
    for (const auto& [nom, generation] : ladder) {
        os.exportations.insert(nom);
        EXPECT_EQ(detecte_windows(os), generation) << nom;
        // A system with that name alone answers the same: the order decides,
        // not the count.
        PlateformeFactice seul;
        seul.exportations = {nom};
        EXPECT_EQ(detecte_windows(seul), generation) << nom;
    }
    PlateformeFactice beep;
    beep.exportations = {"Beep"};
    EXPECT_EQ(nom_version_windows(beep, detecte_windows(beep)), "Windows 95");

    // Names are tested exactly as written: an A or W variant is not the name.
    PlateformeFactice suffixes;
    suffixes.exportations = {"GetDiskFreeSpaceExA", "GetDiskFreeSpaceExW", "beep"};
    EXPECT_EQ(detecte_windows(suffixes), 0);
}

TEST(DetecteWindows, AMissingSystemLibraryRaisesTheSystemError) {
    PlateformeFactice os;
    os.sans_bibliotheque = true;
    EXPECT_THROW(detecte_windows(os), erreur_quorva);
}

TEST(DetecteWindows, ExistsExportStopsAtTheNul) {
    PlateformeFactice os;
    os.exportations = {"Beep"};
    EXPECT_TRUE(existe_export(os, os.system_library(), std::string("Beep\0Boop", 9)));
    EXPECT_FALSE(existe_export(os, os.system_library(), "Beep "));
}

TEST(VersionWindows, Index14IsVistaOrSevenAfterTheFrenchUsersFolder) {
    PlateformeFactice os;
    EXPECT_EQ(nom_version_windows(os, 14), "Seven");
    EXPECT_EQ(nom_version_windows(os, 11), "XP");
    EXPECT_EQ(nom_version_windows(os, 13), "Windows Server 2003");
    EXPECT_EQ(nom_version_windows(os, 200), "Inconnu");
    // The fake keeps drive c: under its own folder; the name matches
    // without regard to case, as on Windows.
    os.ecrire("C:\\utilisateurs\\eleve\\x.txt", "x");
    EXPECT_EQ(nom_version_windows(os, 14), "Vista");
    EXPECT_EQ(nom_version_windows(os, 11), "XP");

    for (std::uint8_t i = 0; i < 14; ++i) EXPECT_NE(nom_version_windows(os, i), "Windows Vista/7");
}

TEST(CheminAppli, FollowsTheCommandLineRules) {
    // Quoted path: quotes gone, lower case, one trailing backslash.
    EXPECT_EQ(chemin_appli_de("\"C:\\Program Files\\Quorva\\quorva.exe\"", ""), "c:\\program files\\quorva\\");
    // The closing quote followed by a blank, and arguments without a backslash.
    EXPECT_EQ(chemin_appli_de("\"C:\\Program Files\\Quorva\\quorva.exe\" ", ""), "c:\\program files\\quorva\\");
    EXPECT_EQ(chemin_appli_de("\"C:\\Quorva\\quorva.exe\" -x", ""), "c:\\quorva\\");
    // One blank before the last backslash is dropped, and one only.
    EXPECT_EQ(chemin_appli_de("\"D:\\TP \"\\quorva.exe", ""), "d:\\tp\\");
    EXPECT_EQ(chemin_appli_de("\"D:\\TP  \"\\quorva.exe", ""), "d:\\tp \\");
    // A-Z only: accented capitals stay as they are.
    EXPECT_EQ(chemin_appli_de("E:\\ÉLÈVES\\SISMO\\quorva.exe", ""), "e:\\ÉlÈves\\sismo\\");
    // Program at the root of a drive.
    EXPECT_EQ(chemin_appli_de("C:\\quorva.exe", ""), "c:\\");
    // A share, or a drive, named through "\\?\": its plain name.
    EXPECT_EQ(chemin_appli_de("\"\\\\?\\UNC\\Serveur\\Partage\\quorva.exe\"", ""), "\\\\serveur\\partage\\");
    EXPECT_EQ(chemin_appli_de("\\\\?\\D:\\Quorva\\quorva.exe", ""), "d:\\quorva\\");
    // A command line already ending with a backslash gets no second one.
    EXPECT_EQ(chemin_appli_de("X:\\Outils\\\\quorva.exe", ""), "x:\\outils\\");
}

TEST(CheminAppli, WithoutABackslashTakesTheProgramFilesFolder) {
    EXPECT_EQ(chemin_appli_de("/opt/Quorva/bin/quorva", "/opt/Quorva/bin/quorva"), "/opt/Quorva/bin/");
    EXPECT_EQ(chemin_appli_de("quorva", "/usr/local/bin/quorva"), "/usr/local/bin/");
    EXPECT_EQ(chemin_appli_de("quorva", "/quorva"), "/");
    // Neither a backslash nor a program file: the current folder.
    EXPECT_EQ(chemin_appli_de("quorva", "", "/home/Eleve"), "/home/Eleve/");
    // Nothing at all: still a folder text, never empty.
    EXPECT_EQ(chemin_appli_de("", "", ""), "\\");

    PlateformeFactice os;
    os.ligne_commande = "./quorva --verbose";
    os.fichier_programme = os.racine() + "Build/quorva";
    // A POSIX folder keeps its real case, as the system shows it; Windows
    // compares names without case.
#ifdef _WIN32
    EXPECT_EQ(derive_chemin_appli(os), minuscules_ascii(os.racine() + "Build\\"));
#else
    EXPECT_EQ(derive_chemin_appli(os), os.racine() + "Build/");
#endif
    // The derived folder still reaches the files (case-insensitive match).
    os.ecrire(os.racine() + "Build/fic_quorva/fic_trad.txt", "x");
    EXPECT_TRUE(os.file_exists(derive_chemin_appli(os) + "fic_quorva\\fic_trad.txt"));
}

TEST(CheminAppli, AFileDroppedOnTheProgramNeverGivesTheFolder) {
    const std::string programme = "C:\\Program Files\\Quorva\\quorva.exe";
    for (const std::string ligne : {
             "\"C:\\Program Files\\Quorva\\quorva.exe\" \"D:\\Classe 4B\\essai.wav\"",
             "\"C:\\Program Files\\Quorva\\quorva.exe\" D:\\essai.wav",
             "quorva.exe\tE:\\TP\\fiche.doc",
             // Unquoted with a blank: the part after it looks like an
             // argument, and the program file is right all the same.
             "C:\\Program Files\\Quorva\\quorva.exe",
         })
        EXPECT_EQ(chemin_appli_de(ligne, programme), "c:\\program files\\quorva\\") << ligne;
    EXPECT_EQ(chemin_appli_de("/opt/Quorva/quorva /home/eleve/TP\\essai.wav", "/opt/Quorva/quorva"), "/opt/Quorva/");

    PlateformeFactice os;
    os.ligne_commande = "\"C:\\Quorva\\quorva.exe\" \"C:\\Users\\eleve\\Documents\\essai.wav\"";
    os.fichier_programme = "C:\\Quorva\\quorva.exe";
    EXPECT_EQ(derive_chemin_appli(os), "c:\\quorva\\");
}

TEST(DossiersSysteme, DesktopsGetOneTrailingBackslashAndEmptyStaysEmpty) {
    PlateformeFactice os;
    os.dossiers_speciaux = {{25, "C:\\Documents and Settings\\All Users\\Bureau"}, {0, "C:\\Bureau\\"}};
    EXPECT_EQ(dossier_special(os, 25), "C:\\Documents and Settings\\All Users\\Bureau");
    EXPECT_EQ(dossier_bureau(os, 25), "C:\\Documents and Settings\\All Users\\Bureau\\");
    EXPECT_EQ(dossier_bureau(os, 0), "C:\\Bureau\\");
    EXPECT_EQ(dossier_special(os, 5), "");
    EXPECT_EQ(dossier_bureau(os, 5), "");
}

TEST(DossiersSysteme, RemplirCheminsFillsEveryValueAndCopesWithoutFolders) {
    PlateformeFactice os;
    os.ligne_commande = "\"C:\\Quorva\\quorva.exe\"";
    os.dossier_temporaire = "C:\\TEMP\\";
    os.exportations = {"GetNativeSystemInfo", "Beep"};
    os.dossiers_speciaux = {{25, "C:\\Commun\\Bureau"}, {0, "C:\\Moi\\Bureau"}};
    contexte ctx(os);
    remplir_chemins(ctx);
    EXPECT_EQ(ctx.chemins.chemin_temp, "C:\\TEMP\\");
    EXPECT_EQ(ctx.chemins.chemin_appli, "c:\\quorva\\");
    EXPECT_EQ(ctx.chemins.generation_windows, 11);
    EXPECT_EQ(ctx.chemins.version_windows, "XP");
    EXPECT_EQ(ctx.chemins.bureau_commun, "C:\\Commun\\Bureau\\");
    EXPECT_EQ(ctx.chemins.bureau_utilisateur, "C:\\Moi\\Bureau\\");

    // No temporary folder, no desktops, no backslash in the command line.
    PlateformeFactice nu;
    nu.ligne_commande = "quorva";
    nu.fichier_programme = "/opt/quorva/quorva";
    nu.dossier_temporaire = "";
    contexte vide(nu);
    remplir_chemins(vide);
    EXPECT_EQ(vide.chemins.chemin_appli, "/opt/quorva/");
    EXPECT_EQ(vide.chemins.chemin_temp, "/opt/quorva/");
    EXPECT_EQ(vide.chemins.version_windows, "Inconnu");
    EXPECT_EQ(vide.chemins.bureau_commun, "");
    EXPECT_EQ(vide.chemins.bureau_utilisateur, "");
}

TEST(ExecuteFile, PassesLongTextsWholeToTheShell) {
    PlateformeFactice os;
    contexte ctx(os);
    const std::string fichier = "C:\\" + std::string(250, 'f') + "\\film.avi";
    const std::string parametres = "\"" + std::string(300, 'p') + "\"";
    const std::string dossier = "C:\\" + std::string(230, 'd') + "\\";
    EXPECT_GT(ExecuteFile(ctx, fichier, parametres, dossier, 1), 32);
    ASSERT_EQ(os.ouvertures.size(), 1u);
    EXPECT_EQ(os.ouvertures[0].fichier, fichier);
    EXPECT_EQ(os.ouvertures[0].parametres, parametres);
    EXPECT_EQ(os.ouvertures[0].dossier, dossier);
    EXPECT_EQ(os.ouvertures[0].affichage, 1);
}

// A start or an open that fails says once what and why; the platform's own
// call stays silent for whoever tries another way.
TEST(ExecuteFile, AFailureSaysWhatCouldNotBeOpenedAndWhy) {
    const struct {
        const char* fichier;
        std::intptr_t resultat;
        const char* texte;
    } table[] = {
        {"C:\\e\\essai.wav.slk", 31,
         "Aucun programme n'ouvre les fichiers .slk sur cet ordinateur : le fichier est ici : C:\\e\\essai.wav.slk"},
        {"C:\\e\\LISEZMOI", 27, "Aucun programme n'ouvre le fichier C:\\e\\LISEZMOI sur cet ordinateur."},
        {"C:\\q\\simul.EXE", 2, "Le programme C:\\q\\simul.EXE n'a pas pu être démarré (fichier introuvable)."},
        {"C:\\q\\fiche.doc", 5, "Le fichier C:\\q\\fiche.doc n'a pas pu être ouvert (accès refusé)."},
        {"C:\\q\\film.avi", 42, ""},
    };
    for (const auto& c : table) {
        PlateformeFactice os;
        contexte ctx(os);
        std::vector<std::string> dits;
        ctx.afficher_message = [&](const std::string& t) { dits.push_back(t); };
        os.echecs_shell[c.fichier] = c.resultat;
        ExecuteFile(ctx.os, c.fichier, "", "C:\\", 1);
        EXPECT_TRUE(dits.empty());
        EXPECT_EQ(ExecuteFile(ctx, c.fichier, "", "C:\\", 1), c.resultat);
        EXPECT_EQ(dits, *c.texte ? std::vector<std::string>{c.texte} : std::vector<std::string>{});
    }
    EXPECT_EQ(texte_echec_shell("C:\\q\\audacity.exe", 11, "Audacity"),
              "Audacity n'a pas pu être démarré (ce n'est pas un programme pour ce système) : C:\\q\\audacity.exe");
}

TEST(ExecuteFile, TheSameOpenAskedAgainAtOnceFromOnePlaceIsServedOnce) {
    using namespace std::chrono_literals;
    struct cas {
        const char* quoi;
        const char* second_fichier;
        std::chrono::milliseconds ecart;
        std::size_t ouvertures;
    };
    const cas table[] = {
        {"a double-click on one entry", "a.doc", 300ms, 1},
        {"a slow program clicked again", "a.doc", 1400ms, 1},
        {"the same document later", "a.doc", 1600ms, 2},
        {"another document at once", "b.doc", 100ms, 2},
    };
    for (const auto& c : table) {
        PlateformeFactice os;
        contexte ctx(os);
        auto t = ouvertures_shell::horloge::time_point{} + 1h;
        ouvertures_shell menu, rangees;
        menu.maintenant = rangees.maintenant = [&t] { return t; };
        EXPECT_GT(ExecuteFile(ctx, menu, "a.doc", "", "C:\\", 1), 32) << c.quoi;
        t += c.ecart;
        EXPECT_GT(ExecuteFile(ctx, menu, c.second_fichier, "", "C:\\", 1), 32) << c.quoi;
        EXPECT_EQ(os.ouvertures.size(), c.ouvertures) << c.quoi;
        // Another place the user clicks opens it again at once.
        ExecuteFile(ctx, rangees, c.second_fichier, "", "C:\\", 1);
        EXPECT_EQ(os.ouvertures.size(), c.ouvertures + 1) << c.quoi;
    }
}

TEST(Garde, AnErrorBecomesOneMessageAndTheProgramGoesOn) {
    std::vector<std::string> montres;
    const afficheur_erreur afficher = [&](const std::string& texte) { montres.push_back(texte); };
    int apres = 0;

    EXPECT_FALSE(garde(afficher, [] { throw erreur_quorva("Impossible de créer le fichier x"); }));
    EXPECT_FALSE(garde(afficher, [] { throw std::out_of_range("hors limites"); }));
    EXPECT_FALSE(garde(afficher, [] { throw 42; }));
    // The next handler runs as usual.
    EXPECT_TRUE(garde(afficher, [&] { ++apres; }));
    EXPECT_EQ(apres, 1);
    ASSERT_EQ(montres.size(), 3u);
    EXPECT_EQ(montres[0], "Impossible de créer le fichier x");
    EXPECT_EQ(montres[1], "hors limites");
    EXPECT_FALSE(montres[2].empty());

    // Without a message box installed, the error is still contained.
    EXPECT_FALSE(garde(afficheur_erreur{}, [] { throw erreur_quorva("x"); }));
}

// Each kind of message goes to its own hook, else to afficher_message (all
// that quorva-convert and most tests install), else nowhere.
TEST(Services, EachKindOfMessageHasItsHookAndFallsBackToTheMessage) {
    PlateformeFactice os;
    services ctx(os);
    std::string vus;
    const auto tout_dire = [&] {
        ctx.message("m");
        ctx.information("i");
        ctx.erreur("e");
        garde(ctx.afficheur_erreurs(), [] { throw erreur_quorva("g"); });
    };
    tout_dire();
    ctx.afficher_message = [&](const std::string& t) { vus += "A" + t; };
    tout_dire();
    ctx.afficher_information = [&](const std::string& t) { vus += "I" + t; };
    ctx.afficher_erreur = [&](const std::string& t) { vus += "E" + t; };
    tout_dire();
    EXPECT_EQ(vus, "AmAiAeAg" "AmIiEeEg");
}
