// The X11 window layer against a real X server (the runner starts Xvfb,
// then runs these once without a window manager and once under openbox,
// with QUORVA_TEST_WM=openbox).
// GoogleTest first: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <thread>

#include "base/platform/platform_posix.h"
#include "base/recherche_fenetres.h"

using namespace quorva;

namespace {

bool avec_gestionnaire() {
    const char* wm = std::getenv("QUORVA_TEST_WM");
    return wm && *wm;
}

// Waits, generously (a loaded machine may take seconds), until the
// condition holds.
bool attendre(const std::function<bool()>& condition) {
    for (int i = 0; i < 800; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return condition();
}

class FenetresX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("QT_QPA_PLATFORM");
        affichage_ = XOpenDisplay(nullptr);
        ASSERT_NE(affichage_, nullptr) << "the runner provides an X server";
        utf8_ = XInternAtom(affichage_, "UTF8_STRING", False);
        net_wm_name_ = XInternAtom(affichage_, "_NET_WM_NAME", False);
        wm_state_ = XInternAtom(affichage_, "WM_STATE", False);
    }
    void TearDown() override {
        if (affichage_) XCloseDisplay(affichage_);
    }

    Window creer(Window parent = 0) {
        XSetWindowAttributes attributs{};
        const Window fenetre = XCreateWindow(affichage_, parent ? parent : DefaultRootWindow(affichage_), 10, 10,
                                             120, 40, 0, CopyFromParent, InputOutput, CopyFromParent, 0, &attributs);
        XSync(affichage_, False);
        return fenetre;
    }
    void propriete(Window fenetre, Atom nom, Atom type, const std::string& valeur) {
        XChangeProperty(affichage_, fenetre, nom, type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(valeur.data()), static_cast<int>(valeur.size()));
    }
    // A new window (a child of `parent` when given) with the title
    // properties in `titres`, set in that order.
    struct titre {
        Atom nom, type;
        const char* valeur;
    };
    Window creer(std::initializer_list<titre> titres, Window parent = 0) {
        const Window fenetre = creer(parent);
        for (const auto& t : titres) propriete(fenetre, t.nom, t.type, t.valeur);
        return fenetre;
    }
    void montrer(Window fenetre) {
        XMapWindow(affichage_, fenetre);
        XSync(affichage_, False);
        if (avec_gestionnaire()) {
            ASSERT_TRUE(attendre([&] { return etat_wm(fenetre) == NormalState; }))
                << "openbox manages the window " << fenetre << " state " << etat_wm(fenetre);
        }
    }
    // WM_STATE as the window manager set it; -1 when there is none.
    long etat_wm(Window fenetre) {
        Atom type = 0;
        int format = 0;
        unsigned long nombre = 0, reste = 0;
        unsigned char* donnees = nullptr;
        long etat = -1;
        if (XGetWindowProperty(affichage_, fenetre, wm_state_, 0, 2, False, wm_state_, &type, &format, &nombre, &reste,
                               &donnees) == Success &&
            donnees && nombre >= 1 && format == 32)
            etat = reinterpret_cast<long*>(donnees)[0];
        if (donnees) XFree(donnees);
        return etat;
    }
    std::set<WindowId> lister(Plateforme& os) {
        std::set<WindowId> fenetres;
        os.enumerate_windows([&](WindowId f) {
            fenetres.insert(f);
            return true;
        });
        return fenetres;
    }

    Display* affichage_ = nullptr;
    Atom utf8_ = 0, net_wm_name_ = 0, wm_state_ = 0;
};

}  // namespace

TEST_F(FenetresX11Test, ListsTopLevelWindowsWithTheirTitlesInUtf8) {
    // _NET_WM_NAME in UTF-8 wins over WM_NAME.
    const Window seisme = creer({{net_wm_name_, utf8_, "S\xC3\xA9isme \xE2\x80\x93 10 \xE2\x82\xAC \xE4\xB8\xAD"},
                                 {XA_WM_NAME, XA_STRING, "autre"}});
    // WM_NAME only, as Latin-1 STRING and as UTF8_STRING.
    const Window cafe = creer({{XA_WM_NAME, XA_STRING, "Caf\xE9"}});
    const Window ete = creer({{XA_WM_NAME, utf8_, "\xC3\x89t\xC3\xA9"}});
    // A _NET_WM_NAME of the wrong type is not a title: WM_NAME then.
    const Window faux = creer({{net_wm_name_, XA_STRING, "Faux"}, {XA_WM_NAME, XA_STRING, "Vrai"}});
    // Never shown: still a top-level window, as Windows lists hidden ones.
    const Window cachee = creer({{XA_WM_NAME, XA_STRING, "Quorva"}});
    const Window muette = creer();
    // A child window is not a top-level window.
    const Window enfant = creer({{XA_WM_NAME, XA_STRING, "Quorva"}}, cafe);
    XMapWindow(affichage_, enfant);
    for (const Window f : {seisme, cafe, ete, faux, muette}) montrer(f);

    PlateformePosix os;
    const auto fenetres = lister(os);
    for (const Window f : {seisme, cafe, ete, faux, cachee, muette}) EXPECT_EQ(fenetres.count(f), 1u) << f;
    EXPECT_EQ(fenetres.count(enfant), 0u);

    EXPECT_EQ(os.window_title(seisme, 254), "Séisme – 10 € 中");
    EXPECT_EQ(os.window_title(cafe, 254), "Café");
    EXPECT_EQ(os.window_title(ete, 254), "Été");
    EXPECT_EQ(os.window_title(faux, 254), "Vrai");
    EXPECT_EQ(os.window_title(muette, 254), "");
    EXPECT_EQ(os.window_title(seisme, 3), "Séi");
    // A window that has gone: an empty title, no X error.
    const Window partie = creer({{XA_WM_NAME, XA_STRING, "Partie"}});
    XDestroyWindow(affichage_, partie);
    XSync(affichage_, False);
    EXPECT_EQ(os.window_title(partie, 254), "");

    // The guard's search over the real desktop: exact whole titles, the
    // hidden one counted, the child not.
    recherche_fenetres etat;
    EXPECT_TRUE(cherche_appli(os, etat, "Quorva"));
    EXPECT_EQ(etat.nb_titres_trouves, 1);
    EXPECT_TRUE(cherche_appli(os, etat, "Café"));
    EXPECT_FALSE(cherche_appli(os, etat, "Caf"));
    EXPECT_EQ(etat.nb_titres_trouves, 2);
}

TEST_F(FenetresX11Test, ForegroundIsTheActiveOrFocusedTopLevelWindow) {
    const Window a = creer({{XA_WM_NAME, XA_STRING, "A"}});
    const Window b = creer({{XA_WM_NAME, XA_STRING, "B"}});
    montrer(a);
    montrer(b);
    const Window dans_a = creer(a);
    XMapWindow(affichage_, dans_a);
    XSync(affichage_, False);

    PlateformePosix os;
    if (avec_gestionnaire()) {
        // Ask openbox to activate each window in turn, as a pager would.
        for (const Window cible : {a, b}) {
            XEvent evenement{};
            evenement.xclient.type = ClientMessage;
            evenement.xclient.window = cible;
            evenement.xclient.message_type = XInternAtom(affichage_, "_NET_ACTIVE_WINDOW", False);
            evenement.xclient.format = 32;
            evenement.xclient.data.l[0] = 2;  // from a pager: always honoured
            evenement.xclient.data.l[1] = CurrentTime;
            XSendEvent(affichage_, DefaultRootWindow(affichage_), False,
                       SubstructureRedirectMask | SubstructureNotifyMask, &evenement);
            XSync(affichage_, False);
            EXPECT_TRUE(attendre([&] { return os.foreground_window() == cible; })) << cible;
        }
    } else {
        // No window manager: the keyboard focus, up to its top-level window.
        XSetInputFocus(affichage_, b, RevertToParent, CurrentTime);
        XSync(affichage_, False);
        EXPECT_EQ(os.foreground_window(), b);
        XSetInputFocus(affichage_, dans_a, RevertToParent, CurrentTime);
        XSync(affichage_, False);
        EXPECT_EQ(os.foreground_window(), a);
        XSetInputFocus(affichage_, PointerRoot, RevertToPointerRoot, CurrentTime);
        XSync(affichage_, False);
        EXPECT_EQ(os.foreground_window(), 0u);
    }
}

TEST_F(FenetresX11Test, MinimiseIconifiesUnderAWindowManager) {
    const Window f = creer({{XA_WM_NAME, XA_STRING, "A r\xE9" "duire"}});
    montrer(f);
    PlateformePosix os;
    os.minimize_window(f);
    if (avec_gestionnaire()) {
        EXPECT_TRUE(attendre([&] { return etat_wm(f) == IconicState; }));
    } else {
        // Nobody to iconify it: the request is harmless and the window stays.
        XSync(affichage_, False);
        XWindowAttributes attributs{};
        ASSERT_TRUE(XGetWindowAttributes(affichage_, f, &attributs));
        EXPECT_EQ(attributs.map_state, IsViewable);
    }
    // A window that does not exist: no X error reaches us.
    os.minimize_window(0x7ffffff);
    EXPECT_EQ(os.window_title(0x7ffffff, 254), "");
}
