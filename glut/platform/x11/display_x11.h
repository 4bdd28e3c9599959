#pragma once

// The X display, asked directly through Xlib where freeglut has no call for
// what is needed.

#include <optional>

#include "desktop_scale_x11.h"

struct _XDisplay;  // Xlib's Display

// What start-up learns from the X display on a connection of its own before
// freeglut opens one: what the desktop says about its scale and the room a
// window has. None when no display can be opened; freeglut ends the process
// with a terse message then, so start-up asks first.
//
// On the way it mends what a window manager that died leaves behind: the
// root window's _NET_SUPPORTING_WM_CHECK naming a window that is gone. glutInit
// asks that window for a property, and the BadWindow error ends the process
// before any window opens. The stale property is deleted (with the server
// grabbed, so that a window manager starting meanwhile keeps its own), as no
// window manager stands behind it; a new one sets it again.
struct DisplayAtStart {
    DesktopSettings desktop;
    ScreenArea area;
};
std::optional<DisplayAtStart> OpenDisplayBeforeGlut();

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
