#include "x_error_trap_x11.h"

#include <algorithm>

namespace {

XErrorTrap* innermost = nullptr;
std::vector<bool (*)(const XErrorEvent&)> standingCatches;
XErrorHandler before = nullptr;

}  // namespace

int DispatchXError(Display* display, XErrorEvent* error) {
    for (XErrorTrap* trap = innermost; trap; trap = trap->outer) {
        if (trap->Takes(display, *error)) {
            trap->caught = true;
            return 0;
        }
    }
    for (const auto takes : standingCatches) {
        if (takes(*error)) {
            return 0;
        }
    }
    return before ? before(display, error) : 0;
}

namespace {

// Installs the dispatcher, or installs it again over a handler that was
// installed since, which then handles what the dispatcher does not take.
void InstallDispatcher() {
    const XErrorHandler current = XSetErrorHandler(DispatchXError);
    if (current != DispatchXError) {
        before = current;
    }
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display, unsigned char errorCode,
                       std::initializer_list<unsigned char> requestCodes)
    : display(display), errorCode(errorCode), requestCodes(requestCodes), outer(innermost) {
    // Errors of earlier requests are not this trap's.
    XSync(display, False);
    InstallDispatcher();
    innermost = this;
}

XErrorTrap::~XErrorTrap() {
    XSync(display, False);
    innermost = outer;
}

bool XErrorTrap::Caught() {
    XSync(display, False);
    return caught;
}

bool XErrorTrap::Takes(Display* errorDisplay, const XErrorEvent& error) const {
    return errorDisplay == display && error.error_code == errorCode &&
           std::find(requestCodes.begin(), requestCodes.end(), error.request_code) !=
               requestCodes.end();
}

void CatchXErrorsForGood(bool (*takes)(const XErrorEvent& error)) {
    if (std::find(standingCatches.begin(), standingCatches.end(), takes) == standingCatches.end()) {
        standingCatches.push_back(takes);
    }
    InstallDispatcher();
}
