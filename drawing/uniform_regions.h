#pragma once

#include <vector>

#include "cell_looks.h"

// A rectangle of cells that all look the same, in cell indices.
struct tvCellRegion {
    int column;
    int row;
    int columns;
    int rows;
};

// Splits a grid of columns x rows cells (looks indexed c + r * columns) into
// regions of equal looks that cover every cell once. Greedy, row by row:
// each region grows right as far as the look holds, then down while whole
// rows of that width match. A grid of one look is one region.
void SplitIntoRegions(const std::vector<tvCellLook>& looks, int columns, int rows,
                      std::vector<tvCellRegion>& regions);

// A rectangle of pixels from a grid's top left corner, right and bottom
// edges excluded, painted opaque in a cell's band or fill colour.
struct tvPixelRect {
    int left;
    int top;
    int right;
    int bottom;
    bool band;
};

// Appends the rectangles that paint a region of cells of cellWidth x
// cellHeight pixels (both at least 2), to be painted in order, each over the
// ones before: the region's outer band, the fill inside it, then the bands
// where neighbouring cells meet, two pixels wide. Every pixel ends as band
// or fill just where the cell-by-cell drawing puts band or fill; a region of
// n x m cells takes at most n + m + 3 rectangles.
void AppendRegionRects(const tvCellRegion& region, int cellWidth, int cellHeight,
                       std::vector<tvPixelRect>& rects);
