#include "display_x11.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include "x_error_trap_x11.h"

namespace {

Window PropertyWindow(Display* display, Window window, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count == 1) {
        named = static_cast<Window>(*reinterpret_cast<const unsigned long*>(data));
    }
    if (data) {
        XFree(data);
    }
    return named;
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
