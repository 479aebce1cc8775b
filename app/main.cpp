// Quorva: the program entry. Creates the six windows in order, the toolbar
// first, connects what the menu and the timers start to the windows that do
// it, and runs the event loop until the toolbar closes.
#include <QApplication>

#include "app/TForm1.h"
#include "app/TForm_voir.h"
#include "app/base/fenetres_qt.h"
#include "app/fenetres_conversion.h"
#include "audacity/lancement_audacity.h"
#include "audacity/surveillance.h"
#include "chart/TForm_chart.h"
#include "conversion/TForm2.h"
#include "conversion/TForm_patience.h"
#include "conversion/pilote_conversion.h"

using namespace quorva;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    auto plateforme = creer_plateforme_systeme();
    // Where the display is not X11, the window search sees our own windows.
    plateforme->set_own_windows([] {
        std::vector<std::pair<WindowId, std::string>> fenetres;
        for (QWidget* fenetre : QApplication::topLevelWidgets())
            if (fenetre->testAttribute(Qt::WA_WState_Created))
                fenetres.emplace_back(static_cast<WindowId>(fenetre->winId()), fenetre->windowTitle().toStdString());
        return fenetres;
    });
    auto ctx = std::make_unique<contexte>(*plateforme);
    ctx->afficher_message = montrer_message;

    // The toolbar first: its creation runs the single-instance guard.
    TForm1 Form1(*ctx);
    if (Form1.refuse()) return 1;
    TForm2 Form2;
    TForm_voir Form_voir(*ctx);
    // Tform_TP: the section windows are created as the menu asks for them
    // (installed with the menu).
    TForm_patience Form_patience;
    TForm_chart Form_chart(*ctx, ctx->conversion, ctx->langue.langue);

    // What the menu starts.
    const interface_conversion ui = interface_fenetres(ctx->langue.langue, {Form2, Form_patience, Form_chart});
    const choix_fichier OpenDialog1 = dialogue_ouverture_wav(ctx->os, &Form1);
    // The workbook is written in the language the program shows now.
    const auto ui_actuelle = [&] {
        interface_conversion u = ui;
        u.langue = ctx->langue.langue;
        return u;
    };
    ctx->menu.lancer_conversion = [&] { Lectureconversionwav1Click(*ctx, ctx->conversion, OpenDialog1, ui_actuelle()); };
    const auto apres_lancement = [&] { Form_patience.remettre_a_zero(); };
    ctx->menu.lancer_audacity_patin = [&] {
        LancerAudacityCl1Click(*ctx, ctx->audacity, ctx->menu.chemins[19]);
        apres_lancement();
    };
    ctx->menu.lancer_audacity_vitesse = [&] {
        AudacityforspeedwaveUSBkey1Click(*ctx, ctx->audacity, ctx->menu.chemins[19]);
    };
    ctx->menu.lancer_audacity_tables = [&] {
        Audacityforshaketable1D2D1Click(*ctx, ctx->audacity, ctx->menu.chemins[19]);
        apres_lancement();
    };
    ctx->menu.montrer_voir = [&] { Form_voir.montrer(); };
    ctx->menu.quitter = [&] { Form1.QuitterQuorva1Click(); };

    // The export watcher, on the toolbar's 4-second timer.
    actions_surveillance surveillance;
    surveillance.convertir = [&](const std::string& chemin, const options_conversion& options) {
        return convertir(*ctx, ctx->conversion, chemin, ui_actuelle(), options);
    };
    surveillance.masquer_patience = [&] {
        Form_patience.masquer();
        Form_patience.remettre_a_zero();
    };
    ctx->audacity.armer_Timer_surveille = [&](bool actif) {
        if (actif) Form1.Timer_surveille.start();
        else Form1.Timer_surveille.stop();
    };
    surveillance.colorer_indicateur = [&] {
        Form1.colorer_Shape1(QColor(QRgb(ctx->audacity.couleur_Shape1 == couleur_rouge ? 0xFF0000 : 0xFFFFFF)));
        Form1.Shape1->repaint();
    };
    QObject::connect(&Form1.Timer_surveille, &QTimer::timeout, &Form1, [&] {
        gere([&] { Timer_surveilleTimer(*ctx, ctx->audacity, ctx->conversion, surveillance); });
    });

    Form1.show();
    return application.exec();
}
