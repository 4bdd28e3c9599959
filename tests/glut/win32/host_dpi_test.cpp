// The host's window as Windows drives it, under Wine: its first showing, and
// a move to a monitor of another DPI and back. Wine sends neither
// WM_GETDPISCALEDSIZE nor WM_DPICHANGED, so the test sends them as Windows
// would, to its own window from inside the process.
#include <gtest/gtest.h>

#include <windows.h>

#include <GL/freeglut.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "application_glut.h"
#include "event_log.h"
#include "gl_frame.h"
#include "recording_client.h"

namespace {

constexpr DWORD kResizable = WS_THICKFRAME | WS_MAXIMIZEBOX;

// What the window was like when Windows was about to show it the first time.
struct FirstShow {
    HWND window = nullptr;
    bool visible = true;
    DWORD style = 0;
    RECT client{};
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
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
                     IconOf(sent.hwnd, ICON_BIG),
                     IconOf(sent.hwnd, ICON_SMALL)};
        GetClientRect(sent.hwnd, &firstShow.client);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// An icon image of each size the window may want, each its own colour.
std::vector<IconImage> Icons() {
    std::vector<IconImage> icons;
    for (int size : {16, 32, 48, 64}) {
        icons.push_back({size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size,
                                                          0xFF000000u | size * 0x030201u)});
    }
    return icons;
}

struct IconLook {
    int width = 0;
    bool maskClear = false;
};
IconLook LookAt(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return {};
    }
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(mask.bmWidthBytes) * mask.bmHeight);
    GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    IconLook look{colour.bmWidth, true};
    for (std::uint8_t byte : bits) {
        look.maskClear = look.maskClear && byte == 0;
    }
    return look;
}

// Bars one unit wide every few units, in three colours, so that a picture
// drawn at another factor than its pixels shows in every bar's edge.
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

// Every pixel of the picture shown is the picture's pixel under it at the
// factor; the first few that are not are named.
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

class HostDpiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WindowDescription description = ApplicationGLUT::DefaultWindow();
        description.width = 1024;
        description.height = 800;
        description.icons = Icons();
        HHOOK hook =
            SetWindowsHookExA(WH_CALLWNDPROC, RecordFirstShow, nullptr, GetCurrentThreadId());
        host = CreateApplication(description);
        UnhookWindowsHookEx(hook);
        host->Application::Run(client);
    }

    // What the window shows after drawing a frame.
    static GlFrame Shown() {
        host->Repaint();
        return GlFrame(GL_FRONT);
    }

    // Sends what Windows sends when the window goes to a monitor of the DPI
    // at left, top: first the question, whose answer Windows makes the
    // suggested rectangle's size (unanswered, it scales the window's size
    // itself), then the change. The answer, or an empty size.
    static SIZE MoveToDpi(UINT dpi, LONG left, LONG top) {
        SIZE answer{};
        SIZE frame{};
        if (SendMessageA(firstShow.window, WM_GETDPISCALEDSIZE, dpi,
                         reinterpret_cast<LPARAM>(&answer))) {
            frame = answer;
        } else {
            RECT now{};
            GetWindowRect(firstShow.window, &now);
            const int before = static_cast<int>(GetDpiForWindow(firstShow.window));
            frame = {MulDiv(now.right - now.left, static_cast<int>(dpi), before),
                     MulDiv(now.bottom - now.top, static_cast<int>(dpi), before)};
        }
        RECT suggested{left, top, left + frame.cx, top + frame.cy};
        SendMessageA(firstShow.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        return answer;
    }

    static SIZE FrameAt(int width, int height, UINT dpi) {
        RECT frame{0, 0, width, height};
        AdjustWindowRectExForDpi(
            &frame, static_cast<DWORD>(GetWindowLongA(firstShow.window, GWL_STYLE)), FALSE,
            static_cast<DWORD>(GetWindowLongA(firstShow.window, GWL_EXSTYLE)), dpi);
        return {frame.right - frame.left, frame.bottom - frame.top};
    }

    // The window's place, its client area and its big icon's size, once
    // freeglut has handled what it has (a size it was asked for at the
    // system's DPI would come now).
    static void ExpectWindow(LONG left, LONG top, int width, int height, UINT dpi) {
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
        EXPECT_EQ(LookAt(IconOf(firstShow.window, ICON_BIG)).width,
                  GetSystemMetricsForDpi(SM_CXICON, dpi));
    }

    static inline EventLog log;
    static inline BarsClient* client = new BarsClient(log);
    static inline ApplicationGLUT* host = nullptr;
};

TEST_F(HostDpiTest, IsFirstShownWithItsFixedFrameSizeAndIcons) {
    ASSERT_NE(firstShow.window, nullptr) << "the window was never shown";
    EXPECT_FALSE(firstShow.visible);
    EXPECT_EQ(firstShow.style & kResizable, 0u) << "a frame the user can resize";
    EXPECT_EQ(firstShow.client.right, 1024);
    EXPECT_EQ(firstShow.client.bottom, 800);
    const IconLook big = LookAt(firstShow.bigIcon);
    EXPECT_EQ(big.width, GetSystemMetrics(SM_CXICON));
    EXPECT_TRUE(big.maskClear) << "the icon's mask hides pixels its alpha shows";
    EXPECT_EQ(LookAt(firstShow.smallIcon).width, GetSystemMetrics(SM_CXSMICON));
}

TEST_F(HostDpiTest, FollowsAMonitorOfTwiceTheDpiAndBack) {
    ASSERT_NE(firstShow.window, nullptr);
    const GlFrame before = Shown();
    ASSERT_EQ(before.Width(), 1024);

    const SIZE answer = MoveToDpi(192, 50, 40);
    const SIZE frame = FrameAt(2048, 1600, 192);
    EXPECT_EQ(answer.cx, frame.cx) << "WM_GETDPISCALEDSIZE at 192 dpi";
    EXPECT_EQ(answer.cy, frame.cy) << "WM_GETDPISCALEDSIZE at 192 dpi";
    ExpectWindow(50, 40, 2048, 1600, 192);
    EXPECT_EQ(host->GetScale(), 2.0f);
    const GlFrame doubled = Shown();
    ASSERT_EQ(doubled.Width(), 2048);
    ASSERT_EQ(doubled.Height(), 1600);
    ExpectEnlarged(doubled, before, 2);

    const SIZE back = MoveToDpi(96, 100, 100);
    EXPECT_EQ(back.cx, FrameAt(1024, 800, 96).cx);
    EXPECT_EQ(back.cy, FrameAt(1024, 800, 96).cy);
    ExpectWindow(100, 100, 1024, 800, 96);
    EXPECT_EQ(host->GetScale(), 1.0f);
    const GlFrame after = Shown();
    ASSERT_EQ(after.Width(), 1024);
    ExpectEnlarged(after, before, 1);
}

// The last test: the window goes.
TEST_F(HostDpiTest, DestroysItsIconsWithTheWindow) {
    ASSERT_NE(firstShow.window, nullptr);
    const HICON big = IconOf(firstShow.window, ICON_BIG);
    const HICON little = IconOf(firstShow.window, ICON_SMALL);
    ASSERT_NE(LookAt(big).width, 0);
    glutDestroyWindow(glutGetWindow());
    for (int pass = 0; pass < 5 && IsWindow(firstShow.window); ++pass) {
        glutMainLoopEvent();
    }
    ASSERT_FALSE(IsWindow(firstShow.window));
    EXPECT_EQ(LookAt(big).width, 0) << "the big icon outlived the window";
    EXPECT_EQ(LookAt(little).width, 0) << "the small icon outlived the window";
}

}  // namespace
