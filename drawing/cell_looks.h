#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "grid_painter.h"

class tvSurface2d;

// Red, green and blue at the window's 8 bits per channel.
using tvRgb = std::array<std::uint8_t, 3>;

// How a cell drawn cell by cell looks, to the nearest 8-bit colour: its fill,
// and its one-pixel band, where the outline grey lies over that fill at the
// outline alpha. Both are worked out in floating point from the same mix and
// alpha the cell-by-cell drawing uses, and rounded only at the end. Neither
// depends on what lay beneath, as the fill is opaque.
//
// A cell that would not be filled opaque, because its amounts add up to
// nothing or less or its mixed colour is not a number, has no look of its
// own: what shows through it depends on what lies beneath. All such cells
// share the look that is not opaque, whose colours mean nothing.
struct tvCellLook {
    tvRgb fill{};
    tvRgb band{};
    bool opaque = true;

    bool operator==(const tvCellLook&) const = default;
};

// The look of every cell of the range in the grid's current buffer, cell
// (c, r) of the range at (c - firstColumn) + (r - firstRow) * its columns.
void CellLooks(const tvSurface2d& grid, const tvCellRange& cells, std::vector<tvCellLook>& looks);
