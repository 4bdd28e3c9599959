#include <vector>

#include "cell.h"
#include "spread_targets.h"
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

// Fading, then the four neighbours: the part of a layer's spreading that
// stays inside the grid. False when the layer holds no colour to spread.
// The fade test reads the current amount but subtracts from the next buffer,
// which an earlier cell of this tick may already have overwritten.
bool FadeAndPassToNeighbours(const tvCellLayer& layer, tvCellLayer& next, tvSurface2d& grid,
                             int column, int row, int k) {
    if (!layer.source && layer.amount > 0.0f) {
        next.amount = LessClampedAtZero(next.amount, FadeStep);
    }
    if (!(layer.amount > 0.0f)) {
        return false;
    }
    for (const Offset& offset : kNeighbours) {
        const tvCell* read = grid.CurrentCell(column + offset.column, row + offset.row);
        tvCell* write = grid.NextCell(column + offset.column, row + offset.row);
        if (read && write) {
            layer.TransferTo(*read, *write, k);
        }
    }
    return true;
}

}  // namespace

void tvSurface2d::Step(const tvSpreadTargets* targets) {
    if (targets) {
        StepAmong(*targets);
    } else {
        StepReference();
    }
}

// Columns outer, rows inner, then the five layers of one cell.
void tvSurface2d::StepReference() {
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

// The same visiting order as StepReference. Which cell of which grid lies
// under a corner depends on places alone, and a locked cell refuses every
// transfer without a trace, so the unlocked cells under a corner are found
// once for all five layers; the grids that have none there are skipped.
void tvSurface2d::StepAmong(const tvSpreadTargets& targets) {
    std::vector<tvCell*> under;
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const tvCell* current = CurrentCell(i, j);
            tvCell* next = NextCell(i, j);
            bool found = false;
            for (int k = 0; k < tvCell::kLayerCount; ++k) {
                const tvCellLayer& layer = current->layers[k];
                if (!FadeAndPassToNeighbours(layer, next->layers[k], *this, i, j, k)) {
                    continue;
                }
                if (!found) {
                    const tvPoint corner = CellOrigin(i, j);
                    under.clear();
                    for (tvSurface2d* grid : targets.Grids()) {
                        tvCell* cell = grid->CellUnder(corner.x, corner.y);
                        if (cell && !cell->locked) {
                            under.push_back(cell);
                        }
                    }
                    found = true;
                }
                for (tvCell* cell : under) {
                    layer.TransferTo(*cell, *cell, k);
                }
            }
        }
    }
}

// The grid itself is among the surfaces: its corner cell is skipped by the
// amount test, but a corner that falls into another of its cells is not.
void tvCellLayer::SpreadLayer(tvCellLayer& next, tvSurface2d& grid, int column, int row,
                              int layer) const {
    if (!FadeAndPassToNeighbours(*this, next, grid, column, row, layer)) {
        return;
    }
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
