// Quorva: the program entry. Creates the six windows in order, the toolbar
// first, connects what the menu and the timers start to the windows that do
// it, and runs the event loop until the toolbar closes.
#include <QApplication>

#include "app/TForm1.h"
#include "app/TForm_voir.h"
#include "base/fenetres_qt.h"
#include "app/fenetres_conversion.h"
#include "audacity/lancement_audacity.h"
#include "audacity/partage_reseau.h"
#include "audacity/surveillance.h"
#include "chart/TForm_chart.h"
#include "rapport/dessin_rapport.h"
#include "rapport/dessin_synthese.h"
#include "conversion/TForm2.h"
#include "conversion/TForm_patience.h"
#include "conversion/pilote_conversion.h"

using namespace quorva;

namespace {

// The windows the toolbar's menu and timers lead to. Tform_TP: the section
// windows are created as the menu asks for them (installed with the menu).
struct fenetres {
    TForm1& Form1;
    TForm2& Form2;
    TForm_voir& Form_voir;
    TForm_patience& Form_patience;
    TForm_chart& Form_chart;
};

// Where the display is not X11, the window search sees our own windows.
void declarer_fenetres_propres(Plateforme& os) {
    os.set_own_windows([] {
        std::vector<std::pair<WindowId, std::string>> liste;
        for (QWidget* fenetre : QApplication::topLevelWidgets())
            if (fenetre->testAttribute(Qt::WA_WState_Created))
                liste.emplace_back(static_cast<WindowId>(fenetre->winId()), utf8(fenetre->windowTitle()));
        return liste;
    });
}

// The conversion's windows, with the workbook in the language the program
// shows at the time of the conversion.
std::function<interface_conversion()> interface_actuelle(contexte& ctx, const fenetres& f) {
    const interface_conversion ui = interface_fenetres(ctx.langue.langue, {f.Form2, f.Form_patience, f.Form_chart});
    return [&ctx, ui] {
        interface_conversion u = ui;
        u.langue = ctx.langue.langue;
        return u;
    };
}

// What the menu starts.
void brancher_menu(contexte& ctx, const fenetres& f, std::function<interface_conversion()> ui) {
    auto& m = ctx.menu;
    m.lancer_conversion = [&ctx, ui, OpenDialog1 = dialogue_ouverture_wav(ctx.os, &f.Form1)] {
        Lectureconversionwav1Click(ctx, ctx.conversion, OpenDialog1, ui());
    };
    // The practical's recording folder, where the stick-slip entry records
    // (each machine's folder under it on a share).
    m.lancer_synthese = [&ctx, &barre = f.Form1] {
        faire_synthese_classe(ctx, ctx.langue.langue, &barre,
                              joindre(ctx.menu.chemins[slot_audacity], "audacity\\patin_tracte"));
    };
    TForm_patience& patience = f.Form_patience;
    m.lancer_audacity_patin = [&ctx, &patience] {
        LancerAudacityCl1Click(ctx, ctx.audacity, ctx.menu.chemins[slot_audacity]);
        patience.remettre_a_zero();
    };
    m.lancer_audacity_vitesse = [&ctx] {
        AudacityforspeedwaveUSBkey1Click(ctx, ctx.audacity, ctx.menu.chemins[slot_audacity]);
    };
    m.lancer_audacity_tables = [&ctx, &patience] {
        Audacityforshaketable1D2D1Click(ctx, ctx.audacity, ctx.menu.chemins[slot_audacity]);
        patience.remettre_a_zero();
    };
    m.montrer_voir = [&voir = f.Form_voir] { voir.montrer(); };
    m.quitter = [&form = f.Form1] { form.QuitterQuorva1Click(); };
}

// The export watcher, on the toolbar's 4-second timer.
void brancher_surveillance(contexte& ctx, const fenetres& f, std::function<interface_conversion()> ui) {
    actions_surveillance surveillance;
    surveillance.convertir = [&ctx, ui](const std::string& chemin, const options_conversion& options) {
        return convertir(ctx, ctx.conversion, chemin, ui(), options);
    };
    surveillance.masquer_patience = [&patience = f.Form_patience] {
        patience.masquer();
        patience.remettre_a_zero();
    };
    TForm1& barre = f.Form1;
    surveillance.colorer_indicateur = [&ctx, &barre] {
        barre.colorer_Shape1(QColor(QRgb(ctx.audacity.couleur_Shape1 == couleur_rouge ? 0xFF0000 : 0xFFFFFF)));
        barre.Shape1->repaint();
    };
    ctx.audacity.armer_Timer_surveille = [&barre](bool actif) {
        if (actif) barre.Timer_surveille.start();
        else barre.Timer_surveille.stop();
    };
    QObject::connect(&barre.Timer_surveille, &QTimer::timeout, &barre, [&ctx, surveillance] {
        gere([&] { Timer_surveilleTimer(ctx, ctx.audacity, ctx.conversion, surveillance); });
    });
    ctx.audacity.armer_Timer_verrou = [&barre](bool actif) {
        if (actif) barre.Timer_verrou.start();
        else barre.Timer_verrou.stop();
    };
    QObject::connect(&barre.Timer_verrou, &QTimer::timeout, &barre,
                     [&ctx] { gere([&] { Timer_verrouTimer(ctx, ctx.audacity); }); });
    ctx.audacity.annoncer_attente = [&ctx, &barre](const std::optional<std::string>& poste) {
        barre.montrer_attente(poste ? qt(texte_attente_verrou(*poste, ctx.langue.langue)) : QString());
    };
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    auto plateforme = creer_plateforme_systeme();
    declarer_fenetres_propres(*plateforme);
    auto ctx = std::make_unique<contexte>(*plateforme);
    brancher_boites_message(*ctx);

    // The toolbar first: its creation runs the single-instance guard.
    TForm1 Form1(*ctx);
    if (Form1.refuse()) return 1;
    const auto sur_ecran = garder_fenetres_sur_ecran(Form1);
    TForm2 Form2;
    TForm_voir Form_voir(*ctx);
    TForm_patience Form_patience;
    TForm_chart Form_chart(*ctx, ctx->conversion, ctx->langue.langue);
    const fenetres f{Form1, Form2, Form_voir, Form_patience, Form_chart};
    // The report is drawn above the chart: its entry is connected here.
    Form_chart.enregistrer_compte_rendu = [&ctx](TForm_chart& chart) {
        enregistrer_rapport(*ctx, ctx->conversion, ctx->langue.langue, chart);
    };

    const auto ui = interface_actuelle(*ctx, f);
    brancher_menu(*ctx, f, ui);
    brancher_surveillance(*ctx, f, ui);

    Form1.show();
    const int code = application.exec();
    // Quitting while Audacity starts: the other machines need not wait.
    liberer_verrou_audacity(*ctx, ctx->audacity);
    return code;
}
