#pragma once

#include "app.h"

// Implements every service by passing it unchanged to GetServer(), which is
// asked afresh for each call. Events are left to the derived class.
class AppServerProxy : public App {
public:
    virtual App* GetServer() = 0;

    ViewRect GetViewRect() override { return GetServer()->GetViewRect(); }
    AppMenu* GetMenu() override { return GetServer()->GetMenu(); }
    Vec2 GetMousePos() override { return GetServer()->GetMousePos(); }
    bool IsMouseDown() override { return GetServer()->IsMouseDown(); }
    Vec2 GetMouseDownPos() override { return GetServer()->GetMouseDownPos(); }
    double GetMouseDownTime() override { return GetServer()->GetMouseDownTime(); }
    bool IsDoubleClick() override { return GetServer()->IsDoubleClick(); }
    bool IsClick() override { return GetServer()->IsClick(); }
    bool IsDragging() override { return GetServer()->IsDragging(); }
    bool IsShiftDown() override { return GetServer()->IsShiftDown(); }
    bool IsCtrlDown() override { return GetServer()->IsCtrlDown(); }
    bool IsAltDown() override { return GetServer()->IsAltDown(); }
    void Redraw() override { GetServer()->Redraw(); }
    bool SetWindowSize(float width, float height) override {
        return GetServer()->SetWindowSize(width, height);
    }
    void SetCursor(int kind) override { GetServer()->SetCursor(kind); }
    void Reserved1() override { GetServer()->Reserved1(); }
    void Reserved2(int value) override { GetServer()->Reserved2(value); }

protected:
    ~AppServerProxy() = default;
};
