#pragma once

#include <X11/Xlib.h>

#include <map>
#include <mutex>
#include <thread>
#include <vector>

// Watches the screen as a window manager does, from a connection and a
// thread of its own: every window made on the root, whenever it is mapped or
// unmapped, and the size it has at each map. A window that is withdrawn and
// mapped again, or resized after it first shows, shows up here.
class WindowWatcher {
public:
    struct Size {
        int width = 0;
        int height = 0;
        bool operator==(const Size&) const = default;
    };
    struct History {
        int unmaps = 0;
        // The window's size at each map, in order.
        std::vector<Size> maps;
    };

    WindowWatcher();
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    // What happened to the window so far (the client window, not a frame).
    History Of(Window window);

private:
    void Watch();
    void Take(const XEvent& event);
    // Watches a window made on the root from now on, and counts a map it
    // had before.
    void Select(Window window);

    Display* display;
    int wakeFds[2] = {-1, -1};
    std::mutex mutex;
    std::map<Window, Size> sizes;
    std::map<Window, History> histories;
    // The map the event before this one reported, and whether to the window
    // itself or to the root.
    struct MapReport {
        Window window = 0;
        bool own = false;
    };
    MapReport lastMap;
    std::thread thread;
};
