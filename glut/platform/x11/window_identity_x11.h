#pragma once

#include "window_description.h"

// What a desktop reads from a top-level window when the window first shows:
// WM_CLASS, WM_NORMAL_HINTS holding the window at one size, _NET_WM_PID with
// WM_CLIENT_MACHINE, _NET_WM_ICON and the launcher's _NET_STARTUP_ID.
//
// Window managers read these when they are asked to map the window: i3 then
// decides between floating and tiling, docks tie the window to its desktop
// entry. freeglut maps a window inside glutCreateWindow, before it returns,
// so properties written after it race the window manager, and the only
// remedy afterwards would be to withdraw the window and map it again (a
// flash at every start). So the properties are written in the moment
// freeglut maps the window: the XMapWindow that freeglut's library calls is
// this program's own (the dynamic linker binds the executable's definition
// first), which writes them and then maps. The X server handles one
// connection's requests in order, so the map request a window manager sees
// comes after the properties are in place.

// Takes the description of the next window freeglut maps: call it right before
// glutCreateWindow. Its title is not used; freeglut sets the title itself.
void PrepareWindowIdentityX11(const WindowDescription& description);

// Call right after glutCreateWindow, with the new window current. Should the
// map have bypassed this program's XMapWindow (a library linked so that its
// calls do not reach the executable), the properties are written now, late
// but still read by window managers that watch them. Then, the window being
// mapped, a launcher waiting for the program's first window is told it is
// there.
void FinishWindowIdentityX11();

// WM_NORMAL_HINTS of the current window: held at this size (written when
// they held another).
void HoldWindowSizeX11(int width, int height);
