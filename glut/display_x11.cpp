#include "display_x11.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

bool CanOpenXDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

FreeglutConnection::FreeglutConnection() : display(glXGetCurrentDisplay()) {}

void FreeglutConnection::Flush() const {
    if (display) {
        XFlush(display);
    }
}
