// Interop: Gnumeric (ssconvert --recalc) reads the workbooks that
// quorva-convert writes; every formula's recalculated value must equal the
// value cached beside it, and the event tables must hold the events the
// detection found.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <sys/wait.h>

#include "app/contexte.h"
#include "base/nombres.h"
#include "base/texte.h"
#include "conversion/fichier_pointes.h"
#include "conversion/detection.h"
#include "conversion/lecture_wav.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva::test {
namespace {

namespace gen = quorva::generateur;
namespace fs = std::filesystem;

using cellule = std::pair<int, int>;  // row, column

struct feuille {
    std::map<cellule, std::string> textes;
    std::map<cellule, double> nombres;
};

std::string contenu(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// A CSV file as ssconvert writes it: commas, double quotes around texts.
feuille lire_csv(const std::string& chemin) {
    feuille f;
    const auto lignes = decouper_lignes(contenu(chemin));
    for (std::size_t r = 0; r < lignes.size(); ++r) {
        const std::string& l = lignes[r];
        int colonne = 1;
        std::string champ;
        bool guillemets = false;
        for (std::size_t i = 0; i <= l.size(); ++i) {
            const char c = i < l.size() ? l[i] : ',';
            if (guillemets) {
                if (c == '"' && i + 1 < l.size() && l[i + 1] == '"') champ += '"', ++i;
                else if (c == '"') guillemets = false;
                else champ += c;
            } else if (c == '"') {
                guillemets = true;
            } else if (c == ',') {
                if (!champ.empty()) {
                    const cellule cle{static_cast<int>(r) + 1, colonne};
                    f.textes[cle] = champ;
                    double v = 0;
                    if (essai_reel(champ, '.', v)) f.nombres[cle] = v;
                }
                champ.clear();
                ++colonne;
            } else {
                champ += c;
            }
        }
    }
    return f;
}

// The cached numbers of the formula cells of our own SYLK output.
std::map<cellule, double> valeurs_cachees(const std::string& chemin) {
    std::map<cellule, double> cache;
    int ligne = 1, colonne = 1;
    for (const auto& l : decouper_lignes(contenu(chemin))) {
        if (l.rfind("C;", 0) != 0) continue;
        std::string k;
        bool formule = false;
        std::stringstream champs(l.substr(2));
        for (std::string champ; std::getline(champs, champ, ';');) {
            if (champ.empty()) continue;
            if (champ[0] == 'Y') ligne = std::stoi(champ.substr(1));
            if (champ[0] == 'X') colonne = std::stoi(champ.substr(1));
            if (champ[0] == 'K') k = champ.substr(1);
            if (champ[0] == 'E') formule = true;
        }
        double v = 0;
        if (formule && essai_reel(k, '.', v)) cache[{ligne, colonne}] = v;
    }
    return cache;
}

struct conversion_externe {
    std::string sortie;
    int statut = 0;
};

conversion_externe lance(const std::string& arguments) {
    conversion_externe r;
    // A temporary folder without the toolbar's language: English unless asked.
    static const struct dossier_vide {
        std::string chemin;
        dossier_vide() {
            char modele[] = "/tmp/quorva-interop-XXXXXX";
            chemin = ::mkdtemp(modele) ? modele : "/nonexistent";
        }
        ~dossier_vide() { std::filesystem::remove_all(chemin); }
    } sans_preference;
    const std::string commande = "TMPDIR=" + sans_preference.chemin + " " + std::string(QUORVA_CONVERT) + " --program-folder \"" +
                                 QUORVA_DONNEES_CONVERSION + "/..\" " + arguments + " 2>&1";
    FILE* flux = ::popen(commande.c_str(), "r");
    if (!flux) return r;
    char tampon[4096];
    while (std::fgets(tampon, sizeof tampon, flux)) r.sortie += tampon;
    r.statut = ::pclose(flux);
    return r;
}

feuille recalcule(const std::string& classeur) {
    const std::string csv = classeur + ".csv";
    const std::string commande = "LC_ALL=C ssconvert --recalc \"" + classeur + "\" \"" + csv + "\" >/dev/null 2>&1";
    EXPECT_EQ(std::system(commande.c_str()), 0) << commande;
    return lire_csv(csv);
}

// The workbook as LibreOffice Calc reads it (in the system's encoding, as it
// reads every SYLK file), saved as UTF-8 CSV.
feuille lue_par_libreoffice(const std::string& classeur, const std::string& dossier) {
    const std::string commande = "HOME=\"" + dossier + "\" soffice -env:UserInstallation=file://" + dossier +
                                 "/libreoffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' "
                                 "--outdir \"" + dossier + "\" \"" + classeur + "\" >/dev/null 2>&1";
    EXPECT_EQ(std::system(commande.c_str()), 0) << commande;
    return lire_csv(dossier + "/" + fs::path(classeur).stem().string() + ".csv");
}

// The tables as the detection leaves them for a recording (display pass in
// this process, with the same marks file and answer as quorva-convert).
etat_conversion detection_attendue(const std::string& wav, int facteur, bool accepter) {
    PlateformeFactice os;
    auto ctx = std::make_unique<contexte>(os);
    interface_conversion ui;
    ui.question_taille = [](std::int32_t, int, std::int32_t, std::int32_t, std::int64_t) { return reponse_diminuer; };
    ui.montrer_graphique = [&] {
        Readmarks(*ctx, ctx->conversion);
        if (accepter) reconstruit_pointes(ctx->conversion);
    };
    ctx->conversion.facteur_division = facteur;
    Lecture_fichier_wav(*ctx, ctx->conversion, wav, passe_lecture::affichage, ui);
    if (ui.montrer_graphique) ui.montrer_graphique();
    return ctx->conversion;
}

// Gnumeric computes in extended precision: the values agree to about 12
// digits of the operands' magnitude.
bool proches(double a, double b, double echelle = 0) {
    return std::fabs(a - b) <= 1e-10 * std::max({1.0, std::fabs(b), std::fabs(echelle)});
}

void verifie(const std::string& wav, const feuille& calc, int facteur = 1, bool accepter = false) {
    const auto cache = valeurs_cachees(wav + ".slk");
    ASSERT_GT(cache.size(), 100u);
    int compares = 0;
    for (const auto& [cle, valeur] : cache) {
        const auto trouve = calc.nombres.find(cle);
        ASSERT_NE(trouve, calc.nombres.end()) << "R" << cle.first << "C" << cle.second;
        // Column 6 is the difference of columns 5 and 4, of much larger magnitude.
        const auto trend = cache.find({cle.first, 5});
        const double echelle = cle.second == 6 && trend != cache.end() ? trend->second : 0;
        EXPECT_TRUE(proches(trouve->second, valeur, echelle))
            << "R" << cle.first << "C" << cle.second << ": " << trouve->second << " vs " << valeur;
        ++compares;
    }
    const auto attendu = detection_attendue(wav, facteur, accepter);
    ASSERT_GE(attendu.nb_pointes, 3);
    for (int i = 1; i <= std::min(attendu.nb_pointes, 95); ++i) {
        const int r = i + 5;
        EXPECT_TRUE(proches(calc.nombres.at({r, 9}), attendu.pointes[static_cast<std::size_t>(i)].x)) << r;
        EXPECT_TRUE(proches(calc.nombres.at({r, 10}), attendu.pointes[static_cast<std::size_t>(i)].y)) << r;
        if (i < attendu.nb_pointes) {
            EXPECT_TRUE(proches(calc.nombres.at({r, 7}), attendu.intervalles[static_cast<std::size_t>(i)].x)) << r;
            EXPECT_TRUE(proches(calc.nombres.at({r, 8}), attendu.intervalles[static_cast<std::size_t>(i)].y)) << r;
        }
    }
    EXPECT_EQ(calc.textes.count({attendu.nb_pointes + 6, 9}), 1u);  // the title under the events
}

class Interop : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = fs::temp_directory_path() / ("quorva-interop-" + std::to_string(::getpid()));
        fs::create_directories(dossier_);
    }
    void TearDown() override { fs::remove_all(dossier_); }
    std::string enregistrement(const std::string& nom, std::int64_t nb, std::uint64_t graine) {
        const std::string chemin = (dossier_ / nom).string();
        std::ofstream(chemin, std::ios::binary) << gen::wav(gen::patin(nb, graine));
        return chemin;
    }
    fs::path dossier_;
};

TEST_F(Interop, EnglishAndFrenchWorkbooksRecalculateToTheirCachedValues) {
    const std::string en = enregistrement("court.wav", 6000, 11);
    const std::string fr = enregistrement("patin.wav", 32000, 12);
    auto r = lance("\"" + en + "\"");
    ASSERT_EQ(r.statut, 0) << r.sortie;
    r = lance("--lang fr \"" + fr + "\"");
    ASSERT_EQ(r.statut, 0) << r.sortie;
    EXPECT_NE(r.sortie.find(" events, niveau_base "), std::string::npos);

    const auto calc_en = recalcule(en + ".slk");
    verifie(en, calc_en);
    EXPECT_EQ(calc_en.textes.at({1, 1}), "Stick-slip: court.wav.slk");
    const auto calc_fr = recalcule(fr + ".slk");
    verifie(fr, calc_fr);
    // The French accents are UTF-8 on Linux, the system's encoding, in which
    // LibreOffice reads a SYLK file (it reads no SYLK escapes). Gnumeric's
    // SYLK import takes 8-bit letters whatever --import-encoding says: its
    // letters are the bytes written.
    const auto gnumeric = [&](int ligne, int colonne) { return utf8_vers_cp1252(calc_fr.textes.at({ligne, colonne})); };
    EXPECT_EQ(gnumeric(1, 1), "Patin tract\xC3\xA9: patin.wav.slk");
    EXPECT_EQ(gnumeric(1, 7), "Intervalles entre les \xC3\xA9v\xC3\xA8nements");
    const auto attendu = detection_attendue(fr, 1, false);
    EXPECT_EQ(gnumeric(attendu.nb_pointes + 6, 9), "Corr\xC3\xA9lation");
    EXPECT_EQ(gnumeric(attendu.nb_pointes + 5, 7), "Corr\xC3\xA9lation");
    const auto calc_lo = lue_par_libreoffice(fr + ".slk", dossier_.string());
    EXPECT_EQ(calc_lo.textes.at({1, 1}), "Patin tract\xC3\xA9: patin.wav.slk");
    EXPECT_EQ(calc_lo.textes.at({5, 3}), "\xC3\x89nergie");
    EXPECT_EQ(calc_lo.textes.at({attendu.nb_pointes + 6, 9}), "Corr\xC3\xA9lation");
}

TEST_F(Interop, ReducedRecordingAndEditedMarks) {
    const std::string grand = enregistrement("grand.wav", 100000, 21);  // 200,000 bytes: factor 4
    auto r = lance("--factor auto \"" + grand + "\"");
    ASSERT_EQ(r.statut, 0) << r.sortie;
    const auto calc = recalcule(grand + ".slk");
    EXPECT_EQ(calc.nombres.at({25005, 1}), 25000);
    EXPECT_EQ(calc.nombres.count({25006, 1}), 0u);
    verifie(grand, calc, 4);

    // A marks file with one event moved: --accept rebuilds the tables from it.
    const std::string marque = enregistrement("marque.wav", 8000, 22);
    {
        PlateformeFactice os;
        contexte ctx(os);
        auto etat = detection_attendue(marque, 1, false);
        etat.pointes[2].x += 37.4;
        ctx.conversion = etat;
        ctx.conversion.fichier_pointes = marque + ".txt";
        Savemarks(ctx, ctx.conversion);
    }
    r = lance("--accept \"" + marque + "\"");
    ASSERT_EQ(r.statut, 0) << r.sortie;
    verifie(marque, recalcule(marque + ".slk"), 1, true);
}

// Every sample kept (no --factor) of a recording one sample longer than a
// spreadsheet shows: the workbook is written whole, with a warning.
TEST_F(Interop, KeepingMoreSamplesThanASpreadsheetShowsIsWarnedOnStandardError) {
    const std::string wav = enregistrement("tres_long.wav", 1'048'572, 41);
    const auto r = lance("\"" + wav + "\"");
    EXPECT_EQ(r.statut, 0) << r.sortie;
    EXPECT_NE(r.sortie.find(wav + ": warning: 1048572 samples kept, but Excel and LibreOffice Calc show only the first "
                                  "1048571 (rows 6 to 1048576): the end of the workbook is cut off"),
              std::string::npos) << r.sortie;
    EXPECT_NE(contenu(wav + ".slk").find("C;Y1048577;X1;K1048572;"), std::string::npos);
}

TEST_F(Interop, RefusedAndIgnoredFilesFailTheCommand) {
    const std::string bon = enregistrement("bon.wav", 3000, 31);
    std::ofstream(bon + ".txt", std::ios::binary) << "3000\r\ntrois\r\n";  // damaged: said, the workbook written
    const std::string stereo = (dossier_ / "stereo.wav").string();
    std::ofstream(stereo, std::ios::binary) << gen::entete(8, 2) << std::string(8, '\0');
    const std::string texte = (dossier_ / "texte.wav").string();
    std::ofstream(texte, std::ios::binary) << "pas un enregistrement";
    auto r = lance("\"" + bon + "\" \"" + stereo + "\" \"" + texte + "\"");
    EXPECT_NE(r.statut, 0);
    EXPECT_NE(r.sortie.find("bon.wav: "), std::string::npos);
    EXPECT_NE(r.sortie.find("trois"), std::string::npos);
    EXPECT_NE(r.sortie.find("1 canal, 16 bits pas encore possible."), std::string::npos);
    EXPECT_NE(r.sortie.find("texte.wav: "), std::string::npos);
    EXPECT_TRUE(fs::exists(bon + ".slk"));
    EXPECT_FALSE(fs::exists(stereo + ".slk"));
    EXPECT_FALSE(fs::exists(texte + ".slk"));
}

TEST_F(Interop, HelpAndVersionOnStandardOutputAWrongOptionOnStandardError) {
    struct cas {
        const char* option;
        int statut;
        bool sur_la_sortie;
        const char* debut = "usage: quorva-convert ";
    };
    for (const cas& c : {cas{"--help", 0, true}, cas{"--version", 0, true, "quorva-convert " QUORVA_VERSION "\n"},
                         cas{"--bogus", 2, false}, cas{"--factor 0 x.wav", 2, false}}) {
        const std::string sortie = (dossier_ / "sortie").string(), erreurs = (dossier_ / "erreurs").string();
        const int statut = std::system((std::string(QUORVA_CONVERT) + " " + c.option + " >\"" + sortie + "\" 2>\"" +
                                        erreurs + "\"").c_str());
        ASSERT_TRUE(WIFEXITED(statut)) << c.option;
        EXPECT_EQ(WEXITSTATUS(statut), c.statut) << c.option;
        EXPECT_EQ(contenu(c.sur_la_sortie ? sortie : erreurs).rfind(c.debut, 0), 0u) << c.option;
        EXPECT_EQ(contenu(c.sur_la_sortie ? erreurs : sortie), "") << c.option;
        if (std::string(c.option) == "--help") {
            EXPECT_NE(contenu(sortie).find("--help | --version"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace quorva::test
