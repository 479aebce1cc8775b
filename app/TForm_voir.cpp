#include "app/TForm_voir.h"

#include <QVBoxLayout>

#include "base/fenetres_qt.h"
#include "base/texte.h"

namespace quorva {

TForm_voir::TForm_voir(contexte& ctx) : QWidget(nullptr), ctx_(ctx) {
    setWindowTitle("Form_voir");
    resize(480, 360);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setReadOnly(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(Memo1);
}

void TForm_voir::montrer() {
    QStringList lignes;
    for (const auto& ligne : ctx_.journal) lignes << qt(ligne);
    Memo1->setPlainText(lignes.join('\n'));
    show();
    raise();
}

}  // namespace quorva
