#pragma once

#include "colour.h"

class tvWorld;
class tvSurface2d;

// The program's scene: two blank canvases and a row of seven colour swatches,
// every grid of 10-unit cells, in world units with y growing downwards.
namespace scene {

struct GridPlace {
    float left;
    float top;
    int columns;
    int rows;
};

// The window the scene is laid out for, in pixels at the start-up view.
inline constexpr int kWindowWidth = 1024;
inline constexpr int kWindowHeight = 800;

inline constexpr float kCellSize = 10.0f;
inline constexpr GridPlace kCanvasA{100.0f, 170.0f, 48, 48};
inline constexpr GridPlace kCanvasB{600.0f, 500.0f, 12, 12};

inline constexpr int kSwatchCount = 7;
inline constexpr Colour kSwatchColours[kSwatchCount] = {
    {1.0f, 0.0f, 0.0f},     // red
    {0.0f, 1.0f, 0.0f},     // green
    {0.0f, 0.0f, 1.0f},     // blue
    {1.0f, 1.0f, 0.0f},     // yellow
    {1.0f, 0.5f, 0.0f},     // orange
    {1.0f, 0.0f, 1.0f},     // magenta
    {0.5f, 0.25f, 0.0625f}  // brown
};

// Swatch n (0..6): a 4 x 4 block at ((n + 2) * 50, 30).
constexpr GridPlace SwatchPlace(int n) {
    return {static_cast<float>((n + 2) * 50), 30.0f, 4, 4};
}

// Swatch n: a locked grid whose cells carry the colour at full amount in one
// source layer, drawn from rand() before the grid's own random layer
// colours, so a seed reproduces the whole scene.
tvSurface2d* AddSwatch(tvWorld& world, int n, Colour colour);

// Canvas A, canvas B, then the swatches in order, each at the head of the
// world's list.
void Build(tvWorld& world);

}  // namespace scene
