#pragma once

#include <quillmere/app_mode_slave.h>

#include "move_mode.h"

// The ids of the popup menu's entries, which its commands carry.
enum Command : int { kRed = 1, kGreen, kBlue, kOutline, kResetSize };

// The demo's bottom mode, on the stack for the whole run: a coloured square
// in the middle of the window. Pushed, it builds the popup menu, whose
// commands (or their shortcut keys) change the square's colour and outline;
// the wheel makes it larger or smaller, and a left press on it moves it.
class SquareMode final : public AppModeSlave {
public:
    static constexpr float kDefaultSize = 100.0f;

    void OnPush() override;
    void OnCommand(int id) override;
    void OnKey(int key) override;
    void OnMouseDown(float x, float y) override;
    void OnWheel(float steps) override;
    void OnDraw() override;

    // The whole picture when anything changed since it was shown, nothing
    // otherwise. It never changes by itself, so the host may sleep.
    void CollectChanges(PictureChanges& changes) override;
    void MarkShown() override { changed = false; }
    bool NeedsTicks() override { return false; }

    void MoveBy(float dx, float dy);

private:
    struct Colour {
        float red;
        float green;
        float blue;
    };

    void SetSize(float newSize);
    bool Contains(float x, float y) const;

    MoveMode move{*this};
    float centreX = 200.0f;
    float centreY = 150.0f;
    float size = kDefaultSize;
    Colour colour{1.0f, 0.0f, 0.0f};
    // Flipped by the menu itself when its entry is chosen.
    bool outline = false;
    bool changed = true;
};
