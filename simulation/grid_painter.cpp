#include "grid_painter.h"

#include "surface2d.h"

namespace {

tvGridPainter* gridPainter = nullptr;

}  // namespace

void tvGridPainter::DrawGrid(const tvSurface2d& grid) {
    DrawCells(grid, {0, 0, grid.Columns(), grid.Rows()});
}

void SetGridPainter(tvGridPainter* painter) {
    gridPainter = painter;
}

tvGridPainter* GetGridPainter() {
    return gridPainter;
}
