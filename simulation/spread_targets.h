#pragma once

#include <span>
#include <vector>

#include "cell.h"

class tvSurface;
class tvSurface2d;

// The grids of a world that a cell corner can pass colour to, found without
// asking every grid of the world. Gathered once per world tick: grids do not
// move while the world steps, so their places hold for the whole tick.
//
// Each grid is kept with the world rectangle outside which no point can map
// to one of its cells. Lookups truncate toward zero, so that rectangle
// reaches a cell beyond the grid's left and top edges; it is widened a little
// more for the rounding of the lookup's float arithmetic. A grid whose cells
// are all locked takes colour from nowhere and is left out. The rectangles are
// sorted into a uniform grid of buckets, each bucket listing its grids in the
// world's list order.
class tvSpreadTargets {
public:
    struct Target {
        double left;
        double right;
        double top;
        double bottom;
        tvSurface2d* grid;

        bool Reaches(tvPoint p) const {
            const double x = p.x;
            const double y = p.y;
            return left <= x && x <= right && top <= y && y <= bottom;
        }
    };

    // False, with nothing gathered, when the world holds a surface that is
    // not a plain tvSurface2d: its lookups cannot be predicted from its place.
    bool Gather(tvSurface* firstSurface);

    // In list order, every gathered grid that may have a cell under the point,
    // and possibly others near it; callers test Reaches and then the grid.
    std::span<const Target> Near(tvPoint p) const;

private:
    void SortIntoBuckets();
    void SizeBuckets();
    void SizeAlong(double span, int limit, double* size, int* count);
    int BucketColumn(double x) const;
    int BucketRow(double y) const;

    std::vector<Target> targets;
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double bottom = 0.0;
    double bucketWidth = 1.0;
    double bucketHeight = 1.0;
    int bucketColumns = 0;
    int bucketRows = 0;
    // Bucket b lists bucketed[bucketStart[b]] up to bucketed[bucketStart[b + 1]].
    std::vector<int> bucketStart;
    std::vector<Target> bucketed;
    // The reach widths or heights of the gathered grids, while sizing buckets.
    std::vector<double> sizes;
};
