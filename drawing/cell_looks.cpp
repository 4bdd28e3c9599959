#include "cell_looks.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "cell_drawing.h"
#include "colour_byte.h"
#include "surface2d.h"

namespace {

// The band byte over every fill byte, per channel, for one outline alpha.
using BandTable = std::array<std::array<std::uint8_t, 256>, 3>;

BandTable MakeBandTable(float alpha) {
    const Colour& grey = OutlineColour();
    const float greys[] = {grey.red, grey.green, grey.blue};
    BandTable table;
    for (int c = 0; c < 3; ++c) {
        for (int under = 0; under < 256; ++under) {
            table[c][under] = BlendedByte(greys[c], alpha, static_cast<std::uint8_t>(under));
        }
    }
    return table;
}

const BandTable& BandTableFor(bool locked) {
    static const BandTable lockedTable = MakeBandTable(OutlineAlpha(true));
    static const BandTable unlockedTable = MakeBandTable(OutlineAlpha(false));
    return locked ? lockedTable : unlockedTable;
}

// The same mix as the cell-by-cell fill, so that both reach the same floats
// and hence the same bytes.
bool CellLook(const tvCell& cell, tvCellLook& look) {
    Colour mixed;
    if (!MixedColour(cell, mixed)) {
        return false;
    }
    const float shown[] = {mixed.red, mixed.green, mixed.blue};
    const BandTable& bands = BandTableFor(cell.locked);
    for (int c = 0; c < 3; ++c) {
        if (std::isnan(shown[c])) {
            return false;
        }
        look.fill[c] = FillByte(shown[c]);
        look.band[c] = bands[c][look.fill[c]];
    }
    return true;
}

}  // namespace

bool CellLooks(const tvSurface2d& grid, std::vector<tvCellLook>& looks) {
    looks.resize(static_cast<std::size_t>(grid.Columns()) * grid.Rows());
    std::size_t i = 0;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            const tvCell* cell = grid.CurrentCell(c, r);
            if (!cell || !CellLook(*cell, looks[i++])) {
                return false;
            }
        }
    }
    return true;
}
