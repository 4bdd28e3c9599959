#pragma once

#include <X11/Xlib.h>

#include <map>
#include <string>
#include <vector>

// Listens on the root window for start-up messages as a launcher does, and
// joins their pieces into whole messages, per sender window. Only a piece of
// type _NET_STARTUP_INFO_BEGIN starts a message, and only format-8 pieces
// count.
//
// It takes from the display's queue only the pieces; other events stay.
class StartupListener {
public:
    // Selects PropertyChangeMask on the default root window, adding to what
    // the display selected there already, and waits until the server has it.
    explicit StartupListener(Display* display);

    // The messages made whole since the last call, without their NUL, in the
    // order they were finished. Everything the server has sent so far is
    // read first; when that holds none, waits up to the given time for one.
    std::vector<std::string> Messages(int timeoutMs);

private:
    void Take(const XClientMessageEvent& piece);

    Display* display;
    Atom begin;
    Atom info;
    std::map<Window, std::string> partial;
    std::vector<std::string> finished;
};
