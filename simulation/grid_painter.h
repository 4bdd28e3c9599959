#pragma once

class tvSurface2d;

// Draws grids. The simulation knows no GL: the program sets a painter that
// does, and tests may set one that records.
class tvGridPainter {
public:
    virtual void DrawGrid(const tvSurface2d& grid) = 0;

protected:
    ~tvGridPainter() = default;
};

// With none set, grids draw nothing. The painter is not owned.
void SetGridPainter(tvGridPainter* painter);
tvGridPainter* GetGridPainter();
