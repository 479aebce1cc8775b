// The toolbar: a 128 x 26 borderless, always-on-top strip (yellow panel in a
// blue frame) through which everything else is reached. It moves itself: a
// drag by the frame, the panel or the label; a click opens the menu.
#pragma once

#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include "app/contexte.h"
#include "i18n/traduction.h"

namespace quorva {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(contexte& ctx);

    // Set by FormCreate when another copy is already running.
    bool refuse() const { return refuse_; }

    QWidget* Panel1 = nullptr;
    QLabel* Label4 = nullptr;
    QWidget* Shape1 = nullptr;
    QToolButton* SpeedButton3 = nullptr;  // language flag, hidden until the menu is translated
    QToolButton* SpeedButton1 = nullptr;  // "X", hidden for the whole run
    QTimer Timer_deb, Timer_saute, Timer_place, Timer_surveille;
    // Looks at the lock of a shared program folder's Audacity preferences
    // (audacity/lancement_audacity.h).
    QTimer Timer_verrou;

    // The menu the toolbar opens; whoever builds it hands it here.
    void installer_menu(QMenu* menu) { PopupMenu1_ = menu; }
    // Opens the menu with its top-left corner at a screen point.
    void ouvrir_PopupMenu1(QPoint point);
    // Where the menu was opened last (for tests and the arrival animation).
    QPoint dernier_point_menu() const { return dernier_point_menu_; }
    int nb_ouvertures_menu() const { return nb_ouvertures_menu_; }

    // While an Audacity launch waits for another machine's lock, the toolbar
    // says so: `texte` as a tip under it, and as its tooltip while the wait
    // lasts; an empty text once it waits no more.
    void montrer_attente(const QString& texte);

    // The indicator the export watcher blinks.
    void colorer_Shape1(const QColor& couleur);

    void Label4Click();
    void Shape1MouseDown();
    void QuitterQuorva1Click();
    void SpeedButton1Click();  // the hidden "X": closes the toolbar, as Quit does
    void Timer_sauteTimer();
    void Timer_placeTimer();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    // Closing the toolbar ends the program, whatever other window is open.
    void closeEvent(QCloseEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    void creer_boutons();
    void FormCreate();
    void Timer_debTimer();
    void afficher_SpeedButton3(const etat_SpeedButton3& etat);
    bool souris(QWidget* controle, QEvent* evenement);

    contexte& ctx_;
    bool refuse_ = false;
    QPointer<QMenu> PopupMenu1_;
    QPoint dernier_point_menu_;
    int nb_ouvertures_menu_ = 0;
    QWidget* controle_presse_ = nullptr;  // the panel or label a click may come from
};

// A flag picture of the core (Speed_EN, Speed_FR) for SpeedButton3.
QPixmap drapeau(const image_drapeau& image);

class PopupMenu1;
// Builds the menu on the toolbar (installer_menu), installs the section
// windows and connects the quit and repaint hooks. Returns the menu.
PopupMenu1* branche_PopupMenu1(contexte& ctx, TForm1& form);

}  // namespace quorva
