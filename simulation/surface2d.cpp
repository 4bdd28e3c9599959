#include "surface2d.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

#include "grid_painter.h"

namespace {

// Truncates offset / cellSize toward zero, as the offset times the reciprocal
// of the cell size. Fails where that index is not a finite number that fits an
// int, rather than leaving the conversion undefined.
bool CellIndexOf(float offset, float cellSize, int* index) {
    if (!(cellSize > 0.0f) || !std::isfinite(cellSize)) {
        return false;
    }
    const float scaled = offset * (1.0f / cellSize);
    // INT_MIN is exactly a float; the first float above INT_MAX is 2^31.
    constexpr float kLowest = static_cast<float>(INT_MIN);
    constexpr float kBeyond = 2147483648.0f;
    if (!(scaled >= kLowest && scaled < kBeyond)) {
        return false;
    }
    *index = static_cast<int>(scaled);
    return true;
}

std::unique_ptr<tvCell[]> NewCells(std::size_t count) {
    return std::unique_ptr<tvCell[]>(new (std::nothrow) tvCell[count]);
}

}  // namespace

tvSurface2d::tvSurface2d(tvWorld* world, float originX, float originY, float cellSize, int columns,
                         int rows)
    : tvSurface(world) {
    AllocateCells(columns, rows);
    this->originX = originX;
    this->originY = originY;
    cellWidth = cellSize;
    cellHeight = cellSize;
}

tvSurface2d::tvSurface2d(const tvSurface2d& source) : tvSurface(source.World()) {
    AllocateCells(source.columns, source.rows);
    if (currentCells) {
        std::copy_n(source.currentCells.get(), CellCount(), currentCells.get());
        std::copy_n(source.nextCells.get(), CellCount(), nextCells.get());
    }
    cellWidth = source.cellWidth;
    cellHeight = source.cellHeight;
    originX = source.originX;
    originY = source.originY;
}

tvSurface2d::~tvSurface2d() = default;

// Both buffers are allocated, and their cells drawn, before either is checked:
// the current buffer takes its random colours first, then the next buffer.
void tvSurface2d::AllocateCells(int columns, int rows) {
    const std::int64_t count = std::int64_t{columns} * rows;
    if (columns >= 0 && rows >= 0 && count <= INT_MAX) {
        currentCells = NewCells(static_cast<std::size_t>(count));
        nextCells = NewCells(static_cast<std::size_t>(count));
    }
    if (currentCells && nextCells) {
        this->columns = columns;
        this->rows = rows;
    } else {
        this->columns = 0;
        this->rows = 0;
        currentCells.reset();
        nextCells.reset();
    }
}

std::size_t tvSurface2d::CellCount() const {
    return static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
}

std::ptrdiff_t tvSurface2d::CellIndex(int column, int row) const {
    if (!currentCells || column < 0 || row < 0 || column >= columns || row >= rows) {
        return -1;
    }
    return column + static_cast<std::ptrdiff_t>(row) * columns;
}

tvCell* tvSurface2d::CurrentCell(int column, int row) {
    const std::ptrdiff_t index = CellIndex(column, row);
    return index < 0 ? nullptr : &currentCells[index];
}

tvCell* tvSurface2d::NextCell(int column, int row) {
    const std::ptrdiff_t index = CellIndex(column, row);
    return index < 0 ? nullptr : &nextCells[index];
}

const tvCell* tvSurface2d::CurrentCell(int column, int row) const {
    return const_cast<tvSurface2d*>(this)->CurrentCell(column, row);
}

const tvCell* tvSurface2d::NextCell(int column, int row) const {
    return const_cast<tvSurface2d*>(this)->NextCell(column, row);
}

tvSurface* tvSurface2d::Clone() {
    return new tvSurface2d(*this);
}

void tvSurface2d::Fill(tvCell cell) {
    std::fill_n(nextCells.get(), CellCount(), cell);
    Commit();
}

void tvSurface2d::Clear(bool flag) {
    for (std::size_t i = 0; i < CellCount(); ++i) {
        for (tvCellLayer& layer : nextCells[i].layers) {
            if (!layer.source || flag) {
                layer.amount = 0.0f;
                layer.source = false;
            }
        }
    }
}

void tvSurface2d::Commit() {
    std::copy_n(nextCells.get(), CellCount(), currentCells.get());
}

// Both lookups read the next buffer: a transfer compares against what earlier
// writers of this tick left there.
tvCell* tvSurface2d::WriteCellAt(float x, float y) {
    return CellUnder(x, y);
}

tvCell* tvSurface2d::ReadCellAt(float x, float y) {
    return CellUnder(x, y);
}

// Truncation toward zero puts points up to one cell left of or above the
// corner into column or row 0.
tvCell* tvSurface2d::CellUnder(float x, float y) {
    int column = 0;
    int row = 0;
    if (!CellIndexOf(x - originX, cellWidth, &column) ||
        !CellIndexOf(y - originY, cellHeight, &row)) {
        return nullptr;
    }
    return NextCell(column, row);
}

tvPoint tvSurface2d::CellOrigin(int column, int row) const {
    return {originX + static_cast<float>(column) * cellWidth,
            originY + static_cast<float>(row) * cellHeight};
}

tvBounds tvSurface2d::GetBounds() const {
    return {originX, originX + static_cast<float>(columns) * cellWidth, originY,
            originY + static_cast<float>(rows) * cellHeight};
}

bool tvSurface2d::HitTest(float x, float y) {
    const tvBounds b = GetBounds();
    return b.left <= x && x <= b.right && b.top <= y && y <= b.bottom;
}

void tvSurface2d::MoveBy(float dx, float dy) {
    originX += dx;
    originY += dy;
}

bool tvSurface2d::DescribeDrawing(const tvDrawingSink& add) const {
    const float place[] = {originX, originY, cellWidth, cellHeight};
    const int shape[] = {columns, rows};
    add(place, sizeof place);
    add(shape, sizeof shape);
    // Field by field, since a cell's padding bytes are unset; all cells in
    // one piece, since this runs for every frame.
    constexpr std::size_t kPerCell = tvCell::kLayerCount * 4 + 1;
    thread_local std::vector<float> looks;
    looks.resize(CellCount() * kPerCell);
    float* out = looks.data();
    for (std::size_t i = 0; i < CellCount(); ++i) {
        const tvCell& cell = currentCells[i];
        for (const tvCellLayer& layer : cell.layers) {
            *out++ = layer.red;
            *out++ = layer.green;
            *out++ = layer.blue;
            *out++ = layer.amount;
        }
        *out++ = cell.locked ? 1.0f : 0.0f;
    }
    add(looks.data(), looks.size() * sizeof(float));
    return true;
}

void tvSurface2d::Draw() {
    if (tvGridPainter* painter = GetGridPainter()) {
        painter->DrawGrid(*this);
    }
}
