// The report's page drawn with Qt (the chart's entry "Save the report..."
// and quorva-rapport, the conversion with --report, draw it with this one
// code): PDF as vectors, or PNG at 300 dots per inch.
#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "base/services.h"
#include "conversion/etat_conversion.h"
#include "rapport/page_rapport.h"

namespace quorva {

// Resolution of the PNG page (and of the PDF's coordinates).
constexpr int points_par_pouce_rapport = 300;

// Draws the page on a painter whose device is the A4 landscape page.
void dessiner_rapport(QPainter& peintre, const contenu_rapport& contenu, const etat_conversion& etat, char separateur);

// One series of a scatter plot: its points, and its fitted line when it has one.
struct serie_nuage {
    std::vector<point_xy> points;
    QColor couleur = QColor(200, 0, 0);
    int forme = 0;  // its marker: 0 disc, 1 square, 2 triangle, 3 cross
    bool avec_droite = false;
    double pente = 0, ordonnee = 0;  // y = pente * x + ordonnee
};

// A point's marker of a series, centred on `centre`, about 2 * rayon wide.
void dessiner_marqueur(QPainter& peintre, QPointF centre, const QColor& couleur, int forme, double rayon);

// The font of a page's texts (DejaVu Sans, `taille` points), read back from
// a PDF letter for letter.
void police_page(QPainter& peintre, double taille, bool gras = false);

// Pages drawn by `dessiner` (painter, page number from 0) on A4 landscape:
// one PDF of nb_pages pages (`titre` its title), or one PNG per page at
// points_par_pouce_rapport. A page that cannot be drawn or encoded raises
// erreur_quorva (texte_echec_dessin naming `chemin`, in the page's language).
std::vector<std::string> octets_pages(int nb_pages, bool png, const std::string& titre, const std::string& chemin,
                                      int langue, const std::function<void(QPainter&, int)>& dessiner);

// A page's bytes into `chemin`, whole or not at all; a failure raises
// erreur_quorva naming the file and the cause, in the page's language.
void ecrire_page(services& ctx, const std::string& chemin, const std::string& octets, int langue);

// A scatter plot of one or several series in `cadre` (device units), with
// round ticks on both axes and their captions (the caller leaves room for
// the labels: about 40 points on the left, two text lines under it).
void dessiner_nuage(QPainter& peintre, const QRectF& cadre, const std::vector<serie_nuage>& series,
                    const QString& axe_x, const QString& axe_y, char separateur);

// The report of the recording chemin_wav (its samples in `etat`, its events
// in `tables`, origine said in the heading) into chemin_rapport: PNG when
// its name ends with ".png" (whatever the case), PDF otherwise. Written
// through Plateforme::create_file: whole or not at all, and only when the
// page was drawn whole. A file that cannot be written raises erreur_quorva
// naming it and the cause (raison_rapport).
void ecrire_rapport(services& ctx, const etat_conversion& etat, const tables_evenements& tables,
                    origine_pointes origine, const std::string& chemin_wav, const std::string& chemin_rapport,
                    int langue);

// The chart's "Save the report...": a save dialog proposing
// <recording>.pdf beside the recording (and .png), then ecrire_rapport of
// the marks as OK will write them (tables_reconstruites, avant_ok).
// `choisir` (tests) answers in place of the dialog: the proposed path in,
// the chosen one out (empty: cancelled).
void enregistrer_rapport(services& ctx, const etat_conversion& etat, int langue, QWidget& parent,
                         const std::function<std::string(const std::string&)>& choisir = {});

}  // namespace quorva
