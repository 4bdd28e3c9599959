#pragma once

// What an X desktop publishes about its scale, fetched from the server, and
// word of its changes as they arrive.
//
// Desktops publish the scale in two places: an XSETTINGS manager (GNOME's,
// Xfce's, xsettingsd) owns the selection _XSETTINGS_S<screen> and keeps its
// settings in the property _XSETTINGS_SETTINGS of the window that owns it;
// and the X resources (xrdb) lie in the root window's RESOURCE_MANAGER.
// Either changes with a PropertyNotify; a manager that starts announces
// itself with a MANAGER client message on the root window, and one that
// stops destroys its window.

#include "desktop_settings_x11.h"

struct _XDisplay;  // Xlib's Display

// The settings of the default screen's XSETTINGS manager and the X resources,
// as they are now. A manager that went away while it was asked counts as none.
DesktopSettings ReadDesktopSettingsX11(_XDisplay* display);

// The room a window has on the default screen: the current desktop's
// _NET_WORKAREA where a window manager sets it, else the whole screen.
ScreenArea ReadScreenAreaX11(_XDisplay* display);

// From now on, on freeglut's connection (the current GL context's), changes to
// any of these are noticed as their events arrive: the X resources, the
// XSETTINGS manager's settings, a manager that starts or goes, and the work
// area. Costs nothing until one comes.
void WatchDesktopSettingsX11();
// Whether a change came since the last call. Makes no request.
bool TakeDesktopSettingsChangeX11();
// freeglut's connection, to read afresh on after a change; null without a
// current GL context.
_XDisplay* WatchedDisplayX11();
