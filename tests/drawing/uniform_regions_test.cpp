// How a grid is cut into regions of like cells, and the rectangles that paint
// a region: painted in order into a plain pixel array, they must leave every
// pixel as the cell-by-cell drawing leaves it, band or fill.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "uniform_regions.h"

namespace {

tvCellLook Look(int n) {
    const auto byte = static_cast<std::uint8_t>(n);
    return {{byte, byte, byte}, {byte, 0, 0}};
}

std::vector<tvCellLook> RandomLooks(std::mt19937& random, int columns, int rows, int kinds) {
    std::uniform_int_distribution<int> kind(0, kinds - 1);
    std::vector<tvCellLook> looks;
    for (int i = 0; i < columns * rows; ++i) {
        looks.push_back(Look(kind(random)));
    }
    return looks;
}

// Every cell in exactly one region, and every region of one look.
::testing::AssertionResult PartitionsIntoUniformRegions(const std::vector<tvCellLook>& looks,
                                                        int columns, int rows,
                                                        const std::vector<tvCellRegion>& regions) {
    std::vector<int> owner(looks.size(), -1);
    for (std::size_t n = 0; n < regions.size(); ++n) {
        const tvCellRegion& region = regions[n];
        if (region.columns < 1 || region.rows < 1 || region.column < 0 || region.row < 0 ||
            region.column + region.columns > columns || region.row + region.rows > rows) {
            return ::testing::AssertionFailure() << "region " << n << " leaves the grid";
        }
        const tvCellLook& look = looks[region.column + region.row * columns];
        for (int r = region.row; r < region.row + region.rows; ++r) {
            for (int c = region.column; c < region.column + region.columns; ++c) {
                const std::size_t i = c + r * columns;
                if (owner[i] != -1) {
                    return ::testing::AssertionFailure()
                           << "cell (" << c << ", " << r << ") is in regions " << owner[i]
                           << " and " << n;
                }
                owner[i] = static_cast<int>(n);
                if (!(looks[i] == look)) {
                    return ::testing::AssertionFailure()
                           << "cell (" << c << ", " << r << ") in region " << n
                           << " looks unlike the region's first cell";
                }
            }
        }
    }
    for (std::size_t i = 0; i < owner.size(); ++i) {
        if (owner[i] == -1) {
            return ::testing::AssertionFailure()
                   << "cell (" << i % columns << ", " << i / columns << ") is in no region";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(SplitIntoRegions, CoversEveryCellOnceWithRegionsOfOneLook) {
    std::mt19937 random(5);
    std::vector<tvCellRegion> regions;
    for (int trial = 0; trial < 300; ++trial) {
        const int columns = std::uniform_int_distribution<int>(1, 30)(random);
        const int rows = std::uniform_int_distribution<int>(1, 30)(random);
        const int kinds = std::uniform_int_distribution<int>(1, 4)(random);
        const std::vector<tvCellLook> looks = RandomLooks(random, columns, rows, kinds);
        SplitIntoRegions(looks, columns, rows, regions);
        ASSERT_TRUE(PartitionsIntoUniformRegions(looks, columns, rows, regions))
            << "trial " << trial << ", " << columns << " x " << rows << " cells of " << kinds
            << " looks";
    }
}

TEST(SplitIntoRegions, OneLookIsOneRegionAndNoTwoNeighboursShareOneInACheckerboard) {
    std::vector<tvCellRegion> regions;
    SplitIntoRegions(std::vector<tvCellLook>(48 * 48, Look(1)), 48, 48, regions);
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].columns, 48);
    EXPECT_EQ(regions[0].rows, 48);

    std::vector<tvCellLook> checkerboard;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 7; ++c) {
            checkerboard.push_back(Look((c + r) % 2));
        }
    }
    SplitIntoRegions(checkerboard, 7, 5, regions);
    EXPECT_EQ(regions.size(), 35u);
}

// A region stops growing down at a row that differs anywhere under it, and
// the cells it leaves start regions of their own.
TEST(SplitIntoRegions, GrowsRightThenDownOverWholeRows) {
    // 0 0 0
    // 0 0 1
    // 0 0 0
    std::vector<tvCellLook> looks(9, Look(0));
    looks[5] = Look(1);
    std::vector<tvCellRegion> regions;
    SplitIntoRegions(looks, 3, 3, regions);
    ASSERT_TRUE(PartitionsIntoUniformRegions(looks, 3, 3, regions));
    ASSERT_EQ(regions.size(), 4u);
    EXPECT_EQ(regions[0].columns, 3);
    EXPECT_EQ(regions[0].rows, 1);
    EXPECT_EQ(regions[1].column, 0);
    EXPECT_EQ(regions[1].row, 1);
    EXPECT_EQ(regions[1].columns, 2);
    EXPECT_EQ(regions[1].rows, 2);
}

// What each pixel of a region ends up showing after its rectangles.
enum class Paint { None, Band, Fill };

std::vector<Paint> PaintRegion(const tvCellRegion& region, int cellWidth, int cellHeight, int width,
                               int height, std::vector<tvPixelRect>& rects) {
    rects.clear();
    AppendRegionRects(region, cellWidth, cellHeight, rects);
    std::vector<Paint> pixels(static_cast<std::size_t>(width) * height, Paint::None);
    for (const tvPixelRect& rect : rects) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                pixels[x + y * width] = rect.band ? Paint::Band : Paint::Fill;
            }
        }
    }
    return pixels;
}

TEST(AppendRegionRects, PaintsEachCellsBandAndFillAndNothingOutsideTheRegion) {
    std::mt19937 random(11);
    std::vector<tvPixelRect> rects;
    for (int trial = 0; trial < 400; ++trial) {
        const int cellWidth = std::uniform_int_distribution<int>(2, 13)(random);
        const int cellHeight = std::uniform_int_distribution<int>(2, 13)(random);
        // Large regions are painted another way than small ones.
        const int maxCells = trial % 2 ? 4 : 40;
        const tvCellRegion region{std::uniform_int_distribution<int>(0, 3)(random),
                                  std::uniform_int_distribution<int>(0, 3)(random),
                                  std::uniform_int_distribution<int>(1, maxCells)(random),
                                  std::uniform_int_distribution<int>(1, maxCells)(random)};
        const int width = (region.column + region.columns + 1) * cellWidth;
        const int height = (region.row + region.rows + 1) * cellHeight;
        const std::vector<Paint> pixels =
            PaintRegion(region, cellWidth, cellHeight, width, height, rects);
        std::ostringstream name;
        name << "trial " << trial << ": cells " << cellWidth << " x " << cellHeight << ", region "
             << region.columns << " x " << region.rows << " at (" << region.column << ", "
             << region.row << ")";
        SCOPED_TRACE(name.str());
        ASSERT_LE(rects.size(), static_cast<std::size_t>(region.columns + region.rows + 3));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int c = x / cellWidth;
                const int r = y / cellHeight;
                const bool inside = c >= region.column && c < region.column + region.columns &&
                                    r >= region.row && r < region.row + region.rows;
                const int u = x % cellWidth;
                const int v = y % cellHeight;
                const bool onBand = u == 0 || u == cellWidth - 1 || v == 0 || v == cellHeight - 1;
                const Paint expected = !inside ? Paint::None : onBand ? Paint::Band : Paint::Fill;
                ASSERT_EQ(pixels[x + y * width], expected) << "pixel (" << x << ", " << y << ")";
            }
        }
    }
}

}  // namespace
