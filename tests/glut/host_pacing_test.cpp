// The paced update from the display and idle callbacks, the wheel, and the
// idle wait on the X connection.
#include "host_fixture.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>

#include "glut_callbacks.h"
#include "timing.h"
#include "wheel.h"

using Events = std::vector<std::string>;

namespace {

class HostPacingTest : public HostTest {
protected:
    HostPacingTest() { host.SetUpdateRate(30); }

    long Count(const std::string& event) const {
        return std::count(log.Entries().begin(), log.Entries().end(), event);
    }
    // The wheel events and ticks of the log, in order.
    Events WheelAndTicks() const {
        Events events;
        for (const std::string& e : log.Entries()) {
            if (e.find("OnWheel") != std::string::npos || e.find("OnUpdate") != std::string::npos) {
                events.push_back(e);
            }
        }
        return events;
    }
    void Notch(unsigned button) {
        x.Click(button);
        Pump();
    }
};

TEST_F(HostPacingTest, DisplayAndIdleCallbacksRaiseAnUpdateOnlyWhenOneIsDue) {
    const double start = host.LastUpdateTime();
    clock.AdvanceMilliseconds(20);
    DisplayCallback();
    EXPECT_EQ(Count("client.OnUpdate()"), 0) << "display callback 0.02 s after the last update";

    clock.AdvanceMilliseconds(30);
    DisplayCallback();
    EXPECT_EQ(Count("client.OnUpdate()"), 1) << "display callback 0.05 s after the last update";
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), start + 1.0 / 30.0);

    clock.AdvanceMilliseconds(200);
    IdleCallback();
    EXPECT_EQ(Count("client.OnUpdate()"), 2) << "idle callback 0.2 s late";
    EXPECT_DOUBLE_EQ(host.LastUpdateTime(), Application::GetTime()) << "a late schedule restarts";

    IdleCallback();
    EXPECT_EQ(Count("client.OnUpdate()"), 2) << "idle callback with no time passed";
}

TEST_F(HostPacingTest, IdleUpdatesInTheHostWindowWhateverWindowIsCurrent) {
    const int other = glutCreateWindow("other");
    int windowAtUpdate = 0;
    client.onUpdate = [&] { windowAtUpdate = glutGetWindow(); };
    clock.AdvanceMilliseconds(50);
    IdleCallback();
    glutDestroyWindow(other);
    glutSetWindow(shared.glutWindow);
    Pump();
    ASSERT_EQ(Count("client.OnUpdate()"), 1);
    EXPECT_EQ(windowAtUpdate, shared.glutWindow);
}

TEST_F(HostPacingTest, WheelNotchesArriveAsOneStepBeforeTheTickOfTheSameIdlePass) {
    MoveTo(400, 400);
    Notch(4);
    clock.AdvanceMilliseconds(50);
    IdleCallback();
    EXPECT_EQ(WheelAndTicks(), (Events{"client.OnWheel(1)", "client.OnUpdate()"})) << "wheel up";

    log.Clear();
    Notch(5);
    clock.AdvanceMilliseconds(50);
    IdleCallback();
    EXPECT_EQ(WheelAndTicks(), (Events{"client.OnWheel(-1)", "client.OnUpdate()"})) << "wheel down";

    log.Clear();
    Notch(4);
    Notch(4);
    Notch(4);
    clock.AdvanceMilliseconds(50);
    IdleCallback();
    EXPECT_EQ(WheelAndTicks(), (Events{"client.OnWheel(1)", "client.OnUpdate()"}))
        << "three notches up between two polls";

    log.Clear();
    Notch(4);
    Notch(5);
    clock.AdvanceMilliseconds(50);
    IdleCallback();
    EXPECT_EQ(WheelAndTicks(), (Events{"client.OnUpdate()"})) << "one notch up, one down";

    log.Clear();
    clock.AdvanceMilliseconds(50);
    IdleCallback();
    EXPECT_EQ(WheelAndTicks(), (Events{"client.OnUpdate()"})) << "no wheel movement";
}

TEST_F(HostPacingTest, WheelPollsReportNothingOnceReleased) {
    MoveTo(400, 400);
    ReleaseWheel();
    Notch(4);
    EXPECT_EQ(PollWheel(), 0);
    ASSERT_EQ(InitWheel(), 0);
    Notch(5);
    EXPECT_EQ(PollWheel(), -1);
    EXPECT_EQ(PollWheel(), 0) << "a second poll with nothing moved";
}

TEST_F(HostPacingTest, IdleSleepsUntilTheNextUpdateIsDue) {
    host.SetUpdateRate(2);
    const double realStart = RealSeconds();
    const double cpuStart = ThreadCpuSeconds();
    IdleCallback();
    const double waited = RealSeconds() - realStart;
    const double cpu = ThreadCpuSeconds() - cpuStart;
    EXPECT_GE(waited, 0.45) << "the idle pass returned before the update was due";
    EXPECT_LT(waited, 1.0);
    EXPECT_LT(cpu, 0.1) << "the idle pass used the CPU while waiting";
    EXPECT_EQ(Count("client.OnUpdate()"), 0);
}

TEST_F(HostPacingTest, IdleWakesAtOnceWhenInputArrives) {
    host.SetUpdateRate(1);
    x.MoveTo(shared.window, 700, 600);
    const double realStart = RealSeconds();
    IdleCallback();
    const double waited = RealSeconds() - realStart;
    EXPECT_LT(waited, 0.2) << "the idle pass slept through pending input";
    Pump();
    EXPECT_EQ(host.GetMousePos().x, 700.0f);
}

}  // namespace
