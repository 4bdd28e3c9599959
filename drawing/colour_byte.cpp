#include "colour_byte.h"

#include <algorithm>
#include <cmath>

namespace {

// The larger scale of the fast path, 2^8 - 2^-7.
constexpr double kTruncatingScale = 255.9921875;

std::uint8_t NearestByte(float value) {
    return static_cast<std::uint8_t>(std::lrint(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// a * b / 255 rounded to the nearest integer, exact for any two bytes.
int MultiplyBytes(int a, int b) {
    const int product = a * b;
    return (product + (product >> 8) + 0x80) >> 8;
}

}  // namespace

std::uint8_t FillByte(float value) {
    return NearestByte(value);
}

float ColourForByte(std::uint8_t byte) {
    const double b = byte;
    const double high = std::min(b + 0.5, (b + 1.0) * 255.0 / kTruncatingScale);
    return std::min(static_cast<float>((b + high) * 0.5 / 255.0), 1.0f);
}

std::uint8_t BlendedByte(float source, float alpha, std::uint8_t under) {
    const int a = NearestByte(alpha);
    return static_cast<std::uint8_t>(MultiplyBytes(NearestByte(source), a) +
                                     MultiplyBytes(under, 255 - a));
}
