// The real program on a screen of twice the density, as the desktop says so
// (GDK_SCALE, or Xft.dpi in the X resources): its window and picture are the
// picture of an ordinary screen with every pixel doubled, the pointer still
// moves things by units, and a change of the desktop's density while it runs
// is followed without losing anything. Also a start after a window manager
// died. On a screen large enough for the doubled window.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "pause.h"
#include "window_watcher.h"
#include "x_test_client.h"

namespace {

// GDK_SCALE is set for the program alone: it is in the environment only
// while the child is made.
void SetGdkScale(const char* value) {
    if (value) {
        setenv("GDK_SCALE", value, 1);
    }
}

struct Program : ChildProcess {
    explicit Program(const std::vector<std::string>& args, const char* gdkScale = nullptr)
        : ChildProcess((SetGdkScale(gdkScale), std::string(QUILLMERE_PROGRAM)), args) {
        unsetenv("GDK_SCALE");
    }
};

using Image = XTestClient::Image;

class ScaleTest : public ::testing::Test {
protected:
    ~ScaleTest() override {
        XDeleteProperty(x.GetDisplay(), Root(), XA_RESOURCE_MANAGER);
        x.Sync();
    }

    Window Root() { return DefaultRootWindow(x.GetDisplay()); }

    // As `xrdb` leaves them.
    void SetResources(const std::string& text) {
        XChangeProperty(x.GetDisplay(), Root(), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
        x.Sync();
    }

    // The program's one window once it has the size.
    Window WaitForWindow(ChildProcess& program, int width, int height) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            for (const Window w : x.FindWindows("Quillmere")) {
                const XTestClient::Geometry g = x.GetGeometry(w);
                if (g.width == width && g.height == height) {
                    return w;
                }
            }
            Pause(20);
        }
        ADD_FAILURE() << "no " << width << "x" << height << " window: " << program.Output();
        return 0;
    }

    // Captures until the condition holds, for up to the given time; the
    // last capture.
    Image WaitFor(Window window, const std::function<bool(const Image&)>& condition,
                  int timeoutMs = 10'000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        Image image = x.Capture(window);
        while (!condition(image) && std::chrono::steady_clock::now() < deadline) {
            Pause(50);
            image = x.Capture(window);
        }
        return image;
    }

    // The picture once it stopped changing: the same twice, half a second apart.
    Image AtRest(Window window, int timeoutMs) {
        Image before = x.Capture(window);
        Pause(500);
        return WaitFor(
            window,
            [&](const Image& now) {
                const bool same = now.pixels == before.pixels;
                before = now;
                Pause(500);
                return same;
            },
            timeoutMs);
    }

    // The picture of a window at scale 1 at start, the same seed.
    Image PictureAtScaleOne() {
        Program program({"--no-banner", "--seed", "7", "--scale", "1"});
        const Window window = WaitForWindow(program, 1024, 800);
        const Image image = AtRest(window, 5'000);
        Close(program, window);
        return image;
    }

    // The left button pressed at window pixel (x, y) and carried by (dx, dy)
    // in four steps, a few update ticks apart; still held.
    void PressAndMove(Window window, int px, int py, int dx, int dy) {
        x.MoveTo(window, px, py);
        Pause(300);
        x.Button(1, true);
        for (int i = 1; i <= 4; ++i) {
            x.MoveTo(window, px + dx * i / 4, py + dy * i / 4);
            Pause(40);
        }
    }

    void Close(ChildProcess& program, Window window) {
        x.RequestClose(window);
        EXPECT_EQ(program.Wait(10'000), 0) << "closing the window; " << program.Output();
    }

    XTestClient x;
};

bool IsRed(const Image& image, int x, int y) {
    // The swatch shows its red halfway to white.
    return image.At(x, y) == 0xFF8080;
}

TEST_F(ScaleTest, TwiceTheDensityDoublesEveryPixelAndDragsStillMoveByUnits) {
    const Image small = PictureAtScaleOne();
    for (const bool viaResources : {false, true}) {
        SCOPED_TRACE(viaResources ? "Xft.dpi: 192" : "GDK_SCALE=2");
        if (viaResources) {
            SetResources("Xft.antialias:\t1\nXft.dpi:\t192\n");
        }
        WindowWatcher watcher;
        Program program({"--no-banner", "--seed", "7"}, viaResources ? nullptr : "2");
        const Window window = WaitForWindow(program, 2048, 1600);
        ASSERT_NE(window, 0u);
        // Mapped once, already at its size, and fixed at it for the window
        // manager: flags, then x, y, width, height, then the minimum and
        // maximum sizes.
        EXPECT_EQ(watcher.Of(window).maps, (std::vector<WindowWatcher::Size>{{2048, 1600}}));
        const std::vector<unsigned long> hints = x.GetCardinals(window, "WM_NORMAL_HINTS");
        ASSERT_GE(hints.size(), 9u);
        EXPECT_EQ(std::vector<unsigned long>(hints.begin() + 5, hints.begin() + 9),
                  (std::vector<unsigned long>{2048, 1600, 2048, 1600}));
        const Image large = WaitFor(
            window, [&](const Image& image) { return ScaledDifference(small, image, 2).empty(); });
        EXPECT_EQ(ScaledDifference(small, large, 2), "");

        // The red swatch, 40 units square at (100, 30), grabbed at its centre
        // pixel and moved 300 by 200 pixels: 150 by 100 units.
        PressAndMove(window, 240, 100, 300, 200);
        const Image moved = WaitFor(window, [](const Image& image) {
            return IsRed(image, 2 * 250 + 2, 2 * 130 + 2) && IsRed(image, 2 * 289 - 3, 2 * 169 - 3);
        });
        x.Button(1, false);
        EXPECT_TRUE(IsRed(moved, 2 * 250 + 2, 2 * 130 + 2)) << "the swatch's new top left cell";
        EXPECT_TRUE(IsRed(moved, 2 * 289 - 3, 2 * 169 - 3)) << "its new bottom right cell";
        EXPECT_EQ(moved.At(2 * 105, 2 * 35), 0xFFFFFFu) << "where it was";
        Close(program, window);
    }
}

// Painted and at rest, then the desktop goes from 96 to 192 dots per inch:
// the window doubles and shows the same world, pixel for pixel doubled.
TEST_F(ScaleTest, ALiveChangeOfTheDesktopsDensityDoublesTheWindowAndKeepsTheWorld) {
    SetResources("Xft.dpi:\t96\n");
    Program program({"--no-banner", "--seed", "7"});
    const Window window = WaitForWindow(program, 1024, 800);
    ASSERT_NE(window, 0u);
    // The blue swatch onto canvas B (600, 500), where its colour spreads.
    PressAndMove(window, 220, 50, 420, 520);
    Pause(300);
    x.Button(1, false);
    // A layer that no swatch feeds fades within 100 ticks; the rest settles.
    const Image small = AtRest(window, 30'000);
    ASSERT_NE(small.At(605, 505), 0xFFFFFFu) << "canvas B was not painted";

    SetResources("Xft.dpi:\t192\n");
    const Window same = WaitForWindow(program, 2048, 1600);
    EXPECT_EQ(same, window);
    const Image large = WaitFor(
        window, [&](const Image& image) { return ScaledDifference(small, image, 2).empty(); });
    EXPECT_EQ(ScaledDifference(small, large, 2), "");
    Close(program, window);
}

// A window manager killed leaves the root's _NET_SUPPORTING_WM_CHECK naming
// its window, which is gone.
TEST_F(ScaleTest, StartsAfterAWindowManagerDiedAndLeftItsCheckBehind) {
    Display* d = x.GetDisplay();
    const Window gone = XCreateSimpleWindow(d, Root(), 0, 0, 1, 1, 0, 0, 0);
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    XChangeProperty(d, Root(), check, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&gone), 1);
    XDestroyWindow(d, gone);
    x.Sync();

    Program program({"--no-banner"});
    const Window window = WaitForWindow(program, 1024, 800);
    ASSERT_NE(window, 0u) << "exit status " << program.Wait(0).value_or(-1);
    EXPECT_TRUE(x.GetCardinals(Root(), "_NET_SUPPORTING_WM_CHECK").empty())
        << "the stale check is still there";
    Close(program, window);
}

}  // namespace
