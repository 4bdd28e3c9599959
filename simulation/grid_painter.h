#pragma once

class tvSurface2d;

// A block of a grid's cells: columns [firstColumn, endColumn) and rows
// [firstRow, endRow).
struct tvCellRange {
    int firstColumn = 0;
    int firstRow = 0;
    int endColumn = 0;
    int endRow = 0;

    bool Empty() const { return firstColumn >= endColumn || firstRow >= endRow; }
};

// Draws grids. The simulation knows no GL: the program sets a painter that
// does, and tests may set one that records.
class tvGridPainter {
public:
    // Every cell of the grid.
    void DrawGrid(const tvSurface2d& grid);
    // The cells of the range, which lies within the grid; each cell's pixels
    // come out as they do when the whole grid is drawn.
    virtual void DrawCells(const tvSurface2d& grid, const tvCellRange& cells) = 0;

protected:
    ~tvGridPainter() = default;
};

// With none set, grids draw nothing. The painter is not owned.
void SetGridPainter(tvGridPainter* painter);
tvGridPainter* GetGridPainter();
