#pragma once

#include <vector>

#include "size_keeper.h"

// Every size the X server or a window manager reports for a window, in order,
// including reports that leave the size as it was. freeglut calls its reshape
// callback only when the size changes, but a window manager that refuses a
// resize answers with the unchanged size (ICCCM 4.1.5: a synthetic
// ConfigureNotify), and without seeing that answer a size keeper would take
// the user's next resize for it.
//
// The reports are read as Xlib turns them from the wire into events, before
// freeglut handles them. A report another client sent (XSendEvent) counts as
// an answer that leaves the size as the server last reported it, whatever
// size it claims; it reaches freeglut with that size too.

// Starts collecting the reports for the current GLUT window (its GL context
// must be current).
void WatchConfigureNoticesX11();

// The reports collected for the current window since the last call, oldest
// first. A long backlog keeps only its latest reports.
std::vector<SizeKeeper::Size> TakeConfigureNoticesX11();

// What the server has said of the current window's size so far, and how
// many times that changed. The server sends a report before the reply to any
// later request on the connection, so once a reply is in, `size` is the
// window's size when the server answered, and `changes` moves if a report of
// another size came with or after it.
struct ServerSizeX11 {
    SizeKeeper::Size size;
    unsigned long changes = 0;
};
// Converts the reports that Xlib has already read from the connection (no
// round trip) and answers for the current window; zeros for one not watched.
ServerSizeX11 ReadServerSizeX11();
