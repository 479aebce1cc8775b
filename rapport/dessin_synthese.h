// The class summary drawn with Qt (the toolbar's "Class summary..." and
// quorva-rapport --class-report): A4 landscape pages, PDF as vectors or PNG
// at 300 dots per inch, the workbook beside them.
#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>
#include <string>

#include "base/services.h"
#include "rapport/synthese_classe.h"

namespace quorva {

// Draws page `page` (0 first) of the summary on a painter whose device is
// the A4 landscape page.
void dessiner_synthese(QPainter& peintre, const synthese_classe& s, int page, int langue, char separateur);

// The pages into chemin_page (PNG when it ends with ".png": one file per
// page, the second "<name>-2.png" and so on; PDF otherwise) and the
// summary's workbook beside them. erreur_quorva naming the file and the
// cause when one cannot be written.
void ecrire_synthese(services& ctx, const synthese_classe& s, const std::string& chemin_page, int langue);

// The toolbar's "Class summary...": asks for the folder (proposing
// `dossier_propose`), reads its recordings under a progress dialog, writes
// the summary in that folder (chemin_synthese_propose) and opens the page.
// `choisir` (tests) answers in place of the folder dialog (empty: cancelled).
void faire_synthese_classe(services& ctx, int langue, QWidget* parent, const std::string& dossier_propose,
                           const std::function<std::string(const std::string&)>& choisir = {});

}  // namespace quorva
