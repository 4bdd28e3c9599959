#pragma once

#include "spread_targets.h"
#include "surface.h"

class tvSurface;

// Owns every surface and keeps them in one list, newest first. The list order
// is the order of drawing, picking and stepping.
class tvWorld {
public:
    tvWorld() = default;
    tvWorld(const tvWorld&) = delete;
    tvWorld& operator=(const tvWorld&) = delete;
    // Deletes every surface, in list order.
    virtual ~tvWorld();

    void DrawAll();
    // Hands `add` what DrawAll draws, surface by surface in drawing order;
    // false when a surface cannot tell.
    bool DescribeDrawing(const tvDrawingSink& add) const;
    // The first surface in list order that the point hits, or none.
    tvSurface* SurfaceAt(float x, float y);
    // Every surface steps before any commits, so each step reads the state of
    // the previous tick from every surface. Targets are gathered once for the
    // tick and handed to every step; when they cannot be gathered, every step
    // asks every surface.
    void StepAll();
    // The same tick with every step asking every surface at every cell
    // corner. Slow, but plainly right; StepAll must give the same bits.
    void StepAllReference();
    void ClearAll(bool flag);

    tvSurface* FirstSurface() const { return firstSurface; }

private:
    friend class tvSurface;

    void StepEachThenCommit(const tvSpreadTargets* targets);

    tvSurface* firstSurface = nullptr;
    // Only StepAll uses it; kept between ticks to reuse its storage.
    tvSpreadTargets spreadTargets;
};
