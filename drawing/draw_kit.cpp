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

void tvQuadBatch::Clear() {
    corners.clear();
    colours.clear();
}

void tvQuadBatch::Add(tvBounds rect, const std::array<std::uint8_t, 3>& rgb) {
    for (const tvPoint& corner : RectCorners(rect)) {
        corners.push_back(corner.x);
        corners.push_back(corner.y);
        colours.insert(colours.end(), {rgb[0], rgb[1], rgb[2], 255});
    }
}

// GL turns an 8-bit colour k into k / 255, the float SetDrawColour would be
// given, and k / 255 in single precision times 255 is k again for every
// byte, so a renderer stores k whether it rounds or truncates.
void tvQuadBatch::Draw() const {
    if (corners.empty()) {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, corners.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(corners.size() / 2));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
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
