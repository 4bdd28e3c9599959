#include "host_fixture.h"

#include "desktop_scale.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <cstdlib>
#include <vector>

void ProbingClient::OnMouseDown(float x, float y) {
    RecordingClient::OnMouseDown(x, y);
    if (onMouseDown) {
        onMouseDown();
    }
}

void ProbingClient::OnUpdate() {
    RecordingClient::OnUpdate();
    if (onUpdate) {
        onUpdate();
    }
}

void ProbingClient::OnDraw() {
    RecordingClient::OnDraw();
    if (onDraw) {
        onDraw();
    }
}

SharedHost& GetSharedHost() {
    static SharedHost shared = [] {
        SharedHost s;
        // QM_TEST_SCALE runs the whole suite on a screen of that density.
        WindowDescription window = ApplicationGLUT::DefaultWindow();
        if (const char* scale = std::getenv("QM_TEST_SCALE")) {
            window.scale = std::strtof(scale, nullptr);
        }
        s.host = CreateApplication(window);
        s.glutWindow = glutGetWindow();
        s.window = glXGetCurrentDrawable();
        s.glutDisplay = glXGetCurrentDisplay();
        return s;
    }();
    return shared;
}

namespace {

// Every test starts its clock well after the previous one, so that no press
// of an earlier test can pair with a press of this one into a double click.
std::int64_t NextClockStart() {
    static std::int64_t start = 0;
    start += 100'000;
    return start;
}

}  // namespace

HostTest::HostTest()
    : shared(GetSharedHost()), host(*shared.host), clock(NextClockStart()), client(log) {
    glutSetWindow(shared.glutWindow);
    host.Application::Run(&client);
    // A slow schedule keeps update ticks out of the input tests; the pacing
    // tests set their own rate.
    host.SetUpdateRate(1);
    host.SetZoom(1.0f);
    host.SetWindowSize(1024.0f, 800.0f);
    // The host learns the window's size from the window system's reports,
    // which may come a moment after the X server shows it.
    PumpUntil([&] {
        const XTestClient::Geometry g = x.GetGeometry(shared.window);
        return g.width == Device(1024) && g.height == Device(800) &&
               host.WindowWidth() == Device(1024) && host.WindowHeight() == Device(800);
    });
    // Mesa's software renderer takes up a new window size at the next swap:
    // one frame, so that every test draws into a buffer of the window's size.
    host.Redraw();
    x.Focus(shared.window);
    MoveTo(500, 300);
    log.Clear();
}

HostTest::~HostTest() {
    while (!buttonsHeld.empty()) {
        Release(buttonsHeld.back());
    }
    if (host.IsMouseDown()) {
        host.Application::OnMouseUp(0.0f, 0.0f);
    }
}

void HostTest::Pump() {
    x.Sync();
    PumpGlutEvents();
}

std::vector<std::string> HostTest::InputEvents() const {
    std::vector<std::string> events;
    for (const std::string& e : log.Entries()) {
        if (e.find("OnUpdate") == std::string::npos && e.find("OnDraw") == std::string::npos &&
            e.find("OnMouseMove") == std::string::npos) {
            events.push_back(e);
        }
    }
    return events;
}

int HostTest::Device(int units) const {
    return ScaledSide(units, host.GetScale());
}

void HostTest::MoveTo(int px, int py) {
    x.MoveTo(shared.window, Device(px), Device(py));
    Pump();
}

void HostTest::Press(unsigned button) {
    x.Button(button, true);
    buttonsHeld.push_back(button);
    Pump();
}

void HostTest::Release(unsigned button) {
    x.Button(button, false);
    std::erase(buttonsHeld, button);
    Pump();
}
