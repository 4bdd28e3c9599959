#pragma once

#include <array>
#include <cstdint>
#include <vector>

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
// Many opaque quads of 8-bit colours drawn with one call, from vertex arrays:
// each quad as FillRect gives it, in the colour SetDrawColour(k / 255, ...)
// at alpha 1 would give it. A software renderer spends its time per call and
// per vertex call more than per quad. Drawing leaves the current colour
// undefined; set one before drawing anything else.
class tvQuadBatch {
public:
    void Clear();
    void Add(tvBounds rect, const std::array<std::uint8_t, 3>& rgb);
    void Draw() const;

private:
    std::vector<float> corners;
    std::vector<std::uint8_t> colours;
};
// The corners in the order (left, top), (right, top), (right, bottom), (left, bottom).
std::array<tvPoint, 4> RectCorners(tvBounds rect);
// A ring of the given width lying inside rect, as one ten-vertex triangle strip.
void FrameRect(tvBounds rect, float width);
// FrameRect at OutlineWidth.
void OutlineRect(tvBounds rect);

inline constexpr float OutlineWidth = 1.0f;
// Mid grey.
const Colour& OutlineColour();
