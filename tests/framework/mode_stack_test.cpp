#include <gtest/gtest.h>

#include "applet_mode_master.h"
#include "driven_clock.h"
#include "recording_mode.h"
#include "test_host.h"

using Log = std::vector<std::string>;

namespace {

// A master that records its stack-changed hook.
class RecordingMaster : public AppletModeMaster {
public:
    RecordingMaster(App* application, AppModeSlave* first, EventLog& log)
        : AppletModeMaster(application, first), log(&log) {}
    void OnStackChanged() override {
        if (log) {
            log->Add("master", "OnStackChanged", ModeCount());
        }
    }

private:
    EventLog* log;
};

class ModeStackTest : public ::testing::Test {
protected:
    ModeStackTest()
        : host(&log), bottom(log, "bottom"), top(log, "top"), stack(&host, &bottom, log) {
        host.Run(static_cast<Applet*>(&stack));
        log.Clear();
    }

    DrivenClock clock;
    EventLog log;
    TestHost host;
    RecordingMode bottom;
    RecordingMode top;
    RecordingMaster stack;
};

TEST(ModeStackConstruction, RegistersBeforePushingSoOnPushCanAskForServices) {
    EventLog log;
    TestHost host(&log);

    class SizingMode : public PlainMode {
    public:
        void OnPush() override { answered = SetWindowSize(1024.0f, 800.0f); }
        bool answered = false;
    } first;

    AppletModeMaster stack(&host, &first);
    EXPECT_EQ(AppModeMaster::GetCurrent(), static_cast<AppModeMaster*>(&stack));
    EXPECT_TRUE(first.answered);
    EXPECT_EQ(log.Entries(), (Log{"host.SetWindowSize(1024,800)"}));
    EXPECT_EQ(stack.ModeCount(), 1);
}

TEST_F(ModeStackTest, PushNotifiesInOrder) {
    top.Push();
    EXPECT_EQ(log.Entries(), (Log{"bottom.SetActive(0)", "master.OnStackChanged(2)", "top.OnPush()",
                                  "top.SetActive(1)"}));
    EXPECT_EQ(stack.GetClient(), static_cast<App*>(&top));
}

TEST_F(ModeStackTest, PopNotifiesInOrder) {
    top.Push();
    log.Clear();
    top.Pop();
    EXPECT_EQ(log.Entries(), (Log{"bottom.SetActive(1)", "master.OnStackChanged(1)",
                                  "top.SetActive(0)", "top.OnPop()"}));
    EXPECT_EQ(stack.ModeCount(), 1);
}

TEST_F(ModeStackTest, EventsGoToTheTopAndUnhandledOnesFallThrough) {
    top.Push();
    log.Clear();
    host.OnKey(65);
    host.OnCommand(9);
    host.OnMouseDown(1.0f, 2.0f);
    EXPECT_EQ(log.Entries(),
              (Log{"top.OnKey(65)", "bottom.OnKey(65)", "top.OnCommand(9)", "bottom.OnCommand(9)",
                   "top.OnMouseDown(1,2)", "bottom.OnMouseDown(1,2)"}));
}

TEST_F(ModeStackTest, TheBottomModePassesNothingOn) {
    host.OnKey(65);
    host.mousePos = Vec2{4.0f, 0.0f};
    host.OnUpdate();
    EXPECT_EQ(log.Entries(),
              (Log{"bottom.OnKey(65)", "bottom.OnMouseMove(4,0)", "bottom.OnUpdate()",
                   "host.BeginFrame()", "bottom.OnDraw()", "host.EndFrame()"}));
}

TEST_F(ModeStackTest, TheClientIsLookedUpAfreshForEveryEvent) {
    host.OnKey(1);
    top.Push();
    host.OnKey(2);
    top.Pop();
    host.OnKey(3);
    EXPECT_EQ(
        log.Entries(),
        (Log{"bottom.OnKey(1)", "bottom.SetActive(0)", "master.OnStackChanged(2)", "top.OnPush()",
             "top.SetActive(1)", "top.OnKey(2)", "bottom.OnKey(2)", "bottom.SetActive(1)",
             "master.OnStackChanged(1)", "top.SetActive(0)", "top.OnPop()", "bottom.OnKey(3)"}));
}

TEST_F(ModeStackTest, WheelIsIgnoredByAModeThatDoesNotHandleIt) {
    class WheelMode : public PlainMode {
    public:
        void OnWheel(float steps) override { seen += steps; }
        float seen = 0.0f;
    } wheelBottom;
    PlainMode plainTop;
    AppletModeMaster wheelStack(&host, &wheelBottom);
    host.Run(static_cast<Applet*>(&wheelStack));
    host.OnWheel(1.0f);
    EXPECT_EQ(wheelBottom.seen, 1.0f);
    plainTop.Push();
    host.OnWheel(1.0f);
    EXPECT_EQ(wheelBottom.seen, 1.0f) << "the top mode must not pass the wheel beneath";
}

TEST_F(ModeStackTest, NotifyAnswersOneThroughStackAndApplication) {
    top.Push();
    EXPECT_EQ(host.OnNotify(5, 6), 1);
    PlainMode plain;
    EXPECT_EQ(plain.OnNotify(0, 0), 1);
}

TEST_F(ModeStackTest, UpdatePassGoesBottomFirstThenOneRedraw) {
    top.Push();
    log.Clear();
    stack.OnUpdate();
    EXPECT_EQ(log.Entries(), (Log{"bottom.OnUpdate()", "top.OnUpdate()", "host.BeginFrame()",
                                  "bottom.OnDraw()", "top.OnDraw()", "host.EndFrame()"}));
}

TEST_F(ModeStackTest, AModePushedDuringTheUpdatePassIsUpdatedInIt) {
    bottom.onUpdate = [this] {
        top.Push();
        bottom.onUpdate = nullptr;
    };
    stack.AppModeMaster::OnUpdate();
    EXPECT_EQ(log.Entries(),
              (Log{"bottom.OnUpdate()", "bottom.SetActive(0)", "master.OnStackChanged(2)",
                   "top.OnPush()", "top.SetActive(1)", "top.OnUpdate()"}));
}

TEST_F(ModeStackTest, APopDuringTheUpdatePassEndsItEarly) {
    RecordingMode third(log, "third");
    top.Push();
    third.Push();
    top.onUpdate = [&] { third.Pop(); };
    log.Clear();
    stack.AppModeMaster::OnUpdate();
    EXPECT_EQ(log.Entries().back(), "third.OnPop()");
    EXPECT_EQ(std::count(log.Entries().begin(), log.Entries().end(), "third.OnUpdate()"), 0);
}

TEST_F(ModeStackTest, ServicesClimbFromAModeToTheApplicationUnchanged) {
    top.Push();
    host.viewRect = ViewRect{-1.5f, 2.25f, 3.125f, -4.0f};
    host.mousePos = Vec2{0.1f, -7.3f};
    host.altDown = true;
    host.OnMouseDown(11.5f, 12.75f);

    const ViewRect r = top.GetViewRect();
    EXPECT_EQ(r.xMin, -1.5f);
    EXPECT_EQ(r.xMax, 2.25f);
    EXPECT_EQ(r.yMin, 3.125f);
    EXPECT_EQ(r.yMax, -4.0f);
    EXPECT_EQ(top.GetMousePos().x, 0.1f);
    EXPECT_EQ(top.GetMousePos().y, -7.3f);
    EXPECT_EQ(top.GetMouseDownPos().x, 11.5f);
    EXPECT_EQ(top.GetMouseDownPos().y, 12.75f);
    EXPECT_EQ(top.GetMouseDownTime(), host.GetMouseDownTime());
    EXPECT_TRUE(top.IsMouseDown());
    EXPECT_TRUE(top.IsAltDown());
    EXPECT_FALSE(top.IsShiftDown());
    EXPECT_TRUE(top.SetWindowSize(300.0f, 200.0f));
    top.SetCursor(2);
    EXPECT_EQ(host.cursor, 2);
    EXPECT_EQ(top.GetMenu(), nullptr);
}

TEST_F(ModeStackTest, BothAppBasesOfTheStackAnswerAlike) {
    App& asApplet = static_cast<Applet&>(stack);
    App& asMaster = static_cast<AppModeMaster&>(stack);
    host.mousePos = Vec2{8.0f, 9.0f};
    EXPECT_EQ(asApplet.GetMousePos().x, 8.0f);
    EXPECT_EQ(asMaster.GetMousePos().x, 8.0f);
    EXPECT_TRUE(asMaster.SetWindowSize(1.0f, 1.0f));
    asMaster.OnKey(7);
    asApplet.OnKey(8);
    EXPECT_EQ(asMaster.OnNotify(1, 1), 1);
    EXPECT_EQ(log.Entries(),
              (Log{"host.SetWindowSize(1,1)", "bottom.OnKey(7)", "bottom.OnKey(8)"}));
}

TEST(ModeStackDestruction, TellsOnlyTheBottomModeOnPop) {
    EventLog log;
    TestHost host;
    RecordingMode bottom(log, "bottom");
    RecordingMode top(log, "top");
    {
        AppletModeMaster stack(&host, &bottom);
        top.Push();
        log.Clear();
    }
    EXPECT_EQ(log.Entries(), (Log{"bottom.OnPop()"}));
}

TEST_F(ModeStackTest, APushOntoAFullStackIsRefused) {
    std::vector<std::unique_ptr<PlainMode>> modes;
    while (stack.ModeCount() < AppModeMaster::kMaxModes) {
        modes.push_back(std::make_unique<PlainMode>());
        modes.back()->Push();
    }
    App* topBefore = stack.GetClient();
    PlainMode extra;
    extra.Push();
    EXPECT_EQ(stack.ModeCount(), AppModeMaster::kMaxModes);
    EXPECT_EQ(stack.GetClient(), topBefore);
}

TEST_F(ModeStackTest, PoppingTheLastModeIsRefused) {
    log.Clear();
    bottom.Pop();
    EXPECT_EQ(stack.ModeCount(), 1);
    EXPECT_TRUE(log.Entries().empty());
    host.OnKey(3);
    EXPECT_EQ(log.Entries(), (Log{"bottom.OnKey(3)"}));
}

}  // namespace
