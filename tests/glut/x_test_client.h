#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shm_capture.h"

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

    // Mapped client windows whose WM_NAME is the given name: top-level ones,
    // or the ones inside a window manager's frames.
    std::vector<Window> FindWindows(const std::string& name);
    // Waits up to the given time for exactly one such window to be mapped.
    std::optional<Window> WaitForWindow(const std::string& name, int timeoutMs);
    // freeglut's popup menus that are open: on X11 the mapped
    // override-redirect windows on the root, which no window manager frames;
    // under Wine the mapped windows titled as freeglut titles its menus.
    std::vector<Window> FindPopupWindows();

    struct Geometry {
        int x = 0;  // of the window's top left corner on the root window
        int y = 0;
        int width = 0;
        int height = 0;
    };
    Geometry GetGeometry(Window window);
    std::string GetName(Window window);
    // The window's WM_CLASS, instance name then class name; empty if none.
    std::vector<std::string> GetClass(Window window);
    // A property of 32-bit items (CARDINAL) or of text, as a desktop reads
    // it; empty if the window has none.
    std::vector<unsigned long> GetCardinals(Window window, const std::string& property);
    std::string GetText(Window window, const std::string& property);

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
    // A ConfigureNotify sent to the window (XSendEvent), claiming a size the
    // server never gave it.
    void ClaimSize(Window window, int width, int height);
    void RequestClose(Window window);

    // The window's pixels as the X server shows them, 0xRRGGBB each: the part
    // of the window from its top left corner that lies on the screen.
    struct Image {
        int width = 0;
        int height = 0;
        std::vector<unsigned long> pixels;
        // Throws for a pixel outside the image.
        bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
        unsigned long At(int x, int y) const {
            if (!Contains(x, y)) {
                throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                        ") is not in the captured image");
            }
            return pixels[y * width + x];
        }
    };
    Image Capture(Window window);
    // A digest of the same pixels and the image's size, without keeping them.
    std::uint64_t CaptureDigest(Window window);

    // Makes sure the server has handled everything sent so far.
    void Sync();

private:
    void FindWindowsUnder(Window parent, const std::string& name, int depth,
                          std::vector<Window>& found);

    // The window's pixels on the screen, through MIT-SHM where the server
    // has it; valid until the next call.
    XImage* ReadWindowImage(Window window);

    struct ImageDeleter {
        void operator()(XImage* image) const;
    };

    Display* display;
    ShmCapture shm;
    std::unique_ptr<XImage, ImageDeleter> lastImage;
    std::vector<std::uint32_t> rowBuffer;
};

// Where the large picture differs from the small one with every pixel
// repeated factor by factor times (the same picture at a whole scale
// factor); empty where it does not.
std::string ScaledDifference(const XTestClient::Image& small, const XTestClient::Image& large,
                             int factor);
