#include "desktop_scale_x11.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#include <X11/Xproto.h>

#include <string>
#include <vector>

#include "x_error_trap_x11.h"
#include "x_property_x11.h"

namespace {

using WireToEvent = Bool (*)(Display*, XEvent*, xEvent*);

struct Watch {
    Display* display = nullptr;
    Window root = 0;
    Window manager = 0;
    Atom resourceManager = 0;
    Atom workArea = 0;
    Atom settings = 0;
    Atom selection = 0;
    Atom managerMessage = 0;
    WireToEvent xlibPropertyNotify = nullptr;
    WireToEvent xlibClientMessage = nullptr;
    WireToEvent xlibDestroyNotify = nullptr;
    bool changed = false;
};

Watch watch;

Atom SelectionAtom(Display* display) {
    const std::string name = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
    return XInternAtom(display, name.c_str(), False);
}

std::vector<long> ReadCardinals(Display* display, Window window, const char* name) {
    const Atom property = XInternAtom(display, name, True);
    return property ? ReadLongProperty(display, window, property, XA_CARDINAL, 1024)
                    : std::vector<long>{};
}

// Runs inside Xlib with its display locked: it only looks, and makes no Xlib
// call.
Bool NotePropertyNotify(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = watch.xlibPropertyNotify(display, event, wire);
    if (converted && event->type == PropertyNotify) {
        const XPropertyEvent& e = event->xproperty;
        watch.changed |= (e.window == watch.root &&
                          (e.atom == watch.resourceManager || e.atom == watch.workArea)) ||
                         (e.window == watch.manager && watch.manager && e.atom == watch.settings);
    }
    return converted;
}

Bool NoteClientMessage(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = watch.xlibClientMessage(display, event, wire);
    if (converted && event->type == ClientMessage) {
        const XClientMessageEvent& e = event->xclient;
        watch.changed |= e.window == watch.root && e.message_type == watch.managerMessage &&
                         e.format == 32 && static_cast<Atom>(e.data.l[1]) == watch.selection;
    }
    return converted;
}

Bool NoteDestroyNotify(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = watch.xlibDestroyNotify(display, event, wire);
    if (converted && event->type == DestroyNotify) {
        watch.changed |= watch.manager && event->xdestroywindow.window == watch.manager;
    }
    return converted;
}

}  // namespace

DesktopSettings ReadDesktopSettingsX11(Display* display) {
    DesktopSettings desktop;
    if (!display) {
        return desktop;
    }
    const Window root = DefaultRootWindow(display);
    if (auto resources = ReadByteProperty(display, root, XA_RESOURCE_MANAGER)) {
        desktop.resources.emplace(resources->begin(), resources->end());
    }
    const Window manager = XGetSelectionOwner(display, SelectionAtom(display));
    if (manager) {
        // The manager may go between the two requests: its window is then gone.
        XErrorTrap trap(display, BadWindow, {X_GetProperty, X_ChangeWindowAttributes});
        if (display == watch.display) {
            XSelectInput(display, manager, PropertyChangeMask | StructureNotifyMask);
        }
        desktop.xsettings =
            ReadByteProperty(display, manager, XInternAtom(display, "_XSETTINGS_SETTINGS", False));
        if (trap.Caught()) {
            desktop.xsettings.reset();
        }
    }
    if (display == watch.display) {
        watch.manager = manager;
    }
    return desktop;
}

ScreenArea ReadScreenAreaX11(Display* display) {
    if (!display) {
        return {};
    }
    const Window root = DefaultRootWindow(display);
    const std::vector<long> area = ReadCardinals(display, root, "_NET_WORKAREA");
    const std::vector<long> current = ReadCardinals(display, root, "_NET_CURRENT_DESKTOP");
    const std::size_t desktop = current.size() == 1 && current[0] >= 0 ? current[0] : 0;
    if (area.size() >= 4 * (desktop + 1) && area[4 * desktop + 2] > 0 &&
        area[4 * desktop + 3] > 0) {
        return {static_cast<int>(area[4 * desktop + 2]), static_cast<int>(area[4 * desktop + 3])};
    }
    return {DisplayWidth(display, DefaultScreen(display)),
            DisplayHeight(display, DefaultScreen(display))};
}

void WatchDesktopSettingsX11() {
    Display* display = glXGetCurrentDisplay();
    if (!display || watch.display) {
        return;
    }
    watch.display = display;
    watch.root = DefaultRootWindow(display);
    watch.resourceManager = XA_RESOURCE_MANAGER;
    watch.workArea = XInternAtom(display, "_NET_WORKAREA", False);
    watch.settings = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
    watch.selection = SelectionAtom(display);
    watch.managerMessage = XInternAtom(display, "MANAGER", False);
    // The converters see every event of their kind on freeglut's connection,
    // before freeglut does, which passes over those of windows not its own.
    watch.xlibPropertyNotify = XESetWireToEvent(display, PropertyNotify, NotePropertyNotify);
    watch.xlibClientMessage = XESetWireToEvent(display, ClientMessage, NoteClientMessage);
    watch.xlibDestroyNotify = XESetWireToEvent(display, DestroyNotify, NoteDestroyNotify);
    // A manager announces itself to StructureNotify listeners of the root.
    XSelectInput(display, watch.root, PropertyChangeMask | StructureNotifyMask);
    const Window manager = XGetSelectionOwner(display, watch.selection);
    if (manager) {
        XErrorTrap trap(display, BadWindow, {X_ChangeWindowAttributes});
        XSelectInput(display, manager, PropertyChangeMask | StructureNotifyMask);
        watch.manager = trap.Caught() ? 0 : manager;
    }
    XFlush(display);
}

bool TakeDesktopSettingsChangeX11() {
    const bool changed = watch.changed;
    watch.changed = false;
    return changed;
}

Display* WatchedDisplayX11() {
    return glXGetCurrentDisplay();
}
