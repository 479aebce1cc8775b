// quorva-convert: the conversion without windows, for batch use and tests.
//
//   quorva-convert [--lang en|fr] [--program-folder DIR] [--factor N|auto]
//                  [--accept] FILE.wav...
//
// For each recording: the display pass (no chart; an existing marks file is
// read as the chart reads it; --accept then does what the chart's OK does),
// then the workbook pass, FILE.wav.slk. One line per converted file on
// standard output; messages on standard error; exit status 1 when any file
// was not converted, 2 for a wrong command line (the usage then goes to
// standard error; --help prints it on standard output, status 0).
#include <cstdio>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "app/base/chemins.h"
#include "app/base/erreur.h"
#include "app/base/nombres.h"
#include "app/base/plateforme.h"
#include "app/base/services.h"
#include "app/base/services_systeme.h"
#include "app/base/texte.h"
#include "conversion/fichier_pointes.h"
#include "conversion/pilote_conversion.h"

using namespace quorva;

namespace {

void usage(std::ostream& sortie) {
    sortie << "usage: quorva-convert [--lang en|fr] [--program-folder DIR] [--factor N|auto] [--accept] "
              "FILE.wav...\n";
}

// A wrong command line: the usage on standard error, status 2.
int mauvais_usage() {
    usage(std::cerr);
    return 2;
}

// A message of the program (cp1252, CR line ends) for a terminal.
std::string pour_terminal(const std::string& texte) {
    std::string sortie = cp1252_vers_utf8(texte);
    for (auto& c : sortie)
        if (c == '\r') c = '\n';
    return sortie;
}

}  // namespace

int main(int argc, char** argv) {
    int langue = 1;
    std::string dossier_programme;
    bool facteur_auto = false, accepter = false;
    std::int32_t facteur = 1;
    std::vector<std::string> fichiers;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool avec_valeur = i + 1 < argc;
        if (arg == "--lang" && avec_valeur) {
            const std::string l = argv[++i];
            if (l == "en") langue = 1;
            else if (l == "fr") langue = 2;
            else return mauvais_usage();
        } else if (arg == "--program-folder" && avec_valeur) {
            dossier_programme = utf8_vers_cp1252(argv[++i]);
        } else if (arg == "--factor" && avec_valeur) {
            const std::string f = argv[++i];
            if (f == "auto") facteur_auto = true;
            else if (!essai_entier(f, facteur) || facteur < 1) return mauvais_usage();
        } else if (arg == "--help") {
            usage(std::cout);
            return 0;
        } else if (arg == "--accept") {
            accepter = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return mauvais_usage();
        } else {
            fichiers.push_back(utf8_vers_cp1252(arg));
        }
    }
    if (fichiers.empty()) return mauvais_usage();

    auto plateforme = creer_plateforme_systeme();
    services ctx(*plateforme);
    etat_conversion etat;
    // The program folder as Quorva itself finds it, unless given.
    ctx.chemins.chemin_appli =
        dossier_programme.empty() ? derive_chemin_appli(ctx.os) : avec_barre_finale(dossier_programme);
    ctx.afficher_message = [](const std::string& texte) { std::cerr << pour_terminal(texte) << "\n"; };

    interface_conversion ui;
    ui.langue = langue;
    ui.question_taille = [&](std::int32_t, int, std::int32_t, std::int32_t) {
        return facteur_auto ? reponse_diminuer : reponse_poursuivre;
    };
    ui.montrer_graphique = [&] {
        Readmarks(ctx, etat);                      // as the chart does one second after it opens
        if (accepter) valider_pointes(ctx, etat);  // the chart's OK
    };
    options_conversion options;
    options.facteur_division = facteur_auto ? 1 : facteur;
    options.ouvrir_classeur = false;

    int echecs = 0;
    for (const auto& chemin : fichiers) {
        const std::string affiche = pour_terminal(chemin);
        try {
            const auto resultat = convertir(ctx, etat, chemin, ui, options);
            if (resultat.lecture == resultat_lecture::ignore)
                std::cerr << affiche << ": not a RIFF/WAVE recording, ignored\n";
            if (!resultat.classeur_ecrit) {
                ++echecs;
                continue;
            }
            std::cout << affiche << ": " << etat.nb_pointes << " events, niveau_base "
                      << format_reel(etat.niveau_base) << ", coefficient_a " << format_reel(etat.coefficient_a)
                      << "\n";
        } catch (const erreur_quorva& e) {
            std::cerr << affiche << ": " << pour_terminal(e.what()) << "\n";
            ++echecs;
        }
    }
    std::cout.flush();
    return echecs == 0 ? 0 : 1;
}
