#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "simulation_helpers.h"

namespace {

// Every cell of both buffers, current buffer first, in index order.
std::vector<tvCell> AllCells(const tvSurface2d& grid) {
    std::vector<tvCell> cells;
    for (bool current : {true, false}) {
        for (int r = 0; r < grid.Rows(); ++r) {
            for (int c = 0; c < grid.Columns(); ++c) {
                cells.push_back(current ? *grid.CurrentCell(c, r) : *grid.NextCell(c, r));
            }
        }
    }
    return cells;
}

void ExpectSameCells(const tvSurface2d& a, const tvSurface2d& b) {
    ASSERT_EQ(a.Columns(), b.Columns());
    ASSERT_EQ(a.Rows(), b.Rows());
    const std::vector<tvCell> x = AllCells(a);
    const std::vector<tvCell> y = AllCells(b);
    const std::size_t perBuffer = x.size() / 2;
    for (std::size_t i = 0; i < x.size(); ++i) {
        EXPECT_TRUE(SameCell(x[i], y[i])) << "cell " << i % perBuffer << " of the "
                                          << (i < perBuffer ? "current" : "next") << " buffer";
    }
}

TEST(GridConstruction, DrawsLayerColoursCurrentBufferFirstInIndexOrder) {
    constexpr int kColumns = 2;
    constexpr int kRows = 3;
    constexpr int kDraws = 2 * kColumns * kRows * tvCell::kLayerCount * 3;
    std::srand(1234);
    std::vector<int> draws;
    for (int i = 0; i < kDraws; ++i) {
        draws.push_back(std::rand() % 32768);
    }
    const float scale = 1.0f / 32767.0f;

    std::srand(1234);
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 5.0f, 6.0f, 7.0f, kColumns, kRows);
    const int after = std::rand();

    std::size_t d = 0;
    for (bool current : {true, false}) {
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                const tvCell& cell = current ? *grid->CurrentCell(c, r) : *grid->NextCell(c, r);
                EXPECT_FALSE(cell.locked);
                for (const tvCellLayer& layer : cell.layers) {
                    EXPECT_EQ(layer.red, static_cast<float>(draws[d++]) * scale);
                    EXPECT_EQ(layer.green, static_cast<float>(draws[d++]) * scale);
                    EXPECT_EQ(layer.blue, static_cast<float>(draws[d++]) * scale);
                    EXPECT_EQ(layer.amount, 0.0f);
                    EXPECT_FALSE(layer.source);
                }
            }
        }
    }
    std::srand(1234);
    for (int i = 0; i < kDraws; ++i) {
        std::rand();
    }
    EXPECT_EQ(after, std::rand()) << "construction drew more than three numbers per layer";
    EXPECT_EQ(grid->Columns(), kColumns);
    EXPECT_EQ(grid->Rows(), kRows);
    EXPECT_EQ(grid->OriginX(), 5.0f);
    EXPECT_EQ(grid->OriginY(), 6.0f);
    EXPECT_EQ(grid->CellWidth(), 7.0f);
    EXPECT_EQ(grid->CellHeight(), 7.0f);
}

TEST(GridGeometry, BoundsAndCellCornersFollowOriginAndCellSize) {
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, 3, 2);

    const tvBounds b = grid->GetBounds();
    EXPECT_EQ(b.left, 100.0f);
    EXPECT_EQ(b.right, 130.0f);
    EXPECT_EQ(b.top, 170.0f);
    EXPECT_EQ(b.bottom, 190.0f);
    EXPECT_EQ(grid->CellOrigin(0, 0).x, 100.0f);
    EXPECT_EQ(grid->CellOrigin(0, 0).y, 170.0f);
    EXPECT_EQ(grid->CellOrigin(3, 2).x, 130.0f) << "bottom-right corner";
    EXPECT_EQ(grid->CellOrigin(3, 2).y, 190.0f) << "bottom-right corner";
    EXPECT_EQ(grid->CellOrigin(-2, 7).x, 80.0f) << "no range check";
    EXPECT_EQ(grid->CellOrigin(-2, 7).y, 240.0f) << "no range check";
}

TEST(GridGeometry, HitTestCountsAllFourEdgesAsInside) {
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, 3, 2);

    for (auto [x, y] : {std::pair{100.0f, 170.0f},
                        {130.0f, 190.0f},
                        {100.0f, 190.0f},
                        {130.0f, 170.0f},
                        {115.0f, 180.0f}}) {
        EXPECT_TRUE(grid->HitTest(x, y)) << "(" << x << ", " << y << ")";
    }
    const float below100 = std::nextafter(100.0f, 0.0f);
    const float above190 = std::nextafter(190.0f, 1000.0f);
    for (auto [x, y] : {std::pair{below100, 180.0f}, {115.0f, above190}, {95.0f, 175.0f}}) {
        EXPECT_FALSE(grid->HitTest(x, y)) << "(" << x << ", " << y << ")";
    }
}

TEST(GridGeometry, MoveByShiftsThePlaceButNotTheCells) {
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, 3, 2);
    SetLayer(*grid, 2, 1, 0, 0.5f, kRed);

    grid->MoveBy(-40.0f, 15.5f);

    EXPECT_EQ(grid->OriginX(), 60.0f);
    EXPECT_EQ(grid->OriginY(), 185.5f);
    EXPECT_EQ(grid->ReadCellAt(85.0f, 196.0f), grid->NextCell(2, 1));
    EXPECT_EQ(CurrentAmount(*grid, 2, 1, 0), 0.5f);
    EXPECT_TRUE(grid->HitTest(60.0f, 205.5f));
    EXPECT_FALSE(grid->HitTest(100.0f, 180.0f));
}

// A 3 x 2 grid of cell size 10 at (100, 170).
class PointToCell : public ::testing::Test {
protected:
    // The next-buffer cell both lookups return, with a check that they agree.
    tvCell* CellAt(float x, float y) {
        tvCell* write = grid->WriteCellAt(x, y);
        EXPECT_EQ(grid->ReadCellAt(x, y), write) << "at (" << x << ", " << y << ")";
        return write;
    }

    tvWorld world;
    tvSurface2d* grid = new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, 3, 2);
};

TEST_F(PointToCell, LooksUpTheNextBuffer) {
    EXPECT_EQ(CellAt(100.0f, 170.0f), grid->NextCell(0, 0));
    EXPECT_EQ(CellAt(115.0f, 185.0f), grid->NextCell(1, 1));
    EXPECT_EQ(CellAt(129.9f, 189.9f), grid->NextCell(2, 1));
    EXPECT_NE(CellAt(100.0f, 170.0f), grid->CurrentCell(0, 0));
}

TEST_F(PointToCell, TruncatesTowardZeroUpToOneCellLeftOfAndAboveTheCorner) {
    EXPECT_EQ(CellAt(95.0f, 175.0f), grid->NextCell(0, 0)) << "half a cell left";
    EXPECT_FALSE(grid->HitTest(95.0f, 175.0f));
    EXPECT_EQ(CellAt(125.0f, 165.0f), grid->NextCell(2, 0)) << "half a cell above";
    EXPECT_EQ(CellAt(90.01f, 160.01f), grid->NextCell(0, 0)) << "just under a cell up and left";
    EXPECT_EQ(CellAt(90.0f, 175.0f), nullptr) << "one whole cell left";
    EXPECT_EQ(CellAt(105.0f, 160.0f), nullptr) << "one whole cell above";
}

TEST_F(PointToCell, RightAndBottomEdgesAreHitButHaveNoCell) {
    EXPECT_TRUE(grid->HitTest(130.0f, 175.0f));
    EXPECT_EQ(CellAt(130.0f, 175.0f), nullptr) << "right edge";
    EXPECT_TRUE(grid->HitTest(105.0f, 190.0f));
    EXPECT_EQ(CellAt(105.0f, 190.0f), nullptr) << "bottom edge";
    EXPECT_EQ(CellAt(100.0f, 180.0f), grid->NextCell(0, 1)) << "left edge";
    EXPECT_EQ(CellAt(120.0f, 170.0f), grid->NextCell(2, 0)) << "top edge";
}

TEST_F(PointToCell, IndexOutsideTheIntRangeOrNotFiniteGivesNoCell) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (auto [x, y] : {std::pair{nan, 175.0f},
                        {105.0f, nan},
                        {inf, 175.0f},
                        {-inf, 175.0f},
                        {105.0f, inf},
                        {1e30f, 175.0f},
                        {-1e30f, 175.0f},
                        {105.0f, -3e10f},
                        {3e10f, 3e10f},
                        {-3.5e10f, 175.0f}}) {
        EXPECT_EQ(CellAt(x, y), nullptr) << "at (" << x << ", " << y << ")";
    }
}

class UnusableCellSize : public ::testing::TestWithParam<float> {};

TEST_P(UnusableCellSize, MapsNoPointToACell) {
    const float size = GetParam();
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 100.0f, 170.0f, size, 3, 2);
    for (auto [x, y] : {std::pair{100.0f, 170.0f},
                        {95.0f, 165.0f},
                        {105.0f, 175.0f},
                        {-1e9f, 1e9f},
                        {0.0f, 0.0f}}) {
        EXPECT_EQ(grid->ReadCellAt(x, y), nullptr)
            << "cell size " << size << ", at (" << x << ", " << y << ")";
        EXPECT_EQ(grid->WriteCellAt(x, y), nullptr)
            << "cell size " << size << ", at (" << x << ", " << y << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, UnusableCellSize,
                         ::testing::Values(0.0f, -0.0f, -10.0f,
                                           std::numeric_limits<float>::infinity(),
                                           std::numeric_limits<float>::quiet_NaN(),
                                           std::numeric_limits<float>::denorm_min()));

TEST(GridBuffers, FillSetsBothBuffersAndClearWaitsForCommit) {
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 3, 2);
    tvCell value;
    value.layers[1].amount = 0.6f;
    value.layers[4].amount = 0.2f;
    value.layers[4].source = true;

    grid->Fill(value);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 2; ++r) {
            EXPECT_TRUE(SameCell(*grid->CurrentCell(c, r), value))
                << "current (" << c << ", " << r << ")";
            EXPECT_TRUE(SameCell(*grid->NextCell(c, r), value))
                << "next (" << c << ", " << r << ")";
        }
    }

    grid->Clear(false);
    EXPECT_EQ(grid->NextCell(2, 1)->layers[1].amount, 0.0f);
    EXPECT_TRUE(SameCell(*grid->CurrentCell(2, 1), value)) << "current changed before Commit";

    grid->Commit();
    EXPECT_EQ(grid->CurrentCell(2, 1)->layers[1].amount, 0.0f);
    EXPECT_EQ(grid->CurrentCell(2, 1)->layers[4].amount, 0.2f);
}

TEST(GridBuffers, ClearFalseLeavesASwatchAsItWas) {
    tvWorld world;
    tvSurface2d* swatch = NewSwatch(world, 0.0f, 0.0f, 3, kBlue);
    const tvCell before = *swatch->CurrentCell(0, 0);

    world.ClearAll(false);

    EXPECT_TRUE(SameCell(*swatch->CurrentCell(0, 0), before));
    EXPECT_TRUE(SameCell(*swatch->NextCell(0, 0), before));
}

TEST(GridBuffers, ClearFalseEmptiesACanvasAndKeepsItsColours) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 2, 2);
    SetLayer(*canvas, 1, 1, 0, 0.7f, kRed);
    SetLayer(*canvas, 0, 1, 4, 0.3f, kGreen);
    Lock(*canvas, 0, 1);

    world.ClearAll(false);

    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < 2; ++r) {
            for (int k = 0; k < tvCell::kLayerCount; ++k) {
                EXPECT_EQ(CurrentAmount(*canvas, c, r, k), 0.0f)
                    << "cell (" << c << ", " << r << ") layer " << k;
            }
        }
    }
    EXPECT_EQ(ColourOf(canvas->CurrentCell(1, 1)->layers[0]), kRed);
    EXPECT_EQ(ColourOf(canvas->CurrentCell(0, 1)->layers[4]), kGreen);
    EXPECT_TRUE(canvas->CurrentCell(0, 1)->locked);
}

TEST(GridBuffers, ClearTrueRemovesEverySourceAndAmount) {
    tvWorld world;
    tvSurface2d* swatch = NewSwatch(world, 0.0f, 0.0f, 3, kBlue);

    world.ClearAll(true);

    const tvCell& cell = *swatch->CurrentCell(0, 0);
    for (int k = 0; k < tvCell::kLayerCount; ++k) {
        EXPECT_EQ(cell.layers[k].amount, 0.0f) << "layer " << k;
        EXPECT_FALSE(cell.layers[k].source) << "layer " << k;
    }
    EXPECT_EQ(ColourOf(cell.layers[3]), kBlue);
    EXPECT_TRUE(cell.locked);
}

TEST(GridClone, LiesAtTheMovedPlaceWithTheSameCellsAndComesFirst) {
    tvWorld world;
    auto* source = new tvSurface2d(&world, 100.0f, 170.0f, 8.0f, 4, 3);
    new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 1, 1);
    SetLayer(*source, 3, 2, 1, 0.4f, kGreen, true);
    source->NextCell(1, 0)->layers[0].amount = 0.25f;
    source->MoveBy(12.5f, -20.0f);

    auto* clone = static_cast<tvSurface2d*>(source->Clone());

    EXPECT_EQ(world.FirstSurface(), clone);
    EXPECT_EQ(clone->World(), &world);
    EXPECT_EQ(clone->OriginX(), 112.5f);
    EXPECT_EQ(clone->OriginY(), 150.0f);
    EXPECT_EQ(clone->CellWidth(), 8.0f);
    EXPECT_EQ(clone->CellHeight(), 8.0f);
    ExpectSameCells(*clone, *source);

    source->NextCell(3, 2)->layers[1].amount = 0.9f;
    EXPECT_EQ(clone->NextCell(3, 2)->layers[1].amount, 0.4f) << "the clone shares a buffer";
}

class EmptyGrid : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(EmptyGrid, HasNoCellsAndIgnoresEveryBufferOperation) {
    const auto [columns, rows] = GetParam();
    tvWorld world;
    auto* grid = new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, columns, rows);

    EXPECT_EQ(grid->Columns(), 0) << columns << " x " << rows;
    EXPECT_EQ(grid->Rows(), 0) << columns << " x " << rows;
    EXPECT_EQ(grid->CurrentCell(0, 0), nullptr);
    EXPECT_EQ(grid->NextCell(0, 0), nullptr);
    EXPECT_EQ(grid->ReadCellAt(100.0f, 170.0f), nullptr);
    grid->Fill(tvCell());
    grid->Clear(true);
    grid->Commit();
    grid->Step(nullptr);
    EXPECT_TRUE(grid->HitTest(100.0f, 170.0f));
    EXPECT_FALSE(grid->HitTest(100.5f, 170.0f));
    EXPECT_FALSE(grid->HitTest(100.0f, 170.5f));
    EXPECT_EQ(world.SurfaceAt(100.0f, 170.0f), grid);

    auto* clone = static_cast<tvSurface2d*>(grid->Clone());
    EXPECT_EQ(clone->Columns(), 0);
    EXPECT_EQ(clone->CurrentCell(0, 0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Sizes, EmptyGrid,
                         ::testing::Values(std::pair{0, 0}, std::pair{-1, 4}, std::pair{4, -1},
                                           std::pair{INT_MIN, INT_MIN}, std::pair{65536, 65536},
                                           std::pair{INT_MAX, 2}, std::pair{-2, -3}));

}  // namespace
