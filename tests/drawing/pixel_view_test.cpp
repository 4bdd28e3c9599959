// Reading the view from GL's matrices as glGetFloatv hands them out, column
// by column. The matrices are built here the way the GLUT host builds them
// (an orthographic projection with zoom about the window centre, then the pan),
// in single precision as GL keeps them.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "pixel_view.h"

namespace {

using Matrix = std::array<float, 16>;

Matrix Identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix Times(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[column * 4 + k];
            }
            m[column * 4 + row] = sum;
        }
    }
    return m;
}

Matrix Translate(float x, float y) {
    Matrix m = Identity();
    m[12] = x;
    m[13] = y;
    return m;
}

Matrix Scale(float s) {
    Matrix m = Identity();
    m[0] = s;
    m[5] = s;
    return m;
}

Matrix Ortho(float left, float right, float bottom, float top) {
    Matrix m = Identity();
    m[0] = 2.0f / (right - left);
    m[5] = 2.0f / (top - bottom);
    m[10] = -1.0f;
    m[12] = -(right + left) / (right - left);
    m[13] = -(top + bottom) / (top - bottom);
    return m;
}

struct View {
    Matrix projection;
    Matrix modelview;
    std::array<int, 4> viewport;

    std::optional<tvPixelView> Read() const {
        return WholePixelView(modelview.data(), projection.data(), viewport.data());
    }
};

// The host's view of a w x h window with the given zoom and stored pan.
View HostView(float w, float h, float zoom, float panX, float panY) {
    View v;
    v.projection =
        Times(Times(Times(Ortho(0, w, h, 0), Translate(w * 0.5f, h * 0.5f)), Scale(zoom)),
              Translate(w * -0.5f, h * -0.5f));
    v.modelview = Times(Translate(panX, panY), Translate(w * -0.5f, h * -0.5f));
    v.viewport = {0, 0, static_cast<int>(w), static_cast<int>(h)};
    return v;
}

TEST(WholePixelView, TheProgramsViewPutsWorldPointsOnTheirOwnPixels) {
    for (const auto& [w, h] : {std::pair{1024.0f, 800.0f}, std::pair{640.0f, 480.0f}}) {
        const std::optional<tvPixelView> view = HostView(w, h, 1.0f, w * 0.5f, h * 0.5f).Read();
        ASSERT_TRUE(view) << w << " x " << h;
        EXPECT_EQ(view->left, 0);
        // GL counts window rows from the bottom: world y 0 is the top edge.
        EXPECT_EQ(view->top, static_cast<int>(h));
    }
}

TEST(WholePixelView, AWholePixelPanShiftsTheOffsets) {
    // The stored pan (424, 390) shows world (600, 410) at the window centre.
    const std::optional<tvPixelView> view = HostView(1024, 800, 1.0f, 424.0f, 390.0f).Read();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->left, -88);
    EXPECT_EQ(view->top, 810);
}

// A window of twice the density draws the logical 1024 x 800 into 2048 x
// 1600 pixels: each world unit on two by two pixels.
TEST(WholePixelView, AWholeNumberOfPixelsPerUnitIsItsScale) {
    View dense = HostView(1024, 800, 1.0f, 512.0f, 400.0f);
    dense.viewport = {0, 0, 2048, 1600};
    const std::optional<tvPixelView> view = dense.Read();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->scale, 2);
    EXPECT_EQ(view->left, 0);
    EXPECT_EQ(view->top, 1600);
    EXPECT_FALSE(HostView(1024, 800, 1.5f, 512.0f, 400.0f).Read()) << "zoom 1.5";
}

TEST(WholePixelView, NoneForFractionalZoomFractionalPanFlipOrPerspective) {
    EXPECT_FALSE(HostView(1024, 800, 0.5f, 512.0f, 400.0f).Read()) << "zoom 0.5";
    EXPECT_FALSE(HostView(1024, 800, 1.0001f, 512.0f, 400.0f).Read()) << "zoom 1.0001";
    EXPECT_FALSE(HostView(1024, 800, 1.0f, 512.5f, 400.0f).Read()) << "pan half a pixel in x";
    EXPECT_FALSE(HostView(1024, 800, 1.0f, 512.0f, 400.25f).Read()) << "pan a quarter in y";

    View upward = HostView(1024, 800, 1.0f, 512.0f, 400.0f);
    upward.projection = Ortho(0, 1024, 0, 800);
    EXPECT_FALSE(upward.Read()) << "y upwards";

    View perspective = HostView(1024, 800, 1.0f, 512.0f, 400.0f);
    perspective.projection[3] = 0.001f;
    EXPECT_FALSE(perspective.Read()) << "w depends on x";

    View rotated = HostView(1024, 800, 1.0f, 512.0f, 400.0f);
    rotated.modelview[1] = 0.01f;
    EXPECT_FALSE(rotated.Read()) << "x leaks into y";
}

// A viewport that does not match the projection's size scales the picture.
TEST(WholePixelView, NoneWhenTheViewportStretchesThePicture) {
    View stretched = HostView(1024, 800, 1.0f, 512.0f, 400.0f);
    stretched.viewport = {0, 0, 640, 480};
    EXPECT_FALSE(stretched.Read());
}

}  // namespace
