#pragma once

#include <vector>

// Decides when a window that keeps one size asks to have it back. No GLUT
// here: the caller reports the sizes the window system reports and makes the
// requests.
//
// A size that differs from the kept one is answered with one request for the
// kept size: a user's resize is undone where the window manager allows it.
// The first report after a request is the window manager's answer, whatever
// it says: the kept size (granted), a size of its own choosing (a tiling
// manager, a screen smaller than the window), or the size the window already
// had (a silent refusal). A refused size is taken: nothing is asked again
// until the size changes once more, so a manager that refuses is never
// fought in a loop of requests and reports.
//
// A manager that does not answer at all (no ConfigureNotify, against ICCCM)
// has refused once kAnswerWait has passed: a later report is news of its
// own, such as the user's next resize, and is asked back as any other.
class SizeKeeper {
public:
    struct Size {
        int width = 0;
        int height = 0;
        bool operator==(const Size&) const = default;
    };

    // Window managers answer within a few milliseconds (docs/desktop.md has
    // the figures); this leaves room for a loaded machine.
    static constexpr double kAnswerWait = 0.5;

    // The window system reports this size for the window, changed or not,
    // at `now` (seconds on any steady clock). True when the kept size should
    // be requested now; the caller then makes exactly one request.
    bool OnReported(Size kept, Size actual, double now);
    // The reports that came together, oldest first. True when the kept size
    // should be requested now, once however many reports asked for it.
    bool OnReports(Size kept, const std::vector<Size>& reports, double now);
    // The kept size was requested outside OnReported (set anew, for
    // instance). A window that has another size waits for the answer.
    void OnRequested(Size kept, double now);

private:
    Size current;
    bool awaitingAnswer = false;
    double askedAt = 0.0;
    bool refused = false;
    Size refusedSize;
};
