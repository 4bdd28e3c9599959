#include "frame_parts.h"

#include <algorithm>
#include <cmath>

namespace {

// Every part costs the renderer a pass of its own (about 25 us on llvmpipe),
// and pixels drawn over again cost little beside the cells in them, so parts
// are made of tiles 32 pixels a side: a 1024 x 800 window has 800 to mark.
constexpr int kTile = 32;

// The window pixel a world coordinate lands on, along one axis: the view
// scales about the centre c and shifts by the pan, in units, and each unit
// is `scale` device pixels.
double ToPixel(float world, const FrameView& view, float centre, float pan) {
    const double unit =
        centre + static_cast<double>(view.zoom) * (static_cast<double>(world) + pan - 2.0 * centre);
    return unit * view.scale;
}

double ToWorld(double pixel, const FrameView& view, float centre, float pan) {
    return (pixel / view.scale - centre) / view.zoom + 2.0 * centre - pan;
}

// Outward to whole pixels, a pixel to spare, within the window.
bool PixelSpan(double a, double b, int size, int* first, int* end) {
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return false;
    }
    const double low = std::floor(std::min(a, b)) - 1.0;
    const double high = std::ceil(std::max(a, b)) + 1.0;
    *first = static_cast<int>(std::clamp(low, 0.0, static_cast<double>(size)));
    *end = static_cast<int>(std::clamp(high, 0.0, static_cast<double>(size)));
    return true;
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Rows of marked tiles, as runs, with runs over the same columns on rows one
// below the other joined.
std::vector<PixelRect> TileRects(const std::vector<bool>& marked, int columns, int rows, int width,
                                 int height) {
    std::vector<PixelRect> rects;
    std::vector<std::size_t> open;  // rects that reach down to the row above
    std::vector<std::size_t> continued;
    for (int r = 0; r < rows; ++r) {
        continued.clear();
        for (int c = 0; c < columns;) {
            if (!marked[static_cast<std::size_t>(r) * columns + c]) {
                ++c;
                continue;
            }
            int end = c;
            while (end < columns && marked[static_cast<std::size_t>(r) * columns + end]) {
                ++end;
            }
            const PixelRect run{c * kTile, r * kTile, std::min(end * kTile, width),
                                std::min((r + 1) * kTile, height)};
            const auto above = std::find_if(open.begin(), open.end(), [&](std::size_t i) {
                return rects[i].left == run.left && rects[i].right == run.right;
            });
            if (above != open.end()) {
                rects[*above].bottom = run.bottom;
                continued.push_back(*above);
            } else {
                rects.push_back(run);
                continued.push_back(rects.size() - 1);
            }
            c = end;
        }
        open.swap(continued);
    }
    return rects;
}

}  // namespace

long long FrameParts::DrawnArea() const {
    long long area = 0;
    for (const PixelRect& r : draw) {
        area += r.Area();
    }
    return area;
}

bool PlanFrameParts(const FrameView& view, const std::vector<WorldRect>& areas, FrameParts& parts) {
    parts.draw.clear();
    parts.present.clear();
    const int width = std::max(view.windowWidth, 0);
    const int height = std::max(view.windowHeight, 0);
    const int columns = (width + kTile - 1) / kTile;
    const int rows = (height + kTile - 1) / kTile;
    std::vector<bool> marked(static_cast<std::size_t>(columns) * rows, false);
    for (const WorldRect& area : areas) {
        PixelRect p;
        if (!PixelSpan(ToPixel(area.left, view, view.centre.x, view.pan.x),
                       ToPixel(area.right, view, view.centre.x, view.pan.x), width, &p.left,
                       &p.right) ||
            !PixelSpan(ToPixel(area.top, view, view.centre.y, view.pan.y),
                       ToPixel(area.bottom, view, view.centre.y, view.pan.y), height, &p.top,
                       &p.bottom)) {
            return false;
        }
        if (p.Empty()) {
            continue;
        }
        for (int r = p.top / kTile; r <= (p.bottom - 1) / kTile; ++r) {
            for (int c = p.left / kTile; c <= (p.right - 1) / kTile; ++c) {
                marked[static_cast<std::size_t>(r) * columns + c] = true;
            }
        }
    }
    parts.draw = TileRects(marked, columns, rows, width, height);
    // Each present of Mesa's software renderer puts the image and waits for
    // the X server: one rectangle round every part puts more pixels than
    // the parts hold, but waits once a frame.
    if (!parts.draw.empty()) {
        PixelRect all = parts.draw.front();
        for (const PixelRect& r : parts.draw) {
            all = Union(all, r);
        }
        parts.present = {all};
    }
    return true;
}

// A renderer fills the pixels whose centres a primitive covers, its vertices
// snapped to a fraction of a pixel (llvmpipe: 1/256), so whatever reaches
// within a sixty-fourth of a pixel of the outermost centres counts.
WorldRect WorldAreaOf(const FrameView& view, const PixelRect& rect) {
    constexpr double kSlack = 1.0 / 64.0;
    const double first = 0.5 - kSlack;
    const double last = 0.5 - kSlack;
    const double x0 = ToWorld(rect.left + first, view, view.centre.x, view.pan.x);
    const double x1 = ToWorld(rect.right - last, view, view.centre.x, view.pan.x);
    const double y0 = ToWorld(rect.top + first, view, view.centre.y, view.pan.y);
    const double y1 = ToWorld(rect.bottom - last, view, view.centre.y, view.pan.y);
    return {static_cast<float>(std::min(x0, x1)), static_cast<float>(std::min(y0, y1)),
            static_cast<float>(std::max(x0, x1)), static_cast<float>(std::max(y0, y1))};
}
