// Quorva: the program entry. Creates the six windows in order, the toolbar
// first, and runs the event loop until the toolbar closes.
#include <QApplication>

#include "app/TForm1.h"
#include "app/TForm_voir.h"
#include "app/garde.h"
#ifndef _WIN32
#include "app/platform/platform_posix.h"
#endif

using namespace quorva;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    auto plateforme = creer_plateforme_systeme();
#ifndef _WIN32
    static_cast<PlateformePosix&>(*plateforme).set_own_windows([] {
        std::vector<std::pair<WindowId, std::string>> fenetres;
        for (QWidget* fenetre : QApplication::topLevelWidgets())
            if (fenetre->testAttribute(Qt::WA_WState_Created))
                fenetres.emplace_back(static_cast<WindowId>(fenetre->winId()), fenetre->windowTitle().toStdString());
        return fenetres;
    });
#endif
    auto ctx = std::make_unique<contexte>(*plateforme);

    TForm1 Form1(*ctx);
    if (Form1.refuse()) return 1;
    TForm_voir Form_voir(*ctx);
    Form1.show();
    QObject::connect(&application, &QApplication::lastWindowClosed, &application, &QApplication::quit);
    return application.exec();
}
