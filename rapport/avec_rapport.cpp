// quorva-rapport: quorva-convert with the pages' drawing linked
// (conversion/rapport_convert.h). Qt's GUI part starts at the first page,
// without a window (offscreen where the system has a choice).
#include <QGuiApplication>

#include "conversion/rapport_convert.h"
#include "rapport/dessin_rapport.h"
#include "rapport/dessin_synthese.h"

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

void demarrer_qt() {
    static int argc = 1;
    static char nom[] = "quorva-rapport";
    static char* argv[] = {nom, nullptr};
    if (application) return;
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    messages_qt = qInstallMessageHandler(filtrer_messages);
    application = new QGuiApplication(argc, argv);
}

}  // namespace

void ecrire(services& ctx, const etat_conversion& etat, const tables_evenements& tables, origine_pointes origine,
            const std::string& chemin_wav, const std::string& chemin_rapport, int langue) {
    demarrer_qt();
    ecrire_rapport(ctx, etat, tables, origine, chemin_wav, chemin_rapport, langue);
}

std::string synthese(services& ctx, const std::string& dossier, const std::string& chemin_page, int langue,
                     const std::function<void(const std::string&)>& progression, int& illisibles) {
    const synthese_classe s = preparer_synthese(ctx, dossier, langue, [&](const ligne_synthese& l, int rang, int total) {
        if (progression) progression(texte_ligne(l, rang, total, langue));
    });
    demarrer_qt();
    const std::string page = chemin_page.empty() ? chemin_synthese_propose(ctx.os, dossier, langue) : chemin_page;
    ecrire_synthese(ctx, s, page, langue);
    illisibles = s.nb_illisibles() + static_cast<int>(s.dossiers_perdus.size());
    return page;
}

// Before main returns: Qt's own statics must outlive the application.
void terminer() {
    delete application;
    application = nullptr;
}

}  // namespace quorva::rapport_convert
