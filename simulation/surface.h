#pragma once

#include <vector>

#include "cell.h"

class tvSpreadTargets;
class tvWorld;

// Where the drawing of surfaces may have changed since it was last marked
// drawn: world rectangles to draw again, or everything.
struct tvDrawChanges {
    bool all = false;
    std::vector<tvBounds> areas;
};

// A surface of the world: it links itself in at the head of its world's list
// when constructed and unlinks itself, from any position, when destroyed.
// The world owns every surface; nothing else deletes one while it lives.
class tvSurface {
public:
    tvSurface(const tvSurface&) = delete;
    tvSurface& operator=(const tvSurface&) = delete;

    // A new surface equal to this one, linked into the same world.
    virtual tvSurface* Clone() = 0;
    // Every cell of the next state becomes the value; then Commit.
    virtual void Fill(tvCell cell) = 0;
    // The cell under a world point that a transfer writes, or none.
    virtual tvCell* WriteCellAt(float x, float y) = 0;
    // The cell under a world point that a transfer compares against, or none.
    virtual tvCell* ReadCellAt(float x, float y) = 0;
    virtual bool HitTest(float x, float y) = 0;
    virtual void MoveBy(float dx, float dy) = 0;
    // Wipes colour in the next state; with flag true sources go too.
    virtual void Clear(bool flag) = 0;
    // Makes the next state the current state.
    virtual void Commit() = 0;
    virtual ~tvSurface();
    virtual void Draw() {}
    // Draws at least the part of the surface that lies in the area; the
    // frame is clipped to it. By default the whole surface.
    virtual void DrawPart(const tvBounds& /*area*/) { Draw(); }
    // Adds where this surface's drawing may differ from what it drew when
    // MarkDrawn was last called: what its cells show, and where it lay and
    // lies. A surface that cannot tell asks for everything.
    virtual void CollectDrawChanges(tvDrawChanges& changes) const { changes.all = true; }
    virtual void MarkDrawn() {}
    // Whether the last Commit changed the current state. A surface that
    // cannot tell answers true, so that its world keeps stepping.
    virtual bool LastCommitChanged() const { return true; }
    // One step of the colour simulation into the next state. With targets,
    // the surfaces that can take colour at a point are found among them;
    // with none, every surface of the world is asked. Both give the same bits.
    virtual void Step(const tvSpreadTargets* /*targets*/) {}

    tvWorld* World() const { return world; }
    tvSurface* NextSurface() const { return nextSurface; }
    // The link that points at this surface: the world's first-surface link or
    // the previous surface's next link.
    tvSurface** PrevLink() const { return prevLink; }

protected:
    explicit tvSurface(tvWorld* world);

private:
    tvWorld* world;
    tvSurface** prevLink;
    tvSurface* nextSurface;
};
