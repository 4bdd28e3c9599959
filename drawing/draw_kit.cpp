#include "draw_kit.h"

#include <GL/gl.h>

namespace {

Colour currentColour{0.0f, 0.0f, 0.0f};
float currentAlpha = 1.0f;

void Vertex(tvPoint p) {
    glVertex2f(p.x, p.y);
}

}  // namespace

void Colour::Apply() const {
    SetDrawColour(red, green, blue);
}

void SetDrawColour(float red, float green, float blue) {
    currentColour = Colour{red, green, blue};
    glColor4f(red, green, blue, currentAlpha);
}

void SetDrawAlpha(float alpha) {
    currentAlpha = alpha;
    currentColour.Apply();
}

std::array<tvPoint, 4> RectCorners(tvBounds rect) {
    return {tvPoint{rect.left, rect.top}, tvPoint{rect.right, rect.top},
            tvPoint{rect.right, rect.bottom}, tvPoint{rect.left, rect.bottom}};
}

void FillRect(tvBounds rect) {
    glBegin(GL_QUADS);
    for (const tvPoint& corner : RectCorners(rect)) {
        Vertex(corner);
    }
    glEnd();
}

// Outer and inner corners alternate round the ring; the last pair repeats the
// first to close it.
void FrameRect(tvBounds rect, float width) {
    const tvBounds inner{rect.left + width, rect.right - width, rect.top + width,
                         rect.bottom - width};
    const std::array<tvPoint, 4> outer = RectCorners(rect);
    const std::array<tvPoint, 4> in = RectCorners(inner);
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= 4; ++i) {
        Vertex(outer[i % 4]);
        Vertex(in[i % 4]);
    }
    glEnd();
}

void OutlineRect(tvBounds rect) {
    FrameRect(rect, OutlineWidth);
}

const Colour& OutlineColour() {
    static const Colour grey{0.5f, 0.5f, 0.5f};
    return grey;
}
