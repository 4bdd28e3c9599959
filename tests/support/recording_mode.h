#pragma once

#include <functional>
#include <string>

#include "app_mode_slave.h"
#include "event_log.h"

// A mode that records what reaches it and then behaves as the default mode
// does, so fall-through and ignoring are observable. Hooks let a test act
// from inside an event (push or pop a mode during a pass).
class RecordingMode : public AppModeSlave {
public:
    RecordingMode(EventLog& log, std::string name) : log(log), name(std::move(name)) {}

    void OnPush() override { log.Add(name, "OnPush"); }
    void OnPop() override { log.Add(name, "OnPop"); }
    void SetActive(bool active) override { log.Add(name, "SetActive", active); }
    void OnCommand(int id) override {
        log.Add(name, "OnCommand", id);
        AppModeSlave::OnCommand(id);
    }
    void OnMouseDown(float x, float y) override {
        log.Add(name, "OnMouseDown", x, y);
        AppModeSlave::OnMouseDown(x, y);
    }
    void OnMouseUp(float x, float y) override { log.Add(name, "OnMouseUp", x, y); }
    void OnKey(int key) override {
        log.Add(name, "OnKey", key);
        AppModeSlave::OnKey(key);
    }
    void OnMouseMove(float dx, float dy) override {
        log.Add(name, "OnMouseMove", dx, dy);
        AppModeSlave::OnMouseMove(dx, dy);
    }
    void OnUpdate() override {
        log.Add(name, "OnUpdate");
        if (onUpdate) {
            onUpdate();
        }
    }
    void OnDraw() override { log.Add(name, "OnDraw"); }

    std::function<void()> onUpdate;

private:
    EventLog& log;
    std::string name;
};

// A mode that keeps every default, for checking what the defaults do.
class PlainMode : public AppModeSlave {};
