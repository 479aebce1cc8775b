// quorva-rapport: quorva-convert with the report's drawing linked
// (conversion/rapport_convert.h). Qt's GUI part starts at the first report,
// without a window (offscreen where the system has a choice).
#include <QGuiApplication>

#include "conversion/rapport_convert.h"
#include "rapport/dessin_rapport.h"

namespace quorva::rapport_convert {

const bool disponible = true;

namespace {
QGuiApplication* application = nullptr;
}

void ecrire(services& ctx, const etat_conversion& etat, const tables_evenements& tables, origine_pointes origine,
            const std::string& chemin_wav, const std::string& chemin_rapport, int langue) {
    static int argc = 1;
    static char nom[] = "quorva-rapport";
    static char* argv[] = {nom, nullptr};
    if (!application) {
#ifndef _WIN32
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        application = new QGuiApplication(argc, argv);
    }
    ecrire_rapport(ctx, etat, tables, origine, chemin_wav, chemin_rapport, langue);
}

// Before main returns: Qt's own statics must outlive the application.
void terminer() {
    delete application;
    application = nullptr;
}

}  // namespace quorva::rapport_convert
