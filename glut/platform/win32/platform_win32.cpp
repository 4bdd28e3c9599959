// The platform beneath freeglut on Windows: the window freeglut makes, taken
// as it is created (a CBT hook around glutCreateWindow), and its window
// procedure, which this platform wraps from the start to complete the window
// before it is first shown, to hear what freeglut does not pass on (the
// window's DPI, every size report) and to keep its frame fixed.
//
// The process is per-monitor DPI aware (v2, declared in the executable's
// manifest), so Windows does not stretch the window's bitmap: sizes here are
// device pixels, and the scale factor is the window's DPI over 96.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "dpi_win32.h"
#include "platform.h"
#include "window_icons_win32.h"

namespace {

constexpr UINT kOrdinaryDpi = 96;
// What a frame of a fixed size has not: a border to drag and a maximise box.
constexpr DWORD kResizable = WS_THICKFRAME | WS_MAXIMIZEBOX;

HWND window = nullptr;
WNDPROC freeglutProcedure = nullptr;
HHOOK creationHook = nullptr;
WindowDescription described;
platform::ScaleFollower follower;
// The DPI the factor was chosen at, and the window's, as Windows last told it.
UINT chosenDpi = 0;
UINT windowDpi = 0;
WindowIcons icons;
std::vector<SizeKeeper::Size> sizeReports;
bool desktopChanged = false;
// A size asked for while the window reports its size, made once the report
// has been handled.
constexpr UINT kSizeLater = WM_APP + 0x51;
bool reportingSize = false;
SizeKeeper::Size sizeLater;
// Where Windows asked the window to go at its new DPI, until it is sized.
std::optional<POINT> suggestedPlace;
// The client area the window is created with.
SizeKeeper::Size createdSize;

UINT CurrentDpi() {
    return window ? windowDpi : SystemDpi();
}

float ScaleAt(UINT dpi) {
    return RoundScale(static_cast<double>(dpi) / kOrdinaryDpi).value_or(kSmallestScale);
}

DWORD Style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
DWORD ExStyle(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
}
int Width(const RECT& r) {
    return static_cast<int>(r.right - r.left);
}
int Height(const RECT& r) {
    return static_cast<int>(r.bottom - r.top);
}

// The client area becomes width by height, at the place Windows suggested
// if there is one. Until Windows has moved the window to a new DPI its frame
// keeps the old DPI's measures (under Wine it always does), so the frame is
// corrected by what the client area still lacks.
void SizeClient(int width, int height) {
    const RECT frame = FrameAround(width, height, Style(window), ExStyle(window), CurrentDpi());
    const POINT place = suggestedPlace.value_or(POINT{0, 0});
    const UINT move = suggestedPlace ? 0 : SWP_NOMOVE;
    suggestedPlace.reset();
    constexpr UINT kQuiet = SWP_NOZORDER | SWP_NOACTIVATE;
    // The frame is measured again: its style may have changed.
    SetWindowPos(window, nullptr, place.x, place.y, Width(frame), Height(frame),
                 kQuiet | move | SWP_FRAMECHANGED);
    RECT client{};
    if (IsIconic(window) || !GetClientRect(window, &client)) {
        return;
    }
    const int missingWidth = width - Width(client);
    const int missingHeight = height - Height(client);
    if (missingWidth != 0 || missingHeight != 0) {
        SetWindowPos(window, nullptr, 0, 0, Width(frame) + missingWidth,
                     Height(frame) + missingHeight, kQuiet | SWP_NOMOVE);
    }
}

// Windows asks before it moves the window to another DPI: the frame that
// holds the window's client area at that DPI.
bool AnswerScaledSize(UINT dpi, SIZE& size) {
    if (!follower.sizeAt) {
        return false;
    }
    const SizeKeeper::Size client = follower.sizeAt(ScaleAt(dpi));
    const RECT frame =
        FrameAround(client.width, client.height, Style(window), ExStyle(window), dpi);
    size = {Width(frame), Height(frame)};
    return true;
}

// The window's DPI changed (another monitor, or the scale setting): the new
// DPI is the message's, the window goes where Windows suggests (so that it
// does not flip back to the monitor it came from) and takes the size of the
// scene at the new factor there.
void FollowDpi(HWND hwnd, UINT dpi, const RECT& suggested) {
    windowDpi = dpi;
    icons.Show(hwnd, described.icons, dpi);
    desktopChanged = true;
    suggestedPlace = POINT{suggested.left, suggested.top};
    if (follower.follow) {
        follower.follow();
    }
    if (suggestedPlace) {
        suggestedPlace.reset();
        SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, Width(suggested),
                     Height(suggested), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Before freeglut shows the window: the frame fixed, the client area of its
// size, the icons. (Sizes a CBT hook gives the window at its creation are
// lost under Wine; here they hold on both.)
void CompleteWindow(HWND hwnd) {
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(Style(hwnd) & ~kResizable));
    SizeClient(createdSize.width, createdSize.height);
    icons.Show(hwnd, described.icons, windowDpi);
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            const LRESULT created =
                CallWindowProcA(freeglutProcedure, hwnd, message, wParam, lParam);
            CompleteWindow(hwnd);
            return created;
        }
        case WM_STYLECHANGING:
            // freeglut sets its resizable style again after creating the
            // window, and before showing it.
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
                reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew &= ~kResizable;
            }
            break;
        case WM_GETDPISCALEDSIZE:
            if (AnswerScaledSize(static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_DPICHANGED:
            FollowDpi(hwnd, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            // The work area may have changed.
            desktopChanged = true;
            break;
        case WM_SIZE: {
            if (wParam != SIZE_MINIMIZED) {
                sizeReports.push_back({LOWORD(lParam), HIWORD(lParam)});
            }
            reportingSize = true;
            const LRESULT reported =
                CallWindowProcA(freeglutProcedure, hwnd, message, wParam, lParam);
            reportingSize = false;
            return reported;
        }
        case kSizeLater:
            SizeClient(sizeLater.width, sizeLater.height);
            return 0;
        case WM_NCDESTROY: {
            const LRESULT destroyed =
                CallWindowProcA(freeglutProcedure, hwnd, message, wParam, lParam);
            icons.Destroy();
            window = nullptr;
            return destroyed;
        }
        default:
            break;
    }
    return CallWindowProcA(freeglutProcedure, hwnd, message, wParam, lParam);
}

bool IsFreeglutTopWindow(HWND hwnd, const CREATESTRUCTA& create) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return std::strcmp(name, "FREEGLUT") == 0 && !(create.style & (WS_CHILD | WS_POPUP));
}

// The window as Windows creates it, before freeglut shows it: its window
// procedure is wrapped from the start, and its client area is to be the
// size the host chose at the window's own DPI.
void TakeWindow(HWND hwnd) {
    window = hwnd;
    windowDpi = WindowDpi(hwnd);
    createdSize = {described.width, described.height};
    if (windowDpi != chosenDpi && follower.sizeAt) {
        createdSize = follower.sizeAt(ScaleAt(windowDpi));
        desktopChanged = true;
    }
    freeglutProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !window) {
        const HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (IsFreeglutTopWindow(hwnd, *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs)) {
            TakeWindow(hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool platform::Start() {
    DeclareDpiAwareness();
    return true;
}

ScaleChoice platform::ChooseScale(float given) {
    chosenDpi = CurrentDpi();
    if (const std::optional<float> scale = GivenScale(given)) {
        return {*scale, false};
    }
    return {DesktopScale(), true};
}

float platform::DesktopScale() {
    return ScaleAt(CurrentDpi());
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
    return {Width(area), Height(area)};
}

void platform::FollowScaleWith(ScaleFollower scaleFollower) {
    follower = std::move(scaleFollower);
}

void platform::PrepareWindow(const WindowDescription& description) {
    described = description;
    creationHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
}

void platform::FinishWindow() {
    if (creationHook) {
        UnhookWindowsHookEx(creationHook);
        creationHook = nullptr;
    }
    // Asked again now that Windows has placed the window, in case the
    // monitor it went to is another than the one it was created for; the
    // host then follows at once.
    if (window && WindowDpi(window) != windowDpi) {
        windowDpi = WindowDpi(window);
        icons.Show(window, described.icons, windowDpi);
        desktopChanged = true;
    }
    sizeReports.clear();
}

void platform::SizeWindow(int width, int height) {
    if (!window) {
        return;
    }
    // Sized from inside its own size report (the size keeper undoing a
    // resize), the window under Wine kept its size but not its picture; the
    // size is made once the report is handled, as freeglut makes its own.
    if (reportingSize) {
        sizeLater = {width, height};
        PostMessageA(window, kSizeLater, 0, 0);
        return;
    }
    SizeClient(width, height);
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
