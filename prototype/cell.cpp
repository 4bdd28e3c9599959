#include "cell.h"

#include <cstdlib>

namespace {

// The single-precision value nearest to 1/32767, so that both 0 and 1 can be drawn.
constexpr float kRandomScale = 1.0f / 32767.0f;

float RandomComponent() {
    return static_cast<float>(std::rand()) * kRandomScale;
}

}  // namespace

// Separate statements: the order of the three draws is part of what a seed reproduces.
tvCellLayer::tvCellLayer() {
    red = RandomComponent();
    green = RandomComponent();
    blue = RandomComponent();
}
