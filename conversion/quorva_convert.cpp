// quorva-convert: the conversion without windows, for batch use and tests.
//
//   quorva-convert [--lang en|fr] [--program-folder DIR] [--factor N|auto]
//                  [--accept] [--report [FILE.pdf|FILE.png]] FILE.wav|DIR...
//   quorva-convert [--lang en|fr] [--factor N] --report-only [FILE.pdf|FILE.png] FILE.wav|DIR...
//   quorva-convert [--lang en|fr] --class-report DIR [FILE.pdf|FILE.png]
//   quorva-convert --help | --version
//
// A recording may be named by a pattern ("*.wav", expanded here: Windows'
// command prompt hands it over as it is) or by a folder (its recordings and
// those of its subfolders one level down, conversion/liste_enregistrements.h).
// Without --lang, the language the toolbar saved (English when it saved
// none); without --factor, the reduction at which the recording's own
// marks file holds its samples (facteur_des_pointes), else every sample.
//
// For each recording: the display pass (no chart); a marks file of this
// recording's samples gives the workbook's tables, as OK rebuilds them
// (pointes_du_classeur); --accept then saves them, as the chart's OK does. A marks file that cannot be read (damaged,
// of another recording or another reduction) is said and kept as it is;
// the workbook is still written from the detected marks, and the command
// fails. Then the workbook pass, FILE.wav.slk.
// --report: after each workbook, the recording's page from the same tables
// (FILE, or <recording>.pdf beside each recording). --report-only: the
// pages alone, nothing else written. --class-report: the class summary
// of a folder (rapport/synthese_classe.h).
// One line per file on standard output; messages on standard error (and a
// warning when a workbook holds more samples than a spreadsheet shows);
// exit status 1 when anything failed or was not read, 2 for a wrong command
// line (the usage then goes to standard error; --help prints it on standard
// output, status 0; --version prints "quorva-convert <version>", status 0).
// The pages are drawn by quorva-rapport, to which quorva-convert hands such
// a command line over (conversion/rapport_convert.h).
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/langue_enregistree.h"
#include "base/nombres.h"
#include "base/plateforme.h"
#include "base/relance.h"
#include "base/services.h"
#include "base/services_systeme.h"
#include "base/texte.h"
#include "conversion/classeur_sylk.h"
#include "conversion/detection.h"
#include "conversion/fichier_pointes.h"
#include "conversion/liste_enregistrements.h"
#include "conversion/pilote_conversion.h"
#include "conversion/rapport_convert.h"

using namespace quorva;

namespace {

void usage(std::ostream& sortie) {
    sortie << "usage: quorva-convert [--lang en|fr] [--program-folder DIR] [--factor N|auto] [--accept] "
              "[--report [FILE.pdf|FILE.png]] FILE.wav|DIR...\n"
              "       quorva-convert [--lang en|fr] [--factor N] --report-only [FILE.pdf|FILE.png] FILE.wav|DIR...\n"
              "       quorva-convert [--lang en|fr] --class-report DIR [FILE.pdf|FILE.png]\n"
              "       quorva-convert --help | --version\n";
}

// A message of the program (CR line ends) for a terminal.
std::string pour_terminal(const std::string& texte) {
    std::string sortie = texte;
    for (auto& c : sortie)
        if (c == '\r') c = '\n';
    return sortie;
}

enum class mode_commande { conversion, pages, synthese };

// The command line; `sortie`: the program ends at once with that status.
struct ligne_commande {
    std::optional<int> sortie;
    mode_commande mode = mode_commande::conversion;
    std::optional<int> langue;  // --lang; otherwise the toolbar's
    std::string dossier_programme;
    bool facteur_auto = false, accepter = false;
    std::optional<std::int32_t> facteur;  // --factor N
    std::vector<std::string> fichiers;    // recordings, patterns, folders (DIR of --class-report)
    bool rapport = false;
    std::string fichier_rapport;  // empty: <recording>.pdf beside each recording
};

const char* const pas_un_seul = "a page's file takes one recording (without it: FILE.wav.pdf beside each)";
const char* const pas_un_wav = ": not a RIFF/WAVE recording, ignored";
const char* const pointes_non_lues = ": marks file of another recording or of another reduction, not read";

// Reads the command line; `existe`: whether a file or folder of that name exists.
class lecteur_arguments {
public:
    lecteur_arguments(const std::vector<std::string>& argv, std::function<bool(const std::string&)> existe)
        : argv_(argv), existe_(std::move(existe)) {}

    ligne_commande lire() {
        for (i_ = 0; i_ < argv_.size() && !l_.sortie; ++i_) option(argv_[i_]);
        if (!l_.sortie) verifier();
        return l_;
    }

private:
    bool valeur_suit() const { return i_ + 1 < argv_.size(); }

    void refus(const std::string& raison = {}) {
        if (!raison.empty()) std::cerr << "quorva-convert: " << raison << "\n";
        usage(std::cerr);
        l_.sortie = 2;
    }

    // The page's file after --report or --report-only, when one is given.
    // A value that is no .pdf or .png, nor a recording, is refused rather
    // than converted as a recording.
    void fichier_page() {
        if (!valeur_suit()) return;
        const std::string& suivant = argv_[i_ + 1];
        if (est_nom_de_rapport(suivant)) {
            l_.fichier_rapport = argv_[++i_];
        } else if (suivant.empty() || (suivant[0] != '-' && !finit_par(minuscules_ascii(suivant), ".wav") &&
                                       suivant.find_first_of("*?") == std::string::npos && !existe_(suivant))) {
            refus(argv_[i_] + " " + suivant + ": a page's file name ends in .pdf or .png");
        }
    }

    void option(const std::string& arg) {
        if (arg == "--lang" && valeur_suit()) {
            const std::string langue = argv_[++i_];
            if (langue != "en" && langue != "fr") return refus();
            l_.langue = langue == "en" ? 1 : 2;
        } else if (arg == "--program-folder" && valeur_suit()) {
            l_.dossier_programme = argv_[++i_];
        } else if (arg == "--factor" && valeur_suit()) {
            const std::string f = argv_[++i_];
            std::int32_t facteur = 0;
            if (f == "auto") l_.facteur_auto = true;
            else if (essai_entier(f, facteur) && facteur >= 1) l_.facteur = facteur;
            else return refus();
        } else if (arg == "--help" || arg == "--version") {
            // The project's version, set once in the build.
            if (arg == "--help") usage(std::cout);
            else std::cout << "quorva-convert " QUORVA_VERSION "\n";
            l_.sortie = 0;
        } else if (arg == "--accept") {
            l_.accepter = true;
        } else if (arg == "--report" || arg == "--report-only") {
            l_.rapport = true;
            if (arg == "--report-only") l_.mode = mode_commande::pages;
            fichier_page();
        } else if (arg == "--class-report" && valeur_suit()) {
            l_.mode = mode_commande::synthese;
            l_.fichiers.push_back(argv_[++i_]);
            if (valeur_suit() && est_nom_de_rapport(argv_[i_ + 1])) l_.fichier_rapport = argv_[++i_];
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            refus();
        } else {
            l_.fichiers.push_back(arg);
        }
    }

    // What the options say together.
    void verifier() {
        if (l_.fichiers.empty()) return refus();
        const bool pages = l_.mode == mode_commande::pages, synthese = l_.mode == mode_commande::synthese;
        if ((pages || synthese) && (l_.accepter || l_.facteur_auto))
            return refus("--report-only and --class-report write pages only: no --accept, no --factor auto");
        if (synthese && (l_.fichiers.size() > 1 || l_.rapport || l_.facteur))
            return refus("--class-report takes one folder, and its page's file after it");
        // One page file for several recordings would keep only the last
        // (a folder or a pattern is refused when it gives more than one).
        if (!synthese && !l_.fichier_rapport.empty() && l_.fichiers.size() > 1)
            return refus(pas_un_seul);
    }

    const std::vector<std::string>& argv_;
    std::function<bool(const std::string&)> existe_;
    std::size_t i_ = 0;
    ligne_commande l_;
};

// --- The services ---------------------------------------------------------------

// The program folder as Quorva itself finds it, unless given; the
// temporary folder where the toolbar keeps its language; messages on the
// error output. Returns the language of the pages and workbooks.
int preparer(services& ctx, const ligne_commande& l) {
    remplir_dossiers_programme(ctx);
    if (!l.dossier_programme.empty()) ctx.chemins.chemin_appli = avec_barre_finale(l.dossier_programme);
    ctx.afficher_message = [](const std::string& texte) { std::cerr << pour_terminal(texte) << "\n"; };
    if (l.langue) return *l.langue;
    try {
        return langue_enregistree(ctx).value_or(1) == 2 ? 2 : 1;
    } catch (const erreur_quorva&) {
        return 1;  // a damaged preference: English, as the toolbar starts then
    }
}

// The recordings the arguments name, in their order; a pattern or folder
// that gives none is said and counted as a failure.
std::vector<std::string> enregistrements(services& ctx, const ligne_commande& l, int& echecs) {
    std::vector<std::string> chemins;
    for (const auto& argument : l.fichiers) {
        const auto trouves = enregistrements_argument(ctx.os, argument);
        if (trouves.empty()) {
            std::cerr << pour_terminal(argument) << ": no recording (.wav) there\n";
            ++echecs;
        }
        chemins.insert(chemins.end(), trouves.begin(), trouves.end());
    }
    return chemins;
}

// The reduction of a recording: --factor, else its marks file's, else none.
std::int32_t facteur_de(const services& ctx, const ligne_commande& l, const std::string& chemin) {
    if (l.facteur) return *l.facteur;
    if (l.facteur_auto) return 1;
    return facteur_des_pointes(ctx, chemin).value_or(1);
}

std::string page_de(const ligne_commande& l, const std::string& chemin) {
    return l.fichier_rapport.empty() ? chemin + ".pdf" : l.fichier_rapport;
}

// --- One recording converted ------------------------------------------------------

// The chart's part without a chart: the workbook's tables from the marks
// file (or detected); --accept saves them as OK does. A marks file that
// cannot be read is said and kept. Returns whether the
// tables are validated marks (the marks file's, or accepted).
class sans_graphique {
public:
    sans_graphique(services& ctx, etat_conversion& etat, bool accepter)
        : ctx_(ctx), etat_(etat), accepter_(accepter) {}

    std::string affiche;
    bool echec = false, validees = false;
    origine_pointes origine() const { return validees ? origine_pointes::validees : origine_pointes::detectees; }

    void operator()() {
        echec = validees = false;
        accord_pointes accord = accord_pointes::absent;
        try {
            accord = pointes_du_classeur(ctx_, etat_);
            if (accord == accord_pointes::autre_enregistrement)
                signaler(pour_terminal(etat_.fichier_pointes) + pointes_non_lues);
        } catch (const erreur_quorva& e) {
            accord = accord_pointes::autre_enregistrement;
            signaler(affiche + ": " + pour_terminal(e.what()));
        }
        validees = accord == accord_pointes::lues;
        if (!accepter_) return;
        if (accord == accord_pointes::autre_enregistrement) {
            // OK's tables from the detected marks, but the pupil's file stays.
            reconstruit_pointes(etat_);
            std::cerr << pour_terminal(etat_.fichier_pointes) << ": kept as it is, not replaced\n";
            return;
        }
        validees = true;
        try {
            valider_pointes(ctx_, etat_);  // the chart's OK
        } catch (const erreur_quorva& e) {
            signaler(affiche + ": " + pour_terminal(e.what()));
        }
    }

private:
    void signaler(const std::string& ligne) {
        std::cerr << ligne << "\n";
        echec = true;
    }

    services& ctx_;
    etat_conversion& etat_;
    bool accepter_;
};

// What a converted recording's line says, and the warning of a workbook
// longer than a spreadsheet shows (kept whole, as asked).
void dire_converti(const std::string& affiche, const etat_conversion& etat) {
    std::cout << affiche << ": " << etat.nb_pointes << " events, niveau_base " << format_reel(etat.niveau_base)
              << ", coefficient_a " << format_reel(etat.coefficient_a) << "\n";
    if (depasse_tableur(etat.nb_lignes_classeur))
        std::cerr << affiche << ": warning: " << etat.nb_lignes_classeur
                  << " samples kept, but Excel and LibreOffice Calc show only the first " << echantillons_max_tableur
                  << " (rows " << premiere_ligne_echantillons << " to " << lignes_tableur
                  << "): the end of the workbook is cut off (--factor auto keeps fewer)\n";
}

// Converts one recording (and draws its page); false when anything failed.
bool convertir_un(services& ctx, etat_conversion& etat, const ligne_commande& l, int langue,
                  const std::string& chemin) {
    sans_graphique graphique(ctx, etat, l.accepter);
    graphique.affiche = pour_terminal(chemin);
    interface_conversion ui;
    ui.langue = langue;
    ui.question_taille = [&](std::int32_t, int, std::int32_t, std::int32_t, std::int64_t) {
        return l.facteur_auto ? reponse_diminuer : reponse_poursuivre;
    };
    ui.montrer_graphique = std::ref(graphique);
    options_conversion options;
    options.facteur_division = facteur_de(ctx, l, chemin);
    options.ouvrir_classeur = false;
    const auto resultat = convertir(ctx, etat, chemin, ui, options);
    if (resultat.lecture == resultat_lecture::ignore)
        std::cerr << graphique.affiche << pas_un_wav << "\n";
    if (!resultat.classeur_ecrit) return false;
    dire_converti(graphique.affiche, etat);
    if (l.rapport) {
        const std::string page = page_de(l, chemin);
        rapport_convert::ecrire(ctx, etat, tables_ecrites(etat), graphique.origine(), chemin, page, langue);
        std::cout << graphique.affiche << ": report " << pour_terminal(page) << "\n";
    }
    return !graphique.echec;
}

// The page of one recording as its workbook holds it; nothing else written.
bool page_seule(services& ctx, etat_conversion& etat, const ligne_commande& l, int langue,
                const std::string& chemin) {
    interface_conversion ui;
    ui.langue = langue;
    options_conversion options;
    options.facteur_division = facteur_de(ctx, l, chemin);
    const lecture_classeur lu = lire_comme_classeur(ctx, etat, chemin, ui, options);
    const std::string affiche = pour_terminal(chemin);
    if (lu.lecture != resultat_lecture::accepte) {
        if (lu.lecture == resultat_lecture::ignore) std::cerr << affiche << pas_un_wav << "\n";
        return false;
    }
    if (!lu.erreur_pointes.empty()) std::cerr << affiche << ": " << pour_terminal(lu.erreur_pointes) << "\n";
    if (lu.accord == accord_pointes::autre_enregistrement)
        std::cerr << pour_terminal(etat.fichier_pointes) << pointes_non_lues << "\n";
    const std::string page = page_de(l, chemin);
    rapport_convert::ecrire(ctx, etat, tables_ecrites(etat),
                            lu.accord == accord_pointes::lues ? origine_pointes::validees : origine_pointes::detectees,
                            chemin, page, langue);
    std::cout << affiche << ": report " << pour_terminal(page) << "\n";
    return lu.erreur_pointes.empty() && lu.accord != accord_pointes::autre_enregistrement;
}

// Each recording in turn, an error said and counted; returns the failures.
int pour_chaque(services& ctx, const ligne_commande& l, int langue,
                bool (*traiter)(services&, etat_conversion&, const ligne_commande&, int, const std::string&)) {
    int echecs = 0;
    etat_conversion etat;
    const auto chemins = enregistrements(ctx, l, echecs);
    if (chemins.size() > 1 && !l.fichier_rapport.empty()) {
        std::cerr << "quorva-convert: " << pas_un_seul << "\n";
        return 1;
    }
    for (const auto& chemin : chemins) {
        try {
            if (!traiter(ctx, etat, l, langue, chemin)) ++echecs;
        } catch (const erreur_quorva& e) {
            std::cerr << pour_terminal(chemin) << ": " << pour_terminal(e.what()) << "\n";
            ++echecs;
        }
    }
    return echecs;
}

// The class summary of one folder; returns the failures.
int synthese(services& ctx, const ligne_commande& l, int langue) {
    const std::string& dossier = l.fichiers[0];
    if (!ctx.os.folder_exists(dossier)) {
        std::cerr << pour_terminal(dossier) << ": no such folder\n";
        return 1;
    }
    int illisibles = 0;
    try {
        const std::string page = rapport_convert::synthese(
            ctx, dossier, l.fichier_rapport, langue,
            [](const std::string& ligne) { std::cout << pour_terminal(ligne) << std::endl; }, illisibles);
        std::cout << pour_terminal(page) << "\n";
        return illisibles;
    } catch (const erreur_quorva& e) {
        std::cerr << pour_terminal(dossier) << ": " << pour_terminal(e.what()) << "\n";
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    auto plateforme = creer_plateforme_systeme();
    const ligne_commande l = lecteur_arguments(arguments_programme(argc, argv), [&](const std::string& nom) {
                                 return plateforme->file_exists(nom) || plateforme->folder_exists(nom);
                             }).lire();
    if (l.sortie) return *l.sortie;
    if ((l.rapport || l.mode != mode_commande::conversion) && !rapport_convert::disponible) {
        const auto statut = relancer_voisin("quorva-rapport", argc, argv);
        if (!statut) {
            std::cerr << "quorva-convert: pages need quorva-rapport beside quorva-convert, which cannot be started\n";
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
    services ctx(*plateforme);
    const int langue = preparer(ctx, l);
    const int echecs = l.mode == mode_commande::synthese ? synthese(ctx, l, langue)
                       : l.mode == mode_commande::pages  ? pour_chaque(ctx, l, langue, page_seule)
                                                         : pour_chaque(ctx, l, langue, convertir_un);
    rapport_convert::terminer();
    std::cout.flush();
    return echecs == 0 ? 0 : 1;
}
