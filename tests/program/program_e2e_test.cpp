// The real program, started as a user starts it, on the test's Xvfb display:
// its windows found by title, real input sent through XTest, its pixels read
// back from the window with XGetImage, its exit status checked.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "colour.h"
#include "pause.h"
#include "pixel.h"
#include "startup_listener.h"
#include "window_watcher.h"
#include "x_test_client.h"

namespace {

// The program in its own process.
struct Program : ChildProcess {
    explicit Program(const std::vector<std::string>& args = {})
        : ChildProcess(QUILLMERE_PROGRAM, args) {}
};

constexpr Colour kWhite{1.0f, 1.0f, 1.0f};
constexpr Colour kOpaqueBand{0.5f, 0.5f, 0.5f};
// The canvases' faint grey band over their white fill.
constexpr Colour kFaintBand{0.825f, 0.825f, 0.825f};

struct Swatch {
    const char* name;
    Colour colour;
    int left;
};

constexpr Swatch kSwatches[] = {
    {"red", {1.0f, 0.0f, 0.0f}, 100},       {"green", {0.0f, 1.0f, 0.0f}, 150},
    {"blue", {0.0f, 0.0f, 1.0f}, 200},      {"yellow", {1.0f, 1.0f, 0.0f}, 250},
    {"orange", {1.0f, 0.5f, 0.0f}, 300},    {"magenta", {1.0f, 0.0f, 1.0f}, 350},
    {"brown", {0.5f, 0.25f, 0.0625f}, 400},
};
constexpr int kSwatchTop = 30;

// A cell shows its colour halfway to white.
Colour OnWhite(Colour c) {
    return {(1.0f + c.red) * 0.5f, (1.0f + c.green) * 0.5f, (1.0f + c.blue) * 0.5f};
}

std::string Describe(const XTestClient::Image& image, int x, int y) {
    std::ostringstream out;
    out << "pixel (" << x << ", " << y << ") is " << Pixel::FromXRgb(image.At(x, y));
    return out.str();
}

// Each channel within one 8-bit step of value * 255: the values the program
// draws fall between two steps (0.5 is 127.5), and blending rounds once more.
::testing::AssertionResult Shows(const XTestClient::Image& image, int x, int y, Colour expected) {
    const Pixel p = Pixel::FromXRgb(image.At(x, y));
    const float want[] = {expected.red * 255.0f, expected.green * 255.0f, expected.blue * 255.0f};
    const int got[] = {p.red, p.green, p.blue};
    for (int c = 0; c < 3; ++c) {
        if (std::fabs(static_cast<float>(got[c]) - want[c]) > 1.0f) {
            return ::testing::AssertionFailure()
                   << Describe(image, x, y) << ", expected (" << want[0] << ", " << want[1] << ", "
                   << want[2] << ") / 255";
        }
    }
    return ::testing::AssertionSuccess();
}

// Under a window manager on a small screen part of the window lies off the
// screen, where there are no pixels to read: checks there pass.
::testing::AssertionResult ShowsIfOnScreen(const XTestClient::Image& image, int x, int y,
                                           Colour expected) {
    if (!image.Contains(x, y)) {
        return ::testing::AssertionSuccess();
    }
    return Shows(image, x, y, expected);
}

bool IsWhite(const XTestClient::Image& image, int x, int y) {
    return (image.At(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

// Red clearly outweighs green and blue: the pixel holds red colour.
bool IsReddish(const XTestClient::Image& image, int x, int y) {
    const Pixel p = Pixel::FromXRgb(image.At(x, y));
    return p.red >= 250 && p.green <= 235 && p.blue <= 235 && std::abs(p.green - p.blue) <= 2;
}

// The fill pixel of the 10-unit cell whose top-left corner is (x, y).
struct Cell {
    int x;
    int y;
    int FillX() const { return x + 4; }
    int FillY() const { return y + 4; }
};

// Canvas A's cell (column, row).
Cell CanvasACell(int column, int row) {
    return {100 + 10 * column, 170 + 10 * row};
}

Cell CanvasBCell(int column, int row) {
    return {600 + 10 * column, 500 + 10 * row};
}

struct Point {
    int x;
    int y;
};

// Built to drive the Windows program under Wine (with the Linux program as
// the reference picture), the window's class is Wine's, named after the
// .exe, and its icons are the big and the small one that Windows asks a
// window for, 32 and 16 pixels at 96 dpi, which Wine hands to X.
#ifdef QUILLMERE_REFERENCE_PROGRAM
constexpr bool kUnderWine = true;
#else
constexpr bool kUnderWine = false;
#endif

class ProgramTest : public ::testing::Test {
protected:
    explicit ProgramTest(const std::vector<std::string>& args = {})
        : program(args),
          withBanner(std::find(args.begin(), args.end(), "--no-banner") == args.end()) {}

    void SetUp() override {
        const std::optional<Window> found = x.WaitForWindow("Quillmere", 20'000);
        ASSERT_TRUE(found) << "no window titled Quillmere: " << program.Output();
        firstWindow = *found;
        if (!withBanner) {
            WaitForMainWindow();
            return;
        }
        banner = *found;
        const XTestClient::Geometry g = x.GetGeometry(banner);
        ASSERT_FALSE(g.width == 1024 && g.height == 800) << "the main window came first";
        bannerClass = x.GetClass(banner);
        DismissBanner();
        WaitForMainWindow();
    }

    void TearDown() override {
        if (window) {
            x.RequestClose(window);
        }
        EXPECT_EQ(program.Wait(10'000), 0) << "closing the window; output: " << program.Output();
    }

    // Without a window manager keyboard focus follows the pointer; a window
    // manager gives the banner focus when it maps it, and may unmap and map
    // it again once it has read its size hints, so the key is tried again
    // until the main window opens.
    void DismissBanner() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            x.MoveTo(banner, 20, 20);
            x.Focus(banner);
            x.Tap(XK_Return);
            for (int i = 0; i < 50; ++i) {
                for (const Window w : x.FindWindows("Quillmere")) {
                    if (w != banner) {
                        return;
                    }
                }
                Pause(20);
            }
        }
        FAIL() << "Return did not dismiss the banner: " << program.Output();
    }

    void WaitForMainWindow() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            const std::vector<Window> windows = x.FindWindows("Quillmere");
            if (windows.size() == 1 && windows.front() != banner) {
                const XTestClient::Geometry g = x.GetGeometry(windows.front());
                if (g.width == 1024 && g.height == 800) {
                    window = windows.front();
                    x.Focus(window);
                    // Mesa takes up the new window size only with a later
                    // frame; until then part of the window is black.
                    ASSERT_TRUE(WaitFor([&](const XTestClient::Image& image) {
                        const Cell last = CanvasBCell(11, 11);
                        return Shows(image, kSwatches[0].left + 5, kSwatchTop + 5,
                                     OnWhite(kSwatches[0].colour)) &&
                               IsWhite(image, CanvasACell(0, 0).FillX(),
                                       CanvasACell(0, 0).FillY()) &&
                               ShowsIfOnScreen(image, last.x + 9, last.y + 5, kFaintBand) &&
                               IsWhite(image, image.width - 1, image.height - 1);
                    })) << "the scene was never drawn at the window's full size";
                    return;
                }
            }
            Pause(10);
        }
        std::ostringstream seen;
        for (const Window w : x.FindWindows("Quillmere")) {
            const XTestClient::Geometry g = x.GetGeometry(w);
            seen << " " << g.width << "x" << g.height << "+" << g.x << "+" << g.y;
        }
        FAIL() << "no single 1024 by 800 window titled Quillmere; windows:" << seen.str()
               << "; output: " << program.Output();
    }

    XTestClient::Image Capture() { return x.Capture(window); }

    // Captures until the condition holds, for up to the given time.
    bool WaitFor(const std::function<bool(const XTestClient::Image&)>& condition,
                 int timeoutMs = 5'000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            if (condition(Capture())) {
                return true;
            }
            Pause(20);
        } while (std::chrono::steady_clock::now() < deadline);
        return false;
    }

    // A left-button drag. The program moves what is dragged by the pointer's
    // change between update ticks, so the pointer rests a few ticks at the
    // start; it is released once `arrived` sees the result of the last tick.
    void Drag(Point from, Point to, const std::function<bool(const XTestClient::Image&)>& arrived,
              bool alt = false) {
        x.MoveTo(window, from.x, from.y);
        Pause(300);
        if (alt) {
            x.Key(XK_Alt_L, true);
        }
        x.Button(1, true);
        for (int i = 1; i <= 4; ++i) {
            x.MoveTo(window, from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4);
            Pause(30);
        }
        const bool done = WaitFor(arrived);
        x.Button(1, false);
        if (alt) {
            x.Key(XK_Alt_L, false);
        }
        ASSERT_TRUE(done) << "the drag from (" << from.x << ", " << from.y << ") to (" << to.x
                          << ", " << to.y << ") did not arrive";
    }

    // Watching before the program starts, so that it sees every window's
    // whole life.
    WindowWatcher watcher;
    Program program;
    const bool withBanner;
    XTestClient x;
    // The first window titled Quillmere that appeared.
    Window firstWindow = 0;
    Window banner = 0;
    std::vector<std::string> bannerClass;
    Window window = 0;
};

// Checks every swatch of the row shows its colour.
void ExpectSwatchRow(const XTestClient::Image& image) {
    for (const Swatch& swatch : kSwatches) {
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                EXPECT_TRUE(Shows(image, swatch.left + 10 * column + 4, kSwatchTop + 10 * row + 4,
                                  OnWhite(swatch.colour)))
                    << swatch.name << " swatch, cell (" << column << ", " << row << ")";
            }
        }
    }
}

class SeededProgramTest : public ProgramTest {
protected:
    SeededProgramTest() : ProgramTest({"--seed", "7"}) {}
};

TEST_F(SeededProgramTest, ShowsTheBannerAndThenTheScene) {
    EXPECT_EQ(firstWindow, banner);
    ExpectSwatchRow(Capture());
}

class NoBannerProgramTest : public ProgramTest {
protected:
    NoBannerProgramTest() : ProgramTest({"--no-banner"}) {}
};

TEST_F(NoBannerProgramTest, OpensTheMainWindowFirstWithTheScene) {
    EXPECT_EQ(firstWindow, window) << "another window came before the main window";
    ExpectSwatchRow(Capture());
}

// A launcher that passed a start-up ID hears "remove" for it once the
// program's first window shows, and the window carries the ID.
TEST(ProgramStartTest, AnswersTheLaunchersStartupNotification) {
    XTestClient x;
    StartupListener listener(x.GetDisplay());
    const std::string id = "quillmere-test-" + std::to_string(getpid()) + "_TIME0";
    setenv("DESKTOP_STARTUP_ID", id.c_str(), 1);
    Program program({"--no-banner"});
    unsetenv("DESKTOP_STARTUP_ID");
    const std::optional<Window> window = x.WaitForWindow("Quillmere", 20'000);
    ASSERT_TRUE(window) << program.Output();
    std::vector<std::string> messages = listener.Messages(10'000);
    EXPECT_EQ(messages, std::vector<std::string>{"remove: ID=" + id});
    EXPECT_EQ(x.GetText(*window, "_NET_STARTUP_ID"), id);
    x.RequestClose(*window);
    EXPECT_EQ(program.Wait(10'000), 0) << program.Output();
}

TEST(ProgramStartTest, WaitsBehindTheBannerUntilItIsDismissed) {
    Program program;
    XTestClient x;
    const std::optional<Window> banner = x.WaitForWindow("Quillmere", 20'000);
    ASSERT_TRUE(banner) << "no banner titled Quillmere: " << program.Output();
    Pause(500);
    EXPECT_EQ(x.FindWindows("Quillmere").size(), 1u) << "a window opened beside the banner";
    EXPECT_FALSE(program.Wait(0)) << "the program ended while the banner waited";
    x.MoveTo(*banner, 20, 20);
    x.Tap(XK_Return);
    std::optional<Window> window;
    for (int i = 0; i < 2000 && !window; ++i) {
        const std::vector<Window> windows = x.FindWindows("Quillmere");
        if (windows.size() == 1 && windows.front() != *banner &&
            x.GetGeometry(windows.front()).width == 1024) {
            window = windows.front();
        }
        Pause(10);
    }
    ASSERT_TRUE(window) << "no single window after the banner: " << program.Output();
    const XTestClient::Geometry g = x.GetGeometry(*window);
    EXPECT_EQ(g.width, 1024);
    EXPECT_EQ(g.height, 800);
    x.RequestClose(*window);
    EXPECT_EQ(program.Wait(10'000), 0) << program.Output();
}

TEST_F(ProgramTest, ShowsSevenSwatchesAndTwoBlankCanvasesInPlace) {
    const XTestClient::Image image = Capture();
    // On the smallest screen tried, the swatches and most of canvas A are
    // still on it.
    ASSERT_GE(image.width, 600);
    ASSERT_GE(image.height, 450);
    for (const Swatch& swatch : kSwatches) {
        SCOPED_TRACE(std::string(swatch.name) + " swatch");
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                const Cell cell{swatch.left + 10 * column, kSwatchTop + 10 * row};
                EXPECT_TRUE(
                    ShowsIfOnScreen(image, cell.FillX(), cell.FillY(), OnWhite(swatch.colour)));
                EXPECT_TRUE(ShowsIfOnScreen(image, cell.x, cell.FillY(), kOpaqueBand));
                EXPECT_TRUE(ShowsIfOnScreen(image, cell.x + 9, cell.FillY(), kOpaqueBand));
            }
        }
        EXPECT_TRUE(ShowsIfOnScreen(image, swatch.left - 1, 50, kWhite)) << "left of the swatch";
        EXPECT_TRUE(ShowsIfOnScreen(image, swatch.left + 40, 50, kWhite)) << "right of the swatch";
        EXPECT_TRUE(ShowsIfOnScreen(image, swatch.left + 20, kSwatchTop - 1, kWhite)) << "above";
        EXPECT_TRUE(ShowsIfOnScreen(image, swatch.left + 20, kSwatchTop + 40, kWhite)) << "below";
    }
    struct Canvas {
        const char* name;
        Cell (*cell)(int, int);
        int cells;
    };
    for (const Canvas& canvas :
         {Canvas{"canvas A", CanvasACell, 48}, {"canvas B", CanvasBCell, 12}}) {
        SCOPED_TRACE(canvas.name);
        for (int row = 0; row < canvas.cells; ++row) {
            for (int column = 0; column < canvas.cells; ++column) {
                const Cell cell = canvas.cell(column, row);
                ASSERT_TRUE(ShowsIfOnScreen(image, cell.FillX(), cell.FillY(), kWhite));
                ASSERT_TRUE(ShowsIfOnScreen(image, cell.x, cell.y + 5, kFaintBand));
            }
        }
        const Cell first = canvas.cell(0, 0);
        const Cell last = canvas.cell(canvas.cells - 1, canvas.cells - 1);
        EXPECT_TRUE(ShowsIfOnScreen(image, first.x - 1, first.y + 5, kWhite))
            << "left of the canvas";
        EXPECT_TRUE(ShowsIfOnScreen(image, first.x + 5, first.y - 1, kWhite)) << "above the canvas";
        EXPECT_TRUE(ShowsIfOnScreen(image, last.x + 9, last.y + 5, kFaintBand)) << "its right band";
        EXPECT_TRUE(ShowsIfOnScreen(image, last.x + 10, last.y + 5, kWhite))
            << "right of the canvas";
        EXPECT_TRUE(ShowsIfOnScreen(image, last.x + 5, last.y + 10, kWhite)) << "below the canvas";
    }
    EXPECT_TRUE(ShowsIfOnScreen(image, 900, 100, kWhite));
    EXPECT_TRUE(ShowsIfOnScreen(image, 1023, 799, kWhite));
}

TEST_F(ProgramTest, SwatchDraggedOntoCanvasAColoursItsCellsAndTheColourSpreads) {
    // The red swatch, grabbed 20 units into it, lands with its corner on
    // canvas A cell (22, 22); canvas A is drawn over it.
    const Cell under = CanvasACell(23, 23);
    Drag({120, 50}, {340, 410}, [&](const XTestClient::Image& image) {
        return IsReddish(image, under.FillX(), under.FillY());
    });
    EXPECT_TRUE(WaitFor([&](const XTestClient::Image& image) {
        return IsWhite(image, kSwatches[0].left + 5, kSwatchTop + 5);
    })) << "the red swatch is still in the row";

    const Cell beside = CanvasACell(27, 23);
    const Cell far = CanvasACell(35, 23);
    EXPECT_TRUE(WaitFor([&](const XTestClient::Image& image) {
        return IsReddish(image, beside.FillX(), beside.FillY()) &&
               IsReddish(image, far.FillX(), far.FillY());
    })) << "the colour did not spread to cells (27, 23) and (35, 23)";

    // It fades as it goes: too far away no colour arrives.
    const XTestClient::Image image = Capture();
    const Cell corner = CanvasACell(0, 47);
    EXPECT_TRUE(ShowsIfOnScreen(image, corner.FillX(), corner.FillY(), kWhite))
        << "canvas A's far corner";
    const Pixel near = Pixel::FromXRgb(image.At(under.FillX(), under.FillY()));
    const Pixel spread = Pixel::FromXRgb(image.At(far.FillX(), far.FillY()));
    EXPECT_LT(near.green, spread.green) << "colour under the swatch is stronger than 12 cells away";
}

TEST_F(ProgramTest, AltAloneClearsNothingAndAnyKeyWhitensTheCanvases) {
    // The green swatch onto canvas B, then away from it again.
    const Cell under = CanvasBCell(5, 5);
    Drag({170, 50}, {660, 560}, [&](const XTestClient::Image& image) {
        return !IsWhite(image, under.FillX(), under.FillY());
    });
    const Cell spread = CanvasBCell(1, 1);
    ASSERT_TRUE(WaitFor([&](const XTestClient::Image& image) {
        return !IsWhite(image, spread.FillX(), spread.FillY());
    })) << "the colour did not spread over canvas B";
    Drag({660, 560}, {860, 300}, [&](const XTestClient::Image& image) {
        return Shows(image, 845, 285, OnWhite(kSwatches[1].colour));
    });

    x.Tap(XK_Alt_L);
    Pause(300);
    XTestClient::Image image = Capture();
    EXPECT_FALSE(IsWhite(image, under.FillX(), under.FillY())) << "Alt alone cleared canvas B";

    // Left alone the colour fades over seconds; a key clears it at once.
    x.Tap(XK_c);
    const auto keyTime = std::chrono::steady_clock::now();
    const bool white = WaitFor([&](const XTestClient::Image& image) {
        for (int row = 0; row < 12; ++row) {
            for (int column = 0; column < 12; ++column) {
                const Cell cell = CanvasBCell(column, row);
                if (!IsWhite(image, cell.FillX(), cell.FillY())) {
                    return false;
                }
            }
        }
        return true;
    });
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - keyTime);
    ASSERT_TRUE(white) << "canvas B never went white";
    EXPECT_LT(waited.count(), 1500) << "canvas B went white only after " << waited.count() << " ms";

    image = Capture();
    EXPECT_TRUE(Shows(image, 845, 285, OnWhite(kSwatches[1].colour))) << "the moved green swatch";
    for (const Swatch& swatch : kSwatches) {
        if (swatch.left != kSwatches[1].left) {
            EXPECT_TRUE(Shows(image, swatch.left + 15, kSwatchTop + 15, OnWhite(swatch.colour)))
                << swatch.name << " swatch";
        }
    }
}

TEST_F(ProgramTest, AltDragMovesACopyAndLeavesTheSwatchInPlace) {
    const Swatch& yellow = kSwatches[3];
    Drag(
        {yellow.left + 20, 50}, {820, 300},
        [&](const XTestClient::Image& image) {
            return Shows(image, 805, 285, OnWhite(yellow.colour));
        },
        true);
    const XTestClient::Image image = Capture();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_TRUE(Shows(image, yellow.left + 10 * column + 4, kSwatchTop + 10 * row + 4,
                              OnWhite(yellow.colour)))
                << "the original, cell (" << column << ", " << row << ")";
            EXPECT_TRUE(
                Shows(image, 800 + 10 * column + 4, 280 + 10 * row + 4, OnWhite(yellow.colour)))
                << "the copy, cell (" << column << ", " << row << ")";
        }
    }
    EXPECT_TRUE(Shows(image, 799, 300, kWhite)) << "left of the copy";
    EXPECT_TRUE(Shows(image, 840, 300, kWhite)) << "right of the copy";
}

// Another client resizes the painted window larger and smaller, one size at a
// time and in bursts, and the program asks for its size back each time. On a
// server without MIT-SHM a present beyond the GL's back buffer ends the
// program, so this runs on such a server too.
TEST_F(ProgramTest, ResizedWhilePaintedItLivesKeepsItsSizeAndItsPicture) {
    const Cell under = CanvasACell(23, 23);
    Drag({120, 50}, {340, 410}, [&](const XTestClient::Image& image) {
        return IsReddish(image, under.FillX(), under.FillY());
    });
    const std::vector<std::vector<Point>> resizes = {{{1100, 900}},
                                                     {{700, 500}},
                                                     {{1300, 1000}},
                                                     {{300, 200}},
                                                     {{1100, 900}, {700, 500}, {1200, 950}},
                                                     {{500, 400}, {1024, 800}, {1030, 810}}};
    for (const std::vector<Point>& burst : resizes) {
        for (const Point size : burst) {
            x.Resize(window, size.x, size.y);
        }
        const Point last = burst.back();
        const bool kept = WaitUntil(
            [&] {
                const XTestClient::Geometry g = x.GetGeometry(window);
                return (g.width == 1024 && g.height == 800) || program.Wait(0);
            },
            5'000);
        ASSERT_FALSE(program.Wait(0)) << "the program ended after a resize to " << last.x << "x"
                                      << last.y << "; output: " << program.Output();
        ASSERT_TRUE(kept) << "the window did not get 1024x800 back after " << last.x << "x"
                          << last.y;
    }
    const bool intact = WaitFor([&](const XTestClient::Image& image) {
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                if ((image.At(x, y) & 0xFFFFFF) == 0) {
                    return false;
                }
            }
        }
        const Cell lastB = CanvasBCell(11, 11);
        return IsReddish(image, under.FillX(), under.FillY()) &&
               Shows(image, kSwatches[1].left + 5, kSwatchTop + 5, OnWhite(kSwatches[1].colour)) &&
               Shows(image, kSwatches[6].left + 35, kSwatchTop + 35,
                     OnWhite(kSwatches[6].colour)) &&
               IsWhite(image, lastB.FillX(), lastB.FillY()) && IsWhite(image, 1023, 799);
    });
    EXPECT_TRUE(intact) << "after the resizes the window does not show the painted scene; "
                        << Describe(Capture(), 1023, 799);
}

// Any client may send the window a ConfigureNotify; a size it claims is not
// the window's, and the picture and the pointer stay at the real one.
TEST_F(ProgramTest, ASizeAnotherClientClaimsChangesNothing) {
    x.ClaimSize(window, 1500, 1100);
    Pause(300);
    const Cell under = CanvasACell(23, 23);
    const Cell lastB = CanvasBCell(11, 11);
    Drag({120, 50}, {340, 410}, [&](const XTestClient::Image& image) {
        return IsReddish(image, under.FillX(), under.FillY()) &&
               Shows(image, kSwatches[1].left + 5, kSwatchTop + 5, OnWhite(kSwatches[1].colour)) &&
               IsWhite(image, lastB.FillX(), lastB.FillY()) && IsWhite(image, 1023, 799);
    });
    ASSERT_FALSE(program.Wait(0)) << "the program ended; output: " << program.Output();
    const XTestClient::Geometry g = x.GetGeometry(window);
    EXPECT_EQ(g.width, 1024);
    EXPECT_EQ(g.height, 800);
}

// As a dock or a window manager meets it: mapped once, already at its size,
// never withdrawn, and carrying the names and icon a desktop ties it to the
// program's desktop entry by.
TEST_F(ProgramTest, TheMainWindowAppearsOnceAtItsSizeNamedAndIconed) {
    const WindowWatcher::History history = watcher.Of(window);
    EXPECT_EQ(history.maps, (std::vector<WindowWatcher::Size>{{1024, 800}}))
        << "the main window's maps, and its size at each";
    EXPECT_EQ(history.unmaps, 0) << "the main window was unmapped before the user closed it";

    if (!kUnderWine) {
        EXPECT_EQ(x.GetClass(window), (std::vector<std::string>{"quillmere", "Quillmere"}));
    }
    EXPECT_EQ(x.GetCardinals(window, "_NET_WM_PID"),
              std::vector<unsigned long>{static_cast<unsigned long>(program.Pid())});
    EXPECT_FALSE(x.GetText(window, "WM_CLIENT_MACHINE").empty());
    std::vector<unsigned long> iconSizes;
    const std::vector<unsigned long> icon = x.GetCardinals(window, "_NET_WM_ICON");
    for (std::size_t i = 0; i + 1 < icon.size(); i += 2 + icon[i] * icon[i + 1]) {
        EXPECT_EQ(icon[i], icon[i + 1]) << "a square icon";
        iconSizes.push_back(icon[i]);
    }
    const std::vector<unsigned long> expectedSizes =
        kUnderWine ? std::vector<unsigned long>{32, 16}
                   : std::vector<unsigned long>{16, 32, 48, 64, 128};
    EXPECT_EQ(iconSizes, expectedSizes);
    if (withBanner) {
        EXPECT_EQ(bannerClass, x.GetClass(window)) << "the banner's class";
    }
}

TEST_F(ProgramTest, ClosingTheWindowEndsTheProgramWithStatusZero) {
    x.RequestClose(window);
    EXPECT_EQ(program.Wait(10'000), 0) << program.Output();
    EXPECT_TRUE(x.FindWindows("Quillmere").empty());
    window = 0;
}

#ifdef QUILLMERE_REFERENCE_PROGRAM
// The program under test against the reference program (the Linux build,
// when the program under test is the Windows one): the start-up picture of
// the same seed is the same, pixel for pixel, as the swatches' and canvases'
// looks do not depend on the C library's random numbers.
class ProgramPlatformsTest : public ::testing::Test {
protected:
    // The picture of a program's main window once it has the size and its
    // picture stopped changing, and the window's icon of 32 pixels (as
    // _NET_WM_ICON holds it: size, then ARGB pixels); the window is then
    // closed, and the program must end with 0.
    XTestClient::Image StartPicture(const std::string& path, int width, int height,
                                    std::vector<unsigned long>* icon32 = nullptr) {
        ChildProcess program(path, {"--no-banner", "--seed", "7"});
        Window window = 0;
        const bool opened = WaitUntil(
            [&] {
                for (const Window w : x.FindWindows("Quillmere")) {
                    const XTestClient::Geometry g = x.GetGeometry(w);
                    window = g.width == width && g.height == height ? w : window;
                }
                return window != 0;
            },
            30'000);
        EXPECT_TRUE(opened) << "no " << width << "x" << height << " window: " << program.Output();
        if (!opened) {
            return {};
        }
        XTestClient::Image before = x.Capture(window);
        XTestClient::Image now;
        // White at the top left corner: drawn, not the window's first black.
        EXPECT_TRUE(WaitUntil(
            [&] {
                Pause(300);
                now = x.Capture(window);
                const bool same = now.pixels == before.pixels && IsWhite(now, 0, 0);
                before = now;
                return same;
            },
            10'000))
            << "the picture did not come to rest";
        if (icon32) {
            const std::vector<unsigned long> icon = x.GetCardinals(window, "_NET_WM_ICON");
            for (std::size_t i = 0; i + 1 < icon.size(); i += 2 + icon[i] * icon[i + 1]) {
                if (icon[i] == 32 && i + 2 + 32 * 32 <= icon.size()) {
                    icon32->assign(icon.begin() + i, icon.begin() + i + 2 + 32 * 32);
                }
            }
        }
        x.RequestClose(window);
        EXPECT_EQ(program.Wait(10'000), 0) << "closing the window; " << program.Output();
        return now;
    }

    XTestClient x;
};

// And the window carries the program's own icon, not a stock one.
TEST_F(ProgramPlatformsTest, TheStartPictureAndIconAreTheReferenceProgramsPixelForPixel) {
    std::vector<unsigned long> referenceIcon;
    std::vector<unsigned long> icon;
    const XTestClient::Image reference =
        StartPicture(QUILLMERE_REFERENCE_PROGRAM, 1024, 800, &referenceIcon);
    const XTestClient::Image picture = StartPicture(QUILLMERE_PROGRAM, 1024, 800, &icon);
    EXPECT_EQ(ScaledDifference(reference, picture, 1), "");
    ASSERT_FALSE(referenceIcon.empty()) << "the reference program's window has no 32-pixel icon";
    EXPECT_TRUE(icon == referenceIcon) << "the window's 32-pixel icon is not the program's";
}

// A screen of 192 dots per inch: the window is twice the size and shows the
// reference picture with every pixel doubled.
TEST_F(ProgramPlatformsTest, AtTwiceTheDensityThePictureIsTheReferenceDoubled) {
    const XTestClient::Image reference = StartPicture(QUILLMERE_REFERENCE_PROGRAM, 1024, 800);
    setenv("QM_WINE_DPI", "192", 1);
    const XTestClient::Image picture = StartPicture(QUILLMERE_PROGRAM, 2048, 1600);
    unsetenv("QM_WINE_DPI");
    EXPECT_EQ(ScaledDifference(reference, picture, 2), "");
}
#endif

}  // namespace
