// Which parts of the window a frame redraws and presents: every pixel a
// changed area lands on, whatever the view, is redrawn once, within the
// window, and presented.
#include "frame_parts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 800;

FrameView View(float zoom, Vec2 pan) {
    return {kWidth, kHeight, {kWidth * 0.5f, kHeight * 0.5f}, zoom, pan};
}

int CountCovering(const std::vector<PixelRect>& rects, int x, int y) {
    int count = 0;
    for (const PixelRect& r : rects) {
        count += x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    }
    return count;
}

TEST(FramePartsTest, EveryPixelOfAChangedAreaIsRedrawnOnceAndPresented) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> place(-200.0f, 1200.0f);
    std::uniform_real_distribution<float> size(0.0f, 60.0f);
    for (const FrameView& view : {View(1.0f, {512.0f, 400.0f}), View(2.0f, {400.0f, 420.0f}),
                                  View(0.75f, {600.5f, 333.25f}), View(-1.0f, {512.0f, 400.0f})}) {
        std::vector<WorldRect> areas;
        for (int i = 0; i < 40; ++i) {
            const float x = place(random);
            const float y = place(random);
            areas.push_back({x, y, x + size(random), y + size(random)});
        }
        FrameParts parts;
        ASSERT_TRUE(PlanFrameParts(view, areas, parts));
        EXPECT_LE(parts.present.size(), 1u);
        for (const PixelRect& r : parts.draw) {
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= kWidth && r.bottom <= kHeight);
        }
        // The pixel centres of each area, mapped as the frame maps them.
        for (const WorldRect& a : areas) {
            const auto px = [&](float wx) {
                return view.centre.x + view.zoom * (wx + view.pan.x - 2.0f * view.centre.x);
            };
            const auto py = [&](float wy) {
                return view.centre.y + view.zoom * (wy + view.pan.y - 2.0f * view.centre.y);
            };
            const int x0 =
                std::max(0, static_cast<int>(std::floor(std::min(px(a.left), px(a.right)))));
            const int x1 =
                std::min(kWidth, static_cast<int>(std::ceil(std::max(px(a.left), px(a.right)))));
            const int y0 =
                std::max(0, static_cast<int>(std::floor(std::min(py(a.top), py(a.bottom)))));
            const int y1 =
                std::min(kHeight, static_cast<int>(std::ceil(std::max(py(a.top), py(a.bottom)))));
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    ASSERT_EQ(CountCovering(parts.draw, x, y), 1)
                        << "pixel (" << x << ", " << y << ") at zoom " << view.zoom;
                    ASSERT_GE(CountCovering(parts.present, x, y), 1);
                }
            }
        }
        // The world area given for a part reaches the centres of its outermost
        // pixels, where the renderer decides what covers them.
        for (const PixelRect& r : parts.draw) {
            const WorldRect w = WorldAreaOf(view, r);
            const FrameView& v = view;
            const float left = v.centre.x + v.zoom * (w.left + v.pan.x - 2.0f * v.centre.x);
            const float right = v.centre.x + v.zoom * (w.right + v.pan.x - 2.0f * v.centre.x);
            EXPECT_LE(std::min(left, right), static_cast<float>(r.left) + 0.5f);
            EXPECT_GE(std::max(left, right), static_cast<float>(r.right) - 0.5f);
        }
    }
}

TEST(FramePartsTest, AreasOffTheWindowDrawNothingAndOnesThatAreNotNumbersDrawTheWholeFrame) {
    FrameParts parts;
    ASSERT_TRUE(PlanFrameParts(View(1.0f, {512.0f, 400.0f}), {{2000, 10, 2100, 50}}, parts));
    EXPECT_TRUE(parts.draw.empty());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(PlanFrameParts(View(1.0f, {512.0f, 400.0f}), {{nan, 10, 20, 50}}, parts));
    EXPECT_FALSE(PlanFrameParts(View(1.0f, {512.0f, 400.0f}),
                                {{0, 0, std::numeric_limits<float>::infinity(), 5}}, parts));
}

}  // namespace
