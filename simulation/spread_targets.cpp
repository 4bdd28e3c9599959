#include "spread_targets.h"

#include <typeinfo>

#include "surface2d.h"

namespace {

// Transfers compare against the next buffer, whose locks hold for the tick.
bool HasUnlockedCell(const tvSurface2d& grid) {
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            if (!grid.NextCell(c, r)->locked) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool tvSpreadTargets::Gather(tvSurface* firstSurface) {
    grids.clear();
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        if (typeid(*s) != typeid(tvSurface2d)) {
            grids.clear();
            return false;
        }
        auto& grid = static_cast<tvSurface2d&>(*s);
        if (HasUnlockedCell(grid)) {
            grids.push_back(&grid);
        }
    }
    return true;
}
