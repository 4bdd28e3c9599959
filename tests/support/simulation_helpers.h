#pragma once

#include <initializer_list>
#include <ostream>

#include "cell.h"
#include "colour.h"
#include "surface2d.h"
#include "world.h"

// The stored results of the two subtractions: done in double precision,
// clamped at zero, kept as 32-bit floats.
inline float Faded(float amount) {
    const double d = static_cast<double>(amount) - 0.01;
    return d < 0.0 ? 0.0f : static_cast<float>(d);
}

inline float Passed(float amount) {
    const double d = static_cast<double>(amount) - 0.03;
    return d < 0.0 ? 0.0f : static_cast<float>(d);
}

inline constexpr Colour kRed{1.0f, 0.0f, 0.0f};
inline constexpr Colour kGreen{0.0f, 1.0f, 0.0f};
inline constexpr Colour kBlue{0.0f, 0.0f, 1.0f};

inline Colour ColourOf(const tvCellLayer& layer) {
    return {layer.red, layer.green, layer.blue};
}

inline bool operator==(const Colour& a, const Colour& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Lets failure messages show both colours.
inline std::ostream& operator<<(std::ostream& out, const Colour& c) {
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

// Puts colour into layer k of cell (c, r) in both buffers, as a committed state.
inline void SetLayer(tvSurface2d& grid, int c, int r, int k, float amount, Colour colour,
                     bool source = false) {
    for (tvCell* cell : {grid.CurrentCell(c, r), grid.NextCell(c, r)}) {
        tvCellLayer& layer = cell->layers[k];
        layer.amount = amount;
        layer.source = source;
        layer.red = colour.red;
        layer.green = colour.green;
        layer.blue = colour.blue;
    }
}

// Every field of every layer equal, and the lock.
inline bool SameCell(const tvCell& a, const tvCell& b) {
    for (int k = 0; k < tvCell::kLayerCount; ++k) {
        const tvCellLayer& x = a.layers[k];
        const tvCellLayer& y = b.layers[k];
        if (x.source != y.source || x.red != y.red || x.green != y.green || x.blue != y.blue ||
            x.amount != y.amount) {
            return false;
        }
    }
    return a.locked == b.locked;
}

inline void Lock(tvSurface2d& grid, int c, int r) {
    grid.CurrentCell(c, r)->locked = true;
    grid.NextCell(c, r)->locked = true;
}

// A cell as a swatch holds it: locked, layer k a source of the given amount.
inline tvCell SwatchCell(int k, Colour colour, float amount = 1.0f) {
    return SourceCell(k, colour.red, colour.green, colour.blue, amount);
}

// A 1 x 1 swatch of cell size 10 whose top-left corner is (x, y).
inline tvSurface2d* NewSwatch(tvWorld& world, float x, float y, int k, Colour colour) {
    auto* swatch = new tvSurface2d(&world, x, y, 10.0f, 1, 1);
    swatch->Fill(SwatchCell(k, colour));
    return swatch;
}

inline float CurrentAmount(const tvSurface2d& grid, int c, int r, int k) {
    return grid.CurrentCell(c, r)->layers[k].amount;
}
