#pragma once

#include <X11/Xlib.h>

#include <initializer_list>
#include <vector>

// Catches one kind of X error from a few kinds of request, on one
// connection, for as long as it lives; every other error goes to the handler
// that was there before, which for Xlib's own ends the process as always.
// For requests that may name a window another client destroys at any moment.
// It waits for the server when made and when asked or ended, so that errors
// land where they belong.
class XErrorTrap {
public:
    XErrorTrap(Display* display, unsigned char errorCode,
               std::initializer_list<unsigned char> requestCodes);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Whether the error came from a request made so far.
    bool Caught();

private:
    static int Handle(Display* display, XErrorEvent* error);

    Display* display;
    unsigned char errorCode;
    std::vector<unsigned char> requestCodes;
    bool caught = false;
    XErrorHandler previous;
    XErrorTrap* outer;
};
