// A practical-work section window: a borderless, always-on-top panel that
// draws one feuille_tp record of ctx.sections and forwards its events (drag,
// close, double-click) to the core.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "app/contexte.h"

namespace quorva {

class Tform_TP : public QWidget {
    Q_OBJECT
public:
    Tform_TP(contexte& ctx, int slot);

    // Redraws the window from its record: look, rows, size, place, shown.
    void affiche();
    int slot() const { return slot_; }
    const contexte& contexte_() const { return ctx_; }

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
    contexte& ctx_;
    int slot_;
};

// Installs the section windows into the context: the text measures of
// Lab_taille's font and the hook that creates (at most 50) or refreshes the
// windows. The windows live as long as that hook, that is as the context.
void installe_feuilles_tp(contexte& ctx);
// The window of a slot, or nullptr when it was never created (tests).
Tform_TP* feuille_tp_qt(contexte& ctx, int slot);

}  // namespace quorva
