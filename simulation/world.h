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
    // Draws, in drawing order, the surfaces that reach into the area, each
    // at least as far as it lies in the area; the frame is clipped to it.
    void DrawPart(const tvBounds& area);
    // Adds where the drawing may differ from when MarkDrawn was last called:
    // the surfaces' own changes, and everything once a surface has gone.
    void CollectDrawChanges(tvDrawChanges& changes) const;
    void MarkDrawn();
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

    // True when the last StepAll changed no cell of any surface, bit for bit,
    // and nothing changed the world since: every further step would leave it
    // as it is, so stepping can wait until something else changes it.
    bool IsSettled() const { return settled; }
    // Something other than a step changed the world, or may have.
    void MarkUnsettled() { settled = false; }

    tvSurface* FirstSurface() const { return firstSurface; }

private:
    friend class tvSurface;

    void StepEachThenCommit(const tvSpreadTargets* targets);
    void OnSurfaceRemoved();

    tvSurface* firstSurface = nullptr;
    bool settled = false;
    // A surface went since the last MarkDrawn: what lay beneath it shows.
    bool surfaceRemoved = false;
    // Only StepAll uses it; kept between ticks to reuse its storage.
    tvSpreadTargets spreadTargets;
};
