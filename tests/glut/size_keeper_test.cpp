// What the size keeper asks for as the window system's reports come in: a
// user's resize is asked back once, and whatever the window manager answers,
// even the size the window already had, is its answer.
#include "size_keeper.h"

#include <gtest/gtest.h>

namespace {

constexpr SizeKeeper::Size kKept{1024, 800};

TEST(SizeKeeperTest, AsksBackAUsersResizeOnceAndTakesTheManagersOwnSize) {
    SizeKeeper keeper;
    EXPECT_FALSE(keeper.OnReported(kKept, kKept));
    EXPECT_TRUE(keeper.OnReported(kKept, {900, 700})) << "the user's resize";
    EXPECT_FALSE(keeper.OnReported(kKept, {1000, 700})) << "the manager's answer";
    EXPECT_FALSE(keeper.OnReported(kKept, {1000, 700})) << "the same size on a move";
    EXPECT_TRUE(keeper.OnReported(kKept, {800, 600})) << "the user's next resize";
    EXPECT_FALSE(keeper.OnReported(kKept, kKept)) << "granted";
}

TEST(SizeKeeperTest, ASilentRefusalAnswersTheRequestSoTheNextResizeIsAskedBack) {
    SizeKeeper keeper;
    keeper.OnReported(kKept, kKept);
    ASSERT_TRUE(keeper.OnReported(kKept, {900, 700}));
    EXPECT_FALSE(keeper.OnReported(kKept, {900, 700})) << "refused: the size stays";
    EXPECT_TRUE(keeper.OnReported(kKept, {800, 600})) << "the user's next resize was not undone";
}

TEST(SizeKeeperTest, ARequestMadeElsewhereWaitsForItsOwnAnswer) {
    SizeKeeper keeper;
    keeper.OnReported(kKept, kKept);
    keeper.OnRequested({1280, 900});
    EXPECT_FALSE(keeper.OnReported({1280, 900}, kKept)) << "refused: the size stays";
    EXPECT_TRUE(keeper.OnReported({1280, 900}, {800, 600}));
    keeper.OnRequested(kKept);
    EXPECT_FALSE(keeper.OnReported(kKept, kKept));
    EXPECT_TRUE(keeper.OnReported(kKept, {800, 600})) << "nothing was awaited any more";
}

}  // namespace
