// The size dialog: a recording too long for the spreadsheet. The user keeps
// every sample ("Poursuivre"), divides the sampling rate by the proposed
// factor ("Diminuer") or cancels the conversion. Captions in French only.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <functional>


namespace quorva {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Modal results: 1 "Poursuivre", 3 "Diminuer", 2 Cancel / Escape / closed.
    static constexpr int resultat_poursuivre = 1;
    static constexpr int resultat_annuler = 2;
    static constexpr int resultat_diminuer = 3;

    // Shows the proposed factor and the number of values it gives, then the
    // dialog modally; returns 1, 2 or 3.
    int demander(std::int32_t facteur, std::int32_t nb_valeurs);

    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Lab_div_par = nullptr;
    QLabel* Lab_nb_val = nullptr;
    QPushButton* BitBtn1 = nullptr;  // Cancel
    QPushButton* BitBtn2 = nullptr;  // Poursuivre
    QPushButton* BitBtn3 = nullptr;  // Diminuer

    // Called once the modal loop runs; tests answer the dialog through it.
    std::function<void(TForm2&)> repondeur;

protected:
    void done(int resultat) override;

private:
    void creer_diminuer(const QFont& narrow);
};

}  // namespace quorva
