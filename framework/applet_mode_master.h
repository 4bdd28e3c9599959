#pragma once

#include "app_mode_master.h"
#include "applet.h"

// The mode stack as the application's client: services go to the
// application, events to the top mode. It has two App bases and answers
// alike through both.
class AppletModeMaster : public Applet, public AppModeMaster {
public:
    // Registers itself as the current mode master, then pushes the first mode,
    // whose OnPush may already ask for services.
    AppletModeMaster(App* application, AppModeSlave* first);

    App* GetServer() override { return Applet::GetServer(); }
    App* GetClient() override { return AppModeMaster::GetClient(); }

    ViewRect GetViewRect() override { return Applet::GetViewRect(); }
    AppMenu* GetMenu() override { return Applet::GetMenu(); }
    void OnCommand(int id) override { AppModeMaster::OnCommand(id); }
    void OnMouseDown(float x, float y) override { AppModeMaster::OnMouseDown(x, y); }
    void OnMouseUp(float x, float y) override { AppModeMaster::OnMouseUp(x, y); }
    void OnKey(int key) override { AppModeMaster::OnKey(key); }
    void OnUpdate() override;
    void OnDraw() override { AppModeMaster::OnDraw(); }
    void OnMouseMove(float dx, float dy) override { AppModeMaster::OnMouseMove(dx, dy); }
    void OnWheel(float steps) override { AppModeMaster::OnWheel(steps); }
    int OnNotify(int a, int b) override { return AppModeMaster::OnNotify(a, b); }
    Vec2 GetMousePos() override { return Applet::GetMousePos(); }
    bool IsMouseDown() override { return Applet::IsMouseDown(); }
    Vec2 GetMouseDownPos() override { return Applet::GetMouseDownPos(); }
    double GetMouseDownTime() override { return Applet::GetMouseDownTime(); }
    bool IsDoubleClick() override { return Applet::IsDoubleClick(); }
    bool IsClick() override { return Applet::IsClick(); }
    bool IsDragging() override { return Applet::IsDragging(); }
    bool IsShiftDown() override { return Applet::IsShiftDown(); }
    bool IsCtrlDown() override { return Applet::IsCtrlDown(); }
    bool IsAltDown() override { return Applet::IsAltDown(); }
    void Redraw() override { Applet::Redraw(); }
    bool SetWindowSize(float width, float height) override {
        return Applet::SetWindowSize(width, height);
    }
    void SetCursor(int kind) override { Applet::SetCursor(kind); }
    void Reserved1() override { Applet::Reserved1(); }
    void Reserved2(int value) override { Applet::Reserved2(value); }
};
