#include "window_identity_x11.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "startup_notification_x11.h"

namespace {

// What the next window freeglut maps is to carry.
std::optional<WindowDescription> pending;

// The size the hints last held, and of which window.
struct HeldSize {
    Window window = 0;
    int width = 0;
    int height = 0;
    bool operator==(const HeldSize&) const = default;
} held;

void SetFixedSizeHints(Display* display, Window window, int width, int height) {
    held = {window, width, height};
    XSizeHints hints{};
    long supplied = 0;
    // Keep what freeglut put there (its position and size hints).
    XGetWMNormalHints(display, window, &hints, &supplied);
    hints.flags |= PSize | PMinSize | PMaxSize;
    hints.width = hints.min_width = hints.max_width = width;
    hints.height = hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, window, &hints);
}

void SetClass(Display* display, Window window, const WindowDescription& description) {
    if (description.instanceName.empty() || description.className.empty()) {
        return;
    }
    std::string instance = description.instanceName;
    std::string name = description.className;
    XClassHint hint{instance.data(), name.data()};
    XSetClassHint(display, window, &hint);
}

// _NET_WM_PID means little without the machine it is a process of. freeglut
// writes both only when a window manager announced EWMH support at glutInit.
void SetProcess(Display* display, Window window) {
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') {
        return;
    }
    char* hosts[] = {host};
    XTextProperty machine{};
    if (XStringListToTextProperty(hosts, 1, &machine)) {
        XSetWMClientMachine(display, window, &machine);
        XFree(machine.value);
    }
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
}

// Width, height, then the pixels, for each image; Xlib passes format-32
// items as longs whatever their size.
void SetIcon(Display* display, Window window, const std::vector<IconImage>& icons) {
    std::vector<unsigned long> items;
    for (const IconImage& icon : icons) {
        const std::size_t count = static_cast<std::size_t>(icon.size) * icon.size;
        if (icon.size <= 0 || icon.argb.size() != count) {
            continue;
        }
        items.push_back(static_cast<unsigned long>(icon.size));
        items.push_back(static_cast<unsigned long>(icon.size));
        items.insert(items.end(), icon.argb.begin(), icon.argb.end());
    }
    if (items.empty()) {
        return;
    }
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
}

void WriteIdentity(Display* display, Window window, const WindowDescription& description) {
    SetClass(display, window, description);
    if (description.width > 0 && description.height > 0) {
        SetFixedSizeHints(display, window, description.width, description.height);
    }
    SetProcess(display, window);
    SetIcon(display, window, description.icons);
    SetStartupIdProperty(display, window);
}

}  // namespace

// Replaces Xlib's XMapWindow for the whole process; see the header for why.
// Every map but the one of a prepared window passes straight through.
extern "C" __attribute__((visibility("default"))) int XMapWindow(Display* display, Window window) {
    using MapWindowFn = int (*)(Display*, Window);
    static const auto realMapWindow = reinterpret_cast<MapWindowFn>(dlsym(RTLD_NEXT, "XMapWindow"));
    if (pending) {
        WriteIdentity(display, window, *pending);
        pending.reset();
    }
    return realMapWindow ? realMapWindow(display, window) : 0;
}

void PrepareWindowIdentityX11(const WindowDescription& description) {
    pending = description;
}

void FinishWindowIdentityX11() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) {
        pending.reset();
        return;
    }
    if (pending) {
        WriteIdentity(display, window, *pending);
        pending.reset();
    }
    AnnounceStartupComplete(display, window);
    XFlush(display);
}

void HoldWindowSizeX11(int width, int height) {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    // The hints are written only when the size changes: every request to
    // have the window's size back passes here.
    if (!display || !window || width <= 0 || height <= 0 ||
        held == HeldSize{window, width, height}) {
        return;
    }
    SetFixedSizeHints(display, window, width, height);
    XFlush(display);
}
