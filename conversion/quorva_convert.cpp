// quorva-convert: the conversion without windows, for batch use and tests.
//
//   quorva-convert [--lang en|fr] [--program-folder DIR] [--factor N|auto]
//                  [--accept] [--report [FILE.pdf|FILE.png]] FILE.wav...
//   quorva-convert --help | --version
//
// For each recording: the display pass (no chart; an existing marks file is
// read as the chart reads it, only when it holds this recording's samples;
// --accept then does what the chart's OK does),
// then the workbook pass, FILE.wav.slk (also when the marks file cannot be
// read or written: that is said, and the command fails). One line per converted file on
// standard output; messages on standard error (and a warning when a
// workbook holds more samples than a spreadsheet shows); exit status 1 when
// any file was not converted, 2 for a wrong command line (the usage then
// goes to standard error; --help prints it on standard output, status 0;
// --version prints "quorva-convert <version>", status 0).
// --report: after each workbook, the pupil's one-page report of the
// recording as it was converted (FILE, or <recording>.pdf beside each
// recording; a report that cannot be written counts as a file not
// converted); quorva-convert hands such a command line over to
// quorva-rapport, which draws it (conversion/rapport_convert.h).
#include <cstdio>
#include <iostream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/nombres.h"
#include "base/plateforme.h"
#include "base/services.h"
#include "base/services_systeme.h"
#include "base/texte.h"
#include "conversion/classeur_sylk.h"
#include "conversion/fichier_pointes.h"
#include "conversion/pilote_conversion.h"
#include "conversion/rapport_convert.h"
#include "base/relance.h"

using namespace quorva;

namespace {

void usage(std::ostream& sortie) {
    sortie << "usage: quorva-convert [--lang en|fr] [--program-folder DIR] [--factor N|auto] [--accept] "
              "[--report [FILE.pdf|FILE.png]] FILE.wav...\n"
              "       quorva-convert --help | --version\n";
}

// A message of the program (CR line ends) for a terminal.
std::string pour_terminal(const std::string& texte) {
    std::string sortie = texte;
    for (auto& c : sortie)
        if (c == '\r') c = '\n';
    return sortie;
}

// The command line; `sortie`: the program ends at once with that status.
struct ligne_commande {
    std::optional<int> sortie;
    int langue = 1;
    std::string dossier_programme;
    bool facteur_auto = false, accepter = false;
    std::int32_t facteur = 1;
    std::vector<std::string> fichiers;
    bool rapport = false;
    std::string fichier_rapport;  // empty: <recording>.pdf beside each recording
};

ligne_commande lire_arguments(const std::vector<std::string>& argv) {
    ligne_commande l;
    const auto refus = [&l] {
        usage(std::cerr);
        l.sortie = 2;
        return l;
    };
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        const bool avec_valeur = i + 1 < argv.size();
        if (arg == "--lang" && avec_valeur) {
            const std::string langue = argv[++i];
            if (langue != "en" && langue != "fr") return refus();
            l.langue = langue == "en" ? 1 : 2;
        } else if (arg == "--program-folder" && avec_valeur) {
            l.dossier_programme = argv[++i];
        } else if (arg == "--factor" && avec_valeur) {
            const std::string f = argv[++i];
            if (f == "auto") l.facteur_auto = true;
            else if (!essai_entier(f, l.facteur) || l.facteur < 1) return refus();
        } else if (arg == "--help") {
            usage(std::cout);
            l.sortie = 0;
            return l;
        } else if (arg == "--version") {
            // The project's version, set once in the build.
            std::cout << "quorva-convert " QUORVA_VERSION "\n";
            l.sortie = 0;
            return l;
        } else if (arg == "--accept") {
            l.accepter = true;
        } else if (arg == "--report") {
            l.rapport = true;
            if (avec_valeur && est_nom_de_rapport(argv[i + 1])) l.fichier_rapport = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return refus();
        } else {
            l.fichiers.push_back(arg);
        }
    }
    if (l.fichiers.empty()) return refus();
    // One report file for several recordings would keep only the last.
    if (!l.fichier_rapport.empty() && l.fichiers.size() > 1) {
        std::cerr << "quorva-convert: --report FILE takes one recording (--report alone: FILE.wav.pdf beside each)\n";
        return refus();
    }
    return l;
}

}  // namespace

int main(int argc, char** argv) {
    const ligne_commande l = lire_arguments(arguments_programme(argc, argv));
    if (l.sortie) return *l.sortie;
    if (l.rapport && !rapport_convert::disponible) {
        const auto statut = relancer_voisin("quorva-rapport", argc, argv);
        if (!statut) {
            std::cerr << "quorva-convert: --report needs quorva-rapport beside quorva-convert, which cannot be started\n";
            return 1;
        }
        // Started and failed: its status is passed on, and a crash is said.
        if (!fin_normale(*statut)) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(*statut));
            std::cerr << "quorva-convert: quorva-rapport ended abnormally (status " << code << ")\n";
        }
        return static_cast<int>(*statut);
    }

    auto plateforme = creer_plateforme_systeme();
    services ctx(*plateforme);
    etat_conversion etat;
    // The program folder as Quorva itself finds it, unless given.
    ctx.chemins.chemin_appli =
        l.dossier_programme.empty() ? derive_chemin_appli(ctx.os) : avec_barre_finale(l.dossier_programme);
    ctx.afficher_message = [](const std::string& texte) { std::cerr << pour_terminal(texte) << "\n"; };

    interface_conversion ui;
    ui.langue = l.langue;
    ui.question_taille = [&](std::int32_t, int, std::int32_t, std::int32_t, std::int64_t) {
        return l.facteur_auto ? reponse_diminuer : reponse_poursuivre;
    };
    // A marks file that cannot be read or written is reported, as the chart
    // does, and the workbook is still written; the command fails at the end.
    std::string affiche;
    bool pointes_en_echec = false;
    // Where the workbook's events come from, for the report's heading.
    origine_pointes origine = origine_pointes::detectees;
    const auto signaler = [&](const auto& action) {
        try {
            action();
        } catch (const erreur_quorva& e) {
            std::cerr << affiche << ": " << pour_terminal(e.what()) << "\n";
            pointes_en_echec = true;
        }
    };
    ui.montrer_graphique = [&] {
        // As the chart does one second after it opens: the marks file of
        // another recording is left out, and said.
        signaler([&] {
            const accord_pointes accord = Readmarks(ctx, etat);
            if (accord == accord_pointes::autre_enregistrement)
                std::cerr << pour_terminal(etat.fichier_pointes) << ": marks file of another recording, not read\n";
            if (accord == accord_pointes::lues) origine = origine_pointes::validees;
        });
        if (l.accepter) {
            signaler([&] { valider_pointes(ctx, etat); });  // the chart's OK
            origine = origine_pointes::validees;
        }
    };
    options_conversion options;
    options.facteur_division = l.facteur_auto ? 1 : l.facteur;
    options.ouvrir_classeur = false;

    int echecs = 0;
    for (const auto& chemin : l.fichiers) {
        affiche = pour_terminal(chemin);
        pointes_en_echec = false;
        origine = origine_pointes::detectees;
        try {
            const auto resultat = convertir(ctx, etat, chemin, ui, options);
            if (pointes_en_echec) ++echecs;
            if (resultat.lecture == resultat_lecture::ignore)
                std::cerr << affiche << ": not a RIFF/WAVE recording, ignored\n";
            if (!resultat.classeur_ecrit) {
                ++echecs;
                continue;
            }
            std::cout << affiche << ": " << etat.nb_pointes << " events, niveau_base "
                      << format_reel(etat.niveau_base) << ", coefficient_a " << format_reel(etat.coefficient_a)
                      << "\n";
            // Kept whole, as asked, but the spreadsheet will not show it all.
            if (depasse_tableur(etat.nb_lignes_classeur))
                std::cerr << affiche << ": warning: " << etat.nb_lignes_classeur
                          << " samples kept, but Excel and LibreOffice Calc show only the first "
                          << echantillons_max_tableur << " (rows " << premiere_ligne_echantillons << " to "
                          << lignes_tableur << "): the end of the workbook is cut off (--factor auto keeps fewer)\n";
            if (l.rapport) {
                const std::string rapport = l.fichier_rapport.empty() ? chemin + ".pdf" : l.fichier_rapport;
                // The page of the workbook just written: its own tables.
                rapport_convert::ecrire(ctx, etat, tables_ecrites(etat), origine, chemin, rapport, l.langue);
                std::cout << affiche << ": report " << pour_terminal(rapport) << "\n";
            }
        } catch (const erreur_quorva& e) {
            std::cerr << affiche << ": " << pour_terminal(e.what()) << "\n";
            ++echecs;
        }
    }
    rapport_convert::terminer();
    std::cout.flush();
    return echecs == 0 ? 0 : 1;
}
