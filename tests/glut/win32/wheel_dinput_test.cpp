// The wheel reader on Windows, under Wine on the test's display: two windows
// of this process, the first with a current GL context as the host's window
// has when it sets the reader up, and wheel notches sent through SendInput,
// which reach DirectInput as a real wheel's do.
#include <windows.h>

#include <gtest/gtest.h>

#include "wheel.h"

namespace {

HWND MakeWindow(const char* title) {
    HWND window = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

// The host calls InitWheel with its window's GL context current; the reader
// finds the window through it.
void MakeGlCurrent(HWND window) {
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format);
    wglMakeCurrent(dc, wglCreateContext(dc));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    for (int tries = 0; tries < 100 && GetForegroundWindow() != window; ++tries) {
        PumpMessages();
        Sleep(20);
    }
    ASSERT_EQ(GetForegroundWindow(), window) << "the window did not come to the front";
}

// One notch up after a first poll, which acquires the device if it may; the
// first step that polls see within a second.
int NotchAndPoll() {
    PollWheel();
    INPUT notch{};
    notch.type = INPUT_MOUSE;
    notch.mi.dwFlags = MOUSEEVENTF_WHEEL;
    notch.mi.mouseData = WHEEL_DELTA;
    SendInput(1, &notch, sizeof notch);
    for (int waited = 0; waited < 1000; waited += 20) {
        PumpMessages();
        if (const int step = PollWheel()) {
            return step;
        }
        Sleep(20);
    }
    return 0;
}

TEST(WheelDInputTest, ReadsTheWheelOnlyWhileItsWindowIsInFront) {
    HWND own = MakeWindow("Wheel owner");
    MakeGlCurrent(own);
    ASSERT_GE(InitWheel(), 0);
    HWND other = MakeWindow("Another program");

    BringToFront(other);
    EXPECT_EQ(NotchAndPoll(), 0) << "a notch while another window was in front was read";
    BringToFront(own);
    EXPECT_EQ(NotchAndPoll(), 1) << "a notch while its window was in front was not read";
    BringToFront(other);
    EXPECT_EQ(NotchAndPoll(), 0) << "a notch after its window lost the front was read";
    ReleaseWheel();
}

}  // namespace
