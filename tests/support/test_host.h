#pragma once

#include "application.h"
#include "event_log.h"
#include "recording_app.h"

// An Application without a window: its window-system services answer from
// fields the test sets, and frames are recorded in the log instead of drawn.
class TestHost : public RecordingApp<Application> {
public:
    explicit TestHost(EventLog* log = nullptr) : RecordingApp(log, "host") {
        viewRect = {0.0f, 1024.0f, 0.0f, 800.0f};
        windowSizeTaken = true;
    }

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

    Vec2 pan{512.0f, 400.0f};
    float zoom = 1.0f;
    int framesBegun = 0;
    int framesEnded = 0;
};
