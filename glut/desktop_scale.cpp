#include "desktop_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kSteps = 4.0;

}  // namespace

std::optional<float> RoundScale(double factor) {
    // Half a step beyond the largest still rounds to it.
    if (!std::isfinite(factor) || !(factor > 0.0) || factor >= kLargestScale + 0.5 / kSteps) {
        return std::nullopt;
    }
    const double rounded = std::round(factor * kSteps) / kSteps;
    return static_cast<float>(std::clamp(rounded, static_cast<double>(kSmallestScale),
                                         static_cast<double>(kLargestScale)));
}

std::optional<float> GivenScale(float given) {
    if (given >= kSmallestScale && given <= kLargestScale) {
        return RoundScale(given);
    }
    return std::nullopt;
}

float FitScale(float scale, int width, int height, const ScreenArea& area) {
    const int areaWidth = area.width;
    const int areaHeight = area.height;
    if (areaWidth <= 0 || areaHeight <= 0 || width <= 0 || height <= 0) {
        return scale;
    }
    if (area.fitsExactly) {
        // The smaller ratio's side is the area's exactly; the other side,
        // rounded, stays inside it.
        const double ratio = std::min(static_cast<double>(areaWidth) / width,
                                      static_cast<double>(areaHeight) / height);
        return std::min(scale, static_cast<float>(ratio));
    }
    float fitted = std::floor(scale * static_cast<float>(kSteps)) / static_cast<float>(kSteps);
    while (fitted > kSmallestScale &&
           (ScaledSide(width, fitted) > areaWidth || ScaledSide(height, fitted) > areaHeight)) {
        fitted -= 1.0f / static_cast<float>(kSteps);
    }
    return std::max(fitted, kSmallestScale);
}

int ScaledSide(int units, float scale) {
    const double side = std::round(static_cast<double>(units) * scale);
    return side > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                  : static_cast<int>(side);
}
