// The toolbar as the user meets it: real mouse events on the real window.
#include "app/TForm1.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/support/plateforme_factice.h"

using namespace quorva;

namespace {

class BarreOutils : public ::testing::Test {
protected:
    test::PlateformeFactice os;
    std::unique_ptr<contexte> ctx = std::make_unique<contexte>(os);
    std::unique_ptr<TForm1> barre = std::make_unique<TForm1>(*ctx);

    void SetUp() override {
        barre->Timer_deb.stop();
        barre->show();
        barre->move(300, 200);
        QApplication::processEvents();
    }

    // Sends a mouse event to a control, the pointer given in its coordinates.
    void souris(QWidget* controle, QEvent::Type type, QPoint p, Qt::MouseButton bouton = Qt::LeftButton) {
        const QPointF global = controle->mapToGlobal(QPointF(p));
        const Qt::MouseButtons boutons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(bouton);
        QMouseEvent evenement(type, QPointF(p), QPointF(p), global,
                              type == QEvent::MouseMove ? Qt::NoButton : bouton, boutons, Qt::NoModifier);
        QApplication::sendEvent(controle, &evenement);
    }

    // Press at (10, 5) on the control, moves of the pointer by the given
    // offsets from the press (in screen pixels), release where it ends.
    void glisser(QWidget* controle, std::initializer_list<QPoint> decalages) {
        const QPoint depart(10, 5);
        const QPoint depart_global = controle->mapToGlobal(depart);
        souris(controle, QEvent::MouseButtonPress, depart);
        QPoint dernier = depart;
        for (const QPoint& d : decalages) {
            // The window has moved with the pointer: the pointer is given in
            // the control as it stands now.
            dernier = controle->mapFromGlobal(depart_global + d);
            souris(controle, QEvent::MouseMove, dernier);
        }
        souris(controle, QEvent::MouseButtonRelease, dernier);
    }
};

}  // namespace

TEST_F(BarreOutils, IsA128By26StripTitledQuorva) {
    EXPECT_EQ(barre->size(), QSize(128, 26));
    EXPECT_EQ(barre->windowTitle(), "Quorva");
    EXPECT_EQ(barre->Panel1->geometry(), QRect(3, 3, 122, 20));
    EXPECT_EQ(barre->Label4->text(), "QUORVA (RQ)");
    EXPECT_TRUE(barre->Label4->font().bold());
    EXPECT_FALSE(barre->SpeedButton3->isVisible());
}

TEST_F(BarreOutils, ClickOnLabelOpensTheMenuBelowTheCornerUnlessDragged) {
    glisser(barre->Label4, {QPoint(3, 1)});  // 4 pixels: still a click
    EXPECT_EQ(barre->nb_ouvertures_menu(), 1);
    EXPECT_EQ(barre->pos(), QPoint(303, 201));
    EXPECT_EQ(barre->dernier_point_menu(), QPoint(303, 221));

    glisser(barre->Label4, {QPoint(3, 2)});  // 5 pixels: a drag
    EXPECT_EQ(barre->nb_ouvertures_menu(), 1);
    EXPECT_EQ(barre->pos(), QPoint(306, 203));

    glisser(barre->Panel1, {});  // the flag was cleared: a plain click opens
    EXPECT_EQ(barre->nb_ouvertures_menu(), 2);

    glisser(barre->Panel1, {QPoint(10, 0), QPoint(2, 0)});  // away and back
    EXPECT_EQ(barre->nb_ouvertures_menu(), 3);
}

TEST_F(BarreOutils, DragByTheFrameThenTwoClicks) {
    glisser(barre.get(), {QPoint(0, 10)});
    EXPECT_EQ(barre->pos(), QPoint(300, 210));
    EXPECT_EQ(barre->nb_ouvertures_menu(), 0);
    glisser(barre->Label4, {});
    EXPECT_EQ(barre->nb_ouvertures_menu(), 0);
    glisser(barre->Label4, {});
    EXPECT_EQ(barre->nb_ouvertures_menu(), 1);
}

TEST_F(BarreOutils, RightPressNeverMovesAndShapeOpensAtOnce) {
    souris(barre->Panel1, QEvent::MouseButtonPress, QPoint(10, 5), Qt::RightButton);
    souris(barre->Panel1, QEvent::MouseMove, QPoint(40, 25), Qt::RightButton);
    souris(barre->Panel1, QEvent::MouseButtonRelease, QPoint(40, 25), Qt::RightButton);
    EXPECT_EQ(barre->pos(), QPoint(300, 200));

    souris(barre->Shape1, QEvent::MouseButtonPress, QPoint(1, 1), Qt::MiddleButton);
    EXPECT_EQ(barre->nb_ouvertures_menu(), 1);
    EXPECT_EQ(barre->dernier_point_menu(), QPoint(300, 220));

    // A right press on the circle opens it once, below the corner.
    souris(barre->Shape1, QEvent::MouseButtonPress, QPoint(1, 1), Qt::RightButton);
    QContextMenuEvent menu_contextuel(QContextMenuEvent::Mouse, QPoint(1, 1), barre->Shape1->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(barre->Shape1, &menu_contextuel);
    EXPECT_EQ(barre->nb_ouvertures_menu(), 2);
    EXPECT_EQ(barre->dernier_point_menu(), QPoint(300, 220));
}

TEST_F(BarreOutils, ArrivalEndsInTheTopRightCornerWithTheMenuOpen) {
    for (int i = 0; i < 31; ++i) barre->Timer_sauteTimer();
    EXPECT_FALSE(barre->Timer_saute.isActive());
    EXPECT_TRUE(barre->Timer_place.isActive());
    for (int i = 0; i < 20; ++i) barre->Timer_placeTimer();
    EXPECT_FALSE(barre->Timer_place.isActive());
    const int largeur = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(barre->pos(), QPoint(largeur - 129, 18));
    EXPECT_EQ(barre->dernier_point_menu(), QPoint(largeur - 129, 38));
    EXPECT_EQ(barre->nb_ouvertures_menu(), 1);
}

TEST_F(BarreOutils, TheFlagShowsEvenWhenTheLanguagePreferenceCannotBeWritten) {
    // A file where the preference folder should be: the preference cannot
    // be written.
    os.ecrire(os.dossier_temporaire + "quorva", "x");
    QStringList messages;
    QTimer repondeur;
    QObject::connect(&repondeur, &QTimer::timeout, [&] {
        if (QWidget* boite = QApplication::activeModalWidget()) {
            if (auto* message = qobject_cast<QMessageBox*>(boite)) messages << message->text();
            boite->close();
        }
    });
    repondeur.start(20);
    barre->Timer_deb.start(0);
    for (int i = 0; i < 100 && messages.isEmpty(); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    repondeur.stop();
    barre->Timer_saute.stop();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("langue_quorva.txt")) << messages[0].toStdString();
    EXPECT_TRUE(barre->SpeedButton3->isVisible());
}

TEST_F(BarreOutils, CannotBeDraggedOffTheScreen) {
    const QRect ecran = QGuiApplication::primaryScreen()->geometry();
    glisser(barre->Label4, {QPoint(-3000, -3000)});
    EXPECT_EQ(barre->pos(), ecran.topLeft());
    glisser(barre->Panel1, {QPoint(5000, 5000)});
    EXPECT_EQ(barre->pos(), QPoint(ecran.right() + 1 - largeur_toujours_visible, ecran.bottom() + 1 - barre->height()));
}
