#include "app/TForm1.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "app/garde.h"
#include "app/texte.h"

namespace quorva {

TForm1::TForm1(contexte& ctx) : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setWindowTitle("Quorva");
    setAutoFillBackground(true);
    QPalette bleu = palette();
    bleu.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(bleu);
    move(679, 203);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(3, 3, 122, 20);
    Panel1->setAutoFillBackground(true);
    QPalette jaune = Panel1->palette();
    jaune.setColor(QPalette::Window, QColor(255, 255, 0));
    Panel1->setPalette(jaune);
    Panel1->setCursor(Qt::PointingHandCursor);

    Label4 = new QLabel("QUORVA (RQ)", Panel1);
    Label4->setObjectName("Label4");
    Label4->setGeometry(22, 6, 97, 11);
    QFont police("Small Fonts");
    police.setPixelSize(9);
    police.setBold(true);
    Label4->setFont(police);
    QPalette marron = Label4->palette();
    marron.setColor(QPalette::WindowText, QColor(128, 0, 0));
    Label4->setPalette(marron);
    Label4->setCursor(Qt::PointingHandCursor);

    Timer_deb.setInterval(500);
    Timer_deb.setSingleShot(false);
    connect(&Timer_deb, &QTimer::timeout, this, [this] { garde(montrer_erreur, [this] { Timer_debTimer(); }); });

    FormCreate();
}

void TForm1::FormCreate() {
    resize(Panel1->x() + Panel1->width() + 3, Panel1->y() + Panel1->height() + 3);
    const QRect ecran = QGuiApplication::primaryScreen()->geometry();
    move((ecran.width() - width()) / 2, (ecran.height() - height()) / 2);
    repaint();

    // The native window, titled "Quorva", exists before the count: the
    // running copy's window plus this one make two.
    winId();
    QCoreApplication::processEvents();
    if (cherche_appli(ctx_.os, ctx_.fenetres, "Quorva") && ctx_.fenetres.nb_titres_trouves >= 2) {
        QMessageBox::information(nullptr, "Quorva",
                                 QString::fromStdString(cp1252_vers_utf8("Fermez l'ancien Audacity\rencore ouvert. Merci")));
        refuse_ = true;
        return;
    }
    Timer_deb.start();
}

void TForm1::Timer_debTimer() {
    Timer_deb.stop();
}

void TForm1::montrer_erreur(const std::string& texte) {
    QMessageBox::critical(nullptr, "Quorva", QString::fromStdString(cp1252_vers_utf8(texte)));
}

}  // namespace quorva
