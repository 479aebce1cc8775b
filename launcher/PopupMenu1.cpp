#include "launcher/PopupMenu1.h"

#include <QApplication>
#include <QImage>
#include <QStyle>

#include "base/fenetres_qt.h"
#include "base/texte.h"
#include "launcher/menu.h"

namespace quorva {

namespace {

// Menu captions are plain texts: "&" would mark a shortcut in Qt, and a tab
// would start a shortcut column. A caption from a broken translation file can
// be very long: the menu shows its beginning (the model keeps it whole).
QString texte_menu(const std::string& caption) {
    constexpr std::size_t longueur_max = 250;
    QString texte = qt(caption.substr(0, longueur_max));
    if (caption.size() > longueur_max) texte += QChar(0x2026);
    return texte.replace('&', "&&").replace('\t', ' ');
}

}  // namespace

PopupMenu1::PopupMenu1(services& ctx, etat_menu& menu, QWidget* parent) : QMenu(parent), ctx_(ctx), menu_(menu) {
    setObjectName("PopupMenu1");
    reconstruire();
    // Captions, flags and added entries change under the menu (language,
    // re-scans): it is drawn again from the model each time it opens.
    connect(this, &QMenu::aboutToShow, this, [this] { gere([this] { reconstruire(); }); });
}

QIcon PopupMenu1::icone(icone_menu id) const {
    QStyle* s = style();
    switch (id) {
        case icone_menu::aucune: return {};
        case icone_menu::information: return s->standardIcon(QStyle::SP_MessageBoxInformation);
        case icone_menu::document: return s->standardIcon(QStyle::SP_FileIcon);
        case icone_menu::presentation: return s->standardIcon(QStyle::SP_FileDialogContentsView);
        case icone_menu::tableur: return s->standardIcon(QStyle::SP_FileDialogDetailedView);
        case icone_menu::film: return s->standardIcon(QStyle::SP_MediaPlay);
        case icone_menu::programme: return s->standardIcon(QStyle::SP_ComputerIcon);
        case icone_menu::audacity: return s->standardIcon(QStyle::SP_MediaVolume);
        case icone_menu::conversion: return s->standardIcon(QStyle::SP_BrowserReload);
        case icone_menu::dossier: return s->standardIcon(QStyle::SP_DirIcon);
        case icone_menu::section: return s->standardIcon(QStyle::SP_FileDialogListView);
        case icone_menu::google_earth: return s->standardIcon(QStyle::SP_DriveNetIcon);
        case icone_menu::voir: return s->standardIcon(QStyle::SP_FileDialogInfoView);
        case icone_menu::quitter: return s->standardIcon(QStyle::SP_DialogCloseButton);
    }
    return {};
}

void PopupMenu1::reconstruire() {
    clear();
    // clear() leaves the submenus; drop them (later: one may be the sender of
    // the action being handled).
    for (QMenu* ancien : findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        ancien->setParent(nullptr);
        ancien->deleteLater();
    }
    remplir(this, menu_.PopupMenu1, {});
}

void PopupMenu1::remplir(QMenu* menu, std::vector<entree_menu>& entrees, std::vector<int> place) {
    for (std::size_t i = 0; i < entrees.size(); ++i) {
        entree_menu& e = entrees[i];
        place.push_back(static_cast<int>(i));
        QAction* action = nullptr;
        if (e.caption == "-") {
            action = menu->addSeparator();
        } else if (e.est_sous_menu || !e.sous_menu.empty()) {
            QMenu* sous = new QMenu(texte_menu(e.caption), this);
            sous->setIcon(icone(e.icone));
            remplir(sous, e.sous_menu, place);
            action = menu->addMenu(sous);
        } else {
            action = menu->addAction(icone(e.icone), texte_menu(e.caption));
            connect(action, &QAction::triggered, this, [this, place] {
                gere([&] {
                    if (entree_menu* choisie = entree_a(menu_, place)) lance_entree(ctx_, menu_, *choisie);
                });
            });
        }
        action->setObjectName(qt(e.nom));
        action->setVisible(e.visible);
        action->setEnabled(e.enabled);
        place.pop_back();
    }
}

void PopupMenu1::Popup(int x, int y) { popup(QPoint(x, y)); }

QAction* PopupMenu1::action(const QString& nom) const {
    for (QAction* a : findChildren<QAction*>())
        if (a->objectName() == nom) return a;
    for (QMenu* m : findChildren<QMenu*>())
        for (QAction* a : m->actions())
            if (a->objectName() == nom) return a;
    return nullptr;
}

}  // namespace quorva
