#include "application.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "app_overlay.h"
#include "driven_clock.h"
#include "recording_client.h"
#include "test_host.h"

using Log = std::vector<std::string>;

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() : clock(10'000), host(&log), client(log) { host.Run(&client); }

    DrivenClock clock;
    EventLog log;
    TestHost host;
    RecordingClient client;
};

TEST_F(ApplicationTest, StartsWithThePressTimeOneSecondInThePast) {
    EXPECT_DOUBLE_EQ(host.GetMouseDownTime(), 9.0);
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), 10.0);
    EXPECT_FALSE(host.IsMouseDown());
}

TEST_F(ApplicationTest, PressAndReleaseAreRecordedAndPassedOn) {
    clock.SetMilliseconds(12'345);
    host.OnMouseDown(3.5f, 4.25f);
    EXPECT_TRUE(host.IsMouseDown());
    EXPECT_DOUBLE_EQ(host.GetMouseDownTime(), 12.345);
    EXPECT_EQ(host.GetMouseDownPos().x, 3.5f);
    EXPECT_EQ(host.GetMouseDownPos().y, 4.25f);
    host.OnMouseUp(6.0f, 7.0f);
    EXPECT_FALSE(host.IsMouseDown());
    EXPECT_EQ(log.Entries(), (Log{"client.OnMouseDown(3.5,4.25)", "client.OnMouseUp(6,7)"}));
}

TEST_F(ApplicationTest, SecondPressWithoutReleaseFirstReleasesAtTheNewPosition) {
    host.OnMouseDown(1.0f, 2.0f);
    clock.SetMilliseconds(11'000);
    host.OnMouseDown(5.0f, 6.0f);
    EXPECT_EQ(log.Entries(),
              (Log{"client.OnMouseDown(1,2)", "client.OnMouseUp(5,6)", "client.OnMouseDown(5,6)"}));
    EXPECT_TRUE(host.IsMouseDown());
    EXPECT_DOUBLE_EQ(host.GetMouseDownTime(), 11.0);
}

TEST_F(ApplicationTest, FirstTickReportsTheMoveFromTheOrigin) {
    host.mousePos = Vec2{30.0f, 40.0f};
    host.OnUpdate();
    EXPECT_EQ(log.Entries(), (Log{"client.OnMouseMove(30,40)", "client.OnUpdate()"}));
}

TEST_F(ApplicationTest, PointerAtTheOriginOnTheFirstTickRaisesNoMove) {
    host.OnUpdate();
    EXPECT_EQ(log.Entries(), (Log{"client.OnUpdate()"}));
}

TEST_F(ApplicationTest, MovesAreTheChangeSinceThePreviousTick) {
    host.mousePos = Vec2{30.0f, 40.0f};
    host.OnUpdate();
    log.Clear();
    host.mousePos = Vec2{31.5f, 38.0f};
    host.OnUpdate();
    EXPECT_EQ(log.Entries(), (Log{"client.OnMouseMove(1.5,-2)", "client.OnUpdate()"}));
}

TEST_F(ApplicationTest, MovingAwayAndBackWithinOneTickRaisesNothing) {
    host.mousePos = Vec2{30.0f, 40.0f};
    host.OnUpdate();
    log.Clear();
    host.mousePos = Vec2{90.0f, 90.0f};
    host.mousePos = Vec2{30.0f, 40.0f};
    host.OnUpdate();
    EXPECT_EQ(log.Entries(), (Log{"client.OnUpdate()"}));
}

TEST_F(ApplicationTest, NotANumberCountsAsAChange) {
    host.mousePos = Vec2{std::numeric_limits<float>::quiet_NaN(), 0.0f};
    host.OnUpdate();
    ASSERT_EQ(log.Entries().size(), 2u);
    EXPECT_EQ(log.Entries()[0].rfind("client.OnMouseMove(", 0), 0u) << log.Entries()[0];
}

TEST_F(ApplicationTest, OtherEventsArePassedOnUnchanged) {
    host.OnCommand(42);
    host.OnKey(1003);
    host.OnWheel(-1.0f);
    host.OnDraw();
    client.notifyAnswer = 99;
    EXPECT_EQ(host.OnNotify(3, 4), 99);
    EXPECT_EQ(log.Entries(),
              (Log{"client.OnCommand(42)", "client.OnKey(1003)", "client.OnWheel(-1)",
                   "client.OnDraw()", "client.OnNotify(3,4)"}));
}

TEST_F(ApplicationTest, RedrawDrawsTheClientBetweenBeginAndEnd) {
    host.Redraw();
    EXPECT_EQ(log.Entries(), (Log{"host.BeginFrame()", "client.OnDraw()", "host.EndFrame()"}));
}

// A host that may draw parts of a frame, and a source whose changes the test
// sets; the frames and the areas drawn are counted.
struct PartsHost : TestHost {
    using TestHost::TestHost;
    bool DrawFrameParts(const std::vector<WorldRect>& areas,
                        const std::function<void(const WorldRect&)>& drawArea) override {
        if (!drawsParts) {
            return false;
        }
        ++partFrames;
        for (const WorldRect& area : areas) {
            drawArea(area);
        }
        if (losesFrame) {
            InvalidatePicture();
        }
        return true;
    }
    bool drawsParts = true;
    bool losesFrame = false;
    int partFrames = 0;
};
struct TestPicture : PictureSource {
    void CollectChanges(PictureChanges& c) override {
        for (const WorldRect& area : changed) {
            c.Add(area);
        }
        if (all) {
            c.AddAll();
        }
    }
    void MarkShown() override {
        ++shown;
        changed.clear();
        all = false;
    }
    void DrawArea(const WorldRect& area) override { drawnLefts.push_back(area.left); }
    bool NeedsTicks() override { return ticks; }
    std::vector<WorldRect> changed;
    bool all = false;
    bool ticks = false;
    int shown = 0;
    std::vector<float> drawnLefts;
};

TEST(PartialFrames, AFrameDrawsWhatChangedWholeWhenInDoubtAndNothingWhenNothingDid) {
    EventLog log;
    PartsHost host(&log);
    RecordingClient client(log);
    TestPicture picture;
    host.Run(&client);
    struct Frames {
        int whole;
        int parts;
        bool operator==(const Frames&) const = default;
    };
    const auto framesFor = [&](const std::function<void()>& change) {
        const Frames before{host.framesEnded, host.partFrames};
        change();
        host.Redraw();
        return Frames{host.framesEnded - before.whole, host.partFrames - before.parts};
    };
    EXPECT_EQ(framesFor([] {}), (Frames{1, 0})) << "without a picture source every frame is whole";
    host.SetPictureSource(&picture);
    EXPECT_EQ(framesFor([] {}), (Frames{1, 0})) << "the first frame with a source";
    EXPECT_EQ(framesFor([] {}), (Frames{0, 0})) << "nothing changed";
    EXPECT_EQ(framesFor([&] { picture.changed = {{1, 0, 2, 2}, {5, 0, 6, 2}}; }), (Frames{0, 1}));
    EXPECT_EQ(picture.drawnLefts, (std::vector<float>{1.0f, 5.0f})) << "the areas drawn";
    EXPECT_EQ(framesFor([&] { picture.all = true; }), (Frames{1, 0}))
        << "a source that cannot tell";
    EXPECT_EQ(framesFor([&] { host.InvalidatePicture(); }), (Frames{1, 0})) << "in doubt";
    EXPECT_EQ(framesFor([&] { host.Repaint(); }), (Frames{1, 0})) << "a repaint draws, then not";
    host.drawsParts = false;
    EXPECT_EQ(framesFor([&] {
                  picture.changed = {{1, 0, 2, 2}};
              }),
              (Frames{1, 0}))
        << "a host that cannot draw parts";
    EXPECT_EQ(picture.shown, 6) << "every frame drawn marks its picture shown";
}

TEST(PartialFrames, TicksAreNeededWhileThePictureMovesOnOrThePointerMovedOrThePictureIsInDoubt) {
    DrivenClock clock(10'000);
    EventLog log;
    PartsHost host(&log);
    RecordingClient client(log);
    TestPicture picture;
    host.Run(&client);
    EXPECT_TRUE(host.NeedsTicks()) << "without a picture source";
    host.SetPictureSource(&picture);
    EXPECT_TRUE(host.NeedsTicks()) << "nothing shown yet";
    host.Redraw();
    EXPECT_FALSE(host.NeedsTicks()) << "at rest";
    picture.ticks = true;
    EXPECT_TRUE(host.NeedsTicks()) << "the picture moves on by itself";
    picture.ticks = false;
    host.mousePos = {3.0f, 4.0f};
    EXPECT_TRUE(host.NeedsTicks()) << "no tick has seen the pointer move";
    host.OnUpdate();
    EXPECT_FALSE(host.NeedsTicks()) << "the tick passed the move on";
    // What an event changes is drawn by the next tick, however soon after
    // the last one the event came.
    const std::function<void()> events[] = {
        [&] { host.OnKey('a'); }, [&] { host.OnCommand(7); }, [&] { host.OnWheel(1.0f); },
        [&] { host.OnMouseDown(1.0f, 1.0f); }, [&] { host.OnMouseUp(1.0f, 1.0f); }};
    for (const auto& event : events) {
        event();
        EXPECT_TRUE(host.NeedsTicks()) << "no tick has followed the event";
        host.OnUpdate();
        EXPECT_FALSE(host.NeedsTicks()) << "a tick followed the event";
    }
}

TEST_F(ApplicationTest, BaseDefaultsAnswerNeutrally) {
    EXPECT_EQ(static_cast<Application&>(host).GetMenu(), nullptr);
    RecordingClient plain(log);
    EXPECT_FALSE(static_cast<App&>(plain).SetWindowSize(10.0f, 10.0f));
    EXPECT_EQ(static_cast<App&>(plain).GetMenu(), nullptr);
}

// Pacing: the schedule starts at 10 s with a period of 1/30 s.
TEST_F(ApplicationTest, PacingOneUpdateThatKeepsItsPhase) {
    clock.SetMilliseconds(10'050);
    EXPECT_TRUE(host.AdvanceSchedule());
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), 10.0 + 1.0 / 30.0);
    EXPECT_FALSE(host.AdvanceSchedule()) << "at most one update per callback";
}

TEST_F(ApplicationTest, PacingRestartsFromNowWhenMoreThanTwoPeriodsLate) {
    clock.SetMilliseconds(10'200);
    EXPECT_TRUE(host.AdvanceSchedule());
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), 10.2);
}

TEST_F(ApplicationTest, PacingNoUpdateBeforeOnePeriodHasPassed) {
    clock.SetMilliseconds(10'020);
    EXPECT_FALSE(host.AdvanceSchedule());
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), 10.0);
    EXPECT_NEAR(host.SecondsUntilUpdate(), 1.0 / 30.0 - 0.020, 1e-9);
}

TEST_F(ApplicationTest, PacingNeedsStrictlyMoreThanOnePeriod) {
    host.SetUpdateRate(10);
    clock.SetMilliseconds(10'100);
    EXPECT_FALSE(host.AdvanceSchedule());
    clock.SetMilliseconds(10'101);
    EXPECT_TRUE(host.AdvanceSchedule());
}

TEST_F(ApplicationTest, SetUpdateRateRestartsTheScheduleFromTheCall) {
    clock.SetMilliseconds(10'500);
    host.SetUpdateRate(10);
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), 10.5);
    clock.SetMilliseconds(10'590);
    EXPECT_FALSE(host.AdvanceSchedule());
    clock.SetMilliseconds(10'601);
    EXPECT_TRUE(host.AdvanceSchedule());
}

// Thirty updates a second must still come after 30 days of uptime, and a
// press 0.3 s after another must still be seen as 0.3 s after it.
TEST(ApplicationUptime, ThirtyDaysKeepMillisecondResolution) {
    const std::int64_t thirtyDays = 30LL * 24 * 3600 * 1000;
    DrivenClock clock(thirtyDays);
    EventLog log;
    TestHost host;
    RecordingClient client(log);
    host.Run(&client);
    int updates = 0;
    for (int ms = 0; ms < 10'000; ++ms) {
        clock.AdvanceMilliseconds(1);
        if (host.AdvanceSchedule()) {
            ++updates;
        }
    }
    EXPECT_NEAR(updates, 300, 1);

    host.OnMouseDown(1.0f, 1.0f);
    const double first = host.GetMouseDownTime();
    clock.AdvanceMilliseconds(300);
    host.OnMouseDown(1.0f, 1.0f);
    EXPECT_NEAR(host.GetMouseDownTime() - first, 0.3, 1e-6);
}

// A scripted overlay whose calls are recorded; its window-system services
// answer as RecordingApp's do when nothing is set.
class ScriptedOverlay : public RecordingApp<AppOverlay> {
public:
    ScriptedOverlay(EventLog& log, bool& deleted)
        : RecordingApp(&log, "overlay"), log(log), deleted(deleted) {}
    ~ScriptedOverlay() override { deleted = true; }
    void Advance() override { log.Add("overlay", "Advance"); }
    void OnPress() override { log.Add("overlay", "OnPress"); }
    bool IsFinished() override { return finished; }
    void OnDraw() override { log.Add("overlay", "OnDraw"); }

    void OnCommand(int) override {}
    void OnMouseDown(float, float) override {}
    void OnMouseUp(float, float) override {}
    void OnKey(int) override {}
    void OnUpdate() override {}
    void OnMouseMove(float, float) override {}
    void OnWheel(float) override {}
    int OnNotify(int, int) override { return 0; }
    bool IsMouseDown() override { return false; }
    Vec2 GetMouseDownPos() override { return {}; }
    double GetMouseDownTime() override { return 0.0; }
    void Redraw() override {}

    bool finished = false;

private:
    EventLog& log;
    bool& deleted;
};

class OverlayTest : public ApplicationTest {
protected:
    OverlayTest() : overlay(new ScriptedOverlay(log, overlayDeleted)) {
        host.InstallOverlay(overlay);
    }
    bool overlayDeleted = false;
    ScriptedOverlay* overlay;
};

TEST_F(OverlayTest, PressesGoToTheOverlayAndReleasesToNobody) {
    host.OnMouseDown(2.0f, 3.0f);
    EXPECT_TRUE(host.IsMouseDown());
    host.OnMouseUp(2.0f, 3.0f);
    EXPECT_FALSE(host.IsMouseDown());
    EXPECT_EQ(log.Entries(), (Log{"overlay.OnPress()"}));
}

TEST_F(OverlayTest, KeysAndMovesStillReachTheClient) {
    host.mousePos = Vec2{5.0f, 0.0f};
    host.OnKey(65);
    host.OnUpdate();
    EXPECT_EQ(log.Entries(),
              (Log{"client.OnKey(65)", "client.OnMouseMove(5,0)", "overlay.Advance()",
                   "host.BeginFrame()", "overlay.OnDraw()", "host.EndFrame()"}));
}

TEST_F(OverlayTest, TheFinishingTickDrawsNothingAndTheNextUpdatesTheClient) {
    overlay->finished = true;
    host.OnUpdate();
    EXPECT_TRUE(overlayDeleted);
    EXPECT_FALSE(host.HasOverlay());
    EXPECT_TRUE(log.Entries().empty());
    host.OnUpdate();
    EXPECT_EQ(log.Entries(), (Log{"client.OnUpdate()"}));
}

TEST_F(OverlayTest, RedrawDrawsTheClientAndRepaintTheOverlay) {
    host.Redraw();
    host.Repaint();
    EXPECT_EQ(log.Entries(), (Log{"host.BeginFrame()", "client.OnDraw()", "host.EndFrame()",
                                  "host.BeginFrame()", "overlay.OnDraw()", "host.EndFrame()"}));
}

TEST(ApplicationOverlay, DestroyingTheApplicationDeletesTheOverlay) {
    EventLog log;
    bool deleted = false;
    {
        TestHost host;
        host.InstallOverlay(new ScriptedOverlay(log, deleted));
    }
    EXPECT_TRUE(deleted);
}

TEST(ApplicationRepaint, WithoutAnOverlayRepaintIsRedraw) {
    EventLog log;
    TestHost host(&log);
    RecordingClient client(log);
    host.Run(&client);
    host.Repaint();
    EXPECT_EQ(log.Entries(), (Log{"host.BeginFrame()", "client.OnDraw()", "host.EndFrame()"}));
}

}  // namespace
