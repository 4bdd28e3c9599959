#pragma once

#include <vector>

#include "frame_gl.h"
#include "picture_changes.h"

// A rectangle of window pixels from the top left corner; right and bottom
// are excluded.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Empty() const { return left >= right || top >= bottom; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    long long Area() const {
        return Empty() ? 0 : static_cast<long long>(right - left) * (bottom - top);
    }
    bool operator==(const PixelRect&) const = default;
};

// A frame that redraws only where the picture changed: the rectangles to
// clear and draw again, which together cover every pixel that may have
// changed, and the rectangle round them to present.
struct FrameParts {
    std::vector<PixelRect> draw;
    std::vector<PixelRect> present;

    long long DrawnArea() const;
};

// Where the changed world areas land in the window of the view. False when
// one of them cannot be placed (it is not a number, or beyond any window):
// the whole frame is drawn then.
//
// Every pixel a changed area touches lies in a drawn rectangle, with one
// pixel to spare for the renderer's rounding. The rectangles are made of
// tiles of the window, which bounds their number whatever the number of
// areas.
bool PlanFrameParts(const FrameView& view, const std::vector<WorldRect>& areas, FrameParts& parts);

// The world area under the centres of the rectangle's pixels: what is drawn
// there is all that can reach them.
WorldRect WorldAreaOf(const FrameView& view, const PixelRect& rect);
