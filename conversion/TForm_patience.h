// The progress window "Conversion Excel", shown while a recording is read,
// analysed and written. Its bar goes from 0 to 100, one step per 1000
// samples, and stays at its end beyond.
//
// Also here: the open dialog, as the conversion driver asks for it
// (conversion/pilote_conversion.h).
#pragma once

#include <QProgressBar>
#include <QWidget>
#include <functional>
#include <string>

#include "base/plateforme.h"
#include "conversion/lecture_wav.h"
#include "conversion/pilote_conversion.h"

namespace quorva {

class TForm_patience : public QWidget {
    Q_OBJECT
public:
    explicit TForm_patience(QWidget* parent = nullptr);

    // Shown, brought to the front and repainted.
    void montrer();
    void masquer();
    // One step of the bar (and a repaint, so that it moves during the work).
    void avancer();
    // The export watcher puts the bar back to 0 after each conversion.
    void remettre_a_zero();

    QProgressBar* ProgressBar1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// The open dialog OpenDialog1 (filter "(*.wav)|*.WAV", default extension
// "wav", initial folder as given) as the driver asks for it.
choix_fichier dialogue_ouverture_wav(Plateforme& os, QWidget* parent);

}  // namespace quorva
