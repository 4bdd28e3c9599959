#pragma once

#include <X11/Xlib.h>

// Reads a window's pixels through MIT-SHM into one shared segment, kept from
// call to call: no copy through the connection and no fresh memory for each
// picture, which matters for tests that read thousands of large windows.
class ShmCapture {
public:
    explicit ShmCapture(Display* display);
    ~ShmCapture();
    ShmCapture(const ShmCapture&) = delete;
    ShmCapture& operator=(const ShmCapture&) = delete;

    // False on a server without MIT-SHM (or where it cannot be attached).
    bool Available() const { return available; }
    // The window's pixels from its top left corner, width by height; null
    // when they could not be read so. Valid until the next call.
    XImage* Read(Window window, int width, int height);
    // Gives the segment back; before the display is closed.
    void Release();

private:
    bool Attach(int width, int height);

    Display* display;
    bool available = false;
    XImage* image = nullptr;
    struct Segment;
    Segment* segment = nullptr;
};
