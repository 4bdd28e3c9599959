#include "spread_targets.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "surface2d.h"

namespace {

// A lookup rounds three times in float (the offset, the reciprocal, the
// product), each by at most 2^-24 relative; this covers them many times over.
constexpr double kRoundingSlack = 0x1p-16;

// The world interval outside which (x - origin) * (1 / cellSize), computed
// in float and truncated toward zero, cannot give a column in 0..count-1.
// False where no point at all gives one: no cells, an origin that is not
// finite, or a cell size whose reciprocal is not a finite positive float.
bool ReachAlong(float origin, float cellSize, int count, double* low, double* high) {
    if (count <= 0 || !std::isfinite(origin) || !(cellSize > 0.0f) || !std::isfinite(cellSize)) {
        return false;
    }
    const float reciprocal = 1.0f / cellSize;
    if (!std::isfinite(reciprocal)) {
        return false;
    }
    // The cell as the lookup measures it, which is not quite cellSize. The
    // slack also keeps high above low where a cell is lost beside the origin.
    const double cell = 1.0 / static_cast<double>(reciprocal);
    const double slack = kRoundingSlack * (std::fabs(origin) + (count + 1.0) * cell);
    *low = origin - cell - slack;
    *high = origin + count * cell + slack;
    return true;
}

// Transfers compare against the next buffer, whose locks hold for the tick.
bool EveryCellLocked(const tvSurface2d& grid) {
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            if (!grid.NextCell(c, r)->locked) {
                return false;
            }
        }
    }
    return true;
}

bool ReachOf(tvSurface2d& grid, tvSpreadTargets::Target* target) {
    target->grid = &grid;
    return ReachAlong(grid.OriginX(), grid.CellWidth(), grid.Columns(), &target->left,
                      &target->right) &&
           ReachAlong(grid.OriginY(), grid.CellHeight(), grid.Rows(), &target->top,
                      &target->bottom);
}

double Median(std::vector<double>& values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

bool tvSpreadTargets::Gather(tvSurface* firstSurface) {
    targets.clear();
    bucketed.clear();
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        if (typeid(*s) != typeid(tvSurface2d)) {
            targets.clear();
            return false;
        }
        Target target;
        auto& grid = static_cast<tvSurface2d&>(*s);
        if (ReachOf(grid, &target) && !EveryCellLocked(grid)) {
            targets.push_back(target);
        }
    }
    if (!targets.empty()) {
        SizeBuckets();
        SortIntoBuckets();
    }
    return true;
}

// Buckets about as large as a typical grid's reach, so a grid lies in few
// buckets and a bucket holds few grids. One far-off grid makes the buckets
// coarser rather than more numerous: their count stays in proportion to the
// number of grids.
void tvSpreadTargets::SizeBuckets() {
    left = targets.front().left;
    right = targets.front().right;
    top = targets.front().top;
    bottom = targets.front().bottom;
    for (const Target& t : targets) {
        left = std::min(left, t.left);
        right = std::max(right, t.right);
        top = std::min(top, t.top);
        bottom = std::max(bottom, t.bottom);
    }
    const int limit = 1 + static_cast<int>(std::sqrt(8.0 * static_cast<double>(targets.size())));

    sizes.clear();
    for (const Target& t : targets) {
        sizes.push_back(t.right - t.left);
    }
    SizeAlong(right - left, limit, &bucketWidth, &bucketColumns);

    sizes.clear();
    for (const Target& t : targets) {
        sizes.push_back(t.bottom - t.top);
    }
    SizeAlong(bottom - top, limit, &bucketHeight, &bucketRows);
}

// The quotient span / size is at most limit, so it converts safely.
void tvSpreadTargets::SizeAlong(double span, int limit, double* size, int* count) {
    *size = std::max(Median(sizes), span / limit);
    *count = std::min(limit, 1 + static_cast<int>(span / *size));
}

// Counts each bucket's grids, turns the counts into end offsets, then places
// the grids from the last to the first, so each bucket lists them in list
// order and its offset comes down to its start.
void tvSpreadTargets::SortIntoBuckets() {
    bucketStart.assign(static_cast<std::size_t>(bucketColumns * bucketRows) + 1, 0);
    auto forEachBucket = [this](const Target& t, auto visit) {
        for (int r = BucketRow(t.top); r <= BucketRow(t.bottom); ++r) {
            for (int c = BucketColumn(t.left); c <= BucketColumn(t.right); ++c) {
                visit(static_cast<std::size_t>(c + r * bucketColumns));
            }
        }
    };
    for (const Target& t : targets) {
        forEachBucket(t, [this](std::size_t b) { ++bucketStart[b]; });
    }
    for (std::size_t b = 1; b < bucketStart.size(); ++b) {
        bucketStart[b] += bucketStart[b - 1];
    }
    bucketed.resize(static_cast<std::size_t>(bucketStart.back()));
    for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
        forEachBucket(*t, [this, t](std::size_t b) { bucketed[--bucketStart[b]] = *t; });
    }
}

// Only called for coordinates within the gathered bounds, where the quotient
// lies between 0 and about the bucket count and so converts safely.
int tvSpreadTargets::BucketColumn(double x) const {
    return std::min(bucketColumns - 1, static_cast<int>((x - left) / bucketWidth));
}

int tvSpreadTargets::BucketRow(double y) const {
    return std::min(bucketRows - 1, static_cast<int>((y - top) / bucketHeight));
}

std::span<const tvSpreadTargets::Target> tvSpreadTargets::Near(tvPoint p) const {
    const double x = p.x;
    const double y = p.y;
    // Also turns away NaN and infinite corners, which no grid has a cell under.
    if (targets.empty() || !(left <= x && x <= right && top <= y && y <= bottom)) {
        return {};
    }
    const std::size_t b = static_cast<std::size_t>(BucketColumn(x) + BucketRow(y) * bucketColumns);
    return {bucketed.data() + bucketStart[b], bucketed.data() + bucketStart[b + 1]};
}
