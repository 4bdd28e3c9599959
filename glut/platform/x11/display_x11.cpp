#include "display_x11.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <vector>

#include "x_error_trap_x11.h"
#include "x_property_x11.h"

namespace {

Window PropertyWindow(Display* display, Window window, Atom property) {
    const std::vector<long> named = ReadLongProperty(display, window, property, XA_WINDOW, 1);
    return named.size() == 1 ? static_cast<Window>(named[0]) : 0;
}

void MendStaleWindowManagerCheck(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == 0) {
        return;
    }
    const Window root = DefaultRootWindow(display);
    XGrabServer(display);
    if (const Window named = PropertyWindow(display, root, check)) {
        XErrorTrap trap(display, BadWindow, {X_GetProperty});
        PropertyWindow(display, named, check);
        if (trap.Caught()) {
            XDeleteProperty(display, root, check);
        }
    }
    XUngrabServer(display);
    XSync(display, False);
}

}  // namespace

std::optional<DisplayAtStart> OpenDisplayBeforeGlut() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return std::nullopt;
    }
    MendStaleWindowManagerCheck(display);
    DisplayAtStart start{ReadDesktopSettingsX11(display), ReadScreenAreaX11(display)};
    XCloseDisplay(display);
    return start;
}

FreeglutConnection::FreeglutConnection() : display(glXGetCurrentDisplay()) {}

void FreeglutConnection::Flush() const {
    if (display) {
        XFlush(display);
    }
}
