// Top-level windows on X11: the clients under the window manager's frames,
// and the unmapped top-level windows too, in stacking order.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include "base/platform/platform_posix.h"
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/texte.h"

namespace quorva {

namespace {

int ignorer_erreurs(Display*, XErrorEvent*) { return 0; }

// The Xlib calls used here, looked up in libX11 when a display is first
// opened: a program that never lists windows (the batch converter) does not
// load the X11 libraries at its start.
#define QUORVA_APPELS_XLIB(F)                                                                          \
    F(XCloseDisplay) F(XFlush) F(XFree) F(XFreeStringList) F(XGetInputFocus) F(XGetWMName)              \
    F(XGetWindowProperty) F(XIconifyWindow) F(XInternAtom) F(XOpenDisplay) F(XQueryTree) F(XSetErrorHandler) \
    F(Xutf8TextPropertyToTextList)

struct appels_xlib {
#define QUORVA_POINTEUR(nom) decltype(&::nom) nom = nullptr;
    QUORVA_APPELS_XLIB(QUORVA_POINTEUR)
#undef QUORVA_POINTEUR

    // Null when libX11 or one of the calls is missing. Loaded once and kept
    // for the life of the process.
    static const appels_xlib* charger() {
        static const appels_xlib* const appels = []() -> const appels_xlib* {
            void* bibliotheque = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
            if (!bibliotheque) return nullptr;
            static appels_xlib a;
            bool complet = true;
            const auto trouver = [&](auto& pointeur, const char* nom) {
                pointeur = reinterpret_cast<std::remove_reference_t<decltype(pointeur)>>(::dlsym(bibliotheque, nom));
                if (!pointeur) complet = false;
            };
#define QUORVA_TROUVER(nom) trouver(a.nom, #nom);
            QUORVA_APPELS_XLIB(QUORVA_TROUVER)
#undef QUORVA_TROUVER
            return complet ? &a : nullptr;
        }();
        return appels;
    }
};

class FenetresXlib : public FenetresX11 {
public:
    FenetresXlib(const appels_xlib& x, Display* affichage) : x_(x), affichage_(affichage) {
        // A window may vanish between the listing and the question about it.
        x_.XSetErrorHandler(ignorer_erreurs);
        wm_state_ = x_.XInternAtom(affichage_, "WM_STATE", False);
        net_wm_name_ = x_.XInternAtom(affichage_, "_NET_WM_NAME", False);
        utf8_string_ = x_.XInternAtom(affichage_, "UTF8_STRING", False);
        net_active_ = x_.XInternAtom(affichage_, "_NET_ACTIVE_WINDOW", False);
        net_wm_pid_ = x_.XInternAtom(affichage_, "_NET_WM_PID", False);
    }
    ~FenetresXlib() override { x_.XCloseDisplay(affichage_); }

    // Topmost first, as Windows lists them (the X server gives the stacking
    // order bottom first).
    std::vector<WindowId> lister() override {
        std::vector<WindowId> fenetres;
        const auto liste = enfants(DefaultRootWindow(affichage_));
        for (auto enfant = liste.rbegin(); enfant != liste.rend(); ++enfant) {
            const Window client = chercher_client(*enfant, 0);
            fenetres.push_back(client ? client : *enfant);
        }
        return fenetres;
    }

    std::string titre(WindowId fenetre) override {
        const auto id = static_cast<Window>(fenetre);
        std::string texte;
        if (propriete(id, net_wm_name_, utf8_string_, texte)) return texte;
        return titre_icccm(id);
    }

    // The window manager's active window; without a window manager, the
    // top-level window that holds the keyboard focus.
    WindowId active() override {
        std::string valeur;
        if (propriete(DefaultRootWindow(affichage_), net_active_, XA_WINDOW, valeur, true) &&
            valeur.size() >= sizeof(Window)) {
            Window fenetre = 0;
            std::memcpy(&fenetre, valeur.data(), sizeof fenetre);
            return fenetre;
        }
        Window focus = None;
        int retour = 0;
        x_.XGetInputFocus(affichage_, &focus, &retour);
        if (focus == None || focus == PointerRoot) return 0;
        return sommet(focus);
    }

    void minimiser(WindowId fenetre) override {
        x_.XIconifyWindow(affichage_, static_cast<Window>(fenetre), DefaultScreen(affichage_));
        x_.XFlush(affichage_);
    }

    long processus(WindowId fenetre) override {
        std::string valeur;
        if (!propriete(static_cast<Window>(fenetre), net_wm_pid_, XA_CARDINAL, valeur, true) ||
            valeur.size() < sizeof(long))
            return 0;
        long pid = 0;
        std::memcpy(&pid, valeur.data(), sizeof pid);
        return pid;
    }

private:
    // WM_NAME in whatever encoding the client chose (STRING is Latin-1,
    // UTF8_STRING, COMPOUND_TEXT), as UTF-8.
    std::string titre_icccm(Window fenetre) {
        XTextProperty propriete_texte{};
        if (!x_.XGetWMName(affichage_, fenetre, &propriete_texte) || !propriete_texte.value) return "";
        std::string texte;
        char** liste = nullptr;
        int nombre = 0;
        if (propriete_texte.encoding == XA_STRING) {
            texte = cp1252_vers_utf8({reinterpret_cast<const char*>(propriete_texte.value), propriete_texte.nitems});
        } else if (x_.Xutf8TextPropertyToTextList(affichage_, &propriete_texte, &liste, &nombre) >= Success &&
                   liste && nombre > 0) {
            texte = liste[0];
        } else {
            texte.assign(reinterpret_cast<const char*>(propriete_texte.value), propriete_texte.nitems);
        }
        if (liste) x_.XFreeStringList(liste);
        x_.XFree(propriete_texte.value);
        return texte.substr(0, texte.find('\0'));
    }

    // The child of the root that holds `fenetre`, or the client inside it.
    Window sommet(Window fenetre) {
        const Window racine = DefaultRootWindow(affichage_);
        for (int profondeur = 0; profondeur < 64 && fenetre && fenetre != racine; ++profondeur) {
            Window racine_retour = 0, pere = 0, *liste = nullptr;
            unsigned int nombre = 0;
            if (!x_.XQueryTree(affichage_, fenetre, &racine_retour, &pere, &liste, &nombre)) return 0;
            if (liste) x_.XFree(liste);
            if (pere == racine) {
                const Window client = chercher_client(fenetre, 0);
                return client ? client : fenetre;
            }
            fenetre = pere;
        }
        return 0;
    }

    std::vector<Window> enfants(Window parent) {
        Window racine = 0, pere = 0, *liste = nullptr;
        unsigned int nombre = 0;
        std::vector<Window> resultat;
        if (x_.XQueryTree(affichage_, parent, &racine, &pere, &liste, &nombre) && liste) {
            resultat.assign(liste, liste + nombre);
            x_.XFree(liste);
        }
        return resultat;
    }

    bool a_wm_state(Window fenetre) {
        Atom type = 0;
        int format = 0;
        unsigned long nombre = 0, reste = 0;
        unsigned char* donnees = nullptr;
        const int resultat = x_.XGetWindowProperty(affichage_, fenetre, wm_state_, 0, 0, False, AnyPropertyType,
                                                &type, &format, &nombre, &reste, &donnees);
        if (donnees) x_.XFree(donnees);
        return resultat == Success && type != None;
    }

    // The client inside a window manager's frame: the first descendant that
    // carries WM_STATE.
    Window chercher_client(Window fenetre, int profondeur) {
        if (a_wm_state(fenetre)) return fenetre;
        if (profondeur > 3) return 0;
        for (const Window enfant : enfants(fenetre))
            if (const Window client = chercher_client(enfant, profondeur + 1)) return client;
        return 0;
    }

    bool propriete(Window fenetre, Atom nom, Atom type_voulu, std::string& valeur, bool binaire = false) {
        Atom type = 0;
        int format = 0;
        unsigned long nombre = 0, reste = 0;
        unsigned char* donnees = nullptr;
        const int resultat = x_.XGetWindowProperty(affichage_, fenetre, nom, 0, 1024, False, type_voulu, &type,
                                                &format, &nombre, &reste, &donnees);
        // A property of another type comes back empty: not what we asked.
        const bool ok = resultat == Success && donnees && type != None &&
                        (type_voulu == AnyPropertyType || type == type_voulu);
        if (ok) {
            const std::size_t taille = binaire && format == 32 ? nombre * sizeof(long)
                                                               : nombre * static_cast<std::size_t>(format / 8);
            valeur.assign(reinterpret_cast<const char*>(donnees), taille);
        }
        if (donnees) x_.XFree(donnees);
        return ok;
    }

    const appels_xlib& x_;
    Display* affichage_;
    Atom wm_state_, net_wm_name_, utf8_string_, net_active_, net_wm_pid_;
};

}  // namespace

std::unique_ptr<FenetresX11> FenetresX11::ouvrir() {
    const char* nom = std::getenv("DISPLAY");
    if (!nom || !*nom) return nullptr;
    // Qt told to draw elsewhere (offscreen, wayland): our windows are not on
    // this display. "xcb" may carry options ("xcb:...").
    const char* plateforme_qt = std::getenv("QT_QPA_PLATFORM");
    if (plateforme_qt && *plateforme_qt) {
        if (std::string(plateforme_qt).rfind("xcb", 0) != 0) return nullptr;
    } else {
        // Unset, Qt takes Wayland in a Wayland session; DISPLAY is then
        // XWayland, where our own windows are not.
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        const char* session = std::getenv("XDG_SESSION_TYPE");
        if ((wayland && *wayland) || (session && std::string(session) == "wayland")) return nullptr;
    }
    const appels_xlib* x = appels_xlib::charger();
    if (!x) return nullptr;
    Display* affichage = x->XOpenDisplay(nullptr);
    if (!affichage) return nullptr;
    return std::make_unique<FenetresXlib>(*x, affichage);
}

}  // namespace quorva
