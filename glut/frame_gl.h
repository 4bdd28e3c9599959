#pragma once

#include "vec2.h"

// The GL state of a frame: where world units land in the window. Plain
// OpenGL 1.1; the host reads the window size from GLUT and passes it in.
struct FrameView {
    // In device pixels.
    int windowWidth;
    int windowHeight;
    // Where zoom scales about, in units from the top left corner.
    Vec2 centre;
    float zoom;
    // The modelview translation, as the host stores its pan.
    Vec2 pan;
    // Device pixels for each unit: the screen's scale factor. Everything
    // but the window's size is in units.
    float scale = 1.0f;
};

// The GL state every frame starts from, set once in the window's new
// context: a white clear colour, alpha blending and smooth lines for the
// cell outlines, no lighting.
void SetUpGLState();

// Clears the window to the clear colour and sets the viewport and the
// projection and modelview matrices for the view: y grows downwards, and at
// zoom 1 with the pan at the centre one world unit is one unit (scale device
// pixels) from the top left corner.
void BeginFrameGL(const FrameView& view);

// The same view, for a frame that draws over parts of the last one: nothing
// is cleared yet.
void BeginPartialFrameGL(const FrameView& view);
// From here until EndPartGL, drawing reaches only the rectangle of window
// pixels (from the top left corner, right and bottom excluded), which is
// cleared first.
void BeginPartGL(const FrameView& view, int left, int top, int right, int bottom);
void EndPartGL();
