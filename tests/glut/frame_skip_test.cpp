// The program's scene on the real host, ticked by a driven clock: frames draw
// and present only what changed, or nothing, the host stops ticking while
// nothing can change, and yet after every period the window shows exactly
// what drawing every frame whole shows, and the world is the same bit for bit.
#include "host_fixture.h"

#include <X11/keysym.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

#include "applet_mode_master.h"
#include "glut_callbacks.h"
#include "main_mode.h"
#include "pause.h"
#include "region_painter.h"
#include "surface2d.h"

namespace {

// A mode on top of the stack that counts the frames drawn, whole or in
// parts (each marks the picture shown once), and the ticks. It draws nothing
// and needs no ticks of its own.
class FrameCounter final : public AppModeSlave {
public:
    void OnUpdate() override { ++ticks; }
    void CollectChanges(PictureChanges& /*changes*/) override {}
    void MarkShown() override { ++frames; }
    void DrawArea(const WorldRect& /*area*/) override {}
    bool NeedsTicks() override { return false; }
    int frames = 0;
    int ticks = 0;
};

// How a session draws: every frame whole as the reference; or only what
// changed, sleeping when nothing can change, in parts or (as where the GL
// cannot present parts) in whole frames.
enum class Drawing { EveryFrameWhole, Parts, WholeFrames };

// The program's stack: the main mode's scene, seeded, with the region
// painter, installed as the host's client in place of the test's own until
// the scene goes.
struct Scene {
    Scene(ApplicationGLUT& host, App& testClient, Drawing drawing)
        : host(host), testClient(testClient) {
        SetGridPainter(&painter);
        host.Application::Run(static_cast<Applet*>(&stack));
        host.SetUpdateRate(30);
        host.SetPictureSource(drawing == Drawing::EveryFrameWhole ? nullptr : &stack);
        host.SetPartialFrames(drawing == Drawing::Parts);
        stack.PushMode(&counter);
    }
    ~Scene() {
        host.SetPictureSource(nullptr);
        host.SetPartialFrames(true);
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

std::size_t Mix(std::size_t h, std::uint64_t v) {
    return (h ^ v) * 1099511628211ull;
}

// Every surface's place and every bit of its current cells, in list order.
std::size_t Digest(const tvWorld& world) {
    std::size_t h = 1469598103934665603ull;
    const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    for (const tvSurface* s = world.FirstSurface(); s; s = s->NextSurface()) {
        const auto* grid = static_cast<const tvSurface2d*>(s);
        for (const float f : {grid->OriginX(), grid->OriginY(), grid->CellWidth()}) {
            h = Mix(h, bits(f));
        }
        for (int i = 0; i < grid->Columns() * grid->Rows(); ++i) {
            const tvCell& cell = *grid->CurrentCell(i % grid->Columns(), i / grid->Columns());
            h = Mix(h, cell.locked);
            for (const tvCellLayer& l : cell.layers) {
                h = Mix(Mix(Mix(Mix(Mix(h, l.source), bits(l.red)), bits(l.green)), bits(l.blue)),
                        bits(l.amount));
            }
        }
    }
    return h;
}

class FrameSkipTest : public HostTest {
protected:
    // One period of a session: the clock moves on by a period and the host
    // ticks, unless a host that may sleep would be asleep now, waiting for
    // an event. Every period ticks when awake (34 ms is more than 1/30 s).
    // A digest of the window's picture after the period.
    std::uint64_t Slot(bool maySleep) {
        clock.AdvanceMilliseconds(34);
        if (!maySleep || host.NeedsTicks()) {
            IdleCallback();
        } else {
            ++slept;
        }
        XSync(shared.glutDisplay, False);
        return x.CaptureDigest(shared.window);
    }

    struct Session {
        std::vector<std::uint64_t> pictures;
        std::vector<std::size_t> worlds;
    };

    // A user's session: painting with drags and an Alt-drag, the colour
    // spreading and settling into its steady swing, an expose, a zoom and a
    // pan, a key that clears, a resize, the swatches taken off again and the
    // canvases left to fade until nothing changes, then a move that wakes
    // the host. The window and the world after every period.
    Session RunSession(Drawing drawing) {
        Scene scene(host, client, drawing);
        const bool maySleep = drawing != Drawing::EveryFrameWhole;
        Session session;
        const auto slots = [&](int n) {
            for (int i = 0; i < n; ++i) {
                session.pictures.push_back(Slot(maySleep));
                session.worlds.push_back(Digest(scene.mainMode.World()));
            }
        };
        // The X server may hand XTest input on a moment after the request,
        // so each step waits until the host has seen it, and every period of
        // every session sees the same input.
        const auto moveTo = [&](int px, int py) {
            MoveTo(px, py);
            ASSERT_TRUE(PumpUntil([&] {
                // At a fractional scale the nearest device pixel may lie up
                // to half a pixel from the unit.
                const Vec2 p = host.GetMousePos();
                const float near = 0.5f / host.GetScale() + 0.01f;
                return std::abs(p.x - static_cast<float>(px)) < near &&
                       std::abs(p.y - static_cast<float>(py)) < near;
            }));
        };
        const auto drag = [&](int x0, int y0, int x1, int y1) {
            moveTo(x0, y0);
            slots(1);
            Press(1);
            ASSERT_TRUE(PumpUntil([&] { return host.IsMouseDown(); }));
            for (int i = 1; i <= 4; ++i) {
                moveTo(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
                slots(1);
            }
            Release(1);
            ASSERT_TRUE(PumpUntil([&] { return !host.IsMouseDown(); }));
            slots(1);
        };
        slots(5);
        drag(120, 50, 340, 410);  // red onto canvas A
        slots(40);
        x.Key(XK_Alt_L, true);
        drag(270, 50, 700, 560);  // a copy of yellow onto canvas B
        x.Key(XK_Alt_L, false);
        slots(10);
        ExposeWindow();
        slots(3);
        host.SetZoom(2.0f);
        host.SetPan(400.0f, 420.0f);
        slots(3);
        host.SetZoom(1.0f);
        host.SetPan(512.0f, 400.0f);
        slots(2);
        x.Tap(XK_c);
        EXPECT_TRUE(PumpUntil([&] { return !CanvasAColoured(scene); }));
        slots(5);
        x.Resize(shared.window, 900, 700);
        EXPECT_TRUE(PumpUntil([&] {
            return x.GetGeometry(shared.window).width == Device(1024) &&
                   host.WindowWidth() == Device(1024);
        }));
        slots(3);
        drag(340, 410, 760, 100);  // red off canvas A
        drag(700, 560, 900, 150);  // the yellow copy off canvas B
        slots(150);
        moveTo(950, 700);
        slots(3);
        return session;
    }

    // Another client paints over part of the window and has the X server ask
    // for it again, as an overlapping window going away would.
    void ExposeWindow() {
        Display* other = x.GetDisplay();
        const GC gc = XCreateGC(other, shared.window, 0, nullptr);
        XSetForeground(other, gc, BlackPixel(other, DefaultScreen(other)));
        for (int i = 0; i < 4; ++i) {
            XFillRectangle(other, shared.window, gc, 100 + 200 * i, 100, 150, 500);
            XClearArea(other, shared.window, 100 + 200 * i, 100, 150, 500, True);
        }
        XFreeGC(other, gc);
        x.Sync();
        Pump();
    }

    static bool CanvasAColoured(Scene& scene) {
        const tvCell* cell = scene.mainMode.World().SurfaceAt(365.0f, 405.0f)->ReadCellAt(365, 405);
        float amount = 0.0f;
        for (const tvCellLayer& layer : cell->layers) {
            amount += layer.amount;
        }
        return amount > 0.0f;
    }

    int slept = 0;
};

TEST_F(FrameSkipTest, EveryPeriodShowsWhatDrawingEveryFrameWholeShows) {
    const Session reference = RunSession(Drawing::EveryFrameWhole);
    for (const Drawing drawing : {Drawing::Parts, Drawing::WholeFrames}) {
        const char* name = drawing == Drawing::Parts ? "in parts" : "in whole frames";
        slept = 0;
        const Session session = RunSession(drawing);
        ASSERT_EQ(session.pictures.size(), reference.pictures.size());
        int differing = 0;
        for (std::size_t i = 0; i < reference.pictures.size() && differing < 5; ++i) {
            EXPECT_EQ(session.worlds[i], reference.worlds[i])
                << "drawing " << name << ", the world differs after period " << i;
            EXPECT_EQ(session.pictures[i], reference.pictures[i])
                << "drawing " << name << ", the window differs after period " << i;
            differing += session.worlds[i] != reference.worlds[i] ||
                         session.pictures[i] != reference.pictures[i];
        }
        EXPECT_GT(slept, 20) << "drawing " << name << ", periods asleep";
    }
}

TEST_F(FrameSkipTest, AtRestNothingIsDrawnAndAChangeIsDrawnAtTheNextTick) {
    Scene scene(host, client, Drawing::Parts);
    Slot(false);
    Slot(false);
    const int before = scene.counter.frames;
    for (int i = 0; i < 30; ++i) {
        Slot(false);
    }
    EXPECT_EQ(scene.counter.frames, before) << "frames over a second at rest";

    MoveTo(120, 50);
    Press(1);
    Slot(false);
    MoveTo(130, 50);
    const int beforeMove = scene.counter.frames;
    Slot(false);
    EXPECT_GT(scene.counter.frames, beforeMove) << "a swatch moved by the pointer";
    Release(1);
}

// Once the world has settled the host sleeps in the X connection's wait for
// as long as no event comes, however much time passes; the event restarts
// the schedule at once. A held drag keeps ticking though the pointer rests.
TEST_F(FrameSkipTest, TheHostSleepsOnceSettledUntilAnEventAndAHeldDragKeepsTicking) {
    Scene scene(host, client, Drawing::Parts);
    for (int i = 0; i < 5 && host.NeedsTicks(); ++i) {
        Slot(true);
    }
    ASSERT_FALSE(host.NeedsTicks()) << "the blank scene did not settle";

    const int ticks = scene.counter.ticks;
    const Window window = shared.window;
    std::thread user([window] {
        // The user acts only after a time in which nothing else happens.
        Pause(300);
        XTestClient other;
        other.MoveTo(window, 700, 600);
        other.Sync();
    });
    const auto start = std::chrono::steady_clock::now();
    IdleCallback();
    const auto slept = std::chrono::steady_clock::now() - start;
    user.join();
    EXPECT_GE(slept, std::chrono::milliseconds(250)) << "the idle pass did not wait for the event";
    EXPECT_EQ(scene.counter.ticks, ticks) << "ticks while asleep";

    clock.AdvanceMilliseconds(5'000);
    Pump();
    IdleCallback();
    EXPECT_EQ(scene.counter.ticks, ticks + 1) << "the event's tick";
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), Application::GetTime()) << "the schedule restarts";

    MoveTo(120, 50);
    Press(1);
    Slot(true);
    const int held = scene.counter.ticks;
    for (int i = 0; i < 30; ++i) {
        Slot(true);
    }
    EXPECT_EQ(scene.counter.ticks, held + 30) << "ticks while the button is held";
    Release(1);
}

// Another window lay over part of this one and went: the X server asks for
// the uncovered pieces, and the picture comes back before any tick, in one
// frame however many pieces were asked for.
TEST_F(FrameSkipTest, AnExposedWindowGetsItsPictureBackAtOnceInOneFrame) {
    Scene scene(host, client, Drawing::Parts);
    Slot(false);
    const std::uint64_t before = Slot(false);
    const int frames = scene.counter.frames;
    ExposeWindow();
    XSync(shared.glutDisplay, False);
    EXPECT_EQ(scene.counter.frames - frames, 1) << "frames for four exposed pieces";
    EXPECT_EQ(x.CaptureDigest(shared.window), before);
}

TEST_F(FrameSkipTest, AWindowUnmappedAndMappedAgainGetsItsPictureBack) {
    Scene scene(host, client, Drawing::Parts);
    Slot(false);
    const std::uint64_t before = Slot(false);
    XUnmapWindow(x.GetDisplay(), shared.window);
    x.Sync();
    Pump();
    XMapWindow(x.GetDisplay(), shared.window);
    x.Sync();
    PumpUntil([&] { return x.FindWindows("Quillmere").size() == 1; });
    Pump();
    EXPECT_EQ(Slot(false), before);
}

}  // namespace
