#pragma once

// A position or displacement in world units (x to the right, y downwards).
struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};

// The visible extent of the view, in window units.
struct ViewRect {
    float xMin = 0.0f;
    float xMax = 0.0f;
    float yMin = 0.0f;
    float yMax = 0.0f;
};
