// The view: world units to window pixels and back. Pan is stored in the form
// the modelview matrix uses, the reflection of the centre point about the
// view centre.
#include <GL/freeglut.h>

#include <cmath>

#include "application_glut.h"

void ApplicationGLUT::ApplyViewTransform() {
    // The live window size, not viewRect: the projection must fill whatever
    // the window really is.
    const float wp = static_cast<float>(glutGet(GLUT_WINDOW_WIDTH));
    const float hp = static_cast<float>(glutGet(GLUT_WINDOW_HEIGHT));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, wp, hp, 0.0, -1.0, 1.0);
    glTranslatef(wp * 0.5f, hp * 0.5f, 0.0f);
    glScalef(zoom, zoom, 1.0f);
    glTranslatef(wp * -0.5f, hp * -0.5f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(pan.x, pan.y, 0.0f);
    glTranslatef(wp * -0.5f, hp * -0.5f, 0.0f);
}

Vec2 ApplicationGLUT::WindowToWorld(float px, float py) const {
    // Halved in integers: an odd width maps half a unit left of where the
    // projection draws, which the even window sizes in use never show.
    const int w = static_cast<int>(viewRect.xMax - viewRect.xMin);
    const int h = static_cast<int>(viewRect.yMax - viewRect.yMin);
    const float hw = static_cast<float>(w / 2);
    const float hh = static_cast<float>(h / 2);
    const float x = hw + ((px * pixelScale - hw) * (1.0f / zoom) + hw - pan.x);
    const float y = hh + ((py * pixelScale - hh) * (1.0f / zoom) + hh - pan.y);
    return Vec2{x, y};
}

Vec2 ApplicationGLUT::GetMousePos() {
    return WindowToWorld(static_cast<float>(pointerPixel.x), static_cast<float>(pointerPixel.y));
}

ViewRect ApplicationGLUT::GetViewRect() {
    return viewRect;
}

void ApplicationGLUT::SetPan(float x, float y) {
    const float cx = (viewRect.xMax - viewRect.xMin) * 0.5f;
    const float cy = (viewRect.yMax - viewRect.yMin) * 0.5f;
    pan = Vec2{cx + (x - cx) * -1.0f, cy + (y - cy) * -1.0f};
}

Vec2 ApplicationGLUT::GetPan() {
    const float cx = (viewRect.xMax - viewRect.xMin) * 0.5f;
    const float cy = (viewRect.yMax - viewRect.yMin) * 0.5f;
    return Vec2{cx + (pan.x - cx) * -1.0f, cy + (pan.y - cy) * -1.0f};
}

void ApplicationGLUT::SetZoom(float z) {
    // A zero, tiny or non-finite zoom would collapse the projection and make
    // WindowToWorld divide by zero or overflow.
    if (!std::isfinite(z) || !std::isfinite(1.0f / z)) {
        return;
    }
    zoom = z;
}
