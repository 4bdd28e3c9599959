#pragma once

#include <vector>

#include "cell_drawing.h"
#include "cell_looks.h"
#include "grid_painter.h"
#include "uniform_regions.h"

// Draws a grid as a few opaque rectangles instead of a quad and a ten-vertex
// strip per cell. Neighbouring cells that look the same are drawn together:
// the band round their region, their fill inside it, and the bands where
// they meet. The band bytes, which the cell-by-cell drawing gets by
// blending the outline grey over each fill, are worked out beforehand, so
// everything is drawn opaque and overlapping lines do no harm. Software
// renderers spend their time per primitive; a blank canvas of 48 x 48 cells
// takes 99 rectangles here against 2,304 quads and 2,304 strips.
//
// The frame it draws is byte for byte the one the cell-by-cell painter
// draws on Mesa's llvmpipe, whose rounding it reproduces (colour_byte.h).
// Where that cannot be guaranteed the grid is handed to the cell-by-cell
// painter instead:
// - the view must map world units one to one onto whole window pixels (zoom
//   1 and a whole-pixel pan), and the grid's origin and cell size must be
//   whole numbers: then every cell edge lies on a pixel edge and each pixel
//   shows one cell's fill or band;
// - cells must be 2 to 32 pixels wide and high: then every 64 x 64 tile
//   that holds some of a cell's fill also holds some of its outline, so
//   llvmpipe rounds the cell-by-cell fill one known way (larger cells get
//   tiles of fill alone, which from one frame to the next may round the
//   other way);
// - every cell must be filled opaque: its amounts add up to more than nothing
//   and its mixed colour is a number;
// - the grid must lie within 8,192 pixels of the window's corner (farther
//   out llvmpipe clips rectangles, which no test covers) and within 2^24
//   world units of the origin (where whole numbers add exactly).
// Drags at zoom 1 move by whole pixels and clones copy their source's place,
// so the program's grids always take the fast way.
//
// Draws its rectangles with blending off and restores it; leaves the drawing
// kit's colour and alpha as the cell-by-cell painter leaves them.
class tvRegionPainter final : public tvGridPainter {
public:
    void DrawGrid(const tvSurface2d& grid) override;

    // How many grids each way since construction.
    long RegionGrids() const { return regionGrids; }
    long CellByCellGrids() const { return cellByCellGrids; }

private:
    bool DrawRegions(const tvSurface2d& grid);

    tvCellByCellPainter cellByCell;
    std::vector<tvCellLook> looks;
    std::vector<tvCellRegion> regions;
    std::vector<tvPixelRect> rects;
    long regionGrids = 0;
    long cellByCellGrids = 0;
};
