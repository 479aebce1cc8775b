// Top-level windows on X11: the clients under the window manager's frames,
// and the unmapped top-level windows too, in stacking order.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "app/base/platform/platform_posix.h"
#include <cstdlib>
#include <cstring>

#include "app/base/texte.h"

namespace quorva {

namespace {

int ignorer_erreurs(Display*, XErrorEvent*) { return 0; }

class FenetresXlib : public FenetresX11 {
public:
    explicit FenetresXlib(Display* affichage) : affichage_(affichage) {
        // A window may vanish between the listing and the question about it.
        XSetErrorHandler(ignorer_erreurs);
        wm_state_ = XInternAtom(affichage_, "WM_STATE", False);
        net_wm_name_ = XInternAtom(affichage_, "_NET_WM_NAME", False);
        utf8_string_ = XInternAtom(affichage_, "UTF8_STRING", False);
        net_active_ = XInternAtom(affichage_, "_NET_ACTIVE_WINDOW", False);
        net_wm_pid_ = XInternAtom(affichage_, "_NET_WM_PID", False);
    }
    ~FenetresXlib() override { XCloseDisplay(affichage_); }

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
        if (propriete(id, net_wm_name_, utf8_string_, texte)) return utf8_vers_cp1252(texte);
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
        XGetInputFocus(affichage_, &focus, &retour);
        if (focus == None || focus == PointerRoot) return 0;
        return sommet(focus);
    }

    void minimiser(WindowId fenetre) override {
        XIconifyWindow(affichage_, static_cast<Window>(fenetre), DefaultScreen(affichage_));
        XFlush(affichage_);
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
    // UTF8_STRING, COMPOUND_TEXT), as cp1252.
    std::string titre_icccm(Window fenetre) {
        XTextProperty propriete_texte{};
        if (!XGetWMName(affichage_, fenetre, &propriete_texte) || !propriete_texte.value) return "";
        std::string texte;
        char** liste = nullptr;
        int nombre = 0;
        if (propriete_texte.encoding == XA_STRING) {
            texte.assign(reinterpret_cast<const char*>(propriete_texte.value), propriete_texte.nitems);
        } else if (Xutf8TextPropertyToTextList(affichage_, &propriete_texte, &liste, &nombre) >= Success &&
                   liste && nombre > 0) {
            texte = utf8_vers_cp1252(liste[0]);
        } else {
            texte.assign(reinterpret_cast<const char*>(propriete_texte.value), propriete_texte.nitems);
        }
        if (liste) XFreeStringList(liste);
        XFree(propriete_texte.value);
        return texte.substr(0, texte.find('\0'));
    }

    // The child of the root that holds `fenetre`, or the client inside it.
    Window sommet(Window fenetre) {
        const Window racine = DefaultRootWindow(affichage_);
        for (int profondeur = 0; profondeur < 64 && fenetre && fenetre != racine; ++profondeur) {
            Window racine_retour = 0, pere = 0, *liste = nullptr;
            unsigned int nombre = 0;
            if (!XQueryTree(affichage_, fenetre, &racine_retour, &pere, &liste, &nombre)) return 0;
            if (liste) XFree(liste);
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
        if (XQueryTree(affichage_, parent, &racine, &pere, &liste, &nombre) && liste) {
            resultat.assign(liste, liste + nombre);
            XFree(liste);
        }
        return resultat;
    }

    bool a_wm_state(Window fenetre) {
        Atom type = 0;
        int format = 0;
        unsigned long nombre = 0, reste = 0;
        unsigned char* donnees = nullptr;
        const int resultat = XGetWindowProperty(affichage_, fenetre, wm_state_, 0, 0, False, AnyPropertyType,
                                                &type, &format, &nombre, &reste, &donnees);
        if (donnees) XFree(donnees);
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
        const int resultat = XGetWindowProperty(affichage_, fenetre, nom, 0, 1024, False, type_voulu, &type,
                                                &format, &nombre, &reste, &donnees);
        // A property of another type comes back empty: not what we asked.
        const bool ok = resultat == Success && donnees && type != None &&
                        (type_voulu == AnyPropertyType || type == type_voulu);
        if (ok) {
            const std::size_t taille = binaire && format == 32 ? nombre * sizeof(long)
                                                               : nombre * static_cast<std::size_t>(format / 8);
            valeur.assign(reinterpret_cast<const char*>(donnees), taille);
        }
        if (donnees) XFree(donnees);
        return ok;
    }

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
    Display* affichage = XOpenDisplay(nullptr);
    if (!affichage) return nullptr;
    return std::make_unique<FenetresXlib>(affichage);
}

}  // namespace quorva
