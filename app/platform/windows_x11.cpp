// Top-level windows on X11: the clients under the window manager's frames,
// and the unmapped top-level windows too, in stacking order.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "app/platform/platform_posix.h"
#include <cstdlib>
#include <cstring>

#include "app/texte.h"

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
    }
    ~FenetresXlib() override { XCloseDisplay(affichage_); }

    std::vector<WindowId> lister() override {
        std::vector<WindowId> fenetres;
        for (const Window enfant : enfants(DefaultRootWindow(affichage_))) {
            const Window client = chercher_client(enfant, 0);
            fenetres.push_back(client ? client : enfant);
        }
        return fenetres;
    }

    std::string titre(WindowId fenetre) override {
        const auto id = static_cast<Window>(fenetre);
        std::string texte;
        if (propriete(id, net_wm_name_, utf8_string_, texte)) return utf8_vers_cp1252(texte);
        if (propriete(id, XA_WM_NAME, AnyPropertyType, texte)) return texte;
        return "";
    }

    WindowId active() override {
        std::string valeur;
        if (!propriete(DefaultRootWindow(affichage_), net_active_, XA_WINDOW, valeur, true) ||
            valeur.size() < sizeof(Window))
            return 0;
        Window fenetre = 0;
        std::memcpy(&fenetre, valeur.data(), sizeof fenetre);
        return fenetre;
    }

    void minimiser(WindowId fenetre) override {
        XIconifyWindow(affichage_, static_cast<Window>(fenetre), DefaultScreen(affichage_));
        XFlush(affichage_);
    }

private:
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
        const bool ok = resultat == Success && donnees && type != None;
        if (ok) {
            const std::size_t taille = binaire && format == 32 ? nombre * sizeof(long)
                                                               : nombre * static_cast<std::size_t>(format / 8);
            valeur.assign(reinterpret_cast<const char*>(donnees), taille);
        }
        if (donnees) XFree(donnees);
        return ok;
    }

    Display* affichage_;
    Atom wm_state_, net_wm_name_, utf8_string_, net_active_;
};

}  // namespace

std::unique_ptr<FenetresX11> FenetresX11::ouvrir() {
    const char* nom = std::getenv("DISPLAY");
    if (!nom || !*nom) return nullptr;
    const char* plateforme_qt = std::getenv("QT_QPA_PLATFORM");
    if (plateforme_qt && std::string(plateforme_qt) != "xcb") return nullptr;
    Display* affichage = XOpenDisplay(nullptr);
    if (!affichage) return nullptr;
    return std::make_unique<FenetresXlib>(affichage);
}

}  // namespace quorva
