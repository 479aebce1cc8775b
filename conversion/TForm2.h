// The size dialog: a recording too long for the spreadsheet. The user keeps
// every sample ("Poursuivre"), divides the sampling rate by the proposed
// factor ("Diminuer") or cancels the conversion. Captions in French only.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>


namespace quorva {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Modal results: 1 "Poursuivre", 3 "Diminuer", 2 Cancel / Escape / closed.
    static constexpr int resultat_poursuivre = 1;
    static constexpr int resultat_annuler = 2;
    static constexpr int resultat_diminuer = 3;

    // Shows the proposed factor and the number of values it gives (and,
    // when the nb_poursuivre samples "Poursuivre" keeps are more than a
    // spreadsheet shows, a line that says so), then the dialog modally;
    // returns 1, 2 or 3.
    int demander(std::int32_t facteur, std::int32_t nb_valeurs, std::int64_t nb_poursuivre = 0);

    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Lab_div_par = nullptr;
    QLabel* Lab_nb_val = nullptr;
    QLabel* Lab_tableur = nullptr;  // the spreadsheet warning, under "Poursuivre"
    QPushButton* BitBtn1 = nullptr;  // Cancel
    QPushButton* BitBtn2 = nullptr;  // Poursuivre
    QPushButton* BitBtn3 = nullptr;  // Diminuer

    // Called once the modal loop runs; tests answer the dialog through it.
    std::function<void(TForm2&)> repondeur;

protected:
    void done(int resultat) override;

private:
    void creer_diminuer(const QFont& narrow);
    void montrer_avertissement(const std::string& texte);

    // The widgets under the "Poursuivre" row with their place without the
    // warning, and the dialog's height then.
    std::vector<std::pair<QWidget*, int>> sous_poursuivre_;
    int hauteur_sans_avertissement_ = 0;
};

}  // namespace quorva
