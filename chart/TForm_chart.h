// The event-marking chart: the recording as a black curve (or, where a pixel
// column holds several samples, their range) with its slip events as red
// marks, a time ruler under it and a status line. The user zooms (Ctrl +
// wheel, "+" / "-") and scrolls (Shift + wheel), moves, adds and deletes
// marks with the mouse or the keyboard, undoes and redoes, saves or reads
// them, may show the detector's energy and snap marks to the onsets, and
// closes with OK (valider_pointes: events rebuilt from the marks, marks
// saved) or Cancel (the tables as the chart opened with them, nothing
// saved). A thin view over chart/vue_courbe.h,
// chart/historique_pointes.h and the conversion state.
#pragma once

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "base/services.h"
#include "chart/commandes_pointes.h"
#include "conversion/etat_conversion.h"
#include "chart/dessin_courbe.h"
#include "chart/historique_pointes.h"
#include "chart/vue_courbe.h"

namespace quorva {

class TForm_chart;

// The drawing surface: shows the bitmap that affich_courbe draws and hands
// its mouse events to the chart.
class Image_courbe : public QWidget {
public:
    Image_courbe(TForm_chart& chart, QWidget* parent);
    QImage bitmap;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TForm_chart& chart_;
};

// The time ruler under the image: paints the ticks that the chart computed.
class Regle_temps : public QWidget {
public:
    explicit Regle_temps(QWidget* parent);
    std::vector<graduation> reperes;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TForm_chart : public QDialog {
    Q_OBJECT
public:
    // The chart of a conversion's state; its texts follow the program's
    // language (1 English, 2 French) as it stands when they are shown.
    TForm_chart(services& ctx, etat_conversion& conversion, const int& langue, QWidget* parent = nullptr);

    // The opening by the display pass: view over the whole recording, drawn,
    // caption fichier_en_cours, then shown modally until OK or Cancel.
    // Returns the modal result (QDialog::Accepted for OK).
    int montrer_modal();
    // Opening steps without the modal loop (used by montrer_modal, and by
    // tests that drive the window shown normally).
    void ouvrir();

    // Draws the view into Image1 and shows pas_trace in Label1.
    void affich_courbe();

    // Event handlers, public so that the window tests can reach them as the
    // user would.
    void Image1MouseMove(int x);
    void Image1MouseDown(Qt::MouseButton bouton, int x);
    void Image1ContextPopup(const QPoint& global);
    void Addamark1Click();
    void Deletethemark1Click();
    void Savemarks1Click();
    void Readmarks1Click();
    void BitBtn1Click();  // OK
    void BitBtn2Click();  // Cancel
    void Timer2Timer();
    void FormMouseWheel(bool vers_haut, int x_image, Qt::KeyboardModifiers modificateurs);
    void Annuler1Click();   // Undo
    void Retablir1Click();  // Redo
    void Accrocher1Click(bool actif);
    void Detecteur1Click(bool actif);
    void Copierimage1Click();   // "Copy the image", Ctrl+C: the view on the clipboard
    void Compterendu1Click();   // "Save the report..."

    vue_courbe vue;
    historique_pointes historique;
    bool accroche = false;  // "Snap marks to the onset"

    Image_courbe* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QTimer Timer2;
    QMenu* PopupMenu1 = nullptr;
    QAction* Addamark1 = nullptr;
    QAction* Deletethemark1 = nullptr;
    QAction* Savemarks1 = nullptr;
    QAction* Readmarks1 = nullptr;
    QAction* Annuler1 = nullptr;
    QAction* Retablir1 = nullptr;
    QAction* Accrocher1 = nullptr;
    QAction* Detecteur1 = nullptr;
    QAction* Copierimage1 = nullptr;
    QAction* Compterendu1 = nullptr;
    // "Save the report...": asks where and writes the page (the report is
    // drawn above the chart, which only offers the entry); the entry is
    // hidden while it is empty.
    std::function<void(TForm_chart&)> enregistrer_compte_rendu;
    Regle_temps* Regle1 = nullptr;
    // The status line: position under the mouse, what the pupil changed,
    // the last confirmation; each whole as its tooltip.
    QLabel* Label_position = nullptr;
    QLabel* Label_resume = nullptr;
    QLabel* Label_message = nullptr;

    // Called once the modal loop of montrer_modal runs; tests answer the
    // chart through it (click OK or Cancel), so that it never blocks.
    std::function<void(TForm_chart&)> repondeur;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool suivant) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void done(int resultat) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void FormShow();
    void message(const std::string& texte);
    void lire(bool automatique);
    void suivre_placement(int x);
    bool touche(QKeyEvent* event);
    void deplacer_selection(bool vers_gauche, bool par_colonne);
    void inserer_pointe();
    void echap();
    void creer_boutons();
    void creer_memo();
    void creer_menu();
    void dire(const std::string& texte);
    void ecrire_etat(QLabel* partie, const std::string& texte);
    void disposer_etat(QLabel* partie);
    void montrer_position_pointe();
    int langue() const;

    services& ctx_;
    etat_conversion& conv_;
    const int& langue_;
    trace_courbe trace_;
    tampons_dessin tampons_;
    int reste_molette_ = 0;  // part of a wheel notch not yet acted on
    pointes_ouverture ouverture_;  // what Cancel gives back to the workbook pass
};

}  // namespace quorva
