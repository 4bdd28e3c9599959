#include "x_test_client.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "pause.h"

namespace {

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// Top-level windows of other clients may vanish between two requests; such a
// window is simply not found, rather than ending the process through Xlib's
// default error handler.
class IgnoringXErrors {
public:
    explicit IgnoringXErrors(Display* display)
        : display(display), previous(XSetErrorHandler(IgnoreXError)) {}
    ~IgnoringXErrors() {
        XSync(display, False);
        XSetErrorHandler(previous);
    }

private:
    Display* display;
    XErrorHandler previous;
};

}  // namespace

namespace {

Display* OpenDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        throw std::runtime_error("XTestClient: cannot open the X display");
    }
    return display;
}

}  // namespace

void XTestClient::ImageDeleter::operator()(XImage* image) const {
    XDestroyImage(image);
}

XTestClient::XTestClient() : display(OpenDisplay()), shm(display) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        throw std::runtime_error("XTestClient: the X server has no XTest extension");
    }
}

XTestClient::~XTestClient() {
    shm.Release();
    lastImage.reset();
    XCloseDisplay(display);
}

std::string XTestClient::GetName(Window window) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name) {
        result = name;
        XFree(name);
    }
    return result;
}

// A reparenting window manager puts each client window inside a frame of its
// own, a level or two below the root, so the search goes down the tree.
void XTestClient::FindWindowsUnder(Window parent, const std::string& name, int depth,
                                   std::vector<Window>& found) {
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOfParent, &children, &count)) {
        return;
    }
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable) {
            continue;
        }
        if (GetName(children[i]) == name) {
            found.push_back(children[i]);
        } else if (depth > 0) {
            FindWindowsUnder(children[i], name, depth - 1, found);
        }
    }
    if (children) {
        XFree(children);
    }
}

std::vector<Window> XTestClient::FindWindows(const std::string& name) {
    std::vector<Window> found;
    const IgnoringXErrors ignoring(display);
    FindWindowsUnder(DefaultRootWindow(display), name, 3, found);
    return found;
}

std::optional<Window> XTestClient::WaitForWindow(const std::string& name, int timeoutMs) {
    std::vector<Window> windows;
    if (WaitUntil([&] { return (windows = FindWindows(name)).size() == 1; }, timeoutMs)) {
        return windows.front();
    }
    return std::nullopt;
}

std::vector<Window> XTestClient::FindPopupWindows() {
    const IgnoringXErrors ignoring(display);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> popups;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        return popups;
    }
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        // freeglut's menus on X11 are override-redirect; on Windows they are
        // titled "freeglut menu", and Wine maps them as ordinary windows.
        // Wine also keeps an override-redirect window of 1 by 1 mapped just
        // off the screen, which is nobody's popup: only what can be seen
        // counts.
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable &&
            (attributes.override_redirect || GetName(children[i]) == "freeglut menu") &&
            attributes.x + attributes.width > 0 && attributes.y + attributes.height > 0) {
            popups.push_back(children[i]);
        }
    }
    if (children) {
        XFree(children);
    }
    return popups;
}

// A window that vanished since it was found has no size: 0 by 0 at (0, 0).
std::vector<std::string> XTestClient::GetClass(Window window) {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) {
        return {};
    }
    std::vector<std::string> names{hint.res_name ? hint.res_name : "",
                                   hint.res_class ? hint.res_class : ""};
    XFree(hint.res_name);
    XFree(hint.res_class);
    return names;
}

namespace {

// The whole of a property of any type, as items of its own format.
template <typename Item>
std::vector<Item> ReadProperty(Display* display, Window window, const std::string& property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<Item> items;
    if (XGetWindowProperty(display, window, XInternAtom(display, property.c_str(), False), 0,
                           1 << 24, False, AnyPropertyType, &type, &format, &count, &remaining,
                           &data) == Success &&
        data && format == (sizeof(Item) == 1 ? 8 : 32)) {
        const auto* first = reinterpret_cast<const Item*>(data);
        items.assign(first, first + count);
    }
    if (data) {
        XFree(data);
    }
    return items;
}

}  // namespace

std::vector<unsigned long> XTestClient::GetCardinals(Window window, const std::string& property) {
    // Xlib hands format-32 items over as longs.
    return ReadProperty<unsigned long>(display, window, property);
}

std::string XTestClient::GetText(Window window, const std::string& property) {
    const std::vector<char> text = ReadProperty<char>(display, window, property);
    return std::string(text.begin(), text.end());
}

XTestClient::Geometry XTestClient::GetGeometry(Window window) {
    const IgnoringXErrors ignoring(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    Window child = 0;
    Geometry g;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &g.x, &g.y, &child);
    g.width = attributes.width;
    g.height = attributes.height;
    return g;
}

void XTestClient::MoveTo(Window window, int x, int y) {
    const Geometry g = GetGeometry(window);
    XTestFakeMotionEvent(display, DefaultScreen(display), g.x + x, g.y + y, CurrentTime);
    Sync();
}

void XTestClient::Button(unsigned button, bool press) {
    XTestFakeButtonEvent(display, button, press ? True : False, CurrentTime);
    Sync();
}

void XTestClient::Click(unsigned button) {
    Button(button, true);
    Button(button, false);
}

void XTestClient::Key(unsigned long keysym, bool press) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0) {
        throw std::runtime_error("XTestClient: no key code for keysym " + std::to_string(keysym));
    }
    XTestFakeKeyEvent(display, code, press ? True : False, CurrentTime);
    Sync();
}

void XTestClient::KeyCodeEvent(unsigned char keycode, bool press) {
    XTestFakeKeyEvent(display, keycode, press ? True : False, CurrentTime);
    Sync();
}

unsigned char XTestClient::BindSpareKeyCode(unsigned long keysym) {
    int minCode = 0;
    int maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), maxCode - minCode + 1,
                                      &perCode);
    unsigned char spare = 0;
    for (int code = maxCode; code >= minCode && spare == 0; --code) {
        bool unused = true;
        for (int i = 0; i < perCode; ++i) {
            unused = unused && map[(code - minCode) * perCode + i] == NoSymbol;
        }
        if (unused) {
            spare = static_cast<unsigned char>(code);
        }
    }
    XFree(map);
    if (spare != 0) {
        KeySym symbols[] = {keysym, keysym};
        XChangeKeyboardMapping(display, spare, 2, symbols, 1);
        Sync();
    }
    return spare;
}

void XTestClient::UnbindKeyCode(unsigned char keycode) {
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(display, keycode, 1, &none, 1);
    Sync();
}

void XTestClient::Tap(unsigned long keysym, const std::vector<unsigned long>& modifiers) {
    for (const unsigned long m : modifiers) {
        Key(m, true);
    }
    Key(keysym, true);
    Key(keysym, false);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) {
        Key(*m, false);
    }
}

// A window that is unmapped meanwhile (a window manager may withdraw and map
// it again) cannot take focus; the X error is no fault of the test.
void XTestClient::Focus(Window window) {
    const IgnoringXErrors ignoring(display);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    Sync();
}

void XTestClient::Resize(Window window, int width, int height) {
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    Sync();
}

void XTestClient::ClaimSize(Window window, int width, int height) {
    XEvent event{};
    event.xconfigure.type = ConfigureNotify;
    event.xconfigure.event = window;
    event.xconfigure.window = window;
    event.xconfigure.width = width;
    event.xconfigure.height = height;
    XSendEvent(display, window, False, StructureNotifyMask, &event);
    Sync();
}

void XTestClient::RequestClose(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    Sync();
}

namespace {

// Calls take(y, row) for every row of the image with its pixels, 0xRRGGBB.
// Xvfb's 24-bit screens hand out 32-bit pixels in the client's byte order,
// which are read straight from the rows; XGetPixel, one call a pixel, costs
// seconds for the windows of the scaled tests.
template <typename Take>
void ReadRows(XImage* image, std::vector<std::uint32_t>& row, Take take) {
    const bool native =
        image->bits_per_pixel == 32 &&
        image->byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    row.resize(static_cast<std::size_t>(image->width));
    for (int y = 0; y < image->height; ++y) {
        const char* data = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
        for (int x = 0; x < image->width; ++x) {
            std::uint32_t pixel = 0;
            if (native) {
                std::memcpy(&pixel, data + 4 * x, sizeof pixel);
            } else {
                pixel = static_cast<std::uint32_t>(XGetPixel(image, x, y));
            }
            row[static_cast<std::size_t>(x)] = pixel & 0xFFFFFF;
        }
        take(y, row);
    }
}

}  // namespace

// The server hands out only pixels that are on the screen.
XImage* XTestClient::ReadWindowImage(Window window) {
    const Geometry g = GetGeometry(window);
    const int width = std::min(g.width, DisplayWidth(display, DefaultScreen(display)) - g.x);
    const int height = std::min(g.height, DisplayHeight(display, DefaultScreen(display)) - g.y);
    if (width <= 0 || height <= 0) {
        throw std::runtime_error("XTestClient: the window is off the screen");
    }
    if (XImage* shared = shm.Read(window, width, height)) {
        return shared;
    }
    lastImage.reset(XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap));
    if (!lastImage) {
        throw std::runtime_error("XTestClient: cannot read the window's pixels");
    }
    return lastImage.get();
}

XTestClient::Image XTestClient::Capture(Window window) {
    XImage* image = ReadWindowImage(window);
    Image result{image->width, image->height, {}};
    result.pixels.reserve(static_cast<std::size_t>(image->width) *
                          static_cast<std::size_t>(image->height));
    ReadRows(image, rowBuffer, [&](int, const std::vector<std::uint32_t>& row) {
        result.pixels.insert(result.pixels.end(), row.begin(), row.end());
    });
    return result;
}

std::uint64_t XTestClient::CaptureDigest(Window window) {
    XImage* image = ReadWindowImage(window);
    // FNV-1a over the size and every pixel.
    std::uint64_t h = 14695981039346656037ull;
    const auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    mix(static_cast<std::uint64_t>(image->width) << 32 | static_cast<std::uint32_t>(image->height));
    ReadRows(image, rowBuffer, [&](int, const std::vector<std::uint32_t>& row) {
        for (const std::uint32_t p : row) {
            mix(p);
        }
    });
    return h;
}

void XTestClient::Sync() {
    XSync(display, False);
}

std::string ScaledDifference(const XTestClient::Image& small, const XTestClient::Image& large,
                             int factor) {
    if (large.width != factor * small.width || large.height != factor * small.height) {
        return "the picture is " + std::to_string(large.width) + "x" +
               std::to_string(large.height) + ", not " + std::to_string(factor * small.width) +
               "x" + std::to_string(factor * small.height);
    }
    for (int y = 0; y < large.height; ++y) {
        for (int x = 0; x < large.width; ++x) {
            if (large.At(x, y) != small.At(x / factor, y / factor)) {
                std::ostringstream out;
                out << std::hex << "pixel (" << std::dec << x << ", " << y << ") is 0x" << std::hex
                    << large.At(x, y) << ", not 0x" << small.At(x / factor, y / factor);
                return out.str();
            }
        }
    }
    return {};
}
