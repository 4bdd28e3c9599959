#include "window_watcher.h"

#include <poll.h>
#include <unistd.h>

#include <stdexcept>

namespace {

// Windows may be gone before the watcher gets to them.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// Notes whether a map of the window waits in the queue, and takes nothing
// out of it.
struct QueuedMap {
    Window window;
    bool found = false;
};
Bool NoteQueuedMap(Display*, XEvent* event, XPointer arg) {
    auto* wanted = reinterpret_cast<QueuedMap*>(arg);
    if (event->type == MapNotify && event->xmap.window == wanted->window) {
        wanted->found = true;
    }
    return False;
}

}  // namespace

WindowWatcher::WindowWatcher() : display(XOpenDisplay(nullptr)) {
    if (!display || pipe(wakeFds) != 0) {
        throw std::runtime_error("WindowWatcher: cannot open the X display");
    }
    XSetErrorHandler(IgnoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    thread = std::thread([this] { Watch(); });
}

WindowWatcher::~WindowWatcher() {
    const char stop = 0;
    if (write(wakeFds[1], &stop, 1) == 1) {
        thread.join();
    } else {
        thread.detach();
    }
    XCloseDisplay(display);
    close(wakeFds[0]);
    close(wakeFds[1]);
}

WindowWatcher::History WindowWatcher::Of(Window window) {
    const std::lock_guard<std::mutex> lock(mutex);
    return histories[window];
}

void WindowWatcher::Watch() {
    pollfd fds[] = {{ConnectionNumber(display), POLLIN, 0}, {wakeFds[0], POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            Take(event);
        }
        if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN)) {
            return;
        }
    }
}

// Each window made on the root is watched from then on. Its own map and
// unmap are counted where they are reported to the window itself, wherever a
// window manager has put it meanwhile, and a map also where the root reports
// it, which is all there is of a map that came before the watching began.
void WindowWatcher::Take(const XEvent& event) {
    const std::lock_guard<std::mutex> lock(mutex);
    const MapReport previous = lastMap;
    lastMap = {};
    switch (event.type) {
        case CreateNotify:
            sizes[event.xcreatewindow.window] = {event.xcreatewindow.width,
                                                 event.xcreatewindow.height};
            Select(event.xcreatewindow.window);
            break;
        case ConfigureNotify:
            if (event.xconfigure.event == event.xconfigure.window) {
                sizes[event.xconfigure.window] = {event.xconfigure.width, event.xconfigure.height};
            }
            break;
        case MapNotify: {
            // Under load a program can map its window before this thread has
            // selected the window's own events, so a map is also taken where
            // the root reports it for its child. A map reported both ways
            // comes as two events in a row (one request made both), and
            // counts once.
            const Window window = event.xmap.window;
            const bool own = event.xmap.event == window;
            if (!own && event.xmap.event != DefaultRootWindow(display)) {
                break;
            }
            lastMap = {window, own};
            if (previous.window != window || previous.own == own) {
                histories[window].maps.push_back(sizes[window]);
            }
            break;
        }
        case UnmapNotify:
            if (event.xunmap.event == event.xunmap.window) {
                ++histories[event.xunmap.window].unmaps;
            }
            break;
        default:
            break;
    }
}

// Under load a program can map its window before the watcher has selected
// the window's own events; under a window manager the window is then mapped
// in a frame, and neither it nor the root reports that map to the watcher.
// The server's answer to a question asked after the selection follows every
// event of a map made before it, so once it is in: a map that no event in
// the queue reports was made before the selection, and is taken from the
// window's state.
void WindowWatcher::Select(Window window) {
    XSelectInput(display, window, StructureNotifyMask);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state == IsUnmapped) {
        return;
    }
    QueuedMap queued{window};
    XEvent unused;
    XCheckIfEvent(display, &unused, NoteQueuedMap, reinterpret_cast<XPointer>(&queued));
    if (!queued.found) {
        histories[window].maps.push_back({attributes.width, attributes.height});
    }
}
