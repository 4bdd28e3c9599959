#pragma once

#include <optional>

// Where the view puts world points on the window, when it puts each world
// unit on a whole number of pixels (the same along both axes), x to the
// right and y downwards, with whole-pixel offsets: world (x, y) lands at GL
// window coordinates (scale * x + left, top - scale * y), GL's window y
// counting upwards from the bottom of the viewport. A window drawn for a
// screen of twice the density has scale 2: every pixel of scale 1 becomes
// two by two.
struct tvPixelView {
    int left;
    int top;
    int scale = 1;
};

// Reads the view from GL's matrices (column-major, as glGetFloatv gives them)
// and viewport (x, y, width, height). None for any other view: a fractional
// number of pixels per unit, a fractional pan, a flip, a rotation or a
// perspective. Allows the
// rounding of the float matrices, a tiny fraction of a pixel across the
// largest extent a texture can cover.
std::optional<tvPixelView> WholePixelView(const float modelview[16], const float projection[16],
                                          const int viewport[4]);

// WholePixelView of the current GL context's matrices and viewport.
std::optional<tvPixelView> CurrentPixelView();
