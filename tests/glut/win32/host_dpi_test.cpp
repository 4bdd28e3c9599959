// The host's window as Windows drives it, under Wine: its first showing, a
// move to a monitor of twice the DPI and back, and its end. Wine sends
// neither WM_GETDPISCALEDSIZE nor WM_DPICHANGED, so the test sends them as
// Windows would, to its own window from inside the process.
#include <gtest/gtest.h>

#include <windows.h>

#include <GL/freeglut.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "application_glut.h"
#include "event_log.h"
#include "gl_frame.h"
#include "recording_client.h"

namespace {

// What the window was like when Windows was about to show it the first time.
struct FirstShow {
    HWND window = nullptr;
    bool visible = true;
    DWORD style = 0;
    RECT client{};
    HICON icons[2] = {};
} firstShow;

HICON IconOf(HWND window, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0));
}

// WM_SHOWWINDOW reaches a window before it becomes visible.
LRESULT CALLBACK RecordFirstShow(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    char name[16] = {};
    if (code == HC_ACTION && sent.message == WM_SHOWWINDOW && sent.wParam && !firstShow.window &&
        GetClassNameA(sent.hwnd, name, sizeof name) && std::string(name) == "FREEGLUT") {
        firstShow = {sent.hwnd,
                     IsWindowVisible(sent.hwnd) != FALSE,
                     static_cast<DWORD>(GetWindowLongA(sent.hwnd, GWL_STYLE)),
                     {},
                     {IconOf(sent.hwnd, ICON_BIG), IconOf(sent.hwnd, ICON_SMALL)}};
        GetClientRect(sent.hwnd, &firstShow.client);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The width of an icon's image; 0 for none, or one destroyed.
int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

// Bars one unit wide every few units, so that a picture drawn at another
// factor than the window's shows at every bar's edge.
class BarsClient : public RecordingClient {
public:
    explicit BarsClient(EventLog& log) : RecordingClient(log) {}
    void OnDraw() override {
        for (int x = 1; x < 1024; x += 7) {
            glColor3ub(200, 40, static_cast<GLubyte>(x % 256));
            glRecti(x, 0, x + 1, 800);
        }
        for (int y = 2; y < 800; y += 5) {
            glColor3ub(20, static_cast<GLubyte>(y % 256), 220);
            glRecti(0, y, 1024, y + 1);
        }
    }
};

// Every pixel shown is the picture's pixel under it at the factor; the first
// few that are not are named.
void ExpectEnlarged(const GlFrame& shown, const GlFrame& picture, int factor) {
    int wrong = 0;
    for (int y = 0; y < shown.Height() && wrong < 5; ++y) {
        for (int x = 0; x < shown.Width() && wrong < 5; ++x) {
            if (!(shown.At(x, y) == picture.At(x / factor, y / factor))) {
                ADD_FAILURE() << "shown: " << shown.Describe(x, y) << "; the picture at 1x: "
                              << picture.Describe(x / factor, y / factor);
                ++wrong;
            }
        }
    }
}

// What Windows sends when the window goes to a monitor of the DPI at left,
// top: the question, whose answer Windows takes as the size of the suggested
// rectangle, then the change. Checks the answer: the frame of the client
// area at that DPI.
void MoveToDpi(UINT dpi, LONG left, LONG top, int width, int height) {
    const HWND window = firstShow.window;
    SIZE answer{};
    SendMessageA(window, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&answer));
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), dpi);
    EXPECT_EQ(answer.cx, frame.right - frame.left) << "WM_GETDPISCALEDSIZE at " << dpi;
    EXPECT_EQ(answer.cy, frame.bottom - frame.top) << "WM_GETDPISCALEDSIZE at " << dpi;
    RECT suggested{left, top, left + answer.cx, top + answer.cy};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The window's place, client area and big icon, once freeglut has handled
// what it has (a size it was asked for at the system's DPI would come now).
void ExpectWindow(LONG left, LONG top, int width, int height, UINT dpi) {
    for (int pass = 0; pass < 5; ++pass) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    RECT frame{};
    GetWindowRect(firstShow.window, &frame);
    EXPECT_EQ(frame.left, left);
    EXPECT_EQ(frame.top, top);
    RECT client{};
    GetClientRect(firstShow.window, &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
    EXPECT_EQ(IconWidth(IconOf(firstShow.window, ICON_BIG)),
              GetSystemMetricsForDpi(SM_CXICON, dpi));
}

TEST(HostDpiTest, ShownOnceCompleteFollowsTwiceTheDpiAndBackAndFreesItsIcons) {
    WindowDescription description = ApplicationGLUT::DefaultWindow();
    description.width = 1024;
    description.height = 800;
    for (int size : {16, 32, 48, 64}) {
        description.icons.push_back(
            {size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, 0xFF20A040u)});
    }
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordFirstShow, nullptr, GetCurrentThreadId());
    ApplicationGLUT* host = CreateApplication(description);
    UnhookWindowsHookEx(hook);
    ASSERT_NE(firstShow.window, nullptr) << "the window was never shown";
    EventLog log;
    BarsClient client(log);
    host->Application::Run(&client);
    const auto shown = [host] {
        host->Repaint();
        return GlFrame(GL_FRONT);
    };

    EXPECT_FALSE(firstShow.visible);
    EXPECT_EQ(firstShow.style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u) << "a resizable frame";
    EXPECT_EQ(firstShow.client.right, 1024);
    EXPECT_EQ(firstShow.client.bottom, 800);
    EXPECT_EQ(IconWidth(firstShow.icons[0]), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconWidth(firstShow.icons[1]), GetSystemMetrics(SM_CXSMICON));
    const GlFrame before = shown();
    ASSERT_EQ(before.Width(), 1024);

    // To twice the DPI, then back: the window where Windows suggested, the
    // scene at the factor, the picture of 1x enlarged.
    for (const auto& [factor, left, top] : {std::tuple{2, 50, 40}, {1, 100, 100}}) {
        const UINT dpi = 96 * factor;
        MoveToDpi(dpi, left, top, 1024 * factor, 800 * factor);
        ExpectWindow(left, top, 1024 * factor, 800 * factor, dpi);
        EXPECT_EQ(host->GetScale(), static_cast<float>(factor));
        const GlFrame enlarged = shown();
        ASSERT_EQ(enlarged.Width(), 1024 * factor);
        ExpectEnlarged(enlarged, before, factor);
    }

    const HICON icons[] = {IconOf(firstShow.window, ICON_BIG),
                           IconOf(firstShow.window, ICON_SMALL)};
    glutDestroyWindow(glutGetWindow());
    for (int pass = 0; pass < 5 && IsWindow(firstShow.window); ++pass) {
        glutMainLoopEvent();
    }
    ASSERT_FALSE(IsWindow(firstShow.window));
    EXPECT_EQ(IconWidth(icons[0]), 0) << "the big icon outlived the window";
    EXPECT_EQ(IconWidth(icons[1]), 0) << "the small icon outlived the window";
}

}  // namespace
