#pragma once

#include <vector>

#include "cell_drawing.h"
#include "cell_looks.h"
#include "draw_kit.h"
#include "grid_painter.h"
#include "uniform_regions.h"

// Draws a grid as a few opaque rectangles instead of a quad and a ten-vertex
// strip per cell. Neighbouring cells that look the same at 8 bits a channel
// (cell_looks.h) are drawn together: the band round their region, their fill
// inside it, and the bands where they meet, each in the look's colour, with
// the outline already mixed into the band. Software renderers spend their
// time per primitive; a blank canvas of 48 x 48 cells takes 99 rectangles
// here against 2,304 quads and 2,304 strips.
//
// On any OpenGL 1.1 renderer it covers exactly the pixels the cell-by-cell
// painter covers, and each channel of each pixel lies within one step
// (1/255) of what that painter leaves: both start from the same floats, and
// differ only where the renderer rounds the cell-by-cell colours and blend
// (docs/performance.md gives the bounds for renderers that round to the
// nearest step and for llvmpipe). Where the coverage could differ the cells
// are handed to the cell-by-cell painter instead:
// - the view must put each world unit on a whole number of window pixels
//   (zoom 1, or a whole zoom or screen scale, and a whole-pixel pan), and
//   the grid's origin and cell size must be whole numbers below 2^24: then
//   every cell edge is the same float on a pixel edge either way, and each
//   pixel shows one cell's fill or band;
// - cells must be at least 2 units wide and high, room for the band;
// otherwise the whole grid is drawn cell by cell. And a cell that would not
// be filled opaque (its amounts add up to nothing or less, or its mixed
// colour is not a number) is drawn cell by cell on its own, as what lies
// beneath shows through it.
// Drags at zoom 1 move by whole pixels and clones copy their source's place,
// so the program's grids always take the fast way.
//
// Which way a cell is drawn depends only on the view, the grid's place and
// the cell itself, so a cell drawn as part of a range comes out exactly as
// it does when the whole grid is drawn.
//
// Draws its rectangles with blending off and restores it; leaves the drawing
// kit's colour and alpha as the cell-by-cell painter leaves them.
class tvRegionPainter final : public tvGridPainter {
public:
    void DrawCells(const tvSurface2d& grid, const tvCellRange& cells) override;

    // How many grids (or ranges of a grid) each way since construction.
    long RegionGrids() const { return regionGrids; }
    long CellByCellGrids() const { return cellByCellGrids; }

private:
    bool DrawRegions(const tvSurface2d& grid, const tvCellRange& cells);

    tvCellByCellPainter cellByCell;
    std::vector<tvCellLook> looks;
    std::vector<tvCellRegion> regions;
    // Regions of cells that are not filled opaque, drawn cell by cell.
    std::vector<tvCellRegion> seeThrough;
    std::vector<tvPixelRect> rects;
    tvQuadBatch batch;
    long regionGrids = 0;
    long cellByCellGrids = 0;
};
