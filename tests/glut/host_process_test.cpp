// The host started as a user starts a program: its own process, on the X
// display of the test run (or on none), watched from outside.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <fcntl.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"
#include "glut_session.h"
#include "pause.h"
#include "x_test_client.h"

namespace {

// The idle host in its own process.
struct HostProcess : ChildProcess {
    explicit HostProcess(const std::vector<std::string>& args,
                         std::optional<std::string> display = {})
        : ChildProcess(GLUT_IDLE_HOST, args, std::move(display)) {}
};

struct RunReport {
    int ticks = 0;
    double seconds = 0.0;
    double cpu = 0.0;
};

std::optional<RunReport> ParseReport(const std::string& output) {
    RunReport r;
    const std::size_t at = output.find("ticks=");
    if (at == std::string::npos || std::sscanf(output.c_str() + at, "ticks=%d seconds=%lf cpu=%lf",
                                               &r.ticks, &r.seconds, &r.cpu) != 3) {
        return std::nullopt;
    }
    return r;
}

// Waits for a mapped window titled Quillmere of the given width.
std::optional<Window> WaitForWindowOfWidth(XTestClient& x, int width) {
    std::optional<Window> found;
    WaitUntil(
        [&] {
            for (const Window w : x.FindWindows("Quillmere")) {
                if (x.GetGeometry(w).width == width) {
                    found = w;
                }
            }
            return found.has_value();
        },
        5'000);
    return found;
}

TEST(HostProcessTest, TicksThirtyTimesASecondWhileTheCpuSleeps) {
    HostProcess host({"--seconds", "3"});
    ASSERT_EQ(host.Wait(20'000), 0) << host.Output();
    const std::optional<RunReport> report = ParseReport(host.Output());
    ASSERT_TRUE(report) << "no report in: " << host.Output();
    const double rate = report->ticks / report->seconds;
    // Never more than 30 a second; somewhat fewer when other tests load the CPU.
    EXPECT_GE(rate, 24.0) << host.Output();
    EXPECT_LE(rate, 30.5) << host.Output();
    // A busy idle loop keeps a whole core going (a share near 1).
    EXPECT_LT(report->cpu / report->seconds, 0.3)
        << "the host used " << report->cpu << " s of CPU in " << report->seconds << " s";
}

TEST(HostProcessTest, ClosingTheWindowEndsTheProgramWithStatusZero) {
    HostProcess host({});
    XTestClient x;
    const std::optional<Window> window = WaitForWindowOfWidth(x, 1024);
    ASSERT_TRUE(window) << "no 1024 pixel wide window titled Quillmere: " << host.Output();
    x.RequestClose(*window);
    EXPECT_EQ(host.Wait(5'000), 0) << host.Output();
    EXPECT_TRUE(ParseReport(host.Output())) << "Run did not return: " << host.Output();
}

TEST(HostProcessTest, TheHostWindowFollowsTheBannerInTheSameProcess) {
    for (const bool closeBanner : {false, true}) {
        HostProcess host({"--banner", "--seconds", "0.5"});
        XTestClient x;
        const std::optional<Window> banner = x.WaitForWindow("Quillmere", 5'000);
        ASSERT_TRUE(banner) << "no banner: " << host.Output();
        if (closeBanner) {
            x.RequestClose(*banner);
        } else {
            x.MoveTo(*banner, 5, 5);
            x.Focus(*banner);
            x.Tap(XK_Return);
        }
        EXPECT_TRUE(WaitForWindowOfWidth(x, 1024))
            << "no host window after the banner was " << (closeBanner ? "closed" : "dismissed");
        EXPECT_EQ(host.Wait(10'000), 0) << host.Output();
        const std::optional<RunReport> report = ParseReport(host.Output());
        ASSERT_TRUE(report) << host.Output();
        EXPECT_GT(report->ticks, 5);
    }
}

TEST(HostProcessTest, WithoutADisplayItSaysSoAndFails) {
    for (const std::string display : {":", ":4095", ""}) {
        HostProcess host({}, display);
        EXPECT_EQ(host.Wait(10'000), kNoDisplayExitStatus)
            << "DISPLAY=\"" << display << "\": " << host.Output();
        EXPECT_NE(host.Output().find(display.empty() ? "DISPLAY is not set"
                                                     : "could not open the X display"),
                  std::string::npos)
            << host.Output();
        EXPECT_NE(host.Output().find("xvfb-run"), std::string::npos) << host.Output();
    }
}

}  // namespace
