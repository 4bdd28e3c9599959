#pragma once

#include "app_mode_slave.h"
#include "colour.h"
#include "world.h"

// The bottom mode for the whole run. Its push builds the scene: the window
// size, two blank canvases and seven colour swatches. A press over a surface
// drags it (a copy of it with Alt), any key clears the canvases, and every
// tick draws a frame and then advances the colour by one step.
class tv1MainMode final : public AppModeSlave {
public:
    void OnPush() override;
    void OnMouseDown(float x, float y) override;
    void OnMouseUp(float x, float y) override;
    void OnKey(int key) override;
    void OnUpdate() override;
    void OnDraw() override;
    // The world's picture: the surfaces' changes since last shown, drawn
    // area by area; it moves on by itself until the world has settled.
    void CollectChanges(PictureChanges& changes) override;
    void MarkShown() override;
    void DrawArea(const WorldRect& area) override;
    bool NeedsTicks() override;

    // Swatch n (0..6): a locked 4 x 4 block at ((n + 2) * 50, 30) whose cells
    // carry the colour at full amount in one source layer, drawn at random.
    void CreateSwatch(int n, Colour colour);

    tvWorld& World() { return world; }

private:
    tvWorld world;
};
