// What the chart's window tests share: mouse and wheel events sent as the
// user makes them, and an answerer for the message boxes that the guard
// opens (so that no test ever waits on a modal box).
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <string>
#include <vector>

namespace quorva::test {

inline void souris(QWidget* cible, QEvent::Type type, int x, int y, Qt::MouseButton bouton = Qt::NoButton) {
    const QPointF local(x, y);
    const QPointF global = cible->mapToGlobal(local);
    QMouseEvent event(type, local, global, bouton, type == QEvent::MouseMove ? Qt::NoButton : bouton,
                      Qt::NoModifier);
    QApplication::sendEvent(cible, &event);
}

inline void deplacer(QWidget* cible, int x, int y = 80) { souris(cible, QEvent::MouseMove, x, y); }

inline void cliquer(QWidget* cible, int x, int y = 80, Qt::MouseButton bouton = Qt::LeftButton) {
    souris(cible, QEvent::MouseButtonPress, x, y, bouton);
    souris(cible, QEvent::MouseButtonRelease, x, y, bouton);
}

inline void clic_droit(QWidget* cible, int x, int y = 80) {
    souris(cible, QEvent::MouseButtonPress, x, y, Qt::RightButton);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(x, y), cible->mapToGlobal(QPoint(x, y)));
    QApplication::sendEvent(cible, &event);
}

// One wheel notch at `local` of `fenetre`, up (away from the user) or down.
inline void molette(QWidget* fenetre, QPoint local, bool haut, Qt::KeyboardModifiers modificateurs) {
    QWheelEvent event(QPointF(local), QPointF(fenetre->mapToGlobal(local)), QPoint(), QPoint(0, haut ? 120 : -120),
                      Qt::NoButton, modificateurs, Qt::NoScrollPhase, false);
    QApplication::sendEvent(fenetre, &event);
}

// Answers (OK) every message box that becomes modal while it lives, and
// keeps their texts.
class repondeur_boites {
public:
    repondeur_boites() {
        minuterie_.setInterval(10);
        QObject::connect(&minuterie_, &QTimer::timeout, [this] {
            if (auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                textes.push_back(boite->text().toStdString());
                boite->done(QMessageBox::Ok);
            }
        });
        minuterie_.start();
    }
    std::vector<std::string> textes;  // UTF-8

private:
    QTimer minuterie_;
};

}  // namespace quorva::test
