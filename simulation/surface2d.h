#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "cell.h"
#include "grid_painter.h"
#include "surface.h"

class tvSpreadTargets;

// A grid of columns x rows equal cells laid out from a movable top-left corner.
// The current buffer is drawn and read by the spreading step; the step, Fill
// and Clear write the next buffer, and Commit copies it over the current one.
// Cell (c, r) is element c + r * columns of a buffer.
class tvSurface2d : public tvSurface {
public:
    // Links the grid in at the head of the world's list. Every cell of both
    // buffers is a new tvCell, current buffer first. A negative size, or one
    // whose cell count does not fit an int, gives a 0 x 0 grid with no buffers.
    tvSurface2d(tvWorld* world, float originX, float originY, float cellSize, int columns,
                int rows);
    // A copy lying exactly over the source, with the same cells in both
    // buffers, linked in at the head of the source's world.
    tvSurface2d(const tvSurface2d& source);
    tvSurface2d& operator=(const tvSurface2d&) = delete;

    tvSurface* Clone() override;
    void Fill(tvCell cell) override;
    tvCell* WriteCellAt(float x, float y) override;
    tvCell* ReadCellAt(float x, float y) override;
    // All four edges count as inside.
    bool HitTest(float x, float y) override;
    void MoveBy(float dx, float dy) override;
    void Clear(bool flag) override;
    void Commit() override;
    ~tvSurface2d() override;
    // Hands the grid to the process-wide grid painter, if one is set.
    void Draw() override;
    // Hands the painter the cells that reach into the area.
    void DrawPart(const tvBounds& area) override;
    // The grid's whole rectangle where it was and where it is when it moved
    // or was never drawn; otherwise the cells whose look changed: any of
    // a layer's colour and amount, or the lock, compared bit for bit.
    void CollectDrawChanges(tvDrawChanges& changes) const override;
    void MarkDrawn() override;
    bool LastCommitChanged() const override { return lastCommitChanged; }
    void Step(const tvSpreadTargets* targets) override;
    // The world position of the cell's top-left corner; any integers give a point.
    virtual tvPoint CellOrigin(int column, int row) const;

    // None outside the grid or when the grid has no buffers.
    tvCell* CurrentCell(int column, int row);
    tvCell* NextCell(int column, int row);
    const tvCell* CurrentCell(int column, int row) const;
    const tvCell* NextCell(int column, int row) const;

    tvBounds GetBounds() const;
    // The cells that reach into the area (edges included).
    tvCellRange CellsIn(const tvBounds& area) const;

    int Columns() const { return columns; }
    int Rows() const { return rows; }
    float CellWidth() const { return cellWidth; }
    float CellHeight() const { return cellHeight; }
    float OriginX() const { return originX; }
    float OriginY() const { return originY; }

private:
    void StepReference();
    void StepAmong(const tvSpreadTargets& targets);
    void AllocateCells(int columns, int rows);
    std::size_t CellCount() const;
    std::ptrdiff_t CellIndex(int column, int row) const;
    tvCell* CellUnder(float x, float y);

    int columns = 0;
    int rows = 0;
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;
    std::unique_ptr<tvCell[]> currentCells;
    std::unique_ptr<tvCell[]> nextCells;
    float originX = 0.0f;
    float originY = 0.0f;
    bool lastCommitChanged = true;
    // Whether a commit or a move may have changed the drawing since it was
    // marked drawn; when not, the cells need not be compared again.
    bool changedSinceDrawn = true;

    // The grid as it was when last marked drawn: its place and its cells.
    struct Drawn {
        bool valid = false;
        float originX = 0.0f;
        float originY = 0.0f;
        std::vector<tvCell> cells;
    };
    Drawn drawn;
    void AddChangedCells(tvDrawChanges& changes) const;
    // The grid's rectangle with its top left corner at (left, top).
    tvBounds BoundsAt(float left, float top) const;
};
