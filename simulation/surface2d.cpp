#include "surface2d.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "grid_painter.h"
#include "world.h"

namespace {

// memcmp rather than std::bit_cast, which the web build's C++ library lacks.
bool SameBits(float a, float b) {
    static_assert(sizeof(float) == sizeof(std::uint32_t));
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Everything of a cell that its drawing follows from.
bool LooksAlike(const tvCell& a, const tvCell& b) {
    if (a.locked != b.locked) {
        return false;
    }
    for (int k = 0; k < tvCell::kLayerCount; ++k) {
        const tvCellLayer& p = a.layers[k];
        const tvCellLayer& q = b.layers[k];
        if (!SameBits(p.red, q.red) || !SameBits(p.green, q.green) || !SameBits(p.blue, q.blue) ||
            !SameBits(p.amount, q.amount)) {
            return false;
        }
    }
    return true;
}

// Everything a further step follows from.
bool SameState(const tvCell& a, const tvCell& b) {
    for (int k = 0; k < tvCell::kLayerCount; ++k) {
        if (a.layers[k].source != b.layers[k].source) {
            return false;
        }
    }
    return LooksAlike(a, b);
}

// The indices [first, end) of cells of the given size from origin that reach
// into [from, to], within [0, count).
void CellSpan(float from, float to, float origin, float size, int count, int* first, int* end) {
    const double low = std::floor((static_cast<double>(from) - origin) / size);
    const double high = std::floor((static_cast<double>(to) - origin) / size) + 1.0;
    *first = 0;
    *end = 0;
    if (low < high) {
        *first = static_cast<int>(std::clamp(low, 0.0, static_cast<double>(count)));
        *end = static_cast<int>(std::clamp(high, 0.0, static_cast<double>(count)));
    }
}

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
    World()->MarkUnsettled();
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
    lastCommitChanged = false;
    for (std::size_t i = 0; i < CellCount() && !lastCommitChanged; ++i) {
        lastCommitChanged = !SameState(nextCells[i], currentCells[i]);
    }
    std::copy_n(nextCells.get(), CellCount(), currentCells.get());
    changedSinceDrawn = changedSinceDrawn || lastCommitChanged;
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
    return BoundsAt(originX, originY);
}

tvBounds tvSurface2d::BoundsAt(float left, float top) const {
    return {left, left + static_cast<float>(columns) * cellWidth, top,
            top + static_cast<float>(rows) * cellHeight};
}

bool tvSurface2d::HitTest(float x, float y) {
    const tvBounds b = GetBounds();
    return b.left <= x && x <= b.right && b.top <= y && y <= b.bottom;
}

void tvSurface2d::MoveBy(float dx, float dy) {
    originX += dx;
    originY += dy;
    changedSinceDrawn = true;
    World()->MarkUnsettled();
}

tvCellRange tvSurface2d::CellsIn(const tvBounds& area) const {
    tvCellRange range;
    CellSpan(area.left, area.right, originX, cellWidth, columns, &range.firstColumn,
             &range.endColumn);
    CellSpan(area.top, area.bottom, originY, cellHeight, rows, &range.firstRow, &range.endRow);
    return range;
}

// A grid's cell size and shape never change; only its place does.
void tvSurface2d::CollectDrawChanges(tvDrawChanges& changes) const {
    const bool samePlace =
        drawn.valid && SameBits(drawn.originX, originX) && SameBits(drawn.originY, originY);
    if (samePlace) {
        if (changedSinceDrawn) {
            AddChangedCells(changes);
        }
        return;
    }
    // What it uncovers where it was, and what it covers where it is.
    if (drawn.valid) {
        changes.areas.push_back(BoundsAt(drawn.originX, drawn.originY));
    }
    changes.areas.push_back(GetBounds());
}

// Changed cells, gathered into rectangles: runs along each row, and runs
// spanning the same columns on rows one below the other joined into one.
void tvSurface2d::AddChangedCells(tvDrawChanges& changes) const {
    struct Run {
        int first;
        int end;
        int top;
    };
    std::vector<Run> open;
    std::vector<Run> continued;
    const auto changed = [&](int c, int r) {
        const std::ptrdiff_t i = CellIndex(c, r);
        return !LooksAlike(currentCells[i], drawn.cells[static_cast<std::size_t>(i)]);
    };
    const auto add = [&](const Run& run, int bottom) {
        changes.areas.push_back({originX + static_cast<float>(run.first) * cellWidth,
                                 originX + static_cast<float>(run.end) * cellWidth,
                                 originY + static_cast<float>(run.top) * cellHeight,
                                 originY + static_cast<float>(bottom) * cellHeight});
    };
    for (int r = 0; r <= rows; ++r) {
        continued.clear();
        std::size_t o = 0;
        for (int c = 0; r < rows && c < columns;) {
            if (!changed(c, r)) {
                ++c;
                continue;
            }
            Run run{c, c + 1, r};
            while (run.end < columns && changed(run.end, r)) {
                ++run.end;
            }
            while (o < open.size() && open[o].first < run.first) {
                add(open[o++], r);
            }
            if (o < open.size() && open[o].first == run.first && open[o].end == run.end) {
                run.top = open[o++].top;
            }
            continued.push_back(run);
            c = run.end;
        }
        while (o < open.size()) {
            add(open[o++], r);
        }
        open.swap(continued);
    }
}

void tvSurface2d::MarkDrawn() {
    if (drawn.valid && !changedSinceDrawn) {
        return;
    }
    changedSinceDrawn = false;
    drawn.valid = true;
    drawn.originX = originX;
    drawn.originY = originY;
    drawn.cells.assign(currentCells.get(), currentCells.get() + CellCount());
}

void tvSurface2d::DrawPart(const tvBounds& area) {
    tvGridPainter* painter = GetGridPainter();
    if (!painter) {
        return;
    }
    if (!(cellWidth > 0.0f && cellHeight > 0.0f && std::isfinite(cellWidth) &&
          std::isfinite(cellHeight))) {
        painter->DrawGrid(*this);
        return;
    }
    const tvCellRange range = CellsIn(area);
    if (!range.Empty()) {
        painter->DrawCells(*this, range);
    }
}

void tvSurface2d::Draw() {
    if (tvGridPainter* painter = GetGridPainter()) {
        painter->DrawGrid(*this);
    }
}
