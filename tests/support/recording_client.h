#pragma once

#include <string>

#include "app.h"
#include "event_log.h"
#include "recording_app.h"

// A client that records every event it receives. Its services are never
// asked in these tests and answer neutral values.
class RecordingClient : public RecordingApp<App> {
public:
    explicit RecordingClient(EventLog& log, std::string name = "client")
        : RecordingApp(&log, std::move(name)) {}

    void OnCommand(int id) override { Record("OnCommand", id); }
    void OnMouseDown(float x, float y) override { Record("OnMouseDown", x, y); }
    void OnMouseUp(float x, float y) override { Record("OnMouseUp", x, y); }
    void OnKey(int key) override { Record("OnKey", key); }
    void OnUpdate() override { Record("OnUpdate"); }
    void OnDraw() override { Record("OnDraw"); }
    void OnMouseMove(float dx, float dy) override { Record("OnMouseMove", dx, dy); }
    void OnWheel(float steps) override { Record("OnWheel", steps); }
    int OnNotify(int a, int b) override {
        Record("OnNotify", a, b);
        return notifyAnswer;
    }
    bool IsMouseDown() override { return false; }
    Vec2 GetMouseDownPos() override { return {}; }
    double GetMouseDownTime() override { return 0.0; }
    void Redraw() override {}

    int notifyAnswer = 7;
};
