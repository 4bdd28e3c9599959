// The start-up banner, dismissed the ways a user dismisses it. A second
// thread plays the user from its own X connection while the test's main
// thread waits inside ShowStartupBanner, as start-up does.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <GL/freeglut.h>

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "banner.h"
#include "pause.h"
#include "timing.h"
#include "x_test_client.h"

namespace {

// Two threads talk to the X server, each on its own connection.
const bool xThreadsReady = XInitThreads() != 0;

constexpr unsigned long kButtonFace = 0xE0E0E0;

struct Rect {
    int x0 = 0;
    int y0 = 0;
    int x1 = -1;
    int y1 = -1;
    int CentreX() const { return (x0 + x1) / 2; }
    int CentreY() const { return (y0 + y1) / 2; }
};

// The OK button, found where it is drawn: the one light-grey face.
Rect FindButtonFace(const XTestClient::Image& image) {
    Rect r{image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) == kButtonFace) {
                r = Rect{std::min(r.x0, x), std::min(r.y0, y), std::max(r.x1, x),
                         std::max(r.y1, y)};
            }
        }
    }
    return r;
}

int CountDarkPixels(const XTestClient::Image& image, int yEnd) {
    int dark = 0;
    for (int y = 0; y < yEnd; ++y) {
        for (int x = 0; x < image.width; ++x) {
            dark += (image.At(x, y) & 0xFF) < 0x40;
        }
    }
    return dark;
}

// Shows the banner on this thread while `user` acts on it from another. If
// the banner has not returned five seconds after the user is done, the
// process ends with a message instead of hanging.
void ShowBannerWhile(const std::function<void(XTestClient&, Window)>& user, const char* what,
                     float scale = 0.0f) {
    ASSERT_TRUE(xThreadsReady);
    std::atomic<bool> returned{false};
    std::thread userThread([&] {
        XTestClient x;
        const std::optional<Window> banner = x.WaitForWindow("Quillmere", 5000);
        if (!banner) {
            std::fprintf(stderr, "%s: no banner window titled Quillmere appeared\n", what);
            _exit(1);
        }
        user(x, *banner);
        for (int i = 0; i < 500 && !returned; ++i) {
            Pause(10);
        }
        if (!returned) {
            std::fprintf(stderr, "%s: the banner was not dismissed\n", what);
            _exit(1);
        }
    });
    WindowDescription program;
    program.scale = scale;
    ShowStartupBanner("Banner test notice line.", program);
    returned = true;
    userThread.join();
}

void ExpectNoBannerLeft() {
    XTestClient x;
    EXPECT_TRUE(x.FindWindows("Quillmere").empty()) << "the banner window is still there";
}

TEST(BannerTest, ShowsTheNoticeAndWaitsAsleepUntilReturnIgnoringOtherInput) {
    bool stillShownAfterOtherInput = false;
    int darkTextPixels = 0;
    XTestClient::Geometry size;
    // The main thread's CPU is read from the user's thread, over the wait
    // alone: opening the display and making the window and its GL context
    // come before it, and take about 0.2 s in a sanitizer build.
    clockid_t mainThread{};
    ASSERT_EQ(pthread_getcpuclockid(pthread_self(), &mainThread), 0);
    double cpu = 0.0;
    double span = 0.0;
    const double realStart = RealSeconds();
    ShowBannerWhile(
        [&](XTestClient& x, Window banner) {
            Pause(100);
            const double cpuStart = ThreadCpuSeconds(mainThread);
            const double spanStart = RealSeconds();
            size = x.GetGeometry(banner);
            const XTestClient::Image image = x.Capture(banner);
            darkTextPixels = CountDarkPixels(image, FindButtonFace(image).y0);
            x.MoveTo(banner, 5, 5);
            x.Focus(banner);
            x.Tap(XK_a);
            x.Tap(XK_Tab);
            x.Click(1);
            x.Click(3);
            Pause(400);
            stillShownAfterOtherInput = x.FindWindows("Quillmere").size() == 1;
            cpu = ThreadCpuSeconds(mainThread) - cpuStart;
            span = RealSeconds() - spanStart;
            x.Tap(XK_Return);
        },
        "Return");
    const double waited = RealSeconds() - realStart;
    EXPECT_TRUE(stillShownAfterOtherInput) << "a letter, Tab or a click beside OK dismissed it";
    EXPECT_GT(darkTextPixels, 200) << "no text drawn above the button";
    EXPECT_GT(size.width, 250);
    EXPECT_GE(waited, 0.5);
    EXPECT_LT(cpu, 0.2) << "the main thread was busy for " << cpu << " s of " << span
                        << " s while the banner waited";
    ExpectNoBannerLeft();
}

TEST(BannerTest, IsDismissedByAClickOnOkButNotByAPressThatLeavesIt) {
    bool stillShownAfterLeaving = false;
    Rect button;
    ShowBannerWhile(
        [&](XTestClient& x, Window banner) {
            // The first frame may take a while in a sanitizer build.
            for (int i = 0; i < 100 && button.x1 < 0; ++i) {
                Pause(50);
                button = FindButtonFace(x.Capture(banner));
            }
            if (button.x1 < 0) {
                std::fprintf(stderr, "no OK button face drawn\n");
                _exit(1);
            }
            x.MoveTo(banner, button.CentreX(), button.CentreY());
            x.Button(1, true);
            x.MoveTo(banner, button.CentreX(), button.y0 - 20);
            x.Button(1, false);
            Pause(300);
            stillShownAfterLeaving = x.FindWindows("Quillmere").size() == 1;
            x.MoveTo(banner, button.CentreX(), button.CentreY());
            x.Click(1);
        },
        "click on OK");
    EXPECT_TRUE(stillShownAfterLeaving) << "released off the button, it still dismissed";
    EXPECT_GE(button.x1 - button.x0, 40) << "the OK button is too small to find";
    ExpectNoBannerLeft();
}

// At twice the density the banner is laid out twice as large: its OK button
// (80 by 28 with a border of one at scale 1) is found where it is drawn and
// dismisses it, its pointer in device pixels.
TEST(BannerTest, AtScaleTwoItsButtonIsTwiceTheSizeAndStillDismissesIt) {
    Rect button;
    int width = 0;
    ShowBannerWhile(
        [&](XTestClient& x, Window banner) {
            for (int i = 0; i < 100 && button.x1 < 0; ++i) {
                Pause(50);
                button = FindButtonFace(x.Capture(banner));
            }
            width = x.GetGeometry(banner).width;
            x.MoveTo(banner, button.CentreX(), button.CentreY());
            x.Click(1);
        },
        "click on OK at scale 2", 2.0f);
    EXPECT_EQ(button.x1 - button.x0 + 1, 2 * 78) << "the button face's width";
    EXPECT_EQ(button.y1 - button.y0 + 1, 2 * 26) << "the button face's height";
    EXPECT_GE(width, 2 * 260) << "the banner's width";
    ExpectNoBannerLeft();
}

TEST(BannerTest, IsDismissedBySpaceAndByEscape) {
    for (const unsigned long key : {XK_space, XK_Escape}) {
        ShowBannerWhile(
            [&](XTestClient& x, Window banner) {
                x.MoveTo(banner, 5, 5);
                x.Focus(banner);
                x.Tap(key);
            },
            key == XK_space ? "Space" : "Escape");
        ExpectNoBannerLeft();
    }
}

TEST(BannerTest, IsDismissedByClosingItsWindowAndLeavesTheProcessRunning) {
    ShowBannerWhile([](XTestClient& x, Window banner) { x.RequestClose(banner); }, "window close");
    ExpectNoBannerLeft();
    EXPECT_EQ(glutGet(GLUT_INIT_STATE), 1);
}

}  // namespace
