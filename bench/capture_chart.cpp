// capture_chart FILE.wav OUT.png [ZOOM_STEPS [X [TABS [detector]]]]: reads a
// recording through the display pass (header, samples, detection) and saves
// a picture of the chart window as the user sees it, optionally after
// Ctrl + wheel steps at pixel X of the image (the mouse left there), TABS
// presses of Tab (a mark chosen) and with the detector shown. Used for the
// README's pictures (docs/chart*.png).
#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>
#include <cstdlib>
#include <iostream>

#include "base/platform/platform_posix.h"
#include "app/contexte.h"
#include "chart/TForm_chart.h"
#include "conversion/detection.h"
#include "conversion/lecture_wav.h"

using namespace quorva;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: capture_chart FILE.wav OUT.png [ZOOM_STEPS [X [TABS [detector]]]]\n";
        return 2;
    }
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    PlateformePosix os(false);
    contexte ctx(os);
    ctx.afficher_message = [](const std::string& texte) { std::cerr << texte << "\n"; };
    const std::string chemin = argv[1];
    const auto barre = chemin.find_last_of("/\\");
    ctx.conversion.fichier_en_cours = barre == std::string::npos ? chemin : chemin.substr(barre + 1);
    const int pas = argc > 3 ? std::atoi(argv[3]) : 0;
    const int x = argc > 4 ? std::atoi(argv[4]) : largeur_image / 2;
    const int tabs = argc > 5 ? std::atoi(argv[5]) : 0;
    const bool detecteur = argc > 6 && std::string(argv[6]) == "detector";

    TForm_chart chart(ctx, ctx.conversion, ctx.langue.langue);
    bool montre = false;
    interface_conversion ui;
    ui.montrer_graphique = [&] {
        chart.ouvrir();
        chart.show();
        for (int i = 0; i < pas; ++i) chart.FormMouseWheel(true, x, Qt::ControlModifier);
        for (int i = 0; i < tabs; ++i) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(&chart, &tab);
        }
        if (detecteur) chart.Detecteur1->trigger();
        chart.Image1MouseMove(x);
        chart.Memo1->setVisible(true);
        chart.Timer2.stop();
        QApplication::processEvents();
        montre = chart.grab().save(QString::fromLocal8Bit(argv[2]));
        chart.hide();
    };
    try {
        Lecture_fichier_wav(ctx, ctx.conversion, chemin, passe_lecture::affichage, ui);
        ui.montrer_graphique();
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    std::cout << ctx.conversion.nb_echantillons << " samples, " << ctx.conversion.nb_pointes << " marks\n";
    return montre ? 0 : 1;
}
