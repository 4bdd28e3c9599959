#pragma once

#include <string>

#include "app.h"
#include "event_log.h"

// A client that records every event it receives. Its services are never
// asked in these tests and answer neutral values.
class RecordingClient : public App {
public:
    RecordingClient(EventLog& log, std::string name = "client") : log(log), name(std::move(name)) {}

    ViewRect GetViewRect() override { return {}; }
    void OnCommand(int id) override { log.Add(name, "OnCommand", id); }
    void OnMouseDown(float x, float y) override { log.Add(name, "OnMouseDown", x, y); }
    void OnMouseUp(float x, float y) override { log.Add(name, "OnMouseUp", x, y); }
    void OnKey(int key) override { log.Add(name, "OnKey", key); }
    void OnUpdate() override { log.Add(name, "OnUpdate"); }
    void OnDraw() override { log.Add(name, "OnDraw"); }
    void OnMouseMove(float dx, float dy) override { log.Add(name, "OnMouseMove", dx, dy); }
    void OnWheel(float steps) override { log.Add(name, "OnWheel", steps); }
    int OnNotify(int a, int b) override {
        log.Add(name, "OnNotify", a, b);
        return notifyAnswer;
    }
    Vec2 GetMousePos() override { return {}; }
    bool IsMouseDown() override { return false; }
    Vec2 GetMouseDownPos() override { return {}; }
    double GetMouseDownTime() override { return 0.0; }
    bool IsDoubleClick() override { return false; }
    bool IsClick() override { return false; }
    bool IsDragging() override { return false; }
    bool IsShiftDown() override { return false; }
    bool IsCtrlDown() override { return false; }
    bool IsAltDown() override { return false; }
    void Redraw() override {}
    void SetCursor(int) override {}
    void Reserved1() override {}
    void Reserved2(int) override {}

    int notifyAnswer = 7;

private:
    EventLog& log;
    std::string name;
};
