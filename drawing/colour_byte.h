#pragma once

#include <cstdint>

// How Mesa's software renderer (llvmpipe) turns colours into the bytes of an
// 8-bit colour channel, as found by drawing and reading the pixels back.
//
// llvmpipe rasterises each 64 x 64 pixel tile of a frame one of several
// ways. A tile that holds anything but opaque axis-aligned rectangles, such
// as an outline strip, takes the general path, which rounds value * 255 to
// the nearest byte. A tile of opaque rectangles alone may take a fast path
// from the second frame a shader is drawn with, which truncates instead:
// value * 255 when the tile holds one rectangle, about value * 255.99 when
// it holds several.

// The byte that an opaque fill of component `value` stores on the general
// path: value * 255 in single precision, rounded to nearest, ties to even;
// 0 at or below 0 and 255 at or above 1. Callers keep NaN out.
std::uint8_t FillByte(float value);

// A component that an opaque rectangle stores as `byte` whichever way its
// tile is drawn: value * 255 lies between byte and byte + 0.5, and
// value * 255.99 below byte + 1, in the middle of what all three allow.
float ColourForByte(std::uint8_t byte);

// The byte that blending `source` at `alpha` over a pixel holding `under`
// stores on the general path: source and alpha are rounded to the nearest
// byte (0.5 gives 128, 0.35 gives 89), then source * alpha and
// under * (255 - alpha) are each divided by 255 and rounded to the nearest
// integer, and the two are added.
std::uint8_t BlendedByte(float source, float alpha, std::uint8_t under);
