#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

// A second X client, the way a user, a window manager or another program
// meets the windows under test: it finds top-level windows by name, sends
// real input through XTest, resizes and closes windows, and reads back what
// is on screen.
class XTestClient {
public:
    XTestClient();
    ~XTestClient();
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    Display* GetDisplay() const { return display; }

    // Mapped top-level windows whose WM_NAME is the given name.
    std::vector<Window> FindWindows(const std::string& name);
    // Waits up to the given time for exactly one such window to be mapped.
    std::optional<Window> WaitForWindow(const std::string& name, int timeoutMs);

    struct Geometry {
        int x = 0;  // of the window's top left corner on the root window
        int y = 0;
        int width = 0;
        int height = 0;
    };
    Geometry GetGeometry(Window window);
    std::string GetName(Window window);

    // Input through XTest, at pixels relative to a window's top left corner.
    void MoveTo(Window window, int x, int y);
    void Button(unsigned button, bool press);
    void Click(unsigned button);
    void Key(unsigned long keysym, bool press);
    void KeyCodeEvent(unsigned char keycode, bool press);
    // Maps a keysym the keymap lacks onto an unused key code (0 if none is
    // free); UnbindKeyCode takes it off again.
    unsigned char BindSpareKeyCode(unsigned long keysym);
    void UnbindKeyCode(unsigned char keycode);
    // Presses the modifiers in order, taps the key, releases in reverse.
    void Tap(unsigned long keysym, const std::vector<unsigned long>& modifiers = {});
    void Focus(Window window);

    // What another client or a window manager would do.
    void Resize(Window window, int width, int height);
    void RequestClose(Window window);

    // The window's pixels as the X server shows them, 0xRRGGBB each.
    struct Image {
        int width = 0;
        int height = 0;
        std::vector<unsigned long> pixels;
        unsigned long At(int x, int y) const { return pixels[y * width + x]; }
    };
    Image Capture(Window window);

    // Makes sure the server has handled everything sent so far.
    void Sync();

private:
    Display* display;
};
