// The colours the region painter draws its rectangles with must come out as
// their byte under each way llvmpipe turns a colour into a byte, with room
// to spare; the GL tests check the ways themselves against Mesa.
#include <gtest/gtest.h>

#include <cmath>

#include "colour_byte.h"

namespace {

int Rounded(float v) {
    return static_cast<int>(std::lrint(v * 255.0f));
}
int Truncated(float v) {
    return static_cast<int>(v * 255.0f);
}
int TruncatedWide(float v) {
    return static_cast<int>(v * 255.9921875f);
}

TEST(ColourForByte, EveryWayOfConvertingGivesTheByteEvenSomeStepsAway) {
    for (int byte = 0; byte < 256; ++byte) {
        const float colour = ColourForByte(static_cast<std::uint8_t>(byte));
        EXPECT_LE(colour, 1.0f) << "byte " << byte;
        float near = colour;
        for (int step = 0; step < 64; ++step) {
            near = std::nextafter(near, 0.0f);
        }
        float far = colour;
        for (int step = 0; step < 64; ++step) {
            far = std::nextafter(far, 2.0f);
        }
        // 255 is drawn at exactly 1, which every way clamps to 255; just below
        // it would not be.
        for (float v : {byte == 255 ? colour : near, colour, far}) {
            EXPECT_EQ(Rounded(v), byte) << std::hexfloat << v;
            EXPECT_EQ(Truncated(v), byte) << std::hexfloat << v;
            EXPECT_EQ(TruncatedWide(v), byte) << std::hexfloat << v;
        }
    }
}

TEST(FillByte, RoundsToTheNearestAndClampsWhatLiesOutside) {
    EXPECT_EQ(FillByte(0.5f), 128) << "127.5, a tie, to even";
    EXPECT_EQ(FillByte(1.5f / 255.0f), 2) << "1.5, a tie, to even";
    EXPECT_EQ(FillByte(2.0f / 3.0f), 170);
    EXPECT_EQ(FillByte(-0.25f), 0);
    EXPECT_EQ(FillByte(1.25f), 255);
    EXPECT_EQ(FillByte(INFINITY), 255);
    EXPECT_EQ(FillByte(-INFINITY), 0);
}

// Grey 0.5 is 128 and alpha 0.35 is 89 before they blend; the two products
// are rounded separately.
TEST(BlendedByte, MixesRoundedBytesWithEachProductRounded) {
    EXPECT_EQ(BlendedByte(0.5f, 1.0f, 0), 128);
    EXPECT_EQ(BlendedByte(0.5f, 1.0f, 255), 128);
    EXPECT_EQ(BlendedByte(0.5f, 0.35f, 0), 45);
    EXPECT_EQ(BlendedByte(0.5f, 0.35f, 255), 211);
    // 166 / 255 = 0.65 rounds to 1, 2 * 166 / 255 = 1.30 to 1.
    EXPECT_EQ(BlendedByte(0.5f, 0.35f, 1), 46);
    EXPECT_EQ(BlendedByte(0.5f, 0.35f, 2), 46);
    EXPECT_EQ(BlendedByte(0.5f, 0.0f, 77), 77);
}

}  // namespace
