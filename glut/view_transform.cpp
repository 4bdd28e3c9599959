// The view: world units to window pixels and back. Pan is stored in the form
// the modelview matrix uses, the reflection of the centre point about the
// view centre. The view centre is half the kept window size, whatever size
// the window really has.
#include <cmath>

#include "application_glut.h"
#include "frame_gl.h"

// WindowToWorld maps with the same centre and pan as the frame is drawn
// with, so the world point drawn under a pixel is the point that pixel maps
// to, at any window size.
FrameView ApplicationGLUT::CurrentFrameView() const {
    return FrameView{windowSize.width, windowSize.height, ViewCentre(), zoom, pan, scale};
}

Vec2 ApplicationGLUT::WindowToWorld(float px, float py) const {
    const Vec2 c = ViewCentre();
    const float x = c.x + ((px * PixelScale() - c.x) * (1.0f / zoom) + c.x - pan.x);
    const float y = c.y + ((py * PixelScale() - c.y) * (1.0f / zoom) + c.y - pan.y);
    return Vec2{x, y};
}

Vec2 ApplicationGLUT::ViewCentre() const {
    return Vec2{(viewRect.xMax - viewRect.xMin) * 0.5f, (viewRect.yMax - viewRect.yMin) * 0.5f};
}

Vec2 ApplicationGLUT::GetMousePos() {
    return WindowToWorld(static_cast<float>(pointerPixel.x), static_cast<float>(pointerPixel.y));
}

ViewRect ApplicationGLUT::GetViewRect() {
    return viewRect;
}

// A new view moves every pixel: the next frame is drawn whole.
void ApplicationGLUT::SetPan(float x, float y) {
    const Vec2 c = ViewCentre();
    pan = Vec2{c.x + (x - c.x) * -1.0f, c.y + (y - c.y) * -1.0f};
    InvalidatePicture();
}

Vec2 ApplicationGLUT::GetPan() {
    const Vec2 c = ViewCentre();
    return Vec2{c.x + (pan.x - c.x) * -1.0f, c.y + (pan.y - c.y) * -1.0f};
}

void ApplicationGLUT::SetZoom(float z) {
    // A zero, tiny or non-finite zoom would collapse the projection and make
    // WindowToWorld divide by zero or overflow.
    if (!std::isfinite(z) || !std::isfinite(1.0f / z)) {
        return;
    }
    zoom = z;
    InvalidatePicture();
}
