#include "cell.h"
#include "surface2d.h"
#include "world.h"

// The step is order-dependent by design: within a tick a target's next buffer
// may already hold what earlier cells or surfaces wrote, and the last writer
// wins. Keep the visiting order exactly as it is here.

namespace {

// Both subtractions are carried out in double precision and stored as floats;
// the stored values follow from that exactly.
constexpr double FadeStep = 0.01;
constexpr double SpreadLoss = 0.03;

struct Offset {
    int column;
    int row;
};

// Left, above, below, right.
constexpr Offset kNeighbours[] = {{-1, 0}, {0, -1}, {0, 1}, {1, 0}};

float LessClampedAtZero(float amount, double loss) {
    const double difference = static_cast<double>(amount) - loss;
    return difference < 0.0 ? 0.0f : static_cast<float>(difference);
}

}  // namespace

// Columns outer, rows inner, then the five layers of one cell.
void tvSurface2d::Step() {
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const tvCell* current = CurrentCell(i, j);
            tvCell* next = NextCell(i, j);
            for (int k = 0; k < tvCell::kLayerCount; ++k) {
                current->layers[k].SpreadLayer(next->layers[k], *this, i, j, k);
            }
        }
    }
}

// The fade test reads the current amount but subtracts from the next buffer,
// which an earlier cell of this tick may already have overwritten.
void tvCellLayer::SpreadLayer(tvCellLayer& next, tvSurface2d& grid, int column, int row,
                              int layer) const {
    if (!source && amount > 0.0f) {
        next.amount = LessClampedAtZero(next.amount, FadeStep);
    }
    if (!(amount > 0.0f)) {
        return;
    }
    for (const Offset& offset : kNeighbours) {
        const tvCell* read = grid.CurrentCell(column + offset.column, row + offset.row);
        tvCell* write = grid.NextCell(column + offset.column, row + offset.row);
        if (read && write) {
            TransferTo(*read, *write, layer);
        }
    }
    // The grid itself is among the surfaces: its corner cell is skipped by the
    // amount test, but a corner that falls into another of its cells is not.
    const tvPoint corner = grid.CellOrigin(column, row);
    for (tvSurface* s = grid.World()->FirstSurface(); s; s = s->NextSurface()) {
        const tvCell* read = s->ReadCellAt(corner.x, corner.y);
        tvCell* write = s->WriteCellAt(corner.x, corner.y);
        if (read && write) {
            TransferTo(*read, *write, layer);
        }
    }
}

void tvCellLayer::TransferTo(const tvCell& read, tvCell& write, int layer) const {
    const float candidate = LessClampedAtZero(amount, SpreadLoss);
    if (read.locked) {
        return;
    }
    if (read.layers[layer].amount < candidate) {
        tvCellLayer& target = write.layers[layer];
        target.amount = candidate;
        target.red = red;
        target.green = green;
        target.blue = blue;
    }
}
