#include "startup_notification_x11.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool taken = false;
bool announced = false;
std::string startupId;

// A client message holds 20 bytes of text, so a message goes out in pieces.
// Listeners join the pieces by sender window, and the first has a type of
// its own so that a listener can tell where a message starts.
constexpr std::size_t kPieceBytes = 20;

struct StartupAtoms {
    Display* display = nullptr;
    Atom begin = 0;
    Atom info = 0;
    Atom id = 0;
    Atom utf8 = 0;
};

// All four in one round trip, and again only for another connection; the
// program keeps to one.
const StartupAtoms& AtomsFor(Display* display) {
    static StartupAtoms atoms;
    if (atoms.display != display) {
        // Xlib takes the names as char** but does not write to them.
        char* names[] = {const_cast<char*>("_NET_STARTUP_INFO_BEGIN"),
                         const_cast<char*>("_NET_STARTUP_INFO"),
                         const_cast<char*>("_NET_STARTUP_ID"), const_cast<char*>("UTF8_STRING")};
        Atom found[4] = {};
        XInternAtoms(display, names, 4, False, found);
        atoms = {display, found[0], found[1], found[2], found[3]};
    }
    return atoms;
}

std::string QuotedIfNeeded(const std::string& value) {
    if (value.find_first_of(" \"\\") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

void TakeStartupId() {
    if (taken) {
        return;
    }
    taken = true;
    if (const char* id = std::getenv("DESKTOP_STARTUP_ID")) {
        startupId = id;
    }
    unsetenv("DESKTOP_STARTUP_ID");
}

const std::string& StartupId() {
    return startupId;
}

std::string StartupRemoveMessage(const std::string& id) {
    return "remove: ID=" + QuotedIfNeeded(id);
}

void SetStartupIdProperty(Display* display, Window window) {
    if (startupId.empty() || !display || !window) {
        return;
    }
    const StartupAtoms& atoms = AtomsFor(display);
    XChangeProperty(display, window, atoms.id, atoms.utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(startupId.data()),
                    static_cast<int>(startupId.size()));
}

void AnnounceStartupComplete(Display* display, Window window) {
    if (announced || startupId.empty() || !display || !window) {
        return;
    }
    announced = true;
    const StartupAtoms& atoms = AtomsFor(display);
    const std::string text = StartupRemoveMessage(startupId);
    // The NUL is part of the message: it tells the listener the message is
    // whole, so it goes out too, alone in a last piece if need be.
    const std::size_t length = text.size() + 1;
    for (std::size_t offset = 0; offset < length; offset += kPieceBytes) {
        XEvent event{};
        XClientMessageEvent& piece = event.xclient;
        piece.type = ClientMessage;
        piece.display = display;
        piece.window = window;
        piece.message_type = offset == 0 ? atoms.begin : atoms.info;
        piece.format = 8;
        std::memcpy(piece.data.b, text.c_str() + offset, std::min(kPieceBytes, length - offset));
        XSendEvent(display, DefaultRootWindow(display), False, PropertyChangeMask, &event);
    }
    XFlush(display);
}
