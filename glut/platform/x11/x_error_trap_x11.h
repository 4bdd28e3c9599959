#pragma once

#include <X11/Xlib.h>

#include <initializer_list>
#include <vector>

// Xlib has one error handler for the whole process. The X11 platform
// installs its own the first time it needs it and keeps it: each error goes
// to the traps alive, innermost first, then to the standing catches, and
// what none takes goes on to the handler that was there before (Xlib's own,
// which ends the process). Nothing puts an older handler back, so a handler
// that another part of the process installs meanwhile is not lost: it is
// taken as the one before when the platform next needs its own. Such a
// handler may pass errors on to the one it replaced, which is the
// dispatcher: the error then goes on to the handler before that one, and so
// down to the first, never round again; one that all of them pass on ends
// in Xlib's own handler, with its message.

// Catches one kind of X error from a few kinds of request, on one
// connection, for as long as it lives. For requests that may name a window
// another client destroys at any moment. It waits for the server when made
// and when asked or ended, so that errors land where they belong.
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
    friend int DispatchXError(Display* display, XErrorEvent* error);
    bool Takes(Display* errorDisplay, const XErrorEvent& error) const;

    Display* display;
    unsigned char errorCode;
    std::vector<unsigned char> requestCodes;
    bool caught = false;
    XErrorTrap* outer;
};

// For the rest of the process, the errors for which `takes` answers true are
// its own and do not end the process. For errors that come back while
// another library waits for the server, where no trap can wait first;
// `takes` must answer only for requests it knows to be its own (by their
// connection and serial), since every other part of the process shares the
// handler.
void CatchXErrorsForGood(bool (*takes)(const XErrorEvent& error));
