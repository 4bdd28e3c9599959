#include "size_hints_x11.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

namespace {

// How long a window manager may take to let go of a withdrawn window.
constexpr auto kWithdrawTimeout = std::chrono::seconds(1);

// Managed windows carry WM_STATE, set by the window manager (ICCCM 4.1.3.1)
// and removed or set to Withdrawn when it lets a window go.
bool IsManaged(Display* display, Window window) {
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, wmState, 0, 1, False, wmState, &type,
                                          &format, &items, &remaining, &data);
    bool managed = false;
    if (status == Success && data && items >= 1 && format == 32) {
        managed = *reinterpret_cast<long*>(data) != WithdrawnState;
    }
    if (data) {
        XFree(data);
    }
    return managed;
}

bool IsTopLevel(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) {
        return false;
    }
    if (children) {
        XFree(children);
    }
    return parent == root;
}

bool HasSize(Display* display, Window window, int width, int height) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.width == width &&
           attributes.height == height;
}

// A reparenting window manager hands the window back to the root before it
// forgets it; mapping it earlier would map it inside the old frame.
void WaitUntilReleased(Display* display, Window window) {
    const auto deadline = std::chrono::steady_clock::now() + kWithdrawTimeout;
    while ((IsManaged(display, window) || !IsTopLevel(display, window)) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void SetFixedSizeHints(Display* display, Window window, int width, int height) {
    XSizeHints hints{};
    long supplied = 0;
    // Keep what freeglut put there (its position and size hints).
    XGetWMNormalHints(display, window, &hints, &supplied);
    hints.flags |= PSize | PMinSize | PMaxSize;
    hints.width = hints.min_width = hints.max_width = width;
    hints.height = hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, window, &hints);
}

}  // namespace

void HoldWindowSizeX11(int width, int height) {
    // freeglut keeps its Display and window handles to itself; the GL context
    // it makes current for the window names both.
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window || width <= 0 || height <= 0) {
        return;
    }
    SetFixedSizeHints(display, window, width, height);
    if (IsManaged(display, window) && !HasSize(display, window, width, height)) {
        XWithdrawWindow(display, window, DefaultScreen(display));
        XSync(display, False);
        WaitUntilReleased(display, window);
        XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XMapWindow(display, window);
    }
    XFlush(display);
}
