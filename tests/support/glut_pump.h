#pragma once

// Through glx.h this includes Xlib, whose macros (None, Bool) break
// GoogleTest's headers: include GoogleTest first.
#include <GL/freeglut.h>
#include <GL/glx.h>

#include <chrono>
#include <functional>
#include <thread>

// Lets freeglut handle everything the X server has for it by now: a round
// trip on freeglut's connection first, so that the events the server made
// from requests already answered (by this or any other client) have arrived.
inline void PumpGlutEvents() {
    if (Display* display = glXGetCurrentDisplay()) {
        XSync(display, False);
    }
    glutMainLoopEvent();
}

// Pumps GLUT's events until the condition holds, asked after every pump, or
// the time is up; whether it came to hold. Between pumps it pauses 2 ms, so
// that other processes and the X server get the CPU.
inline bool PumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(1)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpGlutEvents();
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// Pumps GLUT's events for the whole time, for a test that shows that
// something does not happen over a period.
inline void PumpFor(std::chrono::milliseconds period) {
    PumpUntil([] { return false; }, period);
}
