#include "region_painter.h"

#include <GL/gl.h>

#include <cmath>
#include <cstddef>
#include <optional>

#include "draw_kit.h"
#include "pixel_view.h"
#include "surface2d.h"

namespace {

// A cell one pixel wide or high has no room for its band: the outline strip
// folds over itself, and the renderer decides what that pixel shows.
constexpr float kSmallestCell = 2.0f;
// Whole numbers below 2^24 add exactly in single precision, so every edge is
// the float the cell-by-cell painter computes for it, however it is summed.
constexpr double kExactRange = 16777216.0;

bool WholeNumber(float value) {
    return std::isfinite(value) && std::floor(value) == value;
}

bool CellSizeFits(float size) {
    return WholeNumber(size) && size >= kSmallestCell;
}

bool OnWholePixels(const tvSurface2d& grid) {
    const float width = grid.CellWidth();
    const float height = grid.CellHeight();
    const float x = grid.OriginX();
    const float y = grid.OriginY();
    if (grid.Columns() < 1 || grid.Rows() < 1 || !CellSizeFits(width) || !CellSizeFits(height) ||
        !WholeNumber(x) || !WholeNumber(y)) {
        return false;
    }
    const double wide = grid.Columns() * static_cast<double>(width);
    const double high = grid.Rows() * static_cast<double>(height);
    if (std::fabs(x) + wide >= kExactRange || std::fabs(y) + high >= kExactRange) {
        return false;
    }
    return CurrentPixelView().has_value();
}

}  // namespace

void tvRegionPainter::DrawCells(const tvSurface2d& grid, const tvCellRange& cells) {
    if (cells.Empty()) {
        return;
    }
    if (DrawRegions(grid, cells)) {
        ++regionGrids;
        return;
    }
    ++cellByCellGrids;
    cellByCell.DrawCells(grid, cells);
}

bool tvRegionPainter::DrawRegions(const tvSurface2d& grid, const tvCellRange& cells) {
    if (!OnWholePixels(grid)) {
        return false;
    }
    CellLooks(grid, cells, looks);
    const int columns = cells.endColumn - cells.firstColumn;
    const int cellWidth = static_cast<int>(grid.CellWidth());
    const int cellHeight = static_cast<int>(grid.CellHeight());
    // The regions' pixels count from the range's top left cell.
    const float x = grid.OriginX() + static_cast<float>(cells.firstColumn * cellWidth);
    const float y = grid.OriginY() + static_cast<float>(cells.firstRow * cellHeight);
    SplitIntoRegions(looks, columns, cells.endRow - cells.firstRow, regions);

    batch.Clear();
    for (const tvCellRegion& region : regions) {
        const tvCellLook& look =
            looks[static_cast<std::size_t>(region.column) +
                  static_cast<std::size_t>(region.row) * static_cast<std::size_t>(columns)];
        if (!look.opaque) {
            seeThrough.push_back(region);
            continue;
        }
        rects.clear();
        AppendRegionRects(region, cellWidth, cellHeight, rects);
        for (const tvPixelRect& rect : rects) {
            batch.Add(
                tvBounds{x + static_cast<float>(rect.left), x + static_cast<float>(rect.right),
                         y + static_cast<float>(rect.top), y + static_cast<float>(rect.bottom)},
                rect.band ? look.band : look.fill);
        }
    }
    // Everything here is opaque, the outline already mixed into the band
    // colour, so blending would change nothing and only cost the renderer a
    // read of every pixel it writes. One call for the range: a software
    // renderer spends its time per call and per vertex call more than per
    // pixel.
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_BLEND);
    batch.Draw();
    if (blending) {
        glEnable(GL_BLEND);
    }
    for (const tvCellRegion& region : seeThrough) {
        cellByCell.DrawCells(grid, {cells.firstColumn + region.column, cells.firstRow + region.row,
                                    cells.firstColumn + region.column + region.columns,
                                    cells.firstRow + region.row + region.rows});
    }
    seeThrough.clear();

    const tvCell* last = grid.CurrentCell(cells.endColumn - 1, cells.endRow - 1);
    SetDrawAlpha(OutlineAlpha(last->locked));
    OutlineColour().Apply();
    return true;
}
