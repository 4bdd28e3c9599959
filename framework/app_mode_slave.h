#pragma once

#include "app_server_proxy.h"
#include "picture_changes.h"

class AppModeMaster;

// Base of every interaction mode. Services climb to the current mode master;
// unhandled input falls through to the mode directly beneath.
class AppModeSlave : public AppServerProxy {
public:
    App* GetServer() override;
    virtual void Push();
    virtual void Pop();
    virtual void OnPush() {}
    virtual void OnPop() {}
    virtual void SetActive(bool /*active*/) {}
    virtual AppModeMaster* GetMaster();

    void OnCommand(int id) override;
    void OnMouseDown(float x, float y) override;
    void OnMouseUp(float /*x*/, float /*y*/) override {}
    void OnKey(int key) override;
    void OnUpdate() override {}
    void OnDraw() override {}
    void OnMouseMove(float dx, float dy) override;
    void OnWheel(float /*steps*/) override {}
    int OnNotify(int /*a*/, int /*b*/) override { return 1; }
    // This mode's part of the picture (see PictureSource). A mode that does
    // not say what changed asks for whole frames while it is on the stack; a
    // mode that draws nothing adds nothing. By default a mode draws its whole
    // OnDraw into any area, which the frame clips, and is taken to change
    // with time, so that the host keeps ticking while it is on the stack.
    virtual void CollectChanges(PictureChanges& changes) { changes.AddAll(); }
    virtual void MarkShown() {}
    virtual void DrawArea(const WorldRect& /*area*/) { OnDraw(); }
    virtual bool NeedsTicks() { return true; }

protected:
    AppModeSlave() = default;
    // Modes are deleted as their own class, never through this base.
    ~AppModeSlave() = default;

private:
    // The mode directly beneath this one, or null when this mode is the
    // bottom one or not on the stack at all.
    AppModeSlave* ModeBeneath();
};
