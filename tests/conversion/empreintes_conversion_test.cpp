// The conversion's outputs, byte for byte: a set of recordings (the demo
// recording, the shapes the other tests use, generated ones of every size
// class) converted in both languages, with reductions and with the chart's
// OK, against the digests checked in beside this file. A digest that moves
// is a change of the workbooks or marks files that users get: only a
// deliberate change may update empreintes_conversion.txt (the failure
// message gives the new lines).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <sstream>

#include "conversion/fichier_pointes.h"
#include "conversion/detection.h"
#include "tests/conversion/outils_conversion.h"

namespace quorva::test {
namespace {

namespace gen = quorva::generateur;

// 64-bit FNV-1a: enough to tell two outputs apart, and the same everywhere.
std::string empreinte(const std::string& octets) {
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : octets) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    char texte[17];
    std::snprintf(texte, sizeof texte, "%016llx", static_cast<unsigned long long>(h));
    return texte;
}

enum class marques { aucune, ok, deplacee };

struct cas {
    const char* nom;
    std::function<std::string()> enregistrement;
    int langue = 1;
    int reponse = reponse_poursuivre;  // the size dialog's answer
    std::int32_t facteur = 1;          // facteur_division before the conversion
    marques chart = marques::aucune;
    char separateur = '.';
};

std::string patin(std::int64_t n, std::uint64_t graine) { return gen::wav(gen::patin(n, graine)); }

// Eight slips in 60,000 samples, far apart.
std::string huit_rafales() {
    std::vector<std::pair<int, int>> motif(8, {7000, 120});
    auto v = rafales(motif, 0);
    v.resize(60000, 0);
    return gen::wav(v);
}

std::string demo() {
    PlateformeFactice source;
    return source.lire(std::string(QUORVA_DONNEES_CONVERSION) + "/TP/TP_patin_tracte/patin_tracte_demo.wav");
}

const std::vector<cas>& les_cas() {
    static const std::vector<cas> tous = {
        {"demo_en", demo},
        {"demo_fr_ok", demo, 2, reponse_poursuivre, 1, marques::ok},
        {"demo_fr_deplacee", demo, 2, reponse_poursuivre, 1, marques::deplacee},
        {"vide_en", [] { return patin(0, 1); }},
        {"p59_fr", [] { return patin(59, 1); }, 2},
        {"p95_en_ok", [] { return patin(95, 2); }, 1, reponse_poursuivre, 1, marques::ok},
        {"p1000_fr_virgule", [] { return patin(1000, 3); }, 2, reponse_poursuivre, 1, marques::ok, ','},
        {"p6000_en", [] { return patin(6000, 11); }},
        {"p20000_en_f3_ok", [] { return patin(20000, 3); }, 1, reponse_poursuivre, 3, marques::ok},
        {"p32000_en", [] { return patin(32000, 7); }},
        {"p32000_fr_ok", [] { return patin(32000, 12); }, 2, reponse_poursuivre, 1, marques::ok},
        {"p32100_en_ok", [] { return patin(32100, 8); }, 1, reponse_poursuivre, 1, marques::ok},
        {"p32101_fr_ok", [] { return patin(32101, 9); }, 2, reponse_poursuivre, 1, marques::ok},
        {"p60000_en_ok", huit_rafales, 1, reponse_poursuivre, 1, marques::ok},
        {"p60000_fr_diminuer_ok", huit_rafales, 2, reponse_diminuer, 1, marques::ok},
        {"p100000_en_diminuer", [] { return patin(100000, 21); }, 1, reponse_diminuer},
        {"p100000_fr_f3_ok", [] { return patin(100000, 21); }, 2, reponse_poursuivre, 3, marques::ok},
        {"rafales2_en_ok", [] { return gen::wav(rafales({{300, 50}, {300, 50}}, 300)); }, 1, reponse_poursuivre, 1,
         marques::ok},
        {"rafales105_fr_ok", [] { return gen::wav(rafales(std::vector<std::pair<int, int>>(105, {280, 10}), 300)); },
         2, reponse_poursuivre, 1, marques::ok},
        // A trailing LIST chunk and an odd byte after the data chunk.
        {"liste_impair_en", [] { return patin(4000, 5) + "LIST\x04\0\0\0abcdZ"; }},
    };
    return tous;
}

// Converts one case as the drivers do; returns its outputs by name.
std::map<std::string, std::string> sorties(const cas& c) {
    banc_conversion b(c.separateur);
    b.reponse = c.reponse;
    b.ui.langue = c.langue;
    const std::string wav = b.chemin("essai.wav");
    b.os.ecrire(wav, c.enregistrement());
    auto& etat = b.ctx.conversion;
    const auto deux_passes = [&](marques chart) {
        b.ui.montrer_graphique = [&, chart] {
            Readmarks(b.ctx, b.ctx.conversion);  // as the chart does one second after it opens
            if (chart == marques::aucune) return;
            if (chart == marques::deplacee && etat.nb_pointes >= 2) etat.pointes[2].x += 37.4;
            reconstruit_pointes(etat);
            Savemarks(b.ctx, b.ctx.conversion);
        };
        convertir(b.ctx, etat, wav, b.ui, {c.facteur, "", false});
    };
    // A moved mark is moved in the marks file of an earlier conversion.
    if (c.chart == marques::deplacee) deux_passes(marques::ok);
    deux_passes(c.chart);
    std::map<std::string, std::string> r{{"slk", b.os.lire(wav + ".slk")}};
    if (c.chart != marques::aucune) r["txt"] = b.os.lire(wav + ".txt");
    return r;
}

std::map<std::string, std::string> empreintes_attendues() {
    std::map<std::string, std::string> attendues;
    PlateformeFactice source;  // reads the source tree's file on every system
    std::istringstream fichier(source.lire(QUORVA_EMPREINTES_CONVERSION));
    for (std::string ligne; std::getline(fichier, ligne);) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        std::istringstream champs(ligne);
        std::string cle, taille, valeur;
        if (ligne.empty() || ligne[0] == '#' || !(champs >> cle >> taille >> valeur)) continue;
        attendues[cle] = taille + " " + valeur;
    }
    return attendues;
}

TEST(EmpreintesConversion, WorkbooksAndMarksFilesKeepTheirBytes) {
    const auto attendues = empreintes_attendues();
    EXPECT_FALSE(attendues.empty()) << "no digests in " << QUORVA_EMPREINTES_CONVERSION;
    std::string fraiches;
    int differentes = 0;
    for (const auto& c : les_cas()) {
        for (const auto& [extension, octets] : sorties(c)) {
            const std::string cle = std::string(c.nom) + "." + extension;
            const std::string obtenue = std::to_string(octets.size()) + " " + empreinte(octets);
            fraiches += cle + " " + obtenue + "\n";
            // The workbook's texts are in the system's encoding: a digest
            // of this system's own, where it has one.
#ifdef _WIN32
            auto trouvee = attendues.find(cle + "@windows");
#else
            auto trouvee = attendues.find(cle + "@linux");
#endif
            if (trouvee == attendues.end()) trouvee = attendues.find(cle);
            if (trouvee == attendues.end() || trouvee->second != obtenue) {
                ++differentes;
                ADD_FAILURE() << cle << ": " << obtenue << ", checked in: "
                              << (trouvee == attendues.end() ? "none" : trouvee->second);
            }
        }
    }
    if (differentes > 0) std::cout << "The digests of this build:\n" << fraiches;
}

}  // namespace
}  // namespace quorva::test
