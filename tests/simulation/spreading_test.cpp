#include <gtest/gtest.h>

#include <vector>

#include "simulation_helpers.h"

namespace {

// Figures are the amounts to two decimals; each cell is also pinned to the
// exact 32-bit value that the double-precision subtractions produce.
constexpr double kFigureTolerance = 1e-5;

void ExpectAmount(const tvSurface2d& grid, int c, int r, int k, float exact, double figure,
                  int tick) {
    const float actual = CurrentAmount(grid, c, r, k);
    EXPECT_EQ(actual, exact) << "cell (" << c << ", " << r << ") layer " << k << " after tick "
                             << tick;
    EXPECT_NEAR(actual, figure, kFigureTolerance)
        << "cell (" << c << ", " << r << ") layer " << k << " after tick " << tick;
}

float Repeat(float (*f)(float), int times, float amount) {
    for (int i = 0; i < times; ++i) {
        amount = f(amount);
    }
    return amount;
}

constexpr Colour kOchre{0.8f, 0.6f, 0.2f};
constexpr Colour kTeal{0.1f, 0.5f, 0.5f};

TEST(SpreadingAlongARow, ColourTravelsOneCellPerTickLosingOnEachPass) {
    tvWorld world;
    auto* row = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 5, 1);
    SetLayer(*row, 0, 0, 0, 0.5f, kOchre);

    const double figures[4][5] = {{0.49, 0.47, 0, 0, 0},
                                  {0.48, 0.46, 0.44, 0, 0},
                                  {0.47, 0.45, 0.43, 0.41, 0},
                                  {0.46, 0.44, 0.42, 0.40, 0.38}};
    for (int tick = 1; tick <= 4; ++tick) {
        world.StepAll();
        for (int c = 0; c < 5; ++c) {
            // Cell c first receives 0.5 passed c times, then fades once a tick.
            const float exact = c <= tick ? Repeat(Faded, tick - c, Repeat(Passed, c, 0.5f)) : 0.0f;
            ExpectAmount(*row, c, 0, 0, exact, figures[tick - 1][c], tick);
        }
    }
    for (int c = 1; c < 5; ++c) {
        EXPECT_EQ(ColourOf(row->CurrentCell(c, 0)->layers[0]), kOchre) << "colour of cell " << c;
    }
}

TEST(SpreadingAlongARow, LastWriterInVisitingOrderWinsEvenWithTheSmallerAmount) {
    tvWorld world;
    auto* row = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 3, 1);
    SetLayer(*row, 0, 0, 0, 0.8f, kOchre);
    SetLayer(*row, 2, 0, 0, 0.5f, kTeal);

    world.StepAll();

    ExpectAmount(*row, 1, 0, 0, Passed(0.5f), 0.47, 1);
    EXPECT_EQ(ColourOf(row->CurrentCell(1, 0)->layers[0]), kTeal);
}

TEST(SpreadingAlongARow, NothingWrapsAroundTheEdges) {
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 3, 3);
    SetLayer(*grid, 0, 0, 0, 0.5f, kOchre);

    world.StepAll();

    EXPECT_EQ(CurrentAmount(*grid, 1, 0, 0), Passed(0.5f));
    EXPECT_EQ(CurrentAmount(*grid, 0, 1, 0), Passed(0.5f));
    for (auto [c, r] : {std::pair{2, 0}, {0, 2}, {2, 2}, {1, 1}, {2, 1}, {1, 2}}) {
        EXPECT_EQ(CurrentAmount(*grid, c, r, 0), 0.0f) << "cell (" << c << ", " << r << ")";
    }
}

TEST(Fading, SmallAmountFadesToZeroAndPassesNothingOn) {
    tvWorld world;
    auto* pair = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 2, 1);
    SetLayer(*pair, 0, 0, 3, 0.025f, kOchre);

    const double figures[] = {0.015, 0.005, 0.0, 0.0};
    float exact = 0.025f;
    for (int tick = 1; tick <= 4; ++tick) {
        world.StepAll();
        exact = Faded(exact);
        ExpectAmount(*pair, 0, 0, 3, exact, figures[tick - 1], tick);
        ExpectAmount(*pair, 1, 0, 3, 0.0f, 0.0, tick);
    }
}

TEST(Fading, BothSubtractionsAreDoneInDoublePrecision) {
    // For these amounts a float subtraction, or one of the float-rounded
    // constants, stores a different 32-bit value.
    tvWorld world;
    auto* pair = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 2, 2);
    SetLayer(*pair, 0, 0, 0, 0.07f, kOchre);
    SetLayer(*pair, 0, 1, 1, 0.035f, kOchre);

    world.StepAll();

    EXPECT_EQ(CurrentAmount(*pair, 0, 0, 0), 0x1.eb851ep-5f) << "0.07 faded";
    EXPECT_EQ(CurrentAmount(*pair, 1, 1, 1), 0x1.47ae16p-8f) << "0.035 passed to the right";
}

TEST(Fading, SourceLayerNeverFadesAndKeepsFeedingItsNeighbour) {
    tvWorld world;
    auto* pair = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 2, 1);
    SetLayer(*pair, 0, 0, 4, 0.5f, kOchre, true);

    for (int tick = 1; tick <= 20; ++tick) {
        world.StepAll();
        ASSERT_EQ(CurrentAmount(*pair, 0, 0, 4), 0.5f) << "source after tick " << tick;
        // The neighbour is visited later and fades what arrived before its turn.
        const float neighbour = tick == 1 ? Passed(0.5f) : Faded(Passed(0.5f));
        ASSERT_EQ(CurrentAmount(*pair, 1, 0, 4), neighbour) << "neighbour after tick " << tick;
    }
    EXPECT_TRUE(pair->CurrentCell(0, 0)->layers[4].source);
    EXPECT_FALSE(pair->CurrentCell(1, 0)->layers[4].source);
}

TEST(LockedCells, ReceiveNothingFromNeighboursWhileColourFlowsPast) {
    // Row 0: colour, locked, empty. Row 1: the way round.
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 3, 2);
    SetLayer(*grid, 0, 0, 0, 0.9f, kOchre);
    Lock(*grid, 1, 0);

    for (int tick = 1; tick <= 4; ++tick) {
        world.StepAll();
        EXPECT_EQ(CurrentAmount(*grid, 1, 0, 0), 0.0f) << "locked cell after tick " << tick;
    }
    // Four passes round the lock, fading once a tick after arriving.
    EXPECT_EQ(CurrentAmount(*grid, 2, 0, 0), Repeat(Passed, 4, 0.9f));
    EXPECT_EQ(CurrentAmount(*grid, 2, 1, 0), Faded(Repeat(Passed, 3, 0.9f)));
}

TEST(LockedCells, ReceiveNothingFromASurfaceLyingOverThem) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 2, 1);
    Lock(*canvas, 0, 0);
    NewSwatch(world, 0.0f, 0.0f, 2, kBlue);

    for (int tick = 1; tick <= 3; ++tick) {
        world.StepAll();
        EXPECT_EQ(CurrentAmount(*canvas, 0, 0, 2), 0.0f) << "after tick " << tick;
        EXPECT_EQ(CurrentAmount(*canvas, 1, 0, 2), 0.0f) << "after tick " << tick;
    }
}

// A 3 x 3 canvas of cell size 10 at (0, 0) with a 1 x 1 swatch over its
// centre whose layer 2 is a source of 1.0.
class SwatchOverCanvas : public ::testing::Test {
protected:
    void ExpectCanvas(float centre, double centreFigure, float edge, double edgeFigure,
                      float corner, double cornerFigure, int tick) {
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 3; ++r) {
                const int fromCentre = (c != 1) + (r != 1);
                if (fromCentre == 0) {
                    ExpectAmount(*canvas, c, r, 2, centre, centreFigure, tick);
                } else if (fromCentre == 1) {
                    ExpectAmount(*canvas, c, r, 2, edge, edgeFigure, tick);
                } else {
                    ExpectAmount(*canvas, c, r, 2, corner, cornerFigure, tick);
                }
            }
        }
    }

    tvWorld world;
    tvSurface2d* canvas = nullptr;
};

TEST_F(SwatchOverCanvas, SwatchFirstInListOrderLetsTheCanvasFadeWhatItWrote) {
    canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 3, 3);
    tvSurface2d* swatch = NewSwatch(world, 10.0f, 10.0f, 2, kBlue);
    ASSERT_EQ(world.FirstSurface(), swatch);

    const float once = Passed(1.0f);
    const float twice = Passed(once);
    world.StepAll();
    ExpectCanvas(once, 0.97, 0.0f, 0.0, 0.0f, 0.0, 1);
    world.StepAll();
    ExpectCanvas(Faded(once), 0.96, twice, 0.94, 0.0f, 0.0, 2);
    world.StepAll();
    ExpectCanvas(Faded(once), 0.96, Faded(twice), 0.93, Passed(twice), 0.91, 3);
    world.StepAll();
    EXPECT_EQ(CurrentAmount(*canvas, 1, 1, 2), Faded(once)) << "centre after tick 4";

    EXPECT_EQ(ColourOf(canvas->CurrentCell(0, 0)->layers[2]), kBlue);
    EXPECT_EQ(CurrentAmount(*swatch, 0, 0, 2), 1.0f);
}

TEST_F(SwatchOverCanvas, CanvasFirstInListOrderGetsTheSwatchColourAfterFading) {
    NewSwatch(world, 10.0f, 10.0f, 2, kBlue);
    canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 3, 3);
    ASSERT_EQ(world.FirstSurface(), canvas);

    const float once = Passed(1.0f);
    const float twice = Passed(once);
    world.StepAll();
    ExpectCanvas(once, 0.97, 0.0f, 0.0, 0.0f, 0.0, 1);
    world.StepAll();
    ExpectCanvas(once, 0.97, twice, 0.94, 0.0f, 0.0, 2);
    world.StepAll();
    ExpectCanvas(once, 0.97, Faded(twice), 0.93, Passed(twice), 0.91, 3);
    for (int tick = 4; tick <= 8; ++tick) {
        world.StepAll();
        EXPECT_EQ(CurrentAmount(*canvas, 1, 1, 2), once) << "centre after tick " << tick;
    }
}

// A 3 x 3 canvas at (100, 170) and a 1 x 1 swatch whose top is at y = 175.
class SwatchAtTheLeftEdge : public ::testing::TestWithParam<float> {};

TEST_P(SwatchAtTheLeftEdge, ColoursTheFirstColumnUpToOneCellOutside) {
    const float left = GetParam();
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, 3, 3);
    NewSwatch(world, left, 175.0f, 0, kRed);

    world.StepAll();

    const bool reaches = left > 90.0f;
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            const float expected = reaches && c == 0 && r == 0 ? Passed(1.0f) : 0.0f;
            EXPECT_EQ(CurrentAmount(*canvas, c, r, 0), expected)
                << "swatch left edge at x = " << left << ", cell (" << c << ", " << r << ")";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(LeftEdges, SwatchAtTheLeftEdge, ::testing::Values(95.0f, 90.01f, 90.0f));

TEST(TwoSwatches, InDifferentLayersBothColourTheCell) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 1, 1);
    NewSwatch(world, 0.0f, 0.0f, 0, kRed);
    NewSwatch(world, 0.0f, 0.0f, 3, kGreen);

    for (int tick = 1; tick <= 3; ++tick) {
        world.StepAll();
        // The canvas comes last in list order and fades what the swatches wrote.
        const float expected = tick == 1 ? Passed(1.0f) : Faded(Passed(1.0f));
        const tvCell& cell = *canvas->CurrentCell(0, 0);
        EXPECT_EQ(cell.layers[0].amount, expected) << "tick " << tick;
        EXPECT_EQ(ColourOf(cell.layers[0]), kRed) << "tick " << tick;
        EXPECT_EQ(cell.layers[3].amount, expected) << "tick " << tick;
        EXPECT_EQ(ColourOf(cell.layers[3]), kGreen) << "tick " << tick;
    }
}

TEST(TwoSwatches, InTheSameLayerOverOneCellTheFirstInListOrderWins) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 1, 1);
    NewSwatch(world, 0.0f, 0.0f, 1, kRed);
    NewSwatch(world, 0.0f, 0.0f, 1, kGreen);

    for (int tick = 1; tick <= 3; ++tick) {
        world.StepAll();
        const tvCellLayer& layer = canvas->CurrentCell(0, 0)->layers[1];
        EXPECT_EQ(layer.amount, tick == 1 ? Passed(1.0f) : Faded(Passed(1.0f))) << "tick " << tick;
        EXPECT_EQ(ColourOf(layer), kGreen) << "tick " << tick;
    }
}

TEST(TwoSwatches, InTheSameLayerMeetingBySpreadingTheLaterVisitedCellWins) {
    // Red enters cell 0 and green cell 2 of a row; in tick 2 both offer the
    // middle cell the same amount, green last because cell 2 is visited later.
    tvWorld world;
    auto* row = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 3, 1);
    NewSwatch(world, 0.0f, 0.0f, 1, kRed);
    NewSwatch(world, 20.0f, 0.0f, 1, kGreen);

    world.StepAll();
    world.StepAll();

    const tvCellLayer& middle = row->CurrentCell(1, 0)->layers[1];
    EXPECT_EQ(middle.amount, Passed(Passed(1.0f)));
    EXPECT_EQ(ColourOf(middle), kGreen);
    EXPECT_EQ(ColourOf(row->CurrentCell(0, 0)->layers[1]), kRed);
    EXPECT_EQ(ColourOf(row->CurrentCell(2, 0)->layers[1]), kGreen);
}

TEST(OverlappingCanvases, ExchangeColourThroughCellCorners) {
    // The second canvas lies half a cell right of the first: the corner of its
    // cell 0 falls into the first canvas's cell 0, and back again.
    tvWorld world;
    auto* under = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 2, 1);
    auto* over = new tvSurface2d(&world, 5.0f, 0.0f, 10.0f, 2, 1);
    SetLayer(*over, 1, 0, 0, 0.6f, kTeal);
    SetLayer(*under, 0, 0, 1, 0.6f, kOchre);

    world.StepAll();

    // over (5..15) cell 1 corner x = 15 lies in under's cell 1.
    EXPECT_EQ(CurrentAmount(*under, 1, 0, 0), Passed(0.6f));
    EXPECT_EQ(ColourOf(under->CurrentCell(1, 0)->layers[0]), kTeal);
    // under's cell 0 corner x = 0 lies half a cell left of over: its column 0.
    EXPECT_EQ(CurrentAmount(*over, 0, 0, 1), Passed(0.6f));
    EXPECT_EQ(ColourOf(over->CurrentCell(0, 0)->layers[1]), kOchre);
}

TEST(EmptyGrids, StepNothingAndAreNoTarget) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 1, 1);
    SetLayer(*canvas, 0, 0, 0, 0.5f, kOchre);
    auto* empty = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, -1, 3);

    world.StepAll();

    EXPECT_EQ(empty->CurrentCell(0, 0), nullptr);
    EXPECT_EQ(CurrentAmount(*canvas, 0, 0, 0), Faded(0.5f));
}

}  // namespace
