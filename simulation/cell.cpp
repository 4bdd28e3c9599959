#include "cell.h"

#include <cstdlib>

namespace {

// The single-precision value nearest to 1/32767, so that both 0 and 1 can be drawn.
constexpr float kRandomScale = 1.0f / 32767.0f;
// Components are drawn as 15-bit integers. glibc's rand() reaches 2^31 - 1,
// which would put colours far outside 0..1; where RAND_MAX is 32767 the
// reduction changes nothing, so a seed draws the same colours everywhere.
constexpr int kRandomRange = 32768;

float RandomComponent() {
    return static_cast<float>(std::rand() % kRandomRange) * kRandomScale;
}

}  // namespace

// Separate statements: the order of the three draws is part of what a seed reproduces.
tvCellLayer::tvCellLayer() {
    red = RandomComponent();
    green = RandomComponent();
    blue = RandomComponent();
}

tvCell SourceCell(int sourceLayer, float red, float green, float blue, float amount) {
    tvCell cell;
    tvCellLayer& layer = cell.layers[sourceLayer];
    layer.source = true;
    layer.red = red;
    layer.green = green;
    layer.blue = blue;
    layer.amount = amount;
    cell.locked = true;
    return cell;
}
