#include "scene.h"

#include <cstdlib>

#include "surface2d.h"

namespace scene {

namespace {

tvSurface2d* AddGrid(tvWorld& world, GridPlace place) {
    return new tvSurface2d(&world, place.left, place.top, kCellSize, place.columns, place.rows);
}

}  // namespace

tvSurface2d* AddSwatch(tvWorld& world, int n, Colour colour) {
    const int k = std::rand() % tvCell::kLayerCount;
    tvSurface2d* swatch = AddGrid(world, SwatchPlace(n));
    swatch->Fill(SourceCell(k, colour.red, colour.green, colour.blue, 1.0f));
    return swatch;
}

void Build(tvWorld& world) {
    AddGrid(world, kCanvasA);
    AddGrid(world, kCanvasB);
    for (int n = 0; n < kSwatchCount; ++n) {
        AddSwatch(world, n, kSwatchColours[n]);
    }
}

}  // namespace scene
