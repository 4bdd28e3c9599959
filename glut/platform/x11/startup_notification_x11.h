#pragma once

#include <string>

// The launcher's side of a start-up: a dock or a desktop menu that starts the
// program from a desktop entry saying StartupNotify=true passes an ID in
// DESKTOP_STARTUP_ID and shows the start as busy until the program says
// "remove" for that ID, or until the launcher gives up on it. The program
// also puts the ID on its windows, for window managers to tie the window to
// the start (and to allow it focus). Started without an ID, nothing is sent.

struct _XDisplay;  // Xlib's Display

// Takes the ID out of the environment, so that nothing this program starts
// inherits it and ends a start that is not its own. An empty ID counts as
// none. Call it early, before anything else is started; later calls keep
// what the first found and leave the environment alone.
void TakeStartupId();

// The ID taken, empty if none.
const std::string& StartupId();

// The text that ends the start with this ID: "remove: ID=<id>", the ID in
// double quotes, with quotes and backslashes escaped by a backslash, when it
// holds a space, a quote or a backslash.
std::string StartupRemoveMessage(const std::string& id);

// Puts the ID on the window as _NET_STARTUP_ID, when there is one. Call it
// before the window is mapped: window managers read it on the map request.
void SetStartupIdProperty(_XDisplay* display, unsigned long window);

// Tells listening launchers that the start has finished: the remove message,
// broadcast on the root window in 20-byte pieces, each naming the window as
// the sender. Call it once the first window is mapped. Sent once per process
// and only when there is an ID; later calls do nothing.
void AnnounceStartupComplete(_XDisplay* display, unsigned long window);
