#pragma once

// Decides when a window that keeps one size asks to have it back. No GLUT
// here: the caller reports the sizes the window gets and makes the requests.
//
// A size that differs from the kept one is answered with one request for the
// kept size: a user's resize is undone where the window manager allows it.
// When the window manager answers a request with a size of its own choosing
// (a tiling manager, a screen smaller than the window), that size is taken:
// nothing is asked again until the size changes once more, so a manager that
// refuses is never fought in a loop of requests and reshapes.
class SizeKeeper {
public:
    struct Size {
        int width = 0;
        int height = 0;
        bool operator==(const Size&) const = default;
    };

    // The window now has this size. True when the kept size should be
    // requested now; the caller then makes exactly one request.
    bool OnResized(Size kept, Size actual);
    // The kept size was requested outside OnResized (set anew, for instance).
    // A window that has another size answers the request with its next
    // resize.
    void OnRequested(Size kept);

private:
    Size current;
    bool awaitingAnswer = false;
    bool refused = false;
    Size refusedSize;
};
