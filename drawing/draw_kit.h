#pragma once

#include <array>

#include "cell.h"
#include "colour.h"

// The immediate-mode drawing kit that cell drawing uses. It keeps one current
// colour and alpha for the whole process; none of its functions touches
// matrices, blending or line state, which the frame set-up owns.

// Stores the colour, then issues it with the current alpha.
void SetDrawColour(float red, float green, float blue);
// Stores the alpha, then re-issues the current colour with it.
void SetDrawAlpha(float alpha);

// One quad: (left, top), (right, top), (right, bottom), (left, bottom).
void FillRect(tvBounds rect);
// The corners in the order (left, top), (right, top), (right, bottom), (left, bottom).
std::array<tvPoint, 4> RectCorners(tvBounds rect);
// A ring of the given width lying inside rect, as one ten-vertex triangle strip.
void FrameRect(tvBounds rect, float width);
// FrameRect at OutlineWidth.
void OutlineRect(tvBounds rect);

inline constexpr float OutlineWidth = 1.0f;
// Mid grey.
const Colour& OutlineColour();
