#include "startup_listener.h"

#include <poll.h>

#include <chrono>
#include <cstring>

namespace {

struct PieceTypes {
    Atom begin;
    Atom info;
};

Bool IsPiece(Display*, XEvent* event, XPointer arg) {
    const auto* types = reinterpret_cast<const PieceTypes*>(arg);
    return event->type == ClientMessage && (event->xclient.message_type == types->begin ||
                                            event->xclient.message_type == types->info);
}

}  // namespace

StartupListener::StartupListener(Display* display)
    : display(display),
      begin(XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False)),
      info(XInternAtom(display, "_NET_STARTUP_INFO", False)) {
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    XSelectInput(display, root, attributes.your_event_mask | PropertyChangeMask);
    XSync(display, False);
}

void StartupListener::Take(const XClientMessageEvent& piece) {
    if (piece.format != 8) {
        return;
    }
    if (piece.message_type == begin) {
        partial[piece.window].clear();
    } else if (!partial.count(piece.window)) {
        return;
    }
    const char* text = piece.data.b;
    const std::size_t size = sizeof piece.data.b;
    const auto* end = static_cast<const char*>(std::memchr(text, '\0', size));
    std::string& message = partial[piece.window];
    message.append(text, end ? end - text : size);
    if (end) {
        finished.push_back(message);
        partial.erase(piece.window);
    }
}

std::vector<std::string> StartupListener::Messages(int timeoutMs) {
    // The reply to a round trip comes after every event the server sent
    // before it, so what other clients finished sending is read here.
    XSync(display, False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    PieceTypes types{begin, info};
    for (;;) {
        XEvent event;
        // Reads whatever has arrived on the connection before it gives up.
        while (XCheckIfEvent(display, &event, IsPiece, reinterpret_cast<XPointer>(&types))) {
            Take(event.xclient);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (!finished.empty() || left.count() <= 0) {
            break;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
    std::vector<std::string> result;
    result.swap(finished);
    return result;
}
