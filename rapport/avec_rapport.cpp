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

// Without a session (a terminal, a scheduled task) Qt says on every start
// that XDG_RUNTIME_DIR is not set and takes a folder of its own, which
// serves a page as well: that line is no news to whoever runs the command.
QtMessageHandler messages_qt = nullptr;
void filtrer_messages(QtMsgType type, const QMessageLogContext& contexte, const QString& texte) {
    if (texte.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (messages_qt) messages_qt(type, contexte, texte);
}
}  // namespace

void ecrire(services& ctx, const etat_conversion& etat, const tables_evenements& tables, origine_pointes origine,
            const std::string& chemin_wav, const std::string& chemin_rapport, int langue) {
    static int argc = 1;
    static char nom[] = "quorva-rapport";
    static char* argv[] = {nom, nullptr};
    if (!application) {
#ifndef _WIN32
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        messages_qt = qInstallMessageHandler(filtrer_messages);
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
