// The toolbar's popup menu: a QMenu drawn from the core menu model
// (ctx.menu.PopupMenu1). It is rebuilt from the model each time it opens, so
// captions, shown flags and added entries are always those of the model;
// every choice runs the core's lance_entree through the guard.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <vector>

#include "app/contexte.h"
#include "i18n/traduction.h"

namespace quorva {

class PopupMenu1 : public QMenu {
    Q_OBJECT
public:
    PopupMenu1(contexte& ctx, QWidget* parent = nullptr);

    // Rebuilds the Qt menu from the model.
    void reconstruire();
    // Pops the menu up at a screen point (it rebuilds itself as it opens).
    void Popup(int x, int y);

    // A flag picture of the core (Speed_EN, Speed_FR) for SpeedButton3.
    static QPixmap drapeau(const image_drapeau& image);

    // The Qt action of a named entry after the last rebuild (tests).
    QAction* action(const QString& nom) const;

private:
    void remplir(QMenu* menu, std::vector<entree_menu>& entrees, std::vector<int> place);
    QIcon icone(icone_menu id) const;

    contexte& ctx_;
};

class TForm1;

// Builds the menu on the toolbar (installer_menu), installs the section
// windows and connects the quit and repaint hooks. Returns the menu.
PopupMenu1* branche_PopupMenu1(contexte& ctx, TForm1& form);

}  // namespace quorva
