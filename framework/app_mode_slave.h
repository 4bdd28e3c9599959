#pragma once

#include "app_server_proxy.h"
#include "picture_state.h"

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
    // Adds what this mode's OnDraw draws. A mode that does not say answers
    // false, and every frame is drawn while it is on the stack; a mode that
    // draws nothing answers true and adds nothing.
    virtual bool DescribePicture(PictureState& /*state*/) { return false; }

protected:
    AppModeSlave() = default;
    // Modes are deleted as their own class, never through this base.
    ~AppModeSlave() = default;

private:
    // The mode directly beneath this one, or null when this mode is the
    // bottom one or not on the stack at all.
    AppModeSlave* ModeBeneath();
};
