#include "conversion/TForm_patience.h"

#include <QFileDialog>

#include "app/texte.h"
#include "chart/TForm_chart.h"
#include "conversion/TForm2.h"
#ifndef _WIN32
#include "app/platform/platform_posix.h"
#endif

namespace quorva {

TForm_patience::TForm_patience(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName("Form_patience");
    setWindowTitle("Conversion Excel");
    setGeometry(436, 274, 325, 60);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(16, 18, 293, 22);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
}

void TForm_patience::montrer() {
    show();
    raise();
    repaint();
}

void TForm_patience::masquer() { hide(); }

void TForm_patience::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();  // it brings itself to the front whenever it is shown
}

void TForm_patience::avancer() {
    if (ProgressBar1->value() < ProgressBar1->maximum()) ProgressBar1->setValue(ProgressBar1->value() + 1);
    if (isVisible()) ProgressBar1->repaint();
}

void TForm_patience::remettre_a_zero() { ProgressBar1->setValue(0); }

interface_conversion interface_fenetres(contexte& ctx, fenetres_conversion fenetres) {
    interface_conversion ui;
    ui.langue = ctx.langue.langue;
    TForm_patience* patience = &fenetres.Form_patience;
    TForm2* form2 = &fenetres.Form2;
    TForm_chart* chart = &fenetres.Form_chart;
    ui.avance_progression = [patience] { patience->avancer(); };
    ui.masquer_patience = [patience] { patience->masquer(); };
    ui.montrer_patience = [patience] { patience->montrer(); };
    ui.question_taille = [form2](std::int32_t, int, std::int32_t facteur, std::int32_t nb_valeurs) {
        return form2->demander(facteur, nb_valeurs);
    };
    ui.montrer_graphique = [chart] { chart->montrer_modal(); };
    return ui;
}

choix_fichier dialogue_ouverture_wav(contexte& ctx, QWidget* parent) {
    return [&ctx, parent](const std::string& filtre, const std::string& extension, const std::string& dossier) {
        // "(*.wav)|*.WAV": a description and its pattern; the pattern is
        // taken in both cases, file names on Linux being case-sensitive.
        const auto barre = filtre.find('|');
        const std::string description = filtre.substr(0, barre);
        const std::string motif = barre == std::string::npos ? filtre : filtre.substr(barre + 1);
        const QString filtre_qt = QString::fromStdString(cp1252_vers_utf8(description)) + " (" +
                                  QString::fromStdString(motif) + " " +
                                  QString::fromStdString(minuscules_ascii(motif)) + ")";
        QString initial = QString::fromStdString(cp1252_vers_utf8(dossier));
#ifndef _WIN32
        if (auto* posix = dynamic_cast<PlateformePosix*>(&ctx.os))
            if (auto chemin = posix->chemin_posix(dossier)) initial = QString::fromStdString(*chemin);
#else
        (void)ctx;
#endif
        QFileDialog dialogue(parent, QString(), initial, filtre_qt);
        dialogue.setObjectName("OpenDialog1");
        dialogue.setFileMode(QFileDialog::ExistingFile);
        dialogue.setAcceptMode(QFileDialog::AcceptOpen);
        dialogue.setDefaultSuffix(QString::fromStdString(extension));
        if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return std::string();
        return utf8_vers_cp1252(dialogue.selectedFiles().first().toStdString());
    };
}

}  // namespace quorva
