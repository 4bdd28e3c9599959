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

void tv1MainMode::CollectChanges(PictureChanges& changes) {
    tvDrawChanges changed;
    world.CollectDrawChanges(changed);
    if (changed.all) {
        changes.AddAll();
        return;
    }
    for (const tvBounds& b : changed.areas) {
        changes.Add({b.left, b.top, b.right, b.bottom});
    }
}

void tv1MainMode::MarkShown() {
    world.MarkDrawn();
}

void tv1MainMode::DrawArea(const WorldRect& area) {
    world.DrawPart({area.left, area.right, area.top, area.bottom});
}

// A settled world steps into itself: the ticks it would take change nothing.
bool tv1MainMode::NeedsTicks() {
    return !world.IsSettled();
}
