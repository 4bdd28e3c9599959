#pragma once

#include "vec2.h"

class AppMenu;

// The one event and service interface shared by the application, the mode
// stack and every mode. Events (OnCommand .. OnNotify) travel from the
// platform towards the modes; services travel from the modes towards the
// application. The order of the operations is part of the interface.
//
// App has no virtual destructor: nothing is ever deleted through an App
// pointer. Classes that are deleted polymorphically declare their own.
class App {
public:
    virtual ViewRect GetViewRect() = 0;
    virtual AppMenu* GetMenu() { return nullptr; }
    virtual void OnCommand(int id) = 0;
    virtual void OnMouseDown(float x, float y) = 0;
    virtual void OnMouseUp(float x, float y) = 0;
    virtual void OnKey(int key) = 0;
    virtual void OnUpdate() = 0;
    virtual void OnDraw() = 0;
    virtual void OnMouseMove(float dx, float dy) = 0;
    virtual void OnWheel(float steps) = 0;
    virtual int OnNotify(int a, int b) = 0;
    virtual Vec2 GetMousePos() = 0;
    virtual bool IsMouseDown() = 0;
    virtual Vec2 GetMouseDownPos() = 0;
    // Seconds; double so that press times keep millisecond resolution
    // however long the process has been running.
    virtual double GetMouseDownTime() = 0;
    virtual bool IsDoubleClick() = 0;
    virtual bool IsClick() = 0;
    virtual bool IsDragging() = 0;
    virtual bool IsShiftDown() = 0;
    virtual bool IsCtrlDown() = 0;
    virtual bool IsAltDown() = 0;
    virtual void Redraw() = 0;
    virtual bool SetWindowSize(float /*width*/, float /*height*/) { return false; }
    virtual void SetCursor(int kind) = 0;
    virtual void Reserved1() = 0;
    virtual void Reserved2(int value) = 0;

protected:
    App() = default;
    App(const App&) = default;
    App& operator=(const App&) = default;
    ~App() = default;
};
