// A practical-work section window: a borderless, always-on-top panel that
// draws one feuille_tp record of etat_sections and forwards its events (drag,
// close, double-click) to the core.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "base/services.h"
#include "launcher/etat_menu.h"
#include "sections/etat_sections.h"

namespace quorva {

class Tform_TP : public QWidget {
    Q_OBJECT
public:
    Tform_TP(services& ctx, etat_menu& menu, etat_sections& sections, int slot);

    // Redraws the window from its record: look, rows, size, place, shown.
    void affiche();
    int slot() const { return slot_; }
    const etat_sections& sections() const { return sections_; }

    QFrame* Shape1 = nullptr;
    QLabel* lab_nom_tp = nullptr;
    QPushButton* Speed_close = nullptr;
    QLabel* Lab_taille = nullptr;
    QListWidget* ListBox1 = nullptr;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    services& ctx_;
    etat_menu& menu_;
    etat_sections& sections_;
    int slot_;
};

// Installs the section windows into the sections' state: the text measures
// of Lab_taille's font and the hook that creates (at most 50) or refreshes
// the windows. The windows live as long as that hook, that is as the state.
void installe_feuilles_tp(services& ctx, etat_menu& menu, etat_sections& sections);
// The window of a slot, or nullptr when it was never created (tests).
Tform_TP* feuille_tp_qt(const etat_sections& sections, int slot);

}  // namespace quorva
