#pragma once

#include <string>
#include <utility>

#include "app.h"
#include "event_log.h"

// The window system's services of App, answered from fields a test sets, for
// the test doubles on either side of an application: the host without a
// window (TestHost, over Application) and the client that records its events
// (RecordingClient, over App). Base is App or a class derived from it; the
// services that Base already answers itself (an Application's mouse state)
// are left to it. Requests that change the window are recorded in the log,
// when there is one, under the given name.
template <class Base>
class RecordingApp : public Base {
public:
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
        return windowSizeTaken;
    }
    void SetCursor(int kind) override { cursor = kind; }
    void Reserved1() override {}
    void Reserved2(int) override {}

    ViewRect viewRect{};
    Vec2 mousePos{0.0f, 0.0f};
    bool doubleClick = false;
    bool click = false;
    bool dragging = false;
    bool shiftDown = false;
    bool ctrlDown = false;
    bool altDown = false;
    // What SetWindowSize answers.
    bool windowSizeTaken = false;
    int cursor = -1;

protected:
    RecordingApp(EventLog* log, std::string name) : log(log), name(std::move(name)) {}

    template <typename... Args>
    void Record(const char* what, const Args&... args) {
        if (log) {
            log->Add(name, what, args...);
        }
    }

private:
    EventLog* log;
    std::string name;
};
