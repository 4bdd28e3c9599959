// The wheel reader when it could not be set up: GLUT not initialised, as in a
// host whose window system failed. freeglut ends the process when its window
// functions are called before glutInit, so this also guards against that.
#include "wheel.h"

#include <gtest/gtest.h>

namespace {

TEST(WheelWithoutGlutTest, SetUpFailsAndPollingReportsNothing) {
    EXPECT_EQ(PollWheel(), 0) << "poll before set-up";
    EXPECT_LT(InitWheel(), 0) << "set-up without GLUT";
    EXPECT_EQ(PollWheel(), 0) << "poll after a failed set-up";
    ReleaseWheel();
    EXPECT_EQ(PollWheel(), 0) << "poll after releasing";
}

}  // namespace
