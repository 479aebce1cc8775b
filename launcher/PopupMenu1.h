// The toolbar's popup menu: a QMenu drawn from the core menu model
// (etat_menu::PopupMenu1). It is rebuilt from the model each time it opens, so
// captions, shown flags and added entries are always those of the model;
// every choice runs the core's lance_entree through the guard.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <vector>

#include "base/services.h"
#include "launcher/etat_menu.h"

namespace quorva {

class PopupMenu1 : public QMenu {
    Q_OBJECT
public:
    PopupMenu1(services& ctx, etat_menu& menu, QWidget* parent = nullptr);

    // Rebuilds the Qt menu from the model.
    void reconstruire();
    // Pops the menu up at a screen point (it rebuilds itself as it opens).
    void Popup(int x, int y);

    // The Qt action of a named entry after the last rebuild (tests).
    QAction* action(const QString& nom) const;

private:
    void remplir(QMenu* menu, std::vector<entree_menu>& entrees, std::vector<int> place);
    QIcon icone(icone_menu id) const;

    services& ctx_;
    etat_menu& menu_;
};

}  // namespace quorva
