#include "copy_bounded.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CopyBoundedTest, CopiesWhatFitsAndCutsTheRestAlwaysEndingWithZero) {
    char buffer[8];
    std::string(sizeof buffer, '*').copy(buffer, sizeof buffer);
    EXPECT_TRUE(CopyBounded(buffer, "seven!!", 8)) << "seven characters in eight bytes";
    EXPECT_EQ(std::string(buffer), "seven!!");

    std::string(sizeof buffer, '*').copy(buffer, sizeof buffer);
    EXPECT_FALSE(CopyBounded(buffer, "eight!!!", 6)) << "eight characters in six bytes";
    EXPECT_EQ(std::string(buffer), "eight");
    EXPECT_EQ(std::string(buffer + 6, 2), "**") << "written past the six bytes";

    EXPECT_TRUE(CopyBounded(buffer, "", 1));
    EXPECT_EQ(buffer[0], '\0');
}

TEST(CopyBoundedTest, WritesNothingWithoutADestinationASourceOrRoom) {
    char buffer[4] = {'a', 'b', 'c', '\0'};
    EXPECT_FALSE(CopyBounded(nullptr, "x", 4));
    EXPECT_FALSE(CopyBounded(buffer, nullptr, 4));
    EXPECT_FALSE(CopyBounded(buffer, "x", 0));
    EXPECT_EQ(std::string(buffer), "abc");
}

}  // namespace
