#pragma once

#include <optional>

// Where the view puts world points on the window, when it puts them one unit
// to one pixel, x to the right and y downwards, with whole-pixel offsets:
// world (x, y) lands at GL window coordinates (x + left, top - y), GL's
// window y counting upwards from the bottom of the viewport.
struct tvPixelView {
    int left;
    int top;
};

// Reads the view from GL's matrices (column-major, as glGetFloatv gives them)
// and viewport (x, y, width, height). None for any other view: a zoom other
// than 1, a fractional pan, a flip, a rotation or a perspective. Allows the
// rounding of the float matrices, a tiny fraction of a pixel across the
// largest extent a texture can cover.
std::optional<tvPixelView> WholePixelView(const float modelview[16], const float projection[16],
                                          const int viewport[4]);

// WholePixelView of the current GL context's matrices and viewport.
std::optional<tvPixelView> CurrentPixelView();
