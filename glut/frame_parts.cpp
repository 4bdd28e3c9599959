#include "frame_parts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// 16 pixels a side: a changed cell of 10 pixels costs at most a 32 x 32
// block, and a 1024 x 800 window has 3,200 tiles to mark.
constexpr int kTile = 16;
// Each present of Mesa's software renderer puts the image and waits for the
// X server once.
constexpr std::size_t kMostPresents = 4;

// The window pixel a world coordinate lands on, along one axis: the view
// scales about the centre c and shifts by the pan.
double ToPixel(float world, float centre, float zoom, float pan) {
    return centre + static_cast<double>(zoom) * (static_cast<double>(world) + pan - 2.0 * centre);
}

double ToWorld(double pixel, float centre, float zoom, float pan) {
    return (pixel - centre) / zoom + 2.0 * centre - pan;
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

// Merges the two rectangles whose union adds the least area, until few
// enough are left.
std::vector<PixelRect> MergeDown(std::vector<PixelRect> rects, std::size_t most) {
    while (rects.size() > most) {
        std::size_t best[2] = {0, 1};
        long long bestCost = std::numeric_limits<long long>::max();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            for (std::size_t j = i + 1; j < rects.size(); ++j) {
                const long long cost =
                    Union(rects[i], rects[j]).Area() - rects[i].Area() - rects[j].Area();
                if (cost < bestCost) {
                    bestCost = cost;
                    best[0] = i;
                    best[1] = j;
                }
            }
        }
        rects[best[0]] = Union(rects[best[0]], rects[best[1]]);
        rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(best[1]));
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
        if (!PixelSpan(ToPixel(area.left, view.centre.x, view.zoom, view.pan.x),
                       ToPixel(area.right, view.centre.x, view.zoom, view.pan.x), width, &p.left,
                       &p.right) ||
            !PixelSpan(ToPixel(area.top, view.centre.y, view.zoom, view.pan.y),
                       ToPixel(area.bottom, view.centre.y, view.zoom, view.pan.y), height, &p.top,
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
    parts.present = MergeDown(parts.draw, kMostPresents);
    return true;
}

WorldRect WorldAreaOf(const FrameView& view, const PixelRect& rect) {
    const double x0 = ToWorld(rect.left, view.centre.x, view.zoom, view.pan.x);
    const double x1 = ToWorld(rect.right, view.centre.x, view.zoom, view.pan.x);
    const double y0 = ToWorld(rect.top, view.centre.y, view.zoom, view.pan.y);
    const double y1 = ToWorld(rect.bottom, view.centre.y, view.zoom, view.pan.y);
    return {static_cast<float>(std::min(x0, x1)), static_cast<float>(std::min(y0, y1)),
            static_cast<float>(std::max(x0, x1)), static_cast<float>(std::max(y0, y1))};
}
