#pragma once

// The X display, asked directly through Xlib where freeglut has no call for
// what is needed.

struct _XDisplay;  // Xlib's Display

// Whether an X display can be opened at all. freeglut ends the process with
// a terse message when it cannot, so start-up asks first.
bool CanOpenXDisplay();

// freeglut's X connection, taken from the current GL context when made:
// freeglut keeps its Display to itself, and after its last window is gone no
// context names it any more.
class FreeglutConnection {
public:
    FreeglutConnection();
    // Sends everything queued to the server now, instead of with the next
    // request.
    void Flush() const;

private:
    _XDisplay* display;
};
