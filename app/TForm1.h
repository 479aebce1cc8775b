// The toolbar: a 128 x 26 borderless, always-on-top strip (yellow panel in a
// blue frame) through which everything else is reached.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "app/contexte.h"

namespace quorva {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(contexte& ctx);

    // Set by FormCreate when another copy is already running.
    bool refuse() const { return refuse_; }

    QWidget* Panel1 = nullptr;
    QLabel* Label4 = nullptr;
    QTimer Timer_deb;

    // Shows a message box with the text (cp1252); what the guard of every
    // event handler uses.
    static void montrer_erreur(const std::string& texte);

private:
    void FormCreate();
    void Timer_debTimer();

    contexte& ctx_;
    bool refuse_ = false;
};

}  // namespace quorva
