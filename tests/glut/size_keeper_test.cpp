// What the size keeper asks for as the window system's reports come in: a
// user's resize is asked back once, and whatever the window manager answers,
// even the size the window already had, is its answer.
#include "size_keeper.h"

#include <gtest/gtest.h>

namespace {

constexpr SizeKeeper::Size kKept{1024, 800};

TEST(SizeKeeperTest, AsksBackAUsersResizeOnceAndTakesTheManagersOwnSize) {
    SizeKeeper keeper;
    EXPECT_FALSE(keeper.OnReported(kKept, kKept, 0.0));
    EXPECT_TRUE(keeper.OnReported(kKept, {900, 700}, 0.0)) << "the user's resize";
    EXPECT_FALSE(keeper.OnReported(kKept, {1000, 700}, 0.0)) << "the manager's answer";
    EXPECT_FALSE(keeper.OnReported(kKept, {1000, 700}, 0.0)) << "the same size on a move";
    EXPECT_TRUE(keeper.OnReported(kKept, {800, 600}, 0.0)) << "the user's next resize";
    EXPECT_FALSE(keeper.OnReported(kKept, kKept, 0.0)) << "granted";
}

TEST(SizeKeeperTest, ASilentRefusalAnswersTheRequestSoTheNextResizeIsAskedBack) {
    SizeKeeper keeper;
    keeper.OnReported(kKept, kKept, 0.0);
    ASSERT_TRUE(keeper.OnReported(kKept, {900, 700}, 0.0));
    EXPECT_FALSE(keeper.OnReported(kKept, {900, 700}, 0.0)) << "refused: the size stays";
    EXPECT_TRUE(keeper.OnReported(kKept, {800, 600}, 0.0))
        << "the user's next resize was not undone";
}

TEST(SizeKeeperTest, ARequestMadeElsewhereWaitsForItsOwnAnswer) {
    SizeKeeper keeper;
    keeper.OnReported(kKept, kKept, 0.0);
    keeper.OnRequested({1280, 900}, 0.0);
    EXPECT_FALSE(keeper.OnReported({1280, 900}, kKept, 0.0)) << "refused: the size stays";
    EXPECT_TRUE(keeper.OnReported({1280, 900}, {800, 600}, 0.0));
    keeper.OnRequested(kKept, 0.0);
    EXPECT_FALSE(keeper.OnReported(kKept, kKept, 0.0));
    EXPECT_TRUE(keeper.OnReported(kKept, {800, 600}, 0.0)) << "nothing was awaited any more";
}

// A manager that never answers has refused once the wait is over: the user's
// next resize is asked back rather than taken for the answer.
TEST(SizeKeeperTest, ARequestLeftUnansweredCountsAsRefusedAfterTheWait) {
    SizeKeeper keeper;
    keeper.OnReported(kKept, kKept, 0.0);
    ASSERT_TRUE(keeper.OnReported(kKept, {900, 700}, 1.0));
    const double late = 1.0 + SizeKeeper::kAnswerWait + 0.01;
    EXPECT_TRUE(keeper.OnReported(kKept, {800, 600}, late)) << "the next resize, unanswered";
    EXPECT_FALSE(keeper.OnReported(kKept, {800, 600}, late + 2.0)) << "still no answer: refused";
    EXPECT_FALSE(keeper.OnReported(kKept, {800, 600}, late + 2.1)) << "the same size on a move";
    EXPECT_TRUE(keeper.OnReported(kKept, {700, 500}, late + 3.0));
    EXPECT_FALSE(keeper.OnReported(kKept, {690, 490}, late + 3.0 + SizeKeeper::kAnswerWait / 2))
        << "an answer in time";
}

}  // namespace
