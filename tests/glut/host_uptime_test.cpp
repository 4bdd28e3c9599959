// The host after 30 days of uptime, when a time kept in single precision
// would have a resolution of minutes: the paced callbacks still raise thirty
// updates a second, and presses still pair into double clicks by the
// millisecond.
#include <vector>

#include "glut_callbacks.h"
#include "host_fixture.h"

namespace {

constexpr std::int64_t kThirtyDays = 30LL * 24 * 3600 * 1000;

class HostUptimeTest : public HostTest {
protected:
    HostUptimeTest() { clock.SetMilliseconds(kThirtyDays); }

    // Later tests run their clocks from far earlier: their first press must
    // not pair with the last press made here, which lies in their future.
    ~HostUptimeTest() override { ClickAt(3, 797, clock.Milliseconds()); }

    void ClickAt(int px, int py, std::int64_t ms) {
        clock.SetMilliseconds(ms);
        MoveTo(px, py);
        Press(1);
        pressTimes.push_back(host.GetMouseDownTime());
        downAtPress.push_back(host.IsMouseDown());
        Release(1);
    }

    std::vector<double> pressTimes;
    std::vector<bool> downAtPress;
};

TEST_F(HostUptimeTest, PacedCallbacksRaiseThirtyUpdatesASecond) {
    host.SetUpdateRate(30);
    std::vector<std::int64_t> updateTimes;
    client.onUpdate = [&] { updateTimes.push_back(clock.Milliseconds()); };
    // One callback per millisecond, display and idle in turn; an idle pass
    // that is not due would sleep on the X connection, so it runs only when
    // an update is due.
    for (int ms = 1; ms <= 3'000; ++ms) {
        clock.AdvanceMilliseconds(1);
        if (ms % 2 == 1 && host.SecondsUntilUpdate() == 0.0) {
            IdleCallback();
        } else {
            DisplayCallback();
        }
    }
    ASSERT_GE(updateTimes.size(), 89u);
    EXPECT_LE(updateTimes.size(), 90u);
    for (std::size_t i = 1; i < updateTimes.size(); ++i) {
        const std::int64_t gap = updateTimes[i] - updateTimes[i - 1];
        EXPECT_TRUE(gap == 33 || gap == 34)
            << "update " << i << " came " << gap << " ms after the one before";
    }
}

TEST_F(HostUptimeTest, PressesAreTimedToTheMillisecondAndPairIntoDoubleClicks) {
    const std::int64_t t0 = kThirtyDays + 1'000;
    ClickAt(400, 300, t0);
    EXPECT_FALSE(host.IsDoubleClick()) << "first press";
    ClickAt(400, 300, t0 + 300);
    EXPECT_TRUE(host.IsDoubleClick()) << "second press, 0.3 s later";
    ClickAt(400, 300, t0 + 600);
    EXPECT_FALSE(host.IsDoubleClick()) << "third press, 0.3 s after the double click";

    ClickAt(200, 200, t0 + 5'000);
    ClickAt(200, 200, t0 + 5'499);
    EXPECT_TRUE(host.IsDoubleClick()) << "second press 0.499 s later";
    ClickAt(200, 250, t0 + 10'000);
    ClickAt(200, 250, t0 + 10'500);
    EXPECT_FALSE(host.IsDoubleClick()) << "second press 0.5 s later";

    const std::int64_t pressedAt[] = {t0,         t0 + 300,    t0 + 600,   t0 + 5'000,
                                      t0 + 5'499, t0 + 10'000, t0 + 10'500};
    ASSERT_EQ(pressTimes.size(), std::size(pressedAt));
    for (std::size_t i = 0; i < pressTimes.size(); ++i) {
        EXPECT_DOUBLE_EQ(pressTimes[i], static_cast<double>(pressedAt[i]) * 0.001) << "press " << i;
        EXPECT_TRUE(downAtPress[i]) << "press " << i;
    }
    EXPECT_FALSE(host.IsMouseDown());
    EXPECT_EQ(host.GetMouseDownPos().x, 200.0f);
    EXPECT_EQ(host.GetMouseDownPos().y, 250.0f);
}

}  // namespace
