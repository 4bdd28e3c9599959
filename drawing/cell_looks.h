#pragma once

#include <array>
#include <cstdint>
#include <vector>

class tvSurface2d;

// Red, green and blue bytes as the window stores them.
using tvRgb = std::array<std::uint8_t, 3>;

// What the cell-by-cell drawing leaves in the window for one cell: the bytes
// of its fill, and of its one-pixel band where the outline grey is blended
// over that fill. Neither depends on what lay beneath, as the fill is opaque.
struct tvCellLook {
    tvRgb fill;
    tvRgb band;

    bool operator==(const tvCellLook&) const = default;
};

// The look of every cell of the grid's current buffer, cell (c, r) at
// c + r * columns. False when some cell would not be filled opaque, because
// its amounts add up to nothing or less or its mixed colour is not a number:
// then what shows through it depends on what lies beneath, and `looks` holds
// no meaning.
bool CellLooks(const tvSurface2d& grid, std::vector<tvCellLook>& looks);
