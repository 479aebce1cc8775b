// Stand-in for Audacity in the whole-program tests under Wine, built as
// audacity.exe and placed where the local copy lives (fic_quorva\audacity\).
// Like Audacity it reads the preferences Quorva wrote beside it
// ("Portable Settings\audacity.cfg"); it checks that they ask for the rate,
// channels and sample format the test expects, then "records": it exports
// the test's recording into the export folder those preferences name, the
// file created first and written a moment later, as Audacity does.
//
// What the test expects sits beside it in remplacant.txt:
//   frequence=1000  canaux=1  format=131073  source=Z:\...\recording.wav
// (one key=value a line; the source's own header must say the same rate and
// channels, 16-bit). Everything it found, and "exported" or "refused: why",
// goes to remplacant.log beside it (the file REMPLACANT_JOURNAL names there
// when set: machines sharing the copy). Its window, titled "Audacity" like
// Audacity's, shows once the preferences are read, until the export is
// written. Exit status 0 once exported.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

std::string dossier_programme() {
    char chemin[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, chemin, MAX_PATH);
    std::string s = chemin;
    // Started from a share, Wine names it "UNC\server\share\...".
    if (s.rfind("UNC\\", 0) == 0) s.replace(0, 3, "\\");
    return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string lire(const std::string& fichier) {
    std::ifstream f(fichier, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

// key=value lines; under a "[section]" line a key is read as section/key.
std::map<std::string, std::string> cles(const std::string& texte) {
    std::map<std::string, std::string> resultat;
    std::istringstream lignes(texte);
    std::string ligne, section;
    while (std::getline(lignes, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        if (!ligne.empty() && ligne.front() == '[') {
            section = ligne.substr(1, ligne.find(']') - 1) + "/";
            continue;
        }
        const auto egal = ligne.find('=');
        if (egal == std::string::npos) continue;
        const std::string cle = ligne.substr(0, egal);
        if (!resultat.count(cle)) resultat[cle] = ligne.substr(egal + 1);
        resultat[section + cle] = ligne.substr(egal + 1);
    }
    return resultat;
}

// Audacity's preferences double every backslash; the folder without its
// trailing one.
std::string dossier_audacity(std::string valeur) {
    std::string s;
    for (std::size_t i = 0; i < valeur.size(); ++i) {
        s += valeur[i];
        if (valeur[i] == '\\' && i + 1 < valeur.size() && valeur[i + 1] == '\\') ++i;
    }
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

unsigned lire_entier(const std::string& o, std::size_t position, int taille) {
    unsigned v = 0;
    for (int i = taille - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(o[position + i]);
    return v;
}

}  // namespace

int main() {
    const std::string ici = dossier_programme();
    const char* nom_journal = std::getenv("REMPLACANT_JOURNAL");
    std::ofstream journal(ici + (nom_journal ? nom_journal : "remplacant.log"), std::ios::binary);
    auto refus = [&journal](const std::string& pourquoi) {
        journal << "refused: " << pourquoi << "\n";
        return 1;
    };
    auto attendu = cles(lire(ici + "remplacant.txt"));
    auto cfg = cles(lire(ici + "Portable Settings\\audacity.cfg"));
    if (cfg.empty()) return refus("no preferences in Portable Settings\\audacity.cfg");

    const std::string frequence = cfg["DefaultProjectSampleRate"], canaux = cfg["RecordChannels"],
                      format = cfg["DefaultProjectSampleFormat"];
    journal << "rate=" << frequence << "\nchannels=" << canaux << "\nformat=" << format << "\n";
    if (frequence != attendu["frequence"]) return refus("rate " + frequence + ", " + attendu["frequence"] + " expected");
    if (canaux != attendu["canaux"]) return refus("channels " + canaux + ", " + attendu["canaux"] + " expected");
    if (format != attendu["format"]) return refus("format " + format + ", " + attendu["format"] + " expected");

    // The export folder: Audacity 2's key, else the folder Audacity last
    // opened (the wave-speed entry leaves the export key alone).
    std::string dossier = dossier_audacity(cfg["DefaultExportPath"]);
    if (dossier.empty()) dossier = dossier_audacity(cfg["Directories/Open/Default"]);
    journal << "export=" << dossier << "\n";
    if (dossier.empty() || GetFileAttributesA(dossier.c_str()) == INVALID_FILE_ATTRIBUTES)
        return refus("no export folder");

    const std::string enregistrement = lire(attendu["source"]);
    if (enregistrement.size() < 44 || enregistrement.compare(0, 4, "RIFF") != 0) return refus("no source recording");
    if (std::to_string(lire_entier(enregistrement, 22, 2)) != canaux ||
        std::to_string(lire_entier(enregistrement, 24, 4)) != frequence || lire_entier(enregistrement, 34, 2) != 16)
        return refus("the source recording is not what the preferences ask for");
    journal.flush();

    CreateWindowExW(0, L"STATIC", L"Audacity", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr,
                    nullptr, nullptr);
    const std::string exporte = dossier + "\\essai.wav";
    Sleep(2000);
    { std::ofstream vide(exporte, std::ios::binary); }
    Sleep(1000);
    {
        std::ofstream sortie(exporte, std::ios::binary | std::ios::trunc);
        sortie.write(enregistrement.data(), static_cast<std::streamsize>(enregistrement.size()));
        if (!sortie) return refus("cannot write " + exporte);
    }
    journal << "exported\n";
    return 0;
}
