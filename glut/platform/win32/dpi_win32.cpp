#include "dpi_win32.h"

namespace {

constexpr UINT kOrdinaryDpi = 96;

struct DpiCalls {
    BOOL(WINAPI* setAwarenessContext)(DPI_AWARENESS_CONTEXT) = nullptr;
    UINT(WINAPI* dpiForSystem)() = nullptr;
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* metricForDpi)(int, UINT) = nullptr;
};

// Through void (*)(), which matches any function type, since GetProcAddress
// says nothing of the function's own.
template <typename Function>
void LookUp(HMODULE module, const char* name, Function& function) {
    const auto found = reinterpret_cast<void (*)()>(GetProcAddress(module, name));
    function = reinterpret_cast<Function>(found);
}

const DpiCalls& Calls() {
    static const DpiCalls calls = [] {
        DpiCalls found;
        if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
            LookUp(user32, "SetProcessDpiAwarenessContext", found.setAwarenessContext);
            LookUp(user32, "GetDpiForSystem", found.dpiForSystem);
            LookUp(user32, "GetDpiForWindow", found.dpiForWindow);
            LookUp(user32, "AdjustWindowRectExForDpi", found.adjustForDpi);
            LookUp(user32, "GetSystemMetricsForDpi", found.metricForDpi);
        }
        return found;
    }();
    return calls;
}

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kOrdinaryDpi;
}

}  // namespace

void DeclareDpiAwareness() {
    // The manifest says so already; this covers an executable without it.
    if (Calls().setAwarenessContext) {
        Calls().setAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    } else {
        SetProcessDPIAware();
    }
}

UINT SystemDpi() {
    return Calls().dpiForSystem ? Calls().dpiForSystem() : ScreenDpi();
}

UINT WindowDpi(HWND window) {
    const UINT dpi = Calls().dpiForWindow ? Calls().dpiForWindow(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

RECT FrameAround(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
    RECT frame{0, 0, width, height};
    if (Calls().adjustForDpi) {
        Calls().adjustForDpi(&frame, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return frame;
}

int SystemMetricAt(int index, UINT dpi) {
    return Calls().metricForDpi ? Calls().metricForDpi(index, dpi) : GetSystemMetrics(index);
}
