#include "audacity/preferences_audacity.h"

#include <gtest/gtest.h>

#include "base/texte.h"
#include "tests/audacity/lignes_attendues.h"

using namespace quorva;
using quorva::test::verifier_lignes;

namespace {

std::vector<std::string> modele() { return {Memo_config_audacity.begin(), Memo_config_audacity.end()}; }

// The stick-slip preferences for a documents folder
// C:\Documents and Settings\eleve\Mes documents\, written out by hand (the
// toolbar sections from their table): the template's 104 lines, the two
// folder lines of Audacity 2 and the two sections of Audacity 3.
const char* const attendu_patin_debut = R"(NewPrefsInitialized=1
Version=2.0.2
PrefsVersion=1.1.1r1
SnapTo=0
[Version]
Major=2
Minor=0
Micro=2
[Directories]
DefaultOpenPath=C:\\Documents and Settings\\eleve\\Mes documents\\patin_tracte\\
TempDir=
[AudioIO]
RecordingDevice=Realtek HD Audio Input
Host=MME
PlaybackDevice=Realtek HD Audio output
RecordingSourceIndex=0
RecordingSource=Volume CD
RecordChannels=1
[FFmpeg]
Enabled=0
[Window]
X=0
Y=0
Width=780
Height=620
Maximized=0
Normal_X=0
Normal_Y=0
Normal_Width=780
Normal_Height=620
Iconized=0
[GUI]
[GUI/ToolBars]
)";

// The template's toolbar sections: name, dock, order, width and height.
struct barre_attendue {
    const char* nom;
    int dock, ordre, largeur, hauteur;
};
constexpr barre_attendue barres[] = {
    {"Control", 1, 1, 327, 55},   {"Tools", 1, 2, 94, 55}, {"Meter", 1, 3, 338, 55},
    {"Mixer", 1, 4, 323, 27},     {"Edit", 1, 5, 377, 27}, {"Transcription", 1, 6, 140, 27},
    {"Selection", 2, 1, 665, 55}, {"Device", 1, 7, 620, 27},
};

std::string sections_barres() {
    std::string texte;
    for (const auto& b : barres)
        texte += "[GUI/ToolBars/" + std::string(b.nom) + "]\nDock=" + std::to_string(b.dock) + "\nOrder=" +
                 std::to_string(b.ordre) + "\nShow=1\nX=-1\nY=-1\nW=" + std::to_string(b.largeur) +
                 "\nH=" + std::to_string(b.hauteur) + "\n";
    return texte;
}

const char* const attendu_patin_fin = R"([Export]
Format=WAV
DefaultExportPath=C:\\Documents and Settings\\eleve\\Mes documents\\patin_tracte\\
Path=C:\\Documents and Settings\\eleve\\Mes documents\\patin_tracte\\
DefaultProjectSampleRate=1000
DefaultProjectSampleFormat=131073
[SamplingRate]
DefaultProjectSampleRate=1000
DefaultProjectSampleFormat=131073
[Directories/Open]
Default=C:\\Documents and Settings\\eleve\\Mes documents\\patin_tracte\\
[Directories/Export]
Default=C:\\Documents and Settings\\eleve\\Mes documents\\patin_tracte\\
)";

}  // namespace

TEST(PreferencesAudacity, TemplateEditedForStickSlipGivesThe110ExpectedLines) {
    auto lignes = modele();
    ASSERT_EQ(lignes.size(), 104u);
    inserer_cles_dossiers(lignes);
    regler_cles_patin(lignes, "C:\\Documents and Settings\\eleve\\Mes documents\\patin_tracte\\");
    EXPECT_EQ(lignes.size(), 110u);
    const auto attendu = decouper_lignes(attendu_patin_debut + sections_barres() + attendu_patin_fin);
    ASSERT_EQ(attendu.size(), 110u);
    for (std::size_t i = 0; i < attendu.size(); ++i) EXPECT_EQ(lignes[i], attendu[i]) << "line " << i;
    EXPECT_EQ(lignes[9], "DefaultOpenPath=C:\\\\Documents and Settings\\\\eleve\\\\Mes documents\\\\patin_tracte\\\\");

    // A second edit of the result changes nothing.
    auto encore = lignes;
    inserer_cles_dossiers(encore);
    regler_cles_patin(encore, "C:\\Documents and Settings\\eleve\\Mes documents\\patin_tracte\\");
    EXPECT_EQ(encore, lignes);
}

TEST(PreferencesAudacity, PathEscapingDoublesEveryBackslash) {
    EXPECT_EQ(echappe_chemin("C:\\a\\b"), "C:\\\\a\\\\b");
    EXPECT_EQ(echappe_chemin("\\\\serveur\\x\\"), "\\\\\\\\serveur\\\\x\\\\");
    EXPECT_EQ(echappe_chemin(""), "");
    EXPECT_EQ(echappe_chemin("sans"), "sans");
    EXPECT_EQ(echappe_chemin("élève\\été"), "élève\\\\été");
}

TEST(PreferencesAudacity, InsertionPositionsWithoutDirectoriesOrExportSections) {
    std::vector<std::string> lignes = {"A=1", "B=2", "C=3", "D=4", "E=5"};
    inserer_cles_dossiers(lignes);
    EXPECT_EQ(lignes, (std::vector<std::string>{"A=1", "B=2", "DefaultOpenPath=", "DefaultExportPath=", "C=3", "D=4", "E=5"}));

    // A first line "[Directories]" counts as no such line.
    lignes = {"[Directories]", "TempDir=", "X=1", "[Export]", "Format=WAV", "Path="};
    inserer_cles_dossiers(lignes);
    EXPECT_EQ(lignes, (std::vector<std::string>{"[Directories]", "TempDir=", "DefaultOpenPath=", "X=1", "[Export]",
                                                "Format=WAV", "DefaultExportPath=", "Path="}));

    // "[Export]" as the very last line: the line goes at the end.
    lignes = {"x", "[Directories]", "[Export]"};
    inserer_cles_dossiers(lignes);
    EXPECT_EQ(lignes, (std::vector<std::string>{"x", "[Directories]", "DefaultOpenPath=", "[Export]", "DefaultExportPath="}));

    // Files too short for the positions get the lines at their end.
    lignes = {};
    inserer_cles_dossiers(lignes);
    EXPECT_EQ(lignes, (std::vector<std::string>{"DefaultOpenPath=", "DefaultExportPath="}));
    lignes = {"SnapTo=0"};
    inserer_cles_dossiers(lignes);
    EXPECT_EQ(lignes, (std::vector<std::string>{"SnapTo=0", "DefaultOpenPath=", "DefaultExportPath="}));
}

TEST(PreferencesAudacity, AnExistingOpenPathMeansNoInsertionOnlyReplacements) {
    std::vector<std::string> lignes = {"[Directories]", "DefaultOpenPath=D:\\\\old", "TempDir=C:\\\\tmp",
                                       "[Export]", "Format=WAV", "Path=D:\\\\old", "DefaultProjectSampleRate=44100",
                                       "XDefaultProjectSampleFormat=1", "RecordChannels=2", "MyPath=keep"};
    inserer_cles_dossiers(lignes);
    EXPECT_EQ(lignes.size(), 10u);  // no DefaultExportPath= added either
    regler_cles_patin(lignes, "E:\\enreg\\");
    EXPECT_EQ(lignes, (std::vector<std::string>{"[Directories]", "DefaultOpenPath=E:\\\\enreg\\\\", "TempDir=C:\\\\tmp",
                                                "[Export]", "Format=WAV", "Path=E:\\\\enreg\\\\",
                                                "DefaultProjectSampleRate=1000", "DefaultProjectSampleFormat=131073",
                                                "RecordChannels=1", "MyPath=keep", "[Directories/Open]",
                                                "Default=E:\\\\enreg\\\\", "[Directories/Export]", "Default=E:\\\\enreg\\\\"}));

    // Audacity 3's sections already there (as Audacity leaves them): their
    // "Default=" set, added when missing, nothing else touched.
    lignes = {"[Directories/Open]", "LastUsed=/x", "Default=/old", "[Directories/Export]", "LastUsed=/y", "[Z]", "Default=z"};
    regler_cles_patin(lignes, "/enreg/");
    EXPECT_EQ(lignes, (std::vector<std::string>{"[Directories/Open]", "LastUsed=/x", "Default=/enreg/",
                                                "[Directories/Export]", "Default=/enreg/", "LastUsed=/y", "[Z]",
                                                "Default=z"}));
}

TEST(PreferencesAudacity, RulesApplyInOrderAndTempDirIsNeverTouched) {
    // The first rule that applies wins: a line holding both keys is an
    // export path line.
    std::vector<std::string> lignes = {"DefaultOpenPath=DefaultExportPath=", "Path=DefaultProjectSampleRate=",
                                       "TempDir=C:\\\\Temp\\\\Path=", "TempDir=", "  Path=x"};
    regler_cles_patin(lignes, "C:\\r\\");
    EXPECT_EQ(lignes[0], "DefaultExportPath=C:\\\\r\\\\");
    EXPECT_EQ(lignes[1], "Path=C:\\\\r\\\\");
    EXPECT_EQ(lignes[2], "TempDir=C:\\\\Temp\\\\Path=");
    EXPECT_EQ(lignes[3], "TempDir=");
    EXPECT_EQ(lignes[4], "  Path=x");

    regler_cles_vitesse(lignes, "C:\\v");
    EXPECT_EQ(lignes[0], "DefaultExportPath=C:\\\\r\\\\");  // the wave speed keeps it
    EXPECT_EQ(lignes[1], "Path=C:\\\\v");
    EXPECT_EQ(lignes[2], "TempDir=C:\\\\Temp\\\\Path=");
    EXPECT_EQ(lignes[3], "TempDir=");
}

TEST(PreferencesAudacity, WaveSpeedAfterStickSlipKeepsOnlyAudacity2sExportLine) {
    auto lignes = modele();
    inserer_cles_dossiers(lignes);
    regler_cles_patin(lignes, "C:\\docs\\patin_tracte\\");
    regler_cles_vitesse(lignes, "C:\\docs\\vitesse_ondes");
    const std::string v = "C:\\\\docs\\\\vitesse_ondes", r = "C:\\\\docs\\\\patin_tracte\\\\";
    verifier_lignes(lignes, 110, {{9, "DefaultOpenPath=" + v},
                                  {10, "TempDir="},
                                  {17, "RecordChannels=2"},
                                  {99, "DefaultExportPath=" + r},
                                  {100, "Path=" + v},
                                  {101, "DefaultProjectSampleRate=22050"},
                                  {104, "DefaultProjectSampleRate=22050"},
                                  {102, "DefaultProjectSampleFormat=262159"},
                                  {105, "DefaultProjectSampleFormat=262159"},
                                  {107, "Default=" + v},
                                  {109, "Default=" + v}});
}
