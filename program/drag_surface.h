#pragma once

#include "app_mode_slave.h"

class tvSurface;

// Moves one surface with the pointer while the left button is held. It lives
// on the heap, on top of the mode stack, and pops and deletes itself on the
// release. Keys, presses and commands fall through to the mode beneath.
class DragSurface final : public AppModeSlave {
public:
    // The surface is not owned; its world outlives the drag.
    explicit DragSurface(tvSurface* surface) : surface(surface) {}
    DragSurface(const DragSurface&) = delete;
    DragSurface& operator=(const DragSurface&) = delete;

    void OnMouseMove(float dx, float dy) override;
    void OnMouseUp(float x, float y) override;
    // The dragged surface is drawn by the mode that draws the world; the drag
    // itself draws nothing. It follows the pointer once a tick for as long as
    // the button is held, so it needs every tick.
    void CollectChanges(PictureChanges& /*changes*/) override {}
    void DrawArea(const WorldRect& /*area*/) override {}
    bool NeedsTicks() override { return true; }

private:
    // Only the drag itself may end its life.
    ~DragSurface() = default;
    friend void StartDrag(tvSurface* surface);

    tvSurface* surface;
};

// Pushes a new drag mode for the surface on top of the current mode stack.
void StartDrag(tvSurface* surface);
