#include "conversion/TForm_patience.h"

#include <QFileDialog>

#include "base/fenetres_qt.h"
#include "base/texte.h"

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

choix_fichier dialogue_ouverture_wav(Plateforme& os, QWidget* parent) {
    return [&os, parent](const std::string& filtre, const std::string& extension, const std::string& dossier) {
        // "(*.wav)|*.WAV": a description and its pattern; the pattern is
        // taken in both cases, file names on Linux being case-sensitive.
        const auto barre = filtre.find('|');
        const std::string description = filtre.substr(0, barre);
        const std::string motif = barre == std::string::npos ? filtre : filtre.substr(barre + 1);
        const QString filtre_qt = qt(description) + " (" + qt(motif) + " " + qt(minuscules_ascii(motif)) + ")";
        const QString initial = qt(os.dialog_path(dossier));
        QFileDialog dialogue(parent, QString(), initial, filtre_qt);
        dialogue.setObjectName("OpenDialog1");
        dialogue.setFileMode(QFileDialog::ExistingFile);
        dialogue.setAcceptMode(QFileDialog::AcceptOpen);
        dialogue.setDefaultSuffix(qt(extension));
        if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return std::string();
        // Qt writes "/" on every system: the path as the user's system writes it.
        return os.path_from_dialog(utf8(dialogue.selectedFiles().first()));
    };
}

}  // namespace quorva
