// The X11 platform's one error handler, on a real connection: traps and
// standing catches take their own errors, every other error reaches the
// handler that was installed before, a handler installed while a trap lives
// is not lost when the trap ends, and one that passes errors back does not
// loop.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <vector>

#include "x_error_trap_x11.h"

namespace {

// The errors that reached the test's own handlers, by handler.
std::vector<unsigned char> first;
std::vector<unsigned char> second;

int First(Display*, XErrorEvent* error) {
    first.push_back(error->request_code);
    return 0;
}

int Second(Display*, XErrorEvent* error) {
    second.push_back(error->request_code);
    return 0;
}

int standingCaught = 0;
bool TakesUnmapErrors(const XErrorEvent& error) {
    if (error.request_code == X_UnmapWindow) {
        ++standingCaught;
        return true;
    }
    return false;
}

// A well-behaved library's handler: it notes the error and passes it on to
// the handler it replaced.
XErrorHandler replacedByChaining = nullptr;
int chainingCalls = 0;
int Chaining(Display* display, XErrorEvent* error) {
    ++chainingCalls;
    return replacedByChaining(display, error);
}

// A window id that no client has: every request naming it fails BadWindow.
constexpr Window kNoWindow = 0x3fffff1;

class XErrorTrapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(display, nullptr) << "no display";
        first.clear();
        second.clear();
        XSetErrorHandler(First);
    }
    void TearDown() override {
        if (display) {
            XCloseDisplay(display);
        }
    }

    void GetProperty() {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long left = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, kNoWindow, XA_WM_NAME, 0, 1, False, AnyPropertyType, &type,
                           &format, &count, &left, &data);
        if (data) {
            XFree(data);
        }
    }

    Display* display = XOpenDisplay(nullptr);
};

TEST_F(XErrorTrapTest, ATrapTakesItsOwnErrorAndPassesTheOthersOn) {
    {
        XErrorTrap trap(display, BadWindow, {X_GetProperty});
        GetProperty();
        EXPECT_TRUE(trap.Caught());
        XMapWindow(display, kNoWindow);
        XSync(display, False);
    }
    EXPECT_EQ(first, std::vector<unsigned char>{X_MapWindow});
}

TEST_F(XErrorTrapTest, AHandlerInstalledWhileATrapLivesOutlivesTheTrap) {
    {
        XErrorTrap trap(display, BadWindow, {X_GetProperty});
        XSetErrorHandler(Second);
    }
    XMapWindow(display, kNoWindow);
    XSync(display, False);
    EXPECT_EQ(second, std::vector<unsigned char>{X_MapWindow});
    EXPECT_TRUE(first.empty());
    // And the next trap works over it, passing the rest on to it.
    XErrorTrap trap(display, BadWindow, {X_GetProperty});
    GetProperty();
    EXPECT_TRUE(trap.Caught());
    XMapWindow(display, kNoWindow);
    XSync(display, False);
    EXPECT_EQ(second, (std::vector<unsigned char>{X_MapWindow, X_MapWindow}));
}

TEST_F(XErrorTrapTest, AStandingCatchTakesItsErrorsBeforeAndAfterTraps) {
    CatchXErrorsForGood(TakesUnmapErrors);
    const int before = standingCaught;
    XUnmapWindow(display, kNoWindow);
    XSync(display, False);
    {
        XErrorTrap trap(display, BadWindow, {X_GetProperty});
        XUnmapWindow(display, kNoWindow);
        GetProperty();
        EXPECT_TRUE(trap.Caught());
    }
    XUnmapWindow(display, kNoWindow);
    XSync(display, False);
    EXPECT_EQ(standingCaught - before, 3);
    EXPECT_TRUE(first.empty());
}

// Installed over the dispatcher, a handler that passes errors on sends
// them back into it; the error goes on down to the handler before, once.
TEST_F(XErrorTrapTest, AnErrorPassedBackByALaterHandlerGoesOnToTheOneBefore) {
    { XErrorTrap trap(display, BadWindow, {X_GetProperty}); }
    replacedByChaining = XSetErrorHandler(Chaining);
    chainingCalls = 0;
    XErrorTrap trap(display, BadWindow, {X_GetProperty});
    XMapWindow(display, kNoWindow);
    XSync(display, False);
    EXPECT_EQ(chainingCalls, 1);
    EXPECT_EQ(first, std::vector<unsigned char>{X_MapWindow});
}

// With Xlib's own handler first, an error that every handler passes on ends
// the process as Xlib ends it, with its message.
TEST(XErrorTrapDeathTest, AnErrorEveryHandlerPassesOnEndsWithXlibsMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Display* display = XOpenDisplay(nullptr);
            XSetErrorHandler(nullptr);
            { XErrorTrap trap(display, BadWindow, {X_GetProperty}); }
            replacedByChaining = XSetErrorHandler(Chaining);
            XErrorTrap trap(display, BadWindow, {X_GetProperty});
            XMapWindow(display, kNoWindow);
            XSync(display, False);
        },
        ::testing::ExitedWithCode(1), "BadWindow");
}

}  // namespace
