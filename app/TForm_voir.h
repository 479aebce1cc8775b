// The viewer of the diagnostic log: a plain resizable window whose text box
// fills it.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

#include "app/contexte.h"

namespace quorva {

class TForm_voir : public QWidget {
    Q_OBJECT
public:
    explicit TForm_voir(contexte& ctx);
    // Shows the log as it is now.
    void montrer();

    QPlainTextEdit* Memo1 = nullptr;

private:
    contexte& ctx_;
};

}  // namespace quorva
