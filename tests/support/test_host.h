#pragma once

#include "application.h"
#include "event_log.h"

// An Application without a window: its window-system services answer from
// fields the test sets, and frames are recorded in the log instead of drawn.
class TestHost : public Application {
public:
    explicit TestHost(EventLog* log = nullptr) : log(log) {}

    ViewRect GetViewRect() override { return viewRect; }
    Vec2 GetMousePos() override { return mousePos; }
    bool IsDoubleClick() override { return doubleClick; }
    bool IsClick() override { return click; }
    bool IsDragging() override { return dragging; }
    bool IsShiftDown() override { return shiftDown; }
    bool IsCtrlDown() override { return ctrlDown; }
    bool IsAltDown() override { return altDown; }
    bool SetWindowSize(float width, float height) override {
        Record("SetWindowSize", width, height);
        return true;
    }
    void SetCursor(int kind) override { cursor = kind; }
    void Reserved1() override {}
    void Reserved2(int) override {}
    void SetTitle(const char*) override {}
    void SetNotice(const char*) override {}
    void SetPan(float x, float y) override { pan = Vec2{x, y}; }
    Vec2 GetPan() override { return pan; }
    void SetZoom(float z) override { zoom = z; }
    float GetZoom() override { return zoom; }
    void BeginFrame() override {
        ++framesBegun;
        Record("BeginFrame");
    }
    void EndFrame() override {
        ++framesEnded;
        Record("EndFrame");
    }

    // Installs an overlay the way a derived platform host would.
    void InstallOverlay(AppOverlay* newOverlay) { overlay = newOverlay; }
    bool HasOverlay() const { return overlay != nullptr; }

    ViewRect viewRect{0.0f, 1024.0f, 0.0f, 800.0f};
    Vec2 mousePos{0.0f, 0.0f};
    Vec2 pan{512.0f, 400.0f};
    float zoom = 1.0f;
    bool doubleClick = false;
    bool click = false;
    bool dragging = false;
    bool shiftDown = false;
    bool ctrlDown = false;
    bool altDown = false;
    int cursor = -1;
    int framesBegun = 0;
    int framesEnded = 0;

private:
    template <typename... Args>
    void Record(const char* what, const Args&... args) {
        if (log) {
            log->Add("host", what, args...);
        }
    }
    EventLog* log;
};
