#include "x_error_trap_x11.h"

#include <algorithm>

namespace {

// Xlib's error handler is one for the whole process.
XErrorTrap* innermost = nullptr;

}  // namespace

XErrorTrap::XErrorTrap(Display* display, unsigned char errorCode,
                       std::initializer_list<unsigned char> requestCodes)
    : display(display), errorCode(errorCode), requestCodes(requestCodes), outer(innermost) {
    // Errors of earlier requests still belong to the handler before.
    XSync(display, False);
    previous = XSetErrorHandler(Handle);
    innermost = this;
}

XErrorTrap::~XErrorTrap() {
    XSync(display, False);
    innermost = outer;
    XSetErrorHandler(previous);
}

bool XErrorTrap::Caught() {
    XSync(display, False);
    return caught;
}

int XErrorTrap::Handle(Display* display, XErrorEvent* error) {
    XErrorTrap* trap = innermost;
    if (trap && display == trap->display && error->error_code == trap->errorCode &&
        std::find(trap->requestCodes.begin(), trap->requestCodes.end(), error->request_code) !=
            trap->requestCodes.end()) {
        trap->caught = true;
        return 0;
    }
    return trap && trap->previous ? trap->previous(display, error) : 0;
}
