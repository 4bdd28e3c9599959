#include "frame_gl.h"

#include <GL/gl.h>

void SetUpGLState() {
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
}

// The viewport and projection cover the window as it really is, which a
// window manager may have made larger or smaller than the size the host
// keeps; the zoom centre and the pan do not depend on it. So at zoom 1 the
// world's origin stays at the top left corner: a larger window shows white
// beyond the scene, a smaller one clips it.
void BeginFrameGL(const FrameView& view) {
    glClear(GL_COLOR_BUFFER_BIT);
    BeginPartialFrameGL(view);
}

void BeginPartialFrameGL(const FrameView& view) {
    const Vec2 c = view.centre;
    glViewport(0, 0, view.windowWidth, view.windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The window's extent in units: at scale 2 every unit covers two by two
    // device pixels.
    glOrtho(0.0, view.windowWidth / static_cast<double>(view.scale),
            view.windowHeight / static_cast<double>(view.scale), 0.0, -1.0, 1.0);
    glTranslatef(c.x, c.y, 0.0f);
    glScalef(view.zoom, view.zoom, 1.0f);
    glTranslatef(-c.x, -c.y, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(view.pan.x, view.pan.y, 0.0f);
    glTranslatef(-c.x, -c.y, 0.0f);
}

// GL counts window rows from the bottom.
void BeginPartGL(const FrameView& view, int left, int top, int right, int bottom) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(left, view.windowHeight - bottom, right - left, bottom - top);
    glClear(GL_COLOR_BUFFER_BIT);
}

void EndPartGL() {
    glDisable(GL_SCISSOR_TEST);
}
