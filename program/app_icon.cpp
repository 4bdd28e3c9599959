#include "app_icon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

// The SVG's shapes in its 128-unit viewBox, in painting order. Keep in step
// with data/io.github.quillmere.Quillmere.svg.
struct Shape {
    double x, y, w, h, r;
    std::uint32_t fill, stroke;  // 0xRRGGBB
    double strokeWidth;
};

constexpr double kViewBox = 128.0;
constexpr std::uint32_t kSwatchStroke = 0x9aa0a6;
constexpr double kSwatchStrokeWidth = 1.5;

constexpr std::array<Shape, 17> kShapes{{
    {10, 10, 108, 108, 14, 0xfbfbf8, 0x5f6368, 3},
    {18, 18, 20, 20, 0, 0xe53935, kSwatchStroke, kSwatchStrokeWidth},
    {42, 18, 20, 20, 0, 0xfdd835, kSwatchStroke, kSwatchStrokeWidth},
    {66, 18, 20, 20, 0, 0x43a047, kSwatchStroke, kSwatchStrokeWidth},
    {90, 18, 20, 20, 0, 0x1e88e5, kSwatchStroke, kSwatchStrokeWidth},
    {18, 42, 20, 20, 0, 0xf29c9a, kSwatchStroke, kSwatchStrokeWidth},
    {42, 42, 20, 20, 0, 0xe4a7c9, kSwatchStroke, kSwatchStrokeWidth},
    {66, 42, 20, 20, 0, 0xb6a9e6, kSwatchStroke, kSwatchStrokeWidth},
    {90, 42, 20, 20, 0, 0x8fc3f2, kSwatchStroke, kSwatchStrokeWidth},
    {18, 66, 20, 20, 0, 0xf7cdcc, kSwatchStroke, kSwatchStrokeWidth},
    {42, 66, 20, 20, 0, 0xecc9e4, kSwatchStroke, kSwatchStrokeWidth},
    {66, 66, 20, 20, 0, 0xd6cdf1, kSwatchStroke, kSwatchStrokeWidth},
    {90, 66, 20, 20, 0, 0xc7e1f9, kSwatchStroke, kSwatchStrokeWidth},
    {18, 90, 20, 20, 0, 0xfce8e8, kSwatchStroke, kSwatchStrokeWidth},
    {42, 90, 20, 20, 0, 0xf6ecf4, kSwatchStroke, kSwatchStrokeWidth},
    {66, 90, 20, 20, 0, 0xeeebf9, kSwatchStroke, kSwatchStrokeWidth},
    {90, 90, 20, 20, 0, 0xe6f1fc, kSwatchStroke, kSwatchStrokeWidth},
}};

constexpr int kSamples = 8;  // per pixel side

// Whether (px, py) lies in the rectangle grown by `grow` on every side (shrunk
// when negative), its corners rounded with radius `r`.
bool Inside(const Shape& s, double grow, double r, double px, double py) {
    const double x0 = s.x - grow, y0 = s.y - grow;
    const double x1 = s.x + s.w + grow, y1 = s.y + s.h + grow;
    if (px < x0 || px >= x1 || py < y0 || py >= y1) {
        return false;
    }
    // Distance into a corner square, then test against that corner's circle.
    const double dx = std::max({x0 + r - px, px - (x1 - r), 0.0});
    const double dy = std::max({y0 + r - py, py - (y1 - r), 0.0});
    return dx * dx + dy * dy <= r * r;
}

// Paints `colour` over the premultiplied pixel with the given coverage.
void Over(std::array<double, 4>& dst, std::uint32_t colour, double coverage) {
    const double keep = 1.0 - coverage;
    for (int c = 0; c < 3; ++c) {
        const double channel = ((colour >> (16 - 8 * c)) & 0xff) / 255.0;
        dst[c] = channel * coverage + dst[c] * keep;
    }
    dst[3] = coverage + dst[3] * keep;
}

IconImage Draw(int size) {
    IconImage image{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size)};
    const double unitsPerPixel = kViewBox / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::array<double, 4> pixel{};  // premultiplied r, g, b, a
            for (const Shape& s : kShapes) {
                const double half = s.strokeWidth / 2;
                if ((x + 1) * unitsPerPixel <= s.x - half ||
                    x * unitsPerPixel >= s.x + s.w + half ||
                    (y + 1) * unitsPerPixel <= s.y - half ||
                    y * unitsPerPixel >= s.y + s.h + half) {
                    continue;
                }
                // The stroke straddles the outline. Its edges are the outline
                // grown and shrunk by half its width, rounded about the same
                // corner centres; a square corner stays square outside, as
                // SVG's default mitre join draws it.
                const double outerR = s.r > 0 ? s.r + half : 0.0;
                const double innerR = std::max(s.r - half, 0.0);
                int fill = 0, stroke = 0;
                for (int j = 0; j < kSamples; ++j) {
                    for (int i = 0; i < kSamples; ++i) {
                        const double px = (x + (i + 0.5) / kSamples) * unitsPerPixel;
                        const double py = (y + (j + 0.5) / kSamples) * unitsPerPixel;
                        fill += Inside(s, 0, s.r, px, py);
                        stroke +=
                            Inside(s, half, outerR, px, py) && !Inside(s, -half, innerR, px, py);
                    }
                }
                // Each shape is blended by its coverage of the whole pixel,
                // as librsvg does, so a fill and its stroke meeting inside a
                // pixel both show through the same way there.
                constexpr double kPerSample = 1.0 / (kSamples * kSamples);
                Over(pixel, s.fill, fill * kPerSample);
                Over(pixel, s.stroke, stroke * kPerSample);
            }
            std::uint32_t argb = 0;
            if (pixel[3] > 0) {
                argb = static_cast<std::uint32_t>(std::lround(pixel[3] * 255)) << 24;
                for (int c = 0; c < 3; ++c) {
                    const auto v =
                        static_cast<std::uint32_t>(std::lround(pixel[c] / pixel[3] * 255));
                    argb |= std::min(v, 255u) << (16 - 8 * c);
                }
            }
            image.argb[static_cast<std::size_t>(y) * size + x] = argb;
        }
    }
    return image;
}

}  // namespace

std::vector<IconImage> QuillmereIcons() {
    std::vector<IconImage> icons;
    for (int size : {16, 32, 48, 64, 128}) {
        icons.push_back(Draw(size));
    }
    return icons;
}
