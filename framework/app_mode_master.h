#pragma once

#include "app_client_proxy.h"
#include "picture_changes.h"

class AppModeSlave;

// The stack of interaction modes. Events go to the mode on top; update and
// draw passes go to every mode, bottom first. The stack does not own its modes.
class AppModeMaster : public AppClientProxy, public PictureSource {
public:
    static constexpr int kMaxModes = 15;

    AppModeMaster();
    AppModeMaster(const AppModeMaster&) = delete;
    AppModeMaster& operator=(const AppModeMaster&) = delete;

    // The top mode.
    App* GetClient() override;
    // Tells the bottom mode OnPop; removes and deletes nothing.
    virtual ~AppModeMaster();
    // Called after every push and every pop.
    virtual void OnStackChanged() {}

    void OnUpdate() override;
    void OnDraw() override;
    // The picture of the draw pass, made of every mode's part, bottom first:
    // what changed in any, drawn in any area, and moving on while any mode
    // needs ticks.
    void CollectChanges(PictureChanges& changes) override;
    void MarkShown() override;
    void DrawArea(const WorldRect& area) override;
    bool NeedsTicks() override;

    // A push onto a full stack is refused, and so is a pop that would leave
    // the stack empty: the bottom mode stays for the whole run.
    void PushMode(AppModeSlave* mode);
    void PopMode(AppModeSlave* mode);

    int ModeCount() const { return modeCount; }
    AppModeSlave* ModeAt(int index) const { return modes[index]; }

    static void SetCurrent(AppModeMaster* master);
    static AppModeMaster* GetCurrent();

private:
    AppModeSlave* modes[kMaxModes];
    int modeCount;
};
