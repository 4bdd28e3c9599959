// The platform beneath freeglut on Windows: the window freeglut made, reached
// through the current GL context, and its window procedure, which this
// platform wraps to hear what freeglut does not pass on (a change of the
// window's DPI, every size report).
//
// The process is per-monitor DPI aware (v2, declared in the executable's
// manifest), so Windows does not stretch the window's bitmap: sizes here are
// device pixels, and the scale factor is the window's DPI over 96.
#include <windows.h>

#include <cmath>
#include <vector>

#include "platform.h"

namespace {

HWND window = nullptr;
WNDPROC freeglutProcedure = nullptr;
std::vector<SizeKeeper::Size> sizeReports;
bool desktopChanged = false;
// Big and small icons made from the description; kept while the window is.
HICON bigIcon = nullptr;
HICON smallIcon = nullptr;

constexpr UINT kOrdinaryDpi = 96;

UINT CurrentDpi() {
    return window ? GetDpiForWindow(window) : GetDpiForSystem();
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DPICHANGED:
            // Moved to a monitor of another density, or the setting changed:
            // the host decides the factor again and asks for its new size.
            desktopChanged = true;
            return 0;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            // The work area may have changed.
            desktopChanged = true;
            break;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                sizeReports.push_back({LOWORD(lParam), HIWORD(lParam)});
            }
            break;
        default:
            break;
    }
    return CallWindowProcA(freeglutProcedure, hwnd, message, wParam, lParam);
}

// An icon of one image of the description: 32-bit BGRA with its own alpha,
// which Windows takes straight from a top-down DIB section.
HICON MakeIcon(const IconImage& image) {
    const int size = image.size;
    if (size <= 0 || image.argb.size() != static_cast<std::size_t>(size) * size) {
        return nullptr;
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = size;
    header.bV5Height = -size;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour) {
        return nullptr;
    }
    std::copy(image.argb.begin(), image.argb.end(), static_cast<std::uint32_t*>(bits));
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

// The description's image nearest to the wanted size, not smaller where one
// is large enough.
HICON IconNear(const std::vector<IconImage>& icons, int wanted) {
    const IconImage* best = nullptr;
    for (const IconImage& icon : icons) {
        if (!best || (best->size < wanted && icon.size > best->size)) {
            best = &icon;
        }
    }
    return best ? MakeIcon(*best) : nullptr;
}

WindowDescription pending;

void SetIcons(const std::vector<IconImage>& icons, UINT dpi) {
    bigIcon = IconNear(icons, GetSystemMetricsForDpi(SM_CXICON, dpi));
    smallIcon = IconNear(icons, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    if (bigIcon) {
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    }
    if (smallIcon) {
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    }
}

// A frame the user cannot resize or maximise, around a client area of the
// size asked for.
void FixFrame(int width, int height) {
    const LONG style = GetWindowLongA(window, GWL_STYLE) & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    SetWindowLongA(window, GWL_STYLE, style);
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(style), FALSE,
                             static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), CurrentDpi());
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

bool platform::Start() {
    // The manifest says so already; this covers an executable without it.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    return true;
}

ScaleChoice platform::ChooseScale(float given) {
    if (const std::optional<float> scale = GivenScale(given)) {
        return {*scale, false};
    }
    return {DesktopScale(), true};
}

float platform::DesktopScale() {
    return RoundScale(static_cast<double>(CurrentDpi()) / kOrdinaryDpi).value_or(kSmallestScale);
}

ScreenArea platform::ReadScreenArea() {
    RECT area{};
    if (window) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
            area = monitor.rcWork;
        }
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    return {static_cast<int>(area.right - area.left), static_cast<int>(area.bottom - area.top)};
}

void platform::PrepareWindow(const WindowDescription& description) {
    pending = description;
}

void platform::FinishWindow() {
    window = WindowFromDC(wglGetCurrentDC());
    if (!window) {
        return;
    }
    freeglutProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
    SetIcons(pending.icons, CurrentDpi());
    FixFrame(pending.width, pending.height);
    sizeReports.clear();
}

void platform::HoldWindowSize(int width, int height) {
    if (window) {
        FixFrame(width, height);
    }
}

std::vector<SizeKeeper::Size> platform::TakeSizeReports() {
    std::vector<SizeKeeper::Size> taken;
    taken.swap(sizeReports);
    return taken;
}

bool platform::TakeDesktopChange() {
    const bool changed = desktopChanged;
    desktopChanged = false;
    return changed;
}

// Windows' own wait: until a message arrives in the queue (or one already
// waits there unread), or the time is up.
void platform::WaitForInput(double seconds) {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        return;
    }
    const DWORD timeout =
        seconds < 0.0 ? INFINITE : static_cast<DWORD>(std::min(std::ceil(seconds * 1000.0), 1e9));
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// WGL has no way to present part of the back buffer: every frame is swapped
// whole.
bool platform::CanPresentParts() {
    return false;
}

platform::ReportedSize platform::ReadReportedSize() {
    return {};
}

bool platform::PresentParts(const std::vector<PixelRect>& /*rects*/, int /*bufferHeight*/) {
    return false;
}
