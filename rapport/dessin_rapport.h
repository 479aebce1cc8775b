// The report's page drawn with Qt (the chart's entry "Save the report..."
// and quorva-rapport, the conversion with --report, draw it with this one
// code): PDF as vectors, or PNG at 300 dots per inch.
#pragma once

#include <QPainter>
#include <QWidget>
#include <string>

#include "base/services.h"
#include "conversion/etat_conversion.h"
#include "rapport/page_rapport.h"

namespace quorva {

// Resolution of the PNG page (and of the PDF's coordinates).
constexpr int points_par_pouce_rapport = 300;

// Draws the page on a painter whose device is the A4 landscape page.
void dessiner_rapport(QPainter& peintre, const contenu_rapport& contenu, const etat_conversion& etat, char separateur);

// The report of the conversion state as it stands, for the recording
// chemin_wav, into chemin_rapport: PNG when its name ends with ".png"
// (whatever the case), PDF otherwise. Written through
// Plateforme::create_file: whole or not at all. A file that cannot be
// written raises erreur_quorva naming it and the cause (texte_cause_rapport).
void ecrire_rapport(services& ctx, const etat_conversion& etat, const std::string& chemin_wav,
                    const std::string& chemin_rapport, int langue);

// The chart's "Save the report...": a save dialog proposing
// <recording>.pdf beside the recording (and .png), then ecrire_rapport.
// `choisir` (tests) answers in place of the dialog: the proposed path in,
// the chosen one out (empty: cancelled).
void enregistrer_rapport(services& ctx, const etat_conversion& etat, int langue, QWidget& parent,
                         const std::function<std::string(const std::string&)>& choisir = {});

}  // namespace quorva
