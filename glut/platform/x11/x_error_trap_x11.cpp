#include "x_error_trap_x11.h"

#include <algorithm>

namespace {

XErrorTrap* innermost = nullptr;
std::vector<bool (*)(const XErrorEvent&)> standingCatches;
// The handlers the dispatcher took the place of, oldest first: the one in
// place before it was first installed, then each one installed over it
// since. Each of the later ones, if it passes errors on to the handler it
// replaced, calls the dispatcher again, which then goes on one further down.
std::vector<XErrorHandler> replaced;
// Xlib's own handler, which prints the error and ends the process: where an
// error ends that no handler takes.
XErrorHandler xlibDefault = nullptr;
// How many handlers an error is being passed through at the moment.
std::size_t passedDown = 0;

// Passes the error to the handler the dispatcher replaced `passedDown`
// handlers back, counting itself in for as long as that handler runs.
int PassDown(Display* display, XErrorEvent* error) {
    const XErrorHandler handler =
        passedDown < replaced.size() ? replaced[replaced.size() - 1 - passedDown] : xlibDefault;
    ++passedDown;
    const int result = handler(display, error);
    --passedDown;
    return result;
}

}  // namespace

int DispatchXError(Display* display, XErrorEvent* error) {
    // Coming back from a handler it passed the error to, the dispatcher has
    // offered it to the traps and catches already.
    if (passedDown > 0) {
        return PassDown(display, error);
    }
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
    return PassDown(display, error);
}

namespace {

// Installs the dispatcher, or installs it again over a handler that was
// installed since, which then handles what the dispatcher does not take.
void InstallDispatcher() {
    if (!xlibDefault) {
        // Setting no handler puts Xlib's own in place and answers the one
        // before; putting that back answers Xlib's own.
        xlibDefault = XSetErrorHandler(XSetErrorHandler(nullptr));
    }
    const XErrorHandler current = XSetErrorHandler(DispatchXError);
    if (current != DispatchXError && (replaced.empty() || replaced.back() != current)) {
        replaced.push_back(current);
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
