// The example program, built against the installed framework, in its own
// process on the test's display, used as a user would: its popup menu opened
// with a real right-button press, entries chosen, keys typed and the wheel
// turned through XTest, and what that did read back from its window's pixels.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "pause.h"
#include "x_test_client.h"

namespace {

constexpr unsigned long kRed = 0xFF0000;
constexpr unsigned long kBlue = 0x0000FF;
constexpr unsigned long kWhite = 0xFFFFFF;
// The square starts red, 100 by 100 about the middle of the 400 by 300
// window; a wheel notch makes it 120 by 120.
constexpr int kCentreX = 200;
constexpr int kCentreY = 150;
constexpr int kJustOutside = kCentreX + 55;

// The root menu's items: "Colour" with Red, Green, Blue; "Square" with the
// toggle Outline and Reset size.
constexpr int kRootItems = 2;

std::string DemoPath() {
    const char* path = std::getenv("MENU_DEMO");
    return path ? path : "";
}

class MenuDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(DemoPath().empty()) << "MENU_DEMO names no program";
        const std::optional<Window> found = x.WaitForWindow("Menu demo", 20'000);
        ASSERT_TRUE(found) << "no window titled Menu demo; output: " << demo.Output();
        window = *found;
        ASSERT_TRUE(Shows(kCentreX, kCentreY, kRed)) << "the square was never drawn red";
        ASSERT_TRUE(Shows(kJustOutside, kCentreY, kWhite));
    }

    void TearDown() override {
        if (window) {
            x.RequestClose(window);
        }
        EXPECT_EQ(demo.Wait(10'000), 0) << "closing the window; output: " << demo.Output();
    }

    // Whether the window's pixel comes to show the colour within the time.
    bool Shows(int px, int py, unsigned long rgb, int timeoutMs = 5'000) {
        return WaitUntil(
            [&] {
                const XTestClient::Image image = x.Capture(window);
                return image.Contains(px, py) && (image.At(px, py) & 0xFFFFFF) == rgb;
            },
            timeoutMs);
    }

    // Opens the menu with the right button, hovers the item'th root item
    // until its submenu opens, moves straight across into the submenu, down
    // to the entry'th of its entries, and clicks there. freeglut gives every
    // item of a menu the same height, with a thin border round them all.
    void Choose(int item, int entry, int entries) {
        x.MoveTo(window, 20, 20);
        x.Click(3);
        std::vector<Window> open;
        ASSERT_TRUE(WaitUntil([&] { return (open = x.FindPopupWindows()).size() == 1; }, 5'000))
            << "the right button opened no menu";
        const Window root = open.front();
        const XTestClient::Geometry r = x.GetGeometry(root);
        // freeglut on Windows opens a submenu on a motion inside the item
        // after the one that entered the menu; Windows merges motions queued
        // together, and under Wine those of the moments after a menu maps are
        // lost. So the pointer moves a pixel to and fro, 100 ms apart, until
        // the submenu is there, and likewise over the entry before the click.
        const int itemY = r.height * (2 * item + 1) / (2 * kRootItems);
        int step = 0;
        ASSERT_TRUE(WaitUntil(
            [&] {
                x.MoveTo(root, r.width / 2 + step++ % 2, itemY);
                Pause(100);
                return (open = x.FindPopupWindows()).size() == 2;
            },
            5'000))
            << "hovering root item " << item << " opened no submenu";
        const Window sub = open.front() == root ? open.back() : open.front();
        const XTestClient::Geometry s = x.GetGeometry(sub);
        x.MoveTo(sub, s.width / 2, s.height / (2 * entries));
        for (int nudge = 0; nudge < 3; ++nudge) {
            Pause(100);
            x.MoveTo(sub, s.width / 2 + nudge % 2, s.height * (2 * entry + 1) / (2 * entries));
        }
        Pause(100);
        x.Click(3);
        ASSERT_TRUE(WaitUntil([&] { return x.FindPopupWindows().empty(); }, 5'000))
            << "the menu stayed open after the choice";
    }

    // Types the key into the window; whether the square comes to show the
    // colour.
    bool TypeShows(unsigned long keysym, unsigned long rgb) {
        // Without a window manager the keyboard focus follows the pointer.
        x.MoveTo(window, 20, 20);
        x.Focus(window);
        x.Tap(keysym);
        return Shows(kCentreX, kCentreY, rgb);
    }

    // Turns the wheel a notch up over the middle of the window. On Windows
    // the wheel counts only while the window is the active one, as the one a
    // user works in is; under Wine without a window manager freeglut's
    // hidden menu window is the active one at the start (freeglut raises it
    // above all windows without SWP_NOACTIVATE), so the window is first
    // clicked, away from the square. The program takes the wheel when it
    // next looks after that, so the notch comes a moment later.
    void TurnWheelUp() {
        x.MoveTo(window, 20, 20);
        x.Click(1);
        x.MoveTo(window, kCentreX, kCentreY);
        Pause(200);
        x.Click(4);
    }

    ChildProcess demo{DemoPath()};
    XTestClient x;
    Window window = 0;
};

// The host writes these as freeglut maps the window, through its own
// XMapWindow, which the example must have linked from the static library.
TEST_F(MenuDemoTest, TheWindowCarriesTheClassAndProcessTheProgramGaveIt) {
    EXPECT_EQ(x.GetClass(window), (std::vector<std::string>{"menu-demo", "MenuDemo"}));
    EXPECT_EQ(x.GetCardinals(window, "_NET_WM_PID"),
              (std::vector<unsigned long>{static_cast<unsigned long>(demo.Pid())}));
}

// Each step changes the colour, and the test stops at the first that does
// not, so that no later check passes on the colour an earlier one left.
TEST_F(MenuDemoTest, AMenuEntryAndItsShortcutKeyRaiseTheSameCommand) {
    Choose(0, 2, 3);
    ASSERT_TRUE(Shows(kCentreX, kCentreY, kBlue)) << "Colour > Blue did not turn the square blue";
    ASSERT_TRUE(TypeShows(XK_r, kRed)) << "the key r did not turn the square red";
    ASSERT_TRUE(TypeShows(XK_b, kBlue)) << "the key b did not turn the square blue";
}

// Reset size starts disabled, when the size is the default; the wheel
// changes the size, and with it enables the entry.
TEST_F(MenuDemoTest, TheWheelGrowsTheSquareAndResetSizeUndoesIt) {
    TurnWheelUp();
    EXPECT_TRUE(Shows(kJustOutside, kCentreY, kRed)) << "a wheel notch up did not grow the square";
    Choose(1, 1, 2);
    EXPECT_TRUE(Shows(kJustOutside, kCentreY, kWhite))
        << "Square > Reset size did not give the square its size back";
    EXPECT_TRUE(Shows(kCentreX, kCentreY, kRed));
}

}  // namespace
