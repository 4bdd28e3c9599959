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

WireToEvent xlibConfigureNotify = nullptr;
std::map<Window, std::vector<SizeKeeper::Size>> notices;

// Runs inside Xlib with its display locked: it only records, and makes no
// Xlib call.
Bool RecordConfigureNotify(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = xlibConfigureNotify(display, event, wire);
    if (!converted || event->type != ConfigureNotify) {
        return converted;
    }
    const auto watched = notices.find(event->xconfigure.window);
    if (watched != notices.end()) {
        std::vector<SizeKeeper::Size>& sizes = watched->second;
        if (sizes.size() >= kMaxBacklog) {
            sizes.erase(sizes.begin());
        }
        sizes.push_back({event->xconfigure.width, event->xconfigure.height});
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
    notices[window];
}

std::vector<SizeKeeper::Size> TakeConfigureNoticesX11() {
    const auto watched = notices.find(glXGetCurrentDrawable());
    if (watched == notices.end()) {
        return {};
    }
    std::vector<SizeKeeper::Size> taken;
    taken.swap(watched->second);
    return taken;
}
