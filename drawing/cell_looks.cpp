#include "cell_looks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "cell_drawing.h"
#include "surface2d.h"

namespace {

// GL clamps a colour to 0..1 before it reaches the window, and the band is
// blended over what the fill left there. NaN stays NaN, for the caller.
float Clamped(float value) {
    return std::isnan(value) ? value : std::clamp(value, 0.0f, 1.0f);
}

std::uint8_t NearestStep(float value) {
    return static_cast<std::uint8_t>(std::lrint(value * 255.0f));
}

// The same mix and outline alpha as the cell-by-cell drawing, so that both
// start from the same floats; only the renderer's own rounding of each may
// differ.
bool CellLook(const tvCell& cell, tvCellLook& look) {
    Colour mixed;
    if (!MixedColour(cell, mixed)) {
        return false;
    }
    const Colour& grey = OutlineColour();
    const float alpha = OutlineAlpha(cell.locked);
    const float shown[] = {mixed.red, mixed.green, mixed.blue};
    const float greys[] = {grey.red, grey.green, grey.blue};
    for (int c = 0; c < 3; ++c) {
        const float fill = Clamped(shown[c]);
        if (std::isnan(fill)) {
            return false;
        }
        look.fill[c] = NearestStep(fill);
        look.band[c] = NearestStep(greys[c] * alpha + fill * (1.0f - alpha));
    }
    return true;
}

}  // namespace

void CellLooks(const tvSurface2d& grid, const tvCellRange& cells, std::vector<tvCellLook>& looks) {
    looks.clear();
    for (int r = cells.firstRow; r < cells.endRow; ++r) {
        for (int c = cells.firstColumn; c < cells.endColumn; ++c) {
            tvCellLook look;
            const tvCell* cell = grid.CurrentCell(c, r);
            if (!cell || !CellLook(*cell, look)) {
                look = tvCellLook{{}, {}, false};
            }
            looks.push_back(look);
        }
    }
}
