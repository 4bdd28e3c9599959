#include "main_mode.h"

#include "drag_surface.h"
#include "scene.h"
#include "surface2d.h"

void tv1MainMode::OnPush() {
    SetWindowSize(static_cast<float>(scene::kWindowWidth),
                  static_cast<float>(scene::kWindowHeight));
    scene::Build(world);
}

void tv1MainMode::CreateSwatch(int n, Colour colour) {
    scene::AddSwatch(world, n, colour);
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
