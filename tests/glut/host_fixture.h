#pragma once

// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "application_glut.h"
#include "driven_clock.h"
#include "event_log.h"
#include "glut_pump.h"
#include "recording_client.h"
#include "x_test_client.h"

// A recording client that also notes what the host's services answer while
// a press is being delivered, since modifiers are only valid then.
class ProbingClient : public RecordingClient {
public:
    explicit ProbingClient(EventLog& log) : RecordingClient(log) {}
    void OnMouseDown(float x, float y) override;
    std::function<void()> onMouseDown;
    std::function<void()> onUpdate;
    std::function<void()> onDraw;
    void OnUpdate() override;
    void OnDraw() override;
};

// The one host of the test process: freeglut may be initialised only once,
// so every test shares it and puts it back into a known state.
struct SharedHost {
    ApplicationGLUT* host = nullptr;
    int glutWindow = 0;
    Window window = 0;               // the host's X window
    Display* glutDisplay = nullptr;  // freeglut's own connection
};
SharedHost& GetSharedHost();

// Each test gets the host at 1024 by 800, zoom 1, centred, with its own
// recording client installed, a driven clock and the pointer inside the window.
class HostTest : public ::testing::Test {
protected:
    HostTest();
    ~HostTest() override;

    // Lets freeglut handle everything the X server has for it by now,
    // including what the test's own client has just sent.
    void Pump();

    // The log without update ticks, frames and pointer moves.
    std::vector<std::string> InputEvents() const;

    // A length in units as device pixels of the window.
    int Device(int units) const;
    // To the window pixel under the point x, y units from the top left corner.
    void MoveTo(int x, int y);
    void Press(unsigned button);
    void Release(unsigned button);

    SharedHost& shared;
    ApplicationGLUT& host;
    XTestClient x;
    DrivenClock clock;
    EventLog log;
    ProbingClient client;

private:
    std::vector<unsigned> buttonsHeld;
};
