// The program's scene on the real host, ticked by a driven clock: frames that
// would repeat the picture on screen are skipped, and what the window shows
// after every tick is the same as when every frame is drawn.
#include "host_fixture.h"

#include <X11/keysym.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include "applet_mode_master.h"
#include "glut_callbacks.h"
#include "main_mode.h"
#include "region_painter.h"
#include "surface.h"

namespace {

// A mode on top of the stack that counts the frames drawn; it draws nothing.
class FrameCounter final : public AppModeSlave {
public:
    void OnDraw() override { ++frames; }
    bool DescribePicture(PictureState& /*state*/) override { return true; }
    int frames = 0;
};

// The program's stack: the main mode's scene, seeded, with the region
// painter, installed as the host's client in place of the test's own until
// the scene goes.
struct Scene {
    Scene(ApplicationGLUT& host, App& testClient, bool skipFrames)
        : host(host), testClient(testClient) {
        SetGridPainter(&painter);
        host.Application::Run(static_cast<Applet*>(&stack));
        host.SetUpdateRate(30);
        host.SetPictureSource(skipFrames ? &stack : nullptr);
        stack.PushMode(&counter);
    }
    ~Scene() {
        host.SetPictureSource(nullptr);
        host.Application::Run(&testClient);
        SetGridPainter(nullptr);
    }
    // Seeded before the stack's push builds the scene from rand().
    struct Seed {
        Seed() { std::srand(7); }
    } seed;
    ApplicationGLUT& host;
    App& testClient;
    tvRegionPainter painter;
    tv1MainMode mainMode;
    AppletModeMaster stack{&host, &mainMode};
    FrameCounter counter;
};

class FrameSkipTest : public HostTest {
protected:
    // One update tick, and what the window shows after it. The clock moves
    // just past the tick's time, so that no display callback met while
    // pumping finds another tick due.
    XTestClient::Image Tick() {
        const double due = host.LastUpdateTime() + host.UpdatePeriod();
        clock.SetMilliseconds(static_cast<std::int64_t>(std::floor(due * 1000.0)) + 1);
        IdleCallback();
        XSync(shared.glutDisplay, False);
        return x.Capture(shared.window);
    }

    // A user's session: drags, an Alt-drag, keys, colour spreading, a zoom
    // and a resize, with ticks at rest in between. Returns a digest of the
    // window after every tick.
    std::vector<std::size_t> RunSession(bool skipFrames) {
        Scene scene(host, client, skipFrames);
        std::vector<std::size_t> shown;
        const auto ticks = [&](int n) {
            for (int i = 0; i < n; ++i) {
                shown.push_back(Digest(Tick()));
            }
        };
        // The X server may hand XTest input on a moment after the request,
        // so each step waits until the host has seen it, and every tick of
        // both sessions sees the same input.
        const auto moveTo = [&](int px, int py) {
            MoveTo(px, py);
            ASSERT_TRUE(PumpUntil([&] {
                const Vec2 p = host.GetMousePos();
                return p.x == static_cast<float>(px) && p.y == static_cast<float>(py);
            }));
        };
        const auto drag = [&](int x0, int y0, int x1, int y1) {
            moveTo(x0, y0);
            ticks(1);
            Press(1);
            ASSERT_TRUE(PumpUntil([&] { return host.IsMouseDown(); }));
            for (int i = 1; i <= 4; ++i) {
                moveTo(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
                ticks(1);
            }
            Release(1);
            ASSERT_TRUE(PumpUntil([&] { return !host.IsMouseDown(); }));
            ticks(1);
        };
        const auto colourUnder = [&](float wx, float wy) {
            const tvCell* cell = scene.mainMode.World().SurfaceAt(wx, wy)->ReadCellAt(wx, wy);
            float amount = 0.0f;
            for (const tvCellLayer& layer : cell->layers) {
                amount += layer.amount;
            }
            return amount;
        };
        ticks(5);
        drag(120, 50, 340, 410);  // red onto canvas A
        ticks(20);
        x.Key(XK_Alt_L, true);
        drag(270, 50, 700, 560);  // a copy of yellow onto canvas B
        x.Key(XK_Alt_L, false);
        ticks(10);
        // The canvas cell just right of the red swatch, coloured by now.
        EXPECT_GT(colourUnder(365.0f, 405.0f), 0.0f);
        x.Tap(XK_c);
        EXPECT_TRUE(PumpUntil([&] { return colourUnder(365.0f, 405.0f) == 0.0f; }));
        ticks(5);
        host.SetZoom(2.0f);
        ticks(3);
        host.SetZoom(1.0f);
        x.Resize(shared.window, 900, 700);
        EXPECT_TRUE(PumpUntil([&] {
            return x.GetGeometry(shared.window).width == 1024 && host.WindowWidth() == 1024;
        }));
        ticks(5);
        return shown;
    }

    static std::size_t Digest(const XTestClient::Image& image) {
        std::size_t h = 1469598103934665603ull;
        for (const unsigned long p : image.pixels) {
            h = (h ^ p) * 1099511628211ull;
        }
        return h;
    }
};

TEST_F(FrameSkipTest, EveryTickShowsWhatDrawingEveryFrameShows) {
    const std::vector<std::size_t> everyFrame = RunSession(false);
    const std::vector<std::size_t> skipping = RunSession(true);
    ASSERT_EQ(skipping.size(), everyFrame.size());
    for (std::size_t i = 0; i < everyFrame.size(); ++i) {
        EXPECT_EQ(skipping[i], everyFrame[i]) << "the window differs after tick " << i;
    }
}

TEST_F(FrameSkipTest, AtRestNothingIsDrawnAndAChangeIsDrawnAtTheNextTick) {
    Scene scene(host, client, true);
    Tick();
    Tick();
    const int before = scene.counter.frames;
    for (int i = 0; i < 30; ++i) {
        Tick();
    }
    EXPECT_EQ(scene.counter.frames, before) << "frames over a second at rest";

    MoveTo(120, 50);
    Press(1);
    Tick();
    MoveTo(130, 50);
    const int beforeMove = scene.counter.frames;
    Tick();
    EXPECT_GT(scene.counter.frames, beforeMove) << "a swatch moved by the pointer";
    Release(1);
}

// Another window lay over part of this one and went: the X server asks for
// the uncovered pieces, and the picture comes back before any tick, in one
// frame however many pieces were asked for.
TEST_F(FrameSkipTest, AnExposedWindowGetsItsPictureBackAtOnceInOneFrame) {
    Scene scene(host, client, true);
    Tick();
    const XTestClient::Image before = Tick();
    Display* other = x.GetDisplay();
    const GC gc = XCreateGC(other, shared.window, 0, nullptr);
    XSetForeground(other, gc, BlackPixel(other, DefaultScreen(other)));
    for (int i = 0; i < 4; ++i) {
        XFillRectangle(other, shared.window, gc, 100 + 200 * i, 100, 150, 500);
        XClearArea(other, shared.window, 100 + 200 * i, 100, 150, 500, True);
    }
    XFreeGC(other, gc);
    x.Sync();
    const int frames = scene.counter.frames;
    Pump();
    XSync(shared.glutDisplay, False);
    EXPECT_EQ(scene.counter.frames - frames, 1) << "frames for four exposed pieces";
    EXPECT_EQ(Digest(x.Capture(shared.window)), Digest(before));
}

TEST_F(FrameSkipTest, AWindowUnmappedAndMappedAgainGetsItsPictureBack) {
    Scene scene(host, client, true);
    Tick();
    const XTestClient::Image before = Tick();
    XUnmapWindow(x.GetDisplay(), shared.window);
    x.Sync();
    Pump();
    XMapWindow(x.GetDisplay(), shared.window);
    x.Sync();
    PumpUntil([&] { return x.FindWindows("Quillmere").size() == 1; });
    Pump();
    const XTestClient::Image after = Tick();
    EXPECT_EQ(Digest(after), Digest(before));
}

}  // namespace
