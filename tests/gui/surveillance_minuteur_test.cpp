// The export watcher as the toolbar runs it: the real Timer_surveille of
// TForm1 (4000 ms), the real conversion driver and reader, real files in a
// private folder; only the chart is answered at once (OK) and the shell's
// opens are recorded. Each case lasts a few ticks.
#ifndef _WIN32
#include <unistd.h>
#endif

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "app/TForm1.h"
#include "base/fenetres_qt.h"
#include "audacity/lancement_audacity.h"
#include "audacity/surveillance.h"
#include "conversion/pilote_conversion.h"
#include "tests/support/plateforme_factice.h"

using namespace quorva;
namespace fs = std::filesystem;

namespace {

void ajouter(std::string& octets, std::uint32_t valeur, int taille) {
    for (int i = 0; i < taille; ++i) octets += static_cast<char>((valeur >> (8 * i)) & 0xFF);
}

// A canonical mono 16-bit header; sizes as given (0 while a recorder writes).
std::string entete(std::uint32_t riff, std::uint32_t donnees) {
    std::string o = "RIFF";
    ajouter(o, riff, 4);
    o += "WAVEfmt ";
    for (const auto& [valeur, taille] : {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {1000u, 4}, {2000u, 4}, {2u, 2}, {16u, 2}})
        ajouter(o, valeur, taille);
    o += "data";
    ajouter(o, donnees, 4);
    return o;
}

std::string echantillons(int n) {
    std::string o;
    for (int i = 0; i < n; ++i) ajouter(o, static_cast<std::uint32_t>(i % 50 == 0 ? 9000 : (i * 37) % 400), 2);
    return o;
}

std::string wav(int n) { return entete(36 + 2 * n, 2 * n) + echantillons(n); }

class SurveillanceMinuteur : public ::testing::Test {
protected:
    test::PlateformeFactice os;
    std::unique_ptr<contexte> ctx = std::make_unique<contexte>(os);
    std::unique_ptr<TForm1> Form1 = std::make_unique<TForm1>(*ctx);
    actions_surveillance surveillance;
    interface_conversion ui;
    std::vector<std::string> messages;
    std::function<void(const std::string&)> pendant_graphique;  // while the chart is open

    std::string dossier() const { return ctx->audacity.dossier_enreg; }
    std::string posix(const std::string& nom = "") { return *os.chemin_posix(dossier()) + (nom.empty() ? "" : "/" + nom); }

    void SetUp() override {
        Form1->Timer_deb.stop();
        ctx->chemins.chemin_appli = os.racine() + "prog\\";
        fs::create_directories(os.racine() + "prog/fic_quorva");
        for (const char* nom : {"patin_tracte_base.slk", "patin_tracte_base_EN.slk"})
            fs::copy_file(std::string(QUORVA_DONNEES_CONVERSION) + "/" + nom, os.racine() + "prog/fic_quorva/" + nom,
                          fs::copy_options::overwrite_existing);
        ctx->afficher_message = [this](const std::string& texte) { messages.push_back(texte); };
        ctx->audacity.dossier_enreg = os.racine() + "enreg\\patin_tracte";
        fs::create_directories(posix());
        ui.montrer_graphique = [this] {
            if (pendant_graphique) pendant_graphique(ctx->conversion.fichier_en_cours);
        };
        // The toolbar's wiring of the watcher.
        surveillance.convertir = [this](const std::string& chemin, const options_conversion& o) {
            return convertir(*ctx, ctx->conversion, chemin, ui, o);
        };
        ctx->audacity.armer_Timer_surveille = [this](bool actif) {
            if (actif) Form1->Timer_surveille.start();
            else Form1->Timer_surveille.stop();
        };
        QObject::connect(&Form1->Timer_surveille, &QTimer::timeout, Form1.get(), [this] {
            gere([this] { Timer_surveilleTimer(*ctx, ctx->audacity, ctx->conversion, surveillance); });
        });
        ASSERT_EQ(Form1->Timer_surveille.interval(), 4000);
        prendre_instantane(*ctx, ctx->audacity);
        armer_surveillance(ctx->audacity, true);
    }
    void TearDown() override { Form1->Timer_surveille.stop(); }

    // Runs the event loop until the condition holds, at most `ms`.
    bool attendre(const std::function<bool()>& condition, int ms) {
        QElapsedTimer horloge;
        horloge.start();
        while (!condition() && horloge.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 50);
        return condition();
    }
    void attendre_tics(int n) {
        attendre([] { return false; }, n * 4000 + 300);
    }
    // How many times each workbook was handed to the shell.
    std::map<std::string, int> ouverts() {
        std::map<std::string, int> compte;
        for (const auto& o : os.ouvertures) ++compte[o.fichier.substr(o.fichier.find_last_of("\\/") + 1)];
        return compte;
    }
    void exporter(const std::string& nom, const std::string& contenu) {
        std::ofstream(posix(nom), std::ios::binary | std::ios::trunc) << contenu;
    }
};

}  // namespace

TEST_F(SurveillanceMinuteur, FiftyRecordingsExportedWithinOneIntervalAreEachConvertedOnce) {
    for (int i = 0; i < 50; ++i) exporter("essai" + std::to_string(100 + i) + ".wav", wav(300 + i));
    EXPECT_TRUE(attendre([&] { return os.ouvertures.size() >= 50; }, 60000));
    attendre_tics(1);
    const auto compte = ouverts();
    EXPECT_EQ(compte.size(), 50u);
    for (const auto& [classeur, fois] : compte) EXPECT_EQ(fois, 1) << classeur;
    for (int i = 0; i < 50; ++i) EXPECT_TRUE(fs::exists(posix("essai" + std::to_string(100 + i) + ".wav.slk")));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(Form1->Timer_surveille.isActive());
}

TEST_F(SurveillanceMinuteur, ARecordingWrittenOverTenSecondsIsConvertedOnceWhole) {
    // Header first with its sizes still 0, the samples in 20 pieces over
    // 10 seconds, the sizes last, as a recorder does.
    const int n = 20 * 400;
    exporter("lent.wav", entete(0, 0));
    int morceaux = 0;
    QTimer ecrivain;
    QObject::connect(&ecrivain, &QTimer::timeout, [&] {
        std::ofstream(posix("lent.wav"), std::ios::binary | std::ios::app) << echantillons(400);
        if (++morceaux < 20) return;
        ecrivain.stop();
        std::fstream f(posix("lent.wav"), std::ios::binary | std::ios::in | std::ios::out);
        f << entete(36 + 2 * n, 2 * n);
    });
    ecrivain.start(500);
    EXPECT_TRUE(attendre([&] { return morceaux == 20; }, 60000));
    EXPECT_TRUE(os.ouvertures.empty()) << "converted half-written";
    EXPECT_TRUE(attendre([&] { return !os.ouvertures.empty(); }, 30000));
    attendre_tics(1);
    EXPECT_EQ(ouverts(), (std::map<std::string, int>{{"lent.wav.slk", 1}}));
    EXPECT_EQ(ctx->conversion.nb_lignes_classeur, n);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SurveillanceMinuteur, ARecordingDeletedWhileConvertedIsReportedOnceAndTheWatcherGoesOn) {
    pendant_graphique = [this](const std::string& nom) {
        if (nom == "efface.wav") fs::remove(posix(nom));
    };
    exporter("efface.wav", wav(500));
    EXPECT_TRUE(attendre([&] { return !messages.empty(); }, 30000));
    exporter("suivant.wav", wav(500));
    EXPECT_TRUE(attendre([&] { return !os.ouvertures.empty(); }, 30000));
    attendre_tics(1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("efface.wav"), std::string::npos) << messages[0];
    EXPECT_EQ(ouverts(), (std::map<std::string, int>{{"suivant.wav.slk", 1}}));
    EXPECT_FALSE(fs::exists(posix("efface.wav.slk")));
}

TEST_F(SurveillanceMinuteur, TheRecordingFolderRemovedAndMadeAgainIsReportedOnceThenWatched) {
    exporter("essai.wav", wav(400));
    EXPECT_TRUE(attendre([&] { return os.ouvertures.size() == 1; }, 30000));
    fs::remove_all(posix());
    attendre_tics(2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("patin_tracte"), std::string::npos) << messages[0];
    // Made again; a new try under the same name is a new recording.
    fs::create_directories(posix());
    exporter("essai.wav", wav(450));
    EXPECT_TRUE(attendre([&] { return os.ouvertures.size() == 2; }, 30000));
    attendre_tics(1);
    EXPECT_EQ(ouverts(), (std::map<std::string, int>{{"essai.wav.slk", 2}}));
    EXPECT_EQ(ctx->conversion.nb_lignes_classeur, 450);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(SurveillanceMinuteur, AReadOnlyRecordingFolderGivesOneMessagePerRecordingAndNothingWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows guards folders with access lists, not with these permissions";
#else
    // Root writes anywhere: the watcher then runs as an ordinary user for
    // this case, which is what a pupil's session is.
    const bool root = ::geteuid() == 0;
    const auto lecture = fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                         fs::perms::others_exec;
    if (root) {
        for (fs::path p = posix(); p.string().size() > 1; p = p.parent_path())
            fs::permissions(p, lecture, fs::perm_options::add);
        fs::permissions(os.racine() + "prog", lecture, fs::perm_options::add);
        for (const auto& e : fs::recursive_directory_iterator(os.racine() + "prog"))
            fs::permissions(e.path(), lecture, fs::perm_options::add);
    }
    exporter("essai.wav", wav(400));
    fs::permissions(posix(), fs::perms::owner_read | fs::perms::owner_exec | lecture);
    ASSERT_TRUE(!root || ::seteuid(65534) == 0);
    EXPECT_TRUE(attendre([&] { return !messages.empty(); }, 30000));
    attendre_tics(1);
    ASSERT_TRUE(!root || ::seteuid(0) == 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("essai.wav.slk"), std::string::npos) << messages[0];
    EXPECT_TRUE(os.ouvertures.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(posix()), fs::directory_iterator()), 1);

    // Writable again: the next recording is converted, the failed one is
    // not offered again while it stays as it was.
    fs::permissions(posix(), fs::perms::owner_all);
    exporter("suivant.wav", wav(400));
    EXPECT_TRUE(attendre([&] { return !os.ouvertures.empty(); }, 30000));
    attendre_tics(1);
    EXPECT_EQ(ouverts(), (std::map<std::string, int>{{"suivant.wav.slk", 1}}));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(Form1->Timer_surveille.isActive());
#endif
}
