#include "app/base/fenetres_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "app/base/texte.h"

namespace quorva {

QString qt(const std::string& texte) { return QString::fromStdString(cp1252_vers_utf8(texte)); }

std::string cp1252(const QString& texte) { return utf8_vers_cp1252(texte.toStdString()); }

namespace {

void boite_message(QMessageBox::Icon icone, const std::string& texte) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox boite(icone, "Quorva", qt(fins_de_ligne_lf(texte)), QMessageBox::Ok, parent);
    boite.setWindowFlag(Qt::WindowStaysOnTopHint);
    boite.exec();
}

}  // namespace

void montrer_erreur(const std::string& texte) { boite_message(QMessageBox::Critical, texte); }

void montrer_message(const std::string& texte) { boite_message(QMessageBox::Warning, texte); }

void montrer_information(const std::string& texte) { boite_message(QMessageBox::Information, texte); }

void brancher_boites_message(services& ctx) {
    ctx.afficher_message = montrer_message;
    ctx.afficher_information = montrer_information;
    ctx.afficher_erreur = montrer_erreur;
}

}  // namespace quorva
