// What the conversion tests share: a context on the fake platform whose
// program folder holds the real base workbooks, and a recorded interface.
#pragma once

#include <string>
#include <vector>

#include "app/contexte.h"
#include "bench/generateur_wav.h"
#include "conversion/lecture_wav.h"
#include "conversion/pilote_conversion.h"
#include "tests/support/plateforme_factice.h"

namespace quorva::test {

// "é" in a workbook: its texts are in the encoding of the system's spreadsheets.
#ifdef _WIN32
inline const char* const e_aigu = "\xE9";
#else
inline const char* const e_aigu = "\xC3\xA9";
#endif

struct banc_conversion {
    PlateformeFactice os;
    contexte ctx{os};
    interface_conversion ui;
    std::vector<std::string> messages;
    std::vector<std::string> evenements;  // hooks called, in order
    int pas_progression = 0;
    int reponse = reponse_poursuivre;
    std::vector<std::int32_t> questions;  // size, bits, factor, values of each question
    std::vector<std::int64_t> gardes;     // samples "Poursuivre" keeps, per question

    explicit banc_conversion(char separateur = '.') {
        os.separateur = separateur;
        ctx.separateur_decimal = separateur;
        ctx.chemins.chemin_appli = os.racine() + "prog\\";
        for (const char* nom : {"patin_tracte_base.slk", "patin_tracte_base_EN.slk"}) {
            PlateformeFactice source;
            os.ecrire(os.racine() + "prog/fic_quorva/" + nom,
                      source.lire(std::string(QUORVA_DONNEES_CONVERSION) + "/" + nom));
        }
        ctx.afficher_message = [this](const std::string& t) { messages.push_back(t); };
        ui.avance_progression = [this] { ++pas_progression; };
        ui.question_taille = [this](std::int32_t taille, int bits, std::int32_t f, std::int32_t nb, std::int64_t garde) {
            questions.insert(questions.end(), {taille, bits, f, nb});
            gardes.push_back(garde);
            return reponse;
        };
        ui.montrer_graphique = [this] { evenements.push_back("graphique"); };
        ui.masquer_patience = [this] { evenements.push_back("masquer"); };
        ui.montrer_patience = [this] { evenements.push_back("montrer"); };
    }

    std::string chemin(const std::string& nom) { return os.racine() + nom; }

    // Writes a recording and converts it (the workbook is not opened).
    resultat_conversion convertit(const std::string& nom, const std::string& octets, std::int32_t facteur = 1) {
        os.ecrire(chemin(nom), octets);
        return convertir(ctx, ctx.conversion, chemin(nom), ui, {facteur, "", false});
    }
};

// A burst of `longueur` loud samples after `silence` quiet ones, repeated.
inline std::vector<std::int16_t> rafales(const std::vector<std::pair<int, int>>& silence_longueur, int fin_silence) {
    std::vector<std::int16_t> v;
    for (auto [silence, longueur] : silence_longueur) {
        v.insert(v.end(), static_cast<std::size_t>(silence), 0);
        v.insert(v.end(), static_cast<std::size_t>(longueur), 10000);  // energy 100 per sample
    }
    v.insert(v.end(), static_cast<std::size_t>(fin_silence), 0);
    return v;
}


}  // namespace quorva::test
