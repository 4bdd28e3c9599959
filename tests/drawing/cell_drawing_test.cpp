// Cell drawing into a real freeglut window with Mesa, read back from the back
// buffer before any swap. The host's frame set-up (white clear, blending,
// the view at 640 by 480 where one world unit is one pixel) is the one the
// program draws with.
//
// Colours are compared against value * 255 with a tolerance below one step
// of 1/255: the framebuffer stores 8 bits per channel, and a value such as
// 0.5 lies halfway between two of them. Blended bands are allowed one full
// step, because alpha 0.35 has no exact 8-bit form and Mesa blends in 8-bit
// fixed point, rounding the product once more.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "application_glut.h"
#include "cell_drawing.h"
#include "colour.h"
#include "draw_kit.h"
#include "gl_frame.h"
#include "surface2d.h"
#include "world.h"

namespace {

constexpr Colour kWhite{1.0f, 1.0f, 1.0f};
constexpr float kGrey = 0.5f;
constexpr float kFaintAlpha = 0.35f;

// Each channel within `tolerance` steps of value * 255.
::testing::AssertionResult Shows(const GlFrame& frame, int x, int y, Colour expected,
                                 float tolerance = 0.999f) {
    const Pixel p = frame.At(x, y);
    const float want[] = {expected.red * 255.0f, expected.green * 255.0f, expected.blue * 255.0f};
    const int got[] = {p.red, p.green, p.blue};
    for (int c = 0; c < 3; ++c) {
        if (std::fabs(static_cast<float>(got[c]) - want[c]) > tolerance) {
            return ::testing::AssertionFailure()
                   << frame.Describe(x, y) << ", expected (" << want[0] << ", " << want[1] << ", "
                   << want[2] << ") / 255";
        }
    }
    return ::testing::AssertionSuccess();
}

// Grey at the given alpha over what the pixel held before, as 8-bit values.
Colour BandOver(Pixel under, float alpha) {
    auto blend = [&](int channel) {
        return kGrey * alpha + static_cast<float>(channel) / 255.0f * (1.0f - alpha);
    };
    return {blend(under.red), blend(under.green), blend(under.blue)};
}

tvCell EmptyCell() {
    tvCell cell;
    for (tvCellLayer& layer : cell.layers) {
        layer.amount = 0.0f;
    }
    return cell;
}

void SetLayer(tvCell& cell, int k, Colour colour, float amount, bool source = false) {
    cell.layers[k].red = colour.red;
    cell.layers[k].green = colour.green;
    cell.layers[k].blue = colour.blue;
    cell.layers[k].amount = amount;
    cell.layers[k].source = source;
}

// Checks the 12 x 12 pixels around a 10 x 10 cell drawn at (x, y): white
// outside, a one-pixel band along the cell's edges, the fill inside. Reports
// the first wrong pixel.
::testing::AssertionResult ShowsCell(const GlFrame& frame, int x, int y, Colour fill, bool locked) {
    const Pixel inside = frame.At(x + 4, y + 4);
    const Colour band = locked ? Colour{kGrey, kGrey, kGrey} : BandOver(inside, kFaintAlpha);
    for (int py = y - 1; py <= y + 10; ++py) {
        for (int px = x - 1; px <= x + 10; ++px) {
            const bool outside = px < x || px > x + 9 || py < y || py > y + 9;
            const bool onBand = px == x || px == x + 9 || py == y || py == y + 9;
            ::testing::AssertionResult result =
                outside  ? Shows(frame, px, py, kWhite) << " outside the cell"
                : onBand ? Shows(frame, px, py, band, 1.0f) << " on the band"
                         : Shows(frame, px, py, fill) << " in the fill";
            if (!result) {
                return result;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

ApplicationGLUT& Host() {
    static ApplicationGLUT* host = CreateApplication();
    return *host;
}

class DrawingTest : public ::testing::Test {
protected:
    DrawingTest() {
        Host().BeginFrame();
        // The kit's colour and alpha outlive every frame.
        SetDrawAlpha(1.0f);
    }
};

TEST_F(DrawingTest, FrameIsTheHostsWhiteWindowAtOneUnitPerPixel) {
    const GlFrame frame;
    ASSERT_EQ(frame.Width(), 640);
    ASSERT_EQ(frame.Height(), 480);
    EXPECT_TRUE(Shows(frame, 0, 0, kWhite));
    EXPECT_TRUE(Shows(frame, 639, 479, kWhite));
}

TEST_F(DrawingTest, CellShowsItsLayersMixedOnWhite) {
    struct Case {
        const char* name;
        tvCell cell;
        Colour shown;
    };
    std::srand(99);
    std::vector<Case> cases;
    cases.push_back({"random colours, no amount", tvCell{}, kWhite});

    tvCell red = EmptyCell();
    SetLayer(red, 2, {1.0f, 0.0f, 0.0f}, 1.0f);
    cases.push_back({"red at 1", red, {1.0f, 0.5f, 0.5f}});

    tvCell redBlue = EmptyCell();
    SetLayer(redBlue, 0, {1.0f, 0.0f, 0.0f}, 1.0f);
    SetLayer(redBlue, 4, {0.0f, 0.0f, 1.0f}, 1.0f);
    cases.push_back({"red and blue at 1", redBlue, {2.0f / 3.0f, 1.0f / 3.0f, 2.0f / 3.0f}});

    tvCell ignored = EmptyCell();
    SetLayer(ignored, 0, {0.0f, 1.0f, 0.0f}, 0.0f, true);
    SetLayer(ignored, 1, {1.0f, 0.0f, 0.0f}, 1.0f);
    SetLayer(ignored, 2, {0.0f, 0.0f, 0.0f}, 0.0f);
    SetLayer(ignored, 3, {0.0f, 0.0f, 1.0f}, 0.0f);
    cases.push_back({"colours without amount", ignored, {1.0f, 0.5f, 0.5f}});

    tvCell half = EmptyCell();
    SetLayer(half, 3, {0.0f, 0.0f, 1.0f}, 0.5f);
    cases.push_back({"blue at 0.5", half, {2.0f / 3.0f, 2.0f / 3.0f, 1.0f}});

    tvCell source = EmptyCell();
    SetLayer(source, 1, {1.0f, 1.0f, 0.0f}, 1.0f, true);
    cases.push_back({"yellow source at 1", source, {1.0f, 1.0f, 0.5f}});

    tvCell five = EmptyCell();
    const Colour colours[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}, {0, 0, 0}};
    for (int k = 0; k < 5; ++k) {
        SetLayer(five, k, colours[k], 0.25f);
    }
    cases.push_back({"five layers at 0.25", five, {1.5f / 2.25f, 1.5f / 2.25f, 1.5f / 2.25f}});

    for (bool locked : {false, true}) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            tvCell cell = cases[i].cell;
            cell.locked = locked;
            const int x = 20 + 20 * static_cast<int>(i);
            const int y = locked ? 60 : 20;
            DrawCell(cell, tvBounds{static_cast<float>(x), static_cast<float>(x + 10),
                                    static_cast<float>(y), static_cast<float>(y + 10)});
        }
    }
    const GlFrame frame;
    for (bool locked : {false, true}) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(std::string(cases[i].name) + (locked ? ", locked" : ", unlocked"));
            EXPECT_TRUE(ShowsCell(frame, 20 + 20 * static_cast<int>(i), locked ? 60 : 20,
                                  cases[i].shown, locked));
        }
    }
}

TEST_F(DrawingTest, AlphaAndColourPersistUntilChanged) {
    SetDrawColour(0.0f, 0.0f, 1.0f);
    SetDrawAlpha(0.5f);
    FillRect(tvBounds{100.0f, 110.0f, 100.0f, 110.0f});
    Colour{1.0f, 0.0f, 0.0f}.Apply();
    FillRect(tvBounds{120.0f, 130.0f, 100.0f, 110.0f});
    SetDrawAlpha(1.0f);
    FillRect(tvBounds{140.0f, 150.0f, 100.0f, 110.0f});

    const GlFrame frame;
    EXPECT_TRUE(Shows(frame, 105, 105, {0.5f, 0.5f, 1.0f}, 1.0f)) << "blue re-issued at alpha 0.5";
    EXPECT_TRUE(Shows(frame, 125, 105, {1.0f, 0.5f, 0.5f}, 1.0f)) << "red applied at alpha 0.5";
    EXPECT_TRUE(Shows(frame, 145, 105, {1.0f, 0.0f, 0.0f})) << "red re-issued at alpha 1";
}

// At alpha 0.5 a pixel covered twice would come out darker than one covered
// once, and a gap would stay white.
TEST_F(DrawingTest, FrameRectCoversItsBandExactlyOnce) {
    SetDrawAlpha(0.5f);
    SetDrawColour(0.0f, 0.0f, 0.0f);
    constexpr int kLeft = 300, kRight = 324, kTop = 100, kBottom = 116, kWidth = 3;
    FrameRect(tvBounds{kLeft, kRight, kTop, kBottom}, kWidth);
    const GlFrame frame;
    for (int y = kTop - 2; y < kBottom + 2; ++y) {
        for (int x = kLeft - 2; x < kRight + 2; ++x) {
            const bool inRect = x >= kLeft && x < kRight && y >= kTop && y < kBottom;
            const bool inHole = x >= kLeft + kWidth && x < kRight - kWidth && y >= kTop + kWidth &&
                                y < kBottom - kWidth;
            const Colour expected = inRect && !inHole ? Colour{0.5f, 0.5f, 0.5f} : kWhite;
            EXPECT_TRUE(Shows(frame, x, y, expected, 1.0f)) << (inRect && !inHole ? "band" : "");
        }
    }
}

TEST_F(DrawingTest, GridDrawsItsCurrentBufferCellByCellInWorldUnits) {
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 400.0f, 300.0f, 10.0f, 3, 2);
    const Colour colours[2][3] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                                  {{1, 1, 0}, {0, 1, 1}, {1, 0, 1}}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            tvCell cell = EmptyCell();
            SetLayer(cell, (c + r) % 5, colours[r][c], 1.0f);
            cell.locked = c == 1 && r == 1;
            *grid->CurrentCell(c, r) = cell;
            // What the next buffer holds must not show.
            SetLayer(*grid->NextCell(c, r), 0, {0.0f, 0.0f, 0.0f}, 3.0f);
        }
    }
    tvCellByCellPainter painter;
    painter.DrawGrid(*grid);
    const GlFrame frame;
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE("cell (" + std::to_string(c) + ", " + std::to_string(r) + ")");
            const Colour& colour = colours[r][c];
            const Colour shown{(1.0f + colour.red) * 0.5f, (1.0f + colour.green) * 0.5f,
                               (1.0f + colour.blue) * 0.5f};
            const int x = 400 + 10 * c;
            const int y = 300 + 10 * r;
            EXPECT_TRUE(Shows(frame, x + 4, y + 4, shown));
            const Colour band = c == 1 && r == 1 ? Colour{kGrey, kGrey, kGrey}
                                                 : BandOver(frame.At(x + 4, y + 4), kFaintAlpha);
            for (const int edge : {0, 9}) {
                EXPECT_TRUE(Shows(frame, x + edge, y + 4, band, 1.0f)) << "band";
                EXPECT_TRUE(Shows(frame, x + 4, y + edge, band, 1.0f)) << "band";
            }
        }
    }
    EXPECT_TRUE(Shows(frame, 399, 305, kWhite));
    EXPECT_TRUE(Shows(frame, 430, 305, kWhite));
    EXPECT_TRUE(Shows(frame, 405, 320, kWhite));
}

TEST_F(DrawingTest, GridWithoutColumnsOrRowsDrawsNothing) {
    tvWorld world;
    tvCellByCellPainter painter;
    painter.DrawGrid(*new tvSurface2d(&world, 10.0f, 10.0f, 10.0f, 0, 5));
    painter.DrawGrid(*new tvSurface2d(&world, 10.0f, 10.0f, 10.0f, 5, 0));
    painter.DrawGrid(*new tvSurface2d(&world, 10.0f, 10.0f, 10.0f, -3, 4));
    const GlFrame frame;
    for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            ASSERT_TRUE(Shows(frame, x, y, kWhite));
        }
    }
}

// The world draws its list newest first, so the surface created first ends
// up on top.
TEST_F(DrawingTest, SurfaceLaterInTheListDrawsOverAnEarlierOne) {
    tvCellByCellPainter painter;
    SetGridPainter(&painter);
    tvWorld world;
    auto* first = new tvSurface2d(&world, 500.0f, 400.0f, 10.0f, 2, 2);
    auto* second = new tvSurface2d(&world, 505.0f, 405.0f, 10.0f, 2, 2);
    tvCell red = EmptyCell();
    SetLayer(red, 0, {1.0f, 0.0f, 0.0f}, 1.0f);
    tvCell blue = EmptyCell();
    SetLayer(blue, 0, {0.0f, 0.0f, 1.0f}, 1.0f);
    first->Fill(red);
    second->Fill(blue);
    world.DrawAll();
    SetGridPainter(nullptr);

    const GlFrame frame;
    EXPECT_TRUE(Shows(frame, 507, 407, {1.0f, 0.5f, 0.5f})) << "where both lie, the first";
    EXPECT_TRUE(Shows(frame, 522, 422, {0.5f, 0.5f, 1.0f})) << "the second alone";
}

}  // namespace
