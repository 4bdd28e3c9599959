// A window manager that never grants a size. It maps windows as they ask,
// sizes them only when told to through a _QM_IMPOSE_SIZE client message on
// the root window (window, width, height, silently; a width of 0 lets the
// window size itself again), as a tiling manager or a user dragging a frame
// would, and answers every configure request with a size of its own that is
// never the one asked for: one pixel smaller and back again, by turns; or,
// told to refuse silently, with the size the window has (a synthetic
// ConfigureNotify, as ICCCM asks of a manager that changes nothing); or,
// told to ignore requests, not at all (against ICCCM). A client that asks again
// whenever its size is not the one it wants would ask for ever. The number of configure requests it
// received is kept on the root window as _QM_CONFIGURE_REQUESTS (a CARDINAL), and
// _QM_STUBBORN_WM_READY appears there once it manages the screen.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <map>

namespace {

bool otherManager = false;

int OnStartError(Display*, XErrorEvent*) {
    otherManager = true;
    return 0;
}

int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

struct Imposed {
    int width = 0;
    int height = 0;
    bool smaller = false;
    // How it answers a request: 0 with a size of its own, 1 silently with
    // the size the window has, 2 not at all.
    long answer = 0;
};

void Publish(Display* display, Window root, const char* name, long value) {
    XChangeProperty(display, root, XInternAtom(display, name, False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&value), 1);
    XFlush(display);
}

void Resize(Display* display, Window window, int width, int height) {
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

void RefuseSilently(Display* display, Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    XEvent notice{};
    notice.xconfigure.type = ConfigureNotify;
    notice.xconfigure.event = window;
    notice.xconfigure.window = window;
    notice.xconfigure.x = attributes.x;
    notice.xconfigure.y = attributes.y;
    notice.xconfigure.width = attributes.width;
    notice.xconfigure.height = attributes.height;
    XSendEvent(display, window, False, StructureNotifyMask, &notice);
}

}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "stubborn_wm: cannot open the display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSetErrorHandler(OnStartError);
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);
    if (otherManager) {
        std::fprintf(stderr, "stubborn_wm: another window manager runs\n");
        return 1;
    }
    XSetErrorHandler(IgnoreError);
    const Atom imposeSize = XInternAtom(display, "_QM_IMPOSE_SIZE", False);
    long requests = 0;
    Publish(display, root, "_QM_CONFIGURE_REQUESTS", requests);
    Publish(display, root, "_QM_STUBBORN_WM_READY", 1);
    std::map<Window, Imposed> imposed;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapRequest) {
            XMapWindow(display, event.xmaprequest.window);
        } else if (event.type == ConfigureRequest) {
            const XConfigureRequestEvent& request = event.xconfigurerequest;
            Publish(display, root, "_QM_CONFIGURE_REQUESTS", ++requests);
            auto found = imposed.find(request.window);
            if (found == imposed.end()) {
                // Not sized by us yet: a window setting itself up.
                XWindowChanges changes{request.x,
                                       request.y,
                                       request.width,
                                       request.height,
                                       request.border_width,
                                       request.above,
                                       request.detail};
                XConfigureWindow(display, request.window, static_cast<unsigned>(request.value_mask),
                                 &changes);
                continue;
            }
            Imposed& size = found->second;
            if (size.answer == 2) {
                continue;
            }
            if (size.answer == 1) {
                RefuseSilently(display, request.window);
                XFlush(display);
                continue;
            }
            size.smaller = !size.smaller;
            const int shrink = size.smaller ? 1 : 0;
            Resize(display, request.window, size.width - shrink, size.height - shrink);
        } else if (event.type == ClientMessage && event.xclient.message_type == imposeSize) {
            const Window window = static_cast<Window>(event.xclient.data.l[0]);
            if (event.xclient.data.l[1] <= 0) {
                imposed.erase(window);
                continue;
            }
            const Imposed size{static_cast<int>(event.xclient.data.l[1]),
                               static_cast<int>(event.xclient.data.l[2]), false,
                               event.xclient.data.l[3]};
            imposed[window] = size;
            // Placed at the top left corner, as a tiling manager would.
            XMoveResizeWindow(display, window, 0, 0, static_cast<unsigned>(size.width),
                              static_cast<unsigned>(size.height));
        }
        XFlush(display);
    }
}
