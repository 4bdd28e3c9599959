#include "main_mode.h"

#include <cstdlib>

#include "drag_surface.h"
#include "surface2d.h"

namespace {

constexpr float kCellSize = 10.0f;
constexpr int kSwatchCells = 4;
constexpr float kSwatchTop = 30.0f;
constexpr int kSwatchSpacing = 50;

constexpr Colour kSwatchColours[] = {
    {1.0f, 0.0f, 0.0f},     // red
    {0.0f, 1.0f, 0.0f},     // green
    {0.0f, 0.0f, 1.0f},     // blue
    {1.0f, 1.0f, 0.0f},     // yellow
    {1.0f, 0.5f, 0.0f},     // orange
    {1.0f, 0.0f, 1.0f},     // magenta
    {0.5f, 0.25f, 0.0625f}  // brown
};

}  // namespace

void tv1MainMode::OnPush() {
    SetWindowSize(1024.0f, 800.0f);
    new tvSurface2d(&world, 100.0f, 170.0f, kCellSize, 48, 48);
    new tvSurface2d(&world, 600.0f, 500.0f, kCellSize, 12, 12);
    int n = 0;
    for (const Colour& colour : kSwatchColours) {
        CreateSwatch(n++, colour);
    }
}

// The source layer is drawn before the grid takes its own random colours, so
// a seed reproduces the whole scene.
void tv1MainMode::CreateSwatch(int n, Colour colour) {
    const int k = std::rand() % tvCell::kLayerCount;
    auto* swatch = new tvSurface2d(&world, static_cast<float>((n + 2) * kSwatchSpacing), kSwatchTop,
                                   kCellSize, kSwatchCells, kSwatchCells);
    swatch->Fill(SourceCell(k, colour.red, colour.green, colour.blue, 1.0f));
}

void tv1MainMode::OnMouseDown(float x, float y) {
    tvSurface* picked = world.SurfaceAt(x, y);
    if (!picked) {
        return;
    }
    if (IsAltDown()) {
        picked = picked->Clone();
    }
    StartDrag(picked);
}

void tv1MainMode::OnMouseUp(float /*x*/, float /*y*/) {}

// The key code is not looked at: every key clears, special keys included.
void tv1MainMode::OnKey(int /*key*/) {
    world.ClearAll(false);
}

// The frame comes before the step, and the stack draws another after it.
void tv1MainMode::OnUpdate() {
    Redraw();
    world.StepAll();
}

void tv1MainMode::OnDraw() {
    world.DrawAll();
}

bool tv1MainMode::DescribePicture(PictureState& state) {
    return world.DescribeDrawing(
        [&state](const void* data, std::size_t size) { state.AddBytes(data, size); });
}
