// What every window shares: texts between the program (UTF-8) and Qt, the
// message boxes, and the guard every Qt event handler runs through.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <utility>

#include "base/garde.h"
#include "base/services.h"

class QObject;
class QWidget;

namespace quorva {

// A text of the program for Qt, and back: the one place where texts cross
// between them.
QString qt(const std::string& utf8);
std::string utf8(const QString& texte);

// A message box with one OK button above whatever window the user is
// looking at (the toolbar and the chart stay on top of the others, and a
// box hidden behind them would block the program without the user seeing
// why). CR line ends allowed.
void montrer_erreur(const std::string& texte);
void montrer_message(const std::string& texte);
void montrer_information(const std::string& texte);
// The same box with Retry and Cancel: true for Retry.
bool demander_reessayer(const std::string& texte);

// The routines' message hooks on these boxes: a refusal shows the warning
// icon, guidance the information icon, an error the error icon.
void brancher_boites_message(services& ctx);

// Keeps the program's windows whole on the screen that holds the toolbar,
// at every display scaling: each top-level window (dialogs, section windows,
// message boxes...) is placed when it shows by placer_fenetre
// (base/placement_fenetre.h) inside that screen's available area, frame
// included, and checked again once the window system has framed it and
// whenever it changes size while it shows. A window narrows down to its
// minimum width when the screen is too narrow for it (it lays itself out
// again in its resize event); the next time it shows it asks for its own
// width again. Installed once, for the whole program, by the returned
// object's life; the toolbar keeps its own rules.
std::unique_ptr<QObject> garder_fenetres_sur_ecran(const QWidget& barre);

// Runs an event handler through the guard: an error ends the handler and is
// shown in an error box, and the program goes on.
template <class F>
bool gere(F&& gestionnaire) {
    return garde(montrer_erreur, std::forward<F>(gestionnaire));
}

}  // namespace quorva
