#include "conversion/TForm2.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QTextLayout>
#include <QTimer>

#include "base/fenetres_qt.h"
#include "base/texte.h"
#include "conversion/classeur_sylk.h"

namespace quorva {

namespace {


QLabel* etiquette(QWidget* parent, const char* nom, const std::string& texte, const QFont& police) {
    auto* label = new QLabel(qt(texte), parent);
    label->setObjectName(nom);
    label->setFont(police);
    return label;
}

void regle(QWidget* parent, int y) {
    auto* trait = new QFrame(parent);
    trait->setFrameShape(QFrame::HLine);
    trait->setFrameShadow(QFrame::Sunken);
    trait->setGeometry(8, y, 403, 2);
}

// The room the spreadsheet warning takes under "Poursuivre", when shown.
constexpr int hauteur_avertissement = 40;

// The buttons' places and sizes are multiples of 4 pixels: whole screen
// pixels at every usual scaling (125, 150, 175, 200 %). At 125 % a button
// on a half pixel was drawn without its bottom border.
constexpr int x_bouton = 316, largeur_bouton = 96, hauteur_bouton = 28;

// The sentence of the "Diminuer" row, cut where the proposed factor goes.
const std::string debut_diminuer = "Diminuer la fréquence d'acquisition en la divisant par";
const std::string blanc_diminuer = "         ";
const std::string fin_diminuer = "et obtenir  un";

// Where character `indice` of a word-wrapped text falls (top-left of its
// line), laid out as a word-wrapping label of that width lays it out.
QPointF position_du_blanc(const QString& texte, const QFont& police, int largeur, int indice) {
    QTextLayout disposition(texte, police);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    disposition.setTextOption(option);
    disposition.beginLayout();
    qreal y = 0;
    for (QTextLine ligne = disposition.createLine(); ligne.isValid(); ligne = disposition.createLine()) {
        ligne.setLineWidth(largeur);
        ligne.setPosition(QPointF(0, y));
        y += ligne.height();
    }
    disposition.endLayout();
    const QTextLine ligne = disposition.lineForTextPosition(indice);
    if (!ligne.isValid()) return {};
    return QPointF(ligne.cursorToX(indice), ligne.y());
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName("Form2");
    setWindowTitle("Quorva");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setGeometry(431, 220, 419, 219);
    setFixedSize(size());

    // The fonts of the dialog, or fonts of about their width where they are
    // missing.
    QFont tahoma;
    tahoma.setFamilies({"Tahoma", "Liberation Sans", "Arial", "Nimbus Sans"});
    tahoma.setPixelSize(16);
    QFont narrow;
    narrow.setFamilies({"Arial Narrow", "Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed"});
    narrow.setPixelSize(16);

    Label2 = etiquette(this, "Label2", "Le fichier semble trop gros pour Excel 6: faut-il ?", tahoma);
    Label2->setWordWrap(true);
    Label2->setGeometry(8, 6, 403, 40);
    regle(this, 50);

    Label3 = etiquette(this, "Label3", "Poursuivre magré tout ?", narrow);
    Label3->setGeometry(8, 60, 290, 24);
    BitBtn2 = new QPushButton("Poursuivre", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(x_bouton, 56, largeur_bouton, hauteur_bouton);
    // Keeping every sample of a very long recording makes a workbook longer
    // than a spreadsheet shows: said here, under the choice it is about.
    QFont petite = narrow;
    petite.setPixelSize(14);
    Lab_tableur = etiquette(this, "Lab_tableur", "", petite);
    Lab_tableur->setWordWrap(true);
    Lab_tableur->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Lab_tableur->setStyleSheet("color: #a00000");
    Lab_tableur->setGeometry(8, 88, 403, hauteur_avertissement - 4);
    Lab_tableur->hide();
    regle(this, 92);

    creer_diminuer(narrow);
    regle(this, 172);

    Label6 = etiquette(this, "Label6", "Annuler la conversion", narrow);
    Label6->setGeometry(8, 184, 290, 24);
    BitBtn1 = new QPushButton("Cancel", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(x_bouton, 180, largeur_bouton, hauteur_bouton);

    // Everything below the "Poursuivre" row moves down when the warning shows.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != Lab_tableur && w->y() > Lab_tableur->y()) sous_poursuivre_.push_back({w, w->y()});
    hauteur_sans_avertissement_ = height();

    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(resultat_poursuivre); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { done(resultat_diminuer); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(resultat_annuler); });
}

// The "Diminuer" line. The factor sits in the blank of the sentence:
// Lab_div_par is placed over it, wherever the wrapping of the font in use
// puts it.
void TForm2::creer_diminuer(const QFont& narrow) {
    Label4 = etiquette(this, "Label4", debut_diminuer + blanc_diminuer + fin_diminuer, narrow);
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setGeometry(8, 98, 300, 44);
    Lab_div_par = etiquette(this, "Lab_div_par", "1   ", narrow);
    Lab_div_par->setStyleSheet("font-weight: bold");
    const QPointF blanc = position_du_blanc(Label4->text(), narrow, Label4->width(),
                                            static_cast<int>(qt(debut_diminuer).size()) + 1);
    const int largeur_blanc = QFontMetrics(narrow).horizontalAdvance(qt(blanc_diminuer));
    Lab_div_par->setGeometry(Label4->x() + std::min(static_cast<int>(blanc.x()), Label4->width() - 30),
                             Label4->y() + static_cast<int>(blanc.y()), std::max(largeur_blanc, 30),
                             QFontMetrics(narrow).height());
    Lab_nb_val = etiquette(this, "Lab_nb_val", "nb de valeurs de ", narrow);
    Lab_nb_val->setGeometry(8, 144, 290, 22);
    BitBtn3 = new QPushButton("Diminuer", this);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn3->setGeometry(x_bouton, 112, largeur_bouton, hauteur_bouton);
}

void TForm2::montrer_avertissement(const std::string& texte) {
    const int decalage = texte.empty() ? 0 : hauteur_avertissement;
    Lab_tableur->setText(qt(texte));
    Lab_tableur->setVisible(!texte.empty());
    for (const auto& [w, y] : sous_poursuivre_) w->move(w->x(), y + decalage);
    setFixedSize(width(), hauteur_sans_avertissement_ + decalage);
}

int TForm2::demander(std::int32_t facteur, std::int32_t nb_valeurs, std::int64_t nb_poursuivre) {
    Lab_div_par->setText(QString::number(facteur));
    Lab_nb_val->setText(qt("nb de valeurs de : " + std::to_string(nb_valeurs)));
    montrer_avertissement(avertissement_tableur(nb_poursuivre));
    if (repondeur) QTimer::singleShot(0, this, [this] { repondeur(*this); });
    const int resultat = exec();
    return resultat == resultat_poursuivre || resultat == resultat_diminuer ? resultat : resultat_annuler;
}

void TForm2::done(int resultat) {
    // Escape and the window's close box reject: the conversion is cancelled.
    QDialog::done(resultat == QDialog::Rejected ? resultat_annuler : resultat);
}

}  // namespace quorva
