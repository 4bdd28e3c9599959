#pragma once

#include <quillmere/app_mode_slave.h>

class SquareMode;

// Follows the pointer with the square while the left button is held, then
// pops itself and hands control back to the square mode beneath it. The
// square mode owns it; the mode stack only points at it while it is on top.
class MoveMode final : public AppModeSlave {
public:
    explicit MoveMode(SquareMode& square) : square(square) {}

    // Once per update tick, with how far the pointer went in world units.
    void OnMouseMove(float dx, float dy) override;
    void OnMouseUp(float /*x*/, float /*y*/) override { Pop(); }

    // The square mode says when the picture changed; this mode draws nothing
    // of its own, and the host ticks anyway while the pointer moves.
    void CollectChanges(PictureChanges& /*changes*/) override {}
    bool NeedsTicks() override { return false; }

private:
    SquareMode& square;
};
