#pragma once

#include <array>
#include <cstdint>
#include <vector>

class tvSurface2d;

// Red, green and blue at the window's 8 bits per channel.
using tvRgb = std::array<std::uint8_t, 3>;

// How a cell drawn cell by cell looks, to the nearest 8-bit colour: its fill,
// and its one-pixel band, where the outline grey lies over that fill at the
// outline alpha. Both are worked out in floating point from the same mix and
// alpha the cell-by-cell drawing uses, and rounded only at the end. Neither
// depends on what lay beneath, as the fill is opaque.
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
