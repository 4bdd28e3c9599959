#include "pixel_view.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double kScaleTolerance = 1e-6;
constexpr double kOffsetTolerance = 1e-3;
// Far beyond any screen's density; keeps the pixel arithmetic in range.
constexpr double kLargestScale = 64.0;

struct Matrix {
    double at[4][4];  // [row][column]
};

Matrix FromColumnMajor(const float m[16]) {
    Matrix result{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            result.at[row][column] = m[column * 4 + row];
        }
    }
    return result;
}

Matrix Product(const Matrix& a, const Matrix& b) {
    Matrix result{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            for (int k = 0; k < 4; ++k) {
                result.at[row][column] += a.at[row][k] * b.at[k][column];
            }
        }
    }
    return result;
}

bool Near(double value, double target, double tolerance) {
    return std::fabs(value - target) <= tolerance;
}

std::optional<int> WholeNumber(double value) {
    const double nearest = std::round(value);
    if (!Near(value, nearest, kOffsetTolerance) || std::fabs(nearest) > 1e9) {
        return std::nullopt;
    }
    return static_cast<int>(nearest);
}

}  // namespace

std::optional<tvPixelView> WholePixelView(const float modelview[16], const float projection[16],
                                          const int viewport[4]) {
    const Matrix m = Product(FromColumnMajor(projection), FromColumnMajor(modelview));
    // Points of the plane z = 0 only: the third column never counts.
    const double w = m.at[3][3];
    if (m.at[3][0] != 0.0 || m.at[3][1] != 0.0 || !(w > 0.0)) {
        return std::nullopt;
    }
    const double halfWidth = viewport[2] * 0.5;
    const double halfHeight = viewport[3] * 0.5;
    const double scale = std::round(m.at[0][0] / w * halfWidth);
    const bool wholeScale = scale >= 1.0 && scale <= kLargestScale &&
                            Near(m.at[0][0] / w * halfWidth, scale, kScaleTolerance * scale) &&
                            Near(m.at[1][1] / w * halfHeight, -scale, kScaleTolerance * scale) &&
                            Near(m.at[0][1] / w * halfWidth, 0.0, kScaleTolerance) &&
                            Near(m.at[1][0] / w * halfHeight, 0.0, kScaleTolerance);
    if (!wholeScale) {
        return std::nullopt;
    }
    const std::optional<int> left = WholeNumber(viewport[0] + (m.at[0][3] / w + 1.0) * halfWidth);
    const std::optional<int> top = WholeNumber(viewport[1] + (m.at[1][3] / w + 1.0) * halfHeight);
    if (!left || !top) {
        return std::nullopt;
    }
    return tvPixelView{*left, *top, static_cast<int>(scale)};
}

std::optional<tvPixelView> CurrentPixelView() {
    float modelview[16];
    float projection[16];
    int viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    return WholePixelView(modelview, projection, viewport);
}
