#include "uniform_regions.h"

#include <cstddef>

namespace {

constexpr int kOuterLinesArea = 2048;

class RegionSplitter {
public:
    RegionSplitter(const std::vector<tvCellLook>& looks, int columns, int rows)
        : looks(looks), columns(columns), rows(rows), taken(looks.size(), false) {}

    void Split(std::vector<tvCellRegion>& regions) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (!taken[Index(c, r)]) {
                    regions.push_back(Grow(c, r));
                }
            }
        }
    }

private:
    std::size_t Index(int c, int r) const {
        return static_cast<std::size_t>(c) + static_cast<std::size_t>(r) * columns;
    }

    bool Matches(int c, int r, const tvCellLook& look) const {
        return !taken[Index(c, r)] && looks[Index(c, r)] == look;
    }

    bool RowMatches(int c, int width, int r, const tvCellLook& look) const {
        for (int i = c; i < c + width; ++i) {
            if (!Matches(i, r, look)) {
                return false;
            }
        }
        return true;
    }

    tvCellRegion Grow(int c, int r) {
        const tvCellLook& look = looks[Index(c, r)];
        int width = 1;
        while (c + width < columns && Matches(c + width, r, look)) {
            ++width;
        }
        int height = 1;
        while (r + height < rows && RowMatches(c, width, r + height, look)) {
            ++height;
        }
        for (int j = r; j < r + height; ++j) {
            for (int i = c; i < c + width; ++i) {
                taken[Index(i, j)] = true;
            }
        }
        return {c, r, width, height};
    }

    const std::vector<tvCellLook>& looks;
    int columns;
    int rows;
    std::vector<bool> taken;
};

}  // namespace

void SplitIntoRegions(const std::vector<tvCellLook>& looks, int columns, int rows,
                      std::vector<tvCellRegion>& regions) {
    regions.clear();
    RegionSplitter(looks, columns, rows).Split(regions);
}

// A rectangle costs llvmpipe about as much as 500 pixels do. A large region
// gets its outer band as four lines, so the fill is not painted over a band
// that covers it all; a small one gets one rectangle under the fill. The
// fill may also cover the inner bands; the lines after it paint them back.
// Cells 2 pixels wide or high have no inside, and the lines cover all but the
// outer band.
void AppendRegionRects(const tvCellRegion& region, int cellWidth, int cellHeight,
                       std::vector<tvPixelRect>& rects) {
    const auto add = [&rects](int left, int top, int right, int bottom, bool band) {
        if (left < right && top < bottom) {
            rects.push_back({left, top, right, bottom, band});
        }
    };
    const int left = region.column * cellWidth;
    const int right = left + region.columns * cellWidth;
    const int top = region.row * cellHeight;
    const int bottom = top + region.rows * cellHeight;
    // Cells may be large enough for the area to overflow an int.
    if (static_cast<long long>(right - left) * (bottom - top) > kOuterLinesArea) {
        add(left, top, right, top + 1, true);
        add(left, bottom - 1, right, bottom, true);
        add(left, top + 1, left + 1, bottom - 1, true);
        add(right - 1, top + 1, right, bottom - 1, true);
    } else {
        add(left, top, right, bottom, true);
    }
    add(left + 1, top + 1, right - 1, bottom - 1, false);
    for (int i = 1; i < region.columns; ++i) {
        const int x = left + i * cellWidth;
        add(x - 1, top + 1, x + 1, bottom - 1, true);
    }
    for (int j = 1; j < region.rows; ++j) {
        const int y = top + j * cellHeight;
        add(left + 1, y - 1, right - 1, y + 1, true);
    }
}
