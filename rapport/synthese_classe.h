// The class summary: every group's recording of a practical side by side,
// for the teacher. From a folder (the practical's recording folder, each
// machine's folder under it on a share): one row per recording with the
// numbers of its own workbook (the tables that OK wrote from its marks
// file, or the detected ones), and every group's intervals and energies
// pooled into one relation. Nothing of the pupils' files is written.
//
// This part is plain C++: the rows, the pooled relation, the layout of the
// pages and the summary's workbook. rapport/dessin_synthese.h draws it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/services.h"
#include "conversion/etat_conversion.h"
#include "rapport/page_rapport.h"

namespace quorva {

struct ligne_synthese {
    std::string dossier;         // the folder that holds it under the chosen one ("" for the chosen one itself)
    std::string enregistrement;  // its file name
    std::string chemin;
    std::string date;            // when it was last written, local time
    bool lue = false;            // false: `cause` says why it could not be read
    std::string cause;
    bool validees = false;       // its marks file's marks; otherwise detected only
    int nb_evenements = 0;
    double intervalle_moyen = 0;  // seconds
    double energie_moyenne = 0;
    // The workbook's cached CORREL of each table, when it has one.
    std::optional<double> r_intervalles, r_debuts;
    std::vector<point_xy> points;  // (interval before in seconds, energy) of each event
};

struct synthese_classe {
    std::string dossier;
    std::vector<ligne_synthese> lignes;
    droite_ajustee commune;  // every row's points together
    int nb_points = 0;
    // Subfolders that could not be listed, or a folder gone meanwhile.
    std::vector<std::string> dossiers_perdus;
    int nb_illisibles() const;
};

// Reads every recording of `dossier` (enregistrements_du_dossier), each as
// its workbook holds it (lire_comme_classeur, at its marks file's
// reduction), one after the other, calling `apres` after each row. A
// recording that cannot be read is a row with its cause; a folder that
// disappears meanwhile is said in dossiers_perdus.
synthese_classe preparer_synthese(services& ctx, const std::string& dossier, int langue,
                                  const std::function<void(const ligne_synthese&, int rang, int total)>& apres = {});

// The line on the command line and under the progress bar: "3/40
// poste1\essai.wav: 12 events" or its cause.
std::string texte_ligne(const ligne_synthese& l, int rang, int total, int langue);

// The texts of the summary's page and workbook, in the program's language.
struct textes_synthese {
    std::string titre, sous_titre, vide, relation, axe_x, axe_y, coefficient, droite, perdus;
    std::vector<std::string> colonnes;  // the table's headings
    std::vector<std::string> notes;     // why a row's marks file was not read
};
textes_synthese textes_de_synthese(const synthese_classe& s, int langue, char separateur);

// The cells of a row as the page and the workbook show them (texts; the
// workbook writes the numbers as numbers).
std::vector<std::string> cellules(const ligne_synthese& l, int langue, char separateur);

// The page's table: how many rows each page holds (the first page has the
// plot beside its table).
constexpr int rangees_premiere_page = 26;
constexpr int rangees_page_suivante = 40;
int nb_pages_synthese(int nb_lignes);
// The first row (from 0) and the number of rows that page `page` (from 0) holds.
int premiere_rangee_synthese(int page);
int rangees_de_page_synthese(int page);

// The summary's page in the folder summarised: "synthese_classe.pdf"
// ("class_summary.pdf" in English).
std::string chemin_synthese_propose(Plateforme& os, const std::string& dossier, int langue);

// The summary's workbook beside its page (chemin_page with ".slk" in place of
// its extension), written as the recordings' workbooks are (the SYLK
// writer's text rule): a title row, the headings, a row per recording.
std::string chemin_classeur_synthese(const std::string& chemin_page);
void ecrire_classeur_synthese(const services& ctx, const synthese_classe& s, int langue, const std::string& chemin);

}  // namespace quorva
