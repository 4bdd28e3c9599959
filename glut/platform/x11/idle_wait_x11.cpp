#include "idle_wait_x11.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <cmath>

namespace {

int TimeoutMilliseconds(double seconds) {
    if (seconds < 0.0) {
        return -1;
    }
    // Rounded up: waking a little early would only lead to a second wait.
    const double ms = std::ceil(seconds * 1000.0);
    return ms > 1e9 ? 1'000'000'000 : static_cast<int>(ms);
}

}  // namespace

void WaitForInputOrTimeout(double seconds) {
    // freeglut keeps its Display to itself. The GL context it makes current
    // for its windows lives on that same connection, so GLX hands it out.
    // Without a current context there is nothing to wait on: return at once
    // rather than risk sleeping through input.
    Display* display = glXGetCurrentDisplay();
    if (!display) {
        return;
    }
    // XPending also flushes requests still buffered, so the server sees them
    // before we sleep; events already read into Xlib's queue would not wake
    // poll, hence the check.
    if (XPending(display) > 0) {
        return;
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    // An interrupted poll simply returns early; every caller waits in a loop.
    poll(&connection, 1, TimeoutMilliseconds(seconds));
}
