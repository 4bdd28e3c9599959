#include "configure_notices_x11.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xlibint.h>

#include <map>

namespace {

using WireToEvent = Bool (*)(Display*, XEvent*, xEvent*);

// Enough for any burst between two passes of the main loop; older reports
// say nothing the later ones do not.
constexpr std::size_t kMaxBacklog = 32;

struct WatchedWindow {
    std::vector<SizeKeeper::Size> reports;
    ServerSizeX11 server;
};

WireToEvent xlibConfigureNotify = nullptr;
std::map<Window, WatchedWindow> watched;

// Runs inside Xlib with its display locked: it only records, and makes no
// Xlib call.
Bool RecordConfigureNotify(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = xlibConfigureNotify(display, event, wire);
    if (!converted || event->type != ConfigureNotify) {
        return converted;
    }
    const auto found = watched.find(event->xconfigure.window);
    if (found != watched.end()) {
        // Any client may send a ConfigureNotify (a window manager does, to
        // tell a new position or to answer a request it refused), but only
        // the server knows the window's size: a sent one is given the size
        // the server last reported before freeglut sees it, so that it
        // neither reshapes the window's picture nor counts as a new size.
        if (event->xconfigure.send_event) {
            event->xconfigure.width = found->second.server.size.width;
            event->xconfigure.height = found->second.server.size.height;
        }
        const SizeKeeper::Size size{event->xconfigure.width, event->xconfigure.height};
        std::vector<SizeKeeper::Size>& reports = found->second.reports;
        if (reports.size() >= kMaxBacklog) {
            reports.erase(reports.begin());
        }
        reports.push_back(size);
        ServerSizeX11& server = found->second.server;
        if (!(server.size == size)) {
            server.size = size;
            ++server.changes;
        }
    }
    return converted;
}

}  // namespace

void WatchConfigureNoticesX11() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) {
        return;
    }
    // freeglut opens one connection for the process, so one converter serves
    // every window; it is installed once and stays.
    if (!xlibConfigureNotify) {
        xlibConfigureNotify = XESetWireToEvent(display, ConfigureNotify, RecordConfigureNotify);
    }
    // The size to start from is asked of the server once: a window manager
    // may already have changed the size the window was created with.
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth);
    watched[window].server.size = {static_cast<int>(width), static_cast<int>(height)};
}

std::vector<SizeKeeper::Size> TakeConfigureNoticesX11() {
    const auto found = watched.find(glXGetCurrentDrawable());
    if (found == watched.end()) {
        return {};
    }
    std::vector<SizeKeeper::Size> taken;
    taken.swap(found->second.reports);
    return taken;
}

ServerSizeX11 ReadServerSizeX11() {
    Display* display = glXGetCurrentDisplay();
    const auto found = watched.find(glXGetCurrentDrawable());
    if (!display || found == watched.end()) {
        return {};
    }
    // Events that came in with a reply may still wait in Xlib's (or XCB's)
    // buffer unconverted; this converts them without asking the server.
    XEventsQueued(display, QueuedAfterReading);
    return found->second.server;
}
