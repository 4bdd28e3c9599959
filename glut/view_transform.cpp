// The view: world units to window pixels and back. Pan is stored in the form
// the modelview matrix uses, the reflection of the centre point about the
// view centre. The view centre is half the kept window size, whatever size
// the window really has.
#include <GL/freeglut.h>

#include <cmath>

#include "application_glut.h"

void ApplicationGLUT::ApplyViewTransform() {
    // The viewport and projection cover the window as it really is, which a
    // window manager may have made larger or smaller than the kept size. The
    // zoom centre and the pan come from viewRect, as in WindowToWorld, so the
    // world point drawn under a pixel is the point that pixel maps to, and at
    // zoom 1 the world's origin stays at the top left corner: a larger window
    // shows white beyond the scene, a smaller one clips it.
    const int wp = glutGet(GLUT_WINDOW_WIDTH);
    const int hp = glutGet(GLUT_WINDOW_HEIGHT);
    const Vec2 c = ViewCentre();
    glViewport(0, 0, wp, hp);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, wp, hp, 0.0, -1.0, 1.0);
    glTranslatef(c.x, c.y, 0.0f);
    glScalef(zoom, zoom, 1.0f);
    glTranslatef(-c.x, -c.y, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(pan.x, pan.y, 0.0f);
    glTranslatef(-c.x, -c.y, 0.0f);
}

bool ApplicationGLUT::DescribeView(PictureState& state) {
    const int size[] = {glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
    const Vec2 c = ViewCentre();
    const float view[] = {c.x, c.y, zoom, pan.x, pan.y};
    state.Add(size);
    state.Add(view);
    return true;
}

Vec2 ApplicationGLUT::WindowToWorld(float px, float py) const {
    const Vec2 c = ViewCentre();
    const float x = c.x + ((px * pixelScale - c.x) * (1.0f / zoom) + c.x - pan.x);
    const float y = c.y + ((py * pixelScale - c.y) * (1.0f / zoom) + c.y - pan.y);
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

void ApplicationGLUT::SetPan(float x, float y) {
    const Vec2 c = ViewCentre();
    pan = Vec2{c.x + (x - c.x) * -1.0f, c.y + (y - c.y) * -1.0f};
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
}
