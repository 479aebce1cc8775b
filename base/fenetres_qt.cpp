#include "base/fenetres_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QWidget>
#include <QVariant>
#include <QWindow>
#include <algorithm>

#include "base/placement_fenetre.h"
#include "base/texte.h"

namespace quorva {

QString qt(const std::string& texte) { return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size())); }

std::string utf8(const QString& texte) {
    const QByteArray octets = texte.toUtf8();
    return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
}

namespace {

// The line breaking of a message may cut between the two backslashes that
// begin a network path ("\\serveur\..."): a word joiner (U+2060, shown as
// nothing) keeps them together.
std::string sans_coupure_unc(std::string texte) {
    for (std::size_t i = texte.find("\\\\"); i != std::string::npos; i = texte.find("\\\\", i + 5))
        texte.insert(i + 1, "\u2060");
    return texte;
}

int boite_message(QMessageBox::Icon icone, const std::string& texte,
                  QMessageBox::StandardButtons boutons = QMessageBox::Ok) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox boite(icone, "Quorva", qt(sans_coupure_unc(fins_de_ligne_lf(texte))), boutons, parent);
    boite.setWindowFlag(Qt::WindowStaysOnTopHint);
    // The buttons as the messages name them ("cliquez Réessayer").
    if (auto* bouton = boite.button(QMessageBox::Retry)) bouton->setText(QString::fromUtf8("Réessayer"));
    if (auto* bouton = boite.button(QMessageBox::Cancel)) bouton->setText(QString::fromUtf8("Annuler"));
    return boite.exec();
}

}  // namespace

void montrer_erreur(const std::string& texte) { boite_message(QMessageBox::Critical, texte); }

void montrer_message(const std::string& texte) { boite_message(QMessageBox::Warning, texte); }

void montrer_information(const std::string& texte) { boite_message(QMessageBox::Information, texte); }

bool demander_reessayer(const std::string& texte) {
    return boite_message(QMessageBox::Warning, texte, QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
}

void brancher_boites_message(services& ctx) {
    ctx.afficher_message = montrer_message;
    ctx.afficher_information = montrer_information;
    ctx.afficher_erreur = montrer_erreur;
}

}  // namespace quorva

// --- Windows on the screen ---------------------------------------------------------

namespace quorva {

namespace {

rectangle_fenetre rectangle(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// Watches every window of the application as it shows (an application-wide
// event filter: message boxes and Qt's own dialogs are ours too).
class gardien_ecran : public QObject {
public:
    explicit gardien_ecran(const QWidget& barre) : barre_(&barre) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        // The native window's Show comes after the widget's own showEvent (its
        // final size) and before the window system maps it; its first
        // Expose, once the window system has framed it; a Resize while it
        // shows (a message box may lay itself out again).
        const QEvent::Type genre = evenement->type();
        const bool montre = genre == QEvent::Show;
        if ((!montre && genre != QEvent::Expose && genre != QEvent::Resize) || !objet->isWindowType()) return false;
        auto* fenetre = static_cast<QWindow*>(objet);
        if (genre == QEvent::Expose && !(fenetre->isExposed() && a_verifier_.remove(fenetre))) return false;
        if (genre == QEvent::Resize && !fenetre->isVisible()) return false;
        if (QWidget* w = widget_de(fenetre)) {
            placer(*w);
            if (montre) a_verifier_.insert(fenetre);
        }
        return false;
    }

private:
    QWidget* widget_de(QWindow* fenetre) const {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowHandle() != fenetre || w == barre_) continue;
            const Qt::WindowType genre = w->windowType();
            if (genre == Qt::Window || genre == Qt::Dialog || genre == Qt::Tool) return w;
        }
        return nullptr;
    }

    // The window's frame: the one the window system gives when it knows it
    // (Windows, as soon as the window exists; X11, once it is framed), else
    // the last one seen, else a Windows 10 frame (in logical pixels).
    marges_cadre cadre(const QWidget& w) {
        if (w.windowFlags() & Qt::FramelessWindowHint) return {};
        const QMargins m = w.windowHandle()->frameMargins();
        if (!m.isNull())  // (Wine may give -1 for a frame its window manager draws)
            dernier_cadre_ = {std::max(m.left(), 0), std::max(m.top(), 0), std::max(m.right(), 0), std::max(m.bottom(), 0)};
        return dernier_cadre_;
    }

    rectangle_fenetre zone() const {
        const QScreen* ecran = barre_ ? QGuiApplication::screenAt(barre_->geometry().center()) : nullptr;
        if (!ecran && barre_) ecran = barre_->screen();
        if (!ecran) ecran = QGuiApplication::primaryScreen();
        if (!ecran) return {};
        const QPoint origine = ecran->geometry().topLeft();
        return zone_entiere(rectangle(ecran->availableGeometry()), origine.x(), origine.y(), ecran->devicePixelRatio());
    }

    void placer(QWidget& w) {
        if (w.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;  // the system's own place
        rectangle_fenetre voulu = rectangle(w.geometry());
        // A window narrowed before (and not resized since) asks for its own
        // width again.
        if (w.property("largeur_donnee").toInt() == voulu.largeur && w.property("largeur_voulue").toInt() > 0)
            voulu.largeur = w.property("largeur_voulue").toInt();
        rectangle_fenetre r = placer_fenetre(voulu, cadre(w), zone(), w.minimumWidth());
        // A message box, on top as the toolbar is, leaves it in sight.
        if (barre_ && barre_->isVisible() && qobject_cast<QMessageBox*>(&w))
            r = degager_barre(r, cadre(w), rectangle(barre_->frameGeometry()), zone());
        w.setProperty("largeur_donnee", r.largeur < voulu.largeur ? r.largeur : 0);
        w.setProperty("largeur_voulue", r.largeur < voulu.largeur ? voulu.largeur : 0);
        if (!(r == rectangle(w.geometry()))) w.setGeometry(r.gauche, r.haut, r.largeur, r.hauteur);
    }

    QPointer<const QWidget> barre_;
    marges_cadre dernier_cadre_{8, 31, 8, 8};
    QSet<const QWindow*> a_verifier_;  // shown, not yet exposed (a window shows again before any new expose)
};

}  // namespace

std::unique_ptr<QObject> garder_fenetres_sur_ecran(const QWidget& barre) {
    auto gardien = std::make_unique<gardien_ecran>(barre);
    qApp->installEventFilter(gardien.get());
    return gardien;
}

}  // namespace quorva
