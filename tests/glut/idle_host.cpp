// A host showing an empty white 1024 by 800 window at 30 ticks a second, as
// start-up leaves it, for measuring what the host costs by itself and for
// starting the host the way a user starts a program.
//
//   glut_idle_host [--seconds S] [--spin] [--banner]
//
// --seconds S  leave the main loop after S seconds (default: run until the
//              window is closed); then print ticks, seconds and CPU seconds
// --spin       let the idle callback run flat out, as freeglut does with a
//              plain idle callback, for comparison
// --banner     show the start-up banner first
#include <sys/resource.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app_mode_slave.h"
#include "applet_mode_master.h"
#include "application_glut.h"
#include "banner.h"
#include "wheel.h"

namespace {

struct Options {
    double seconds = -1.0;
    bool spin = false;
    bool banner = false;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            options.seconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--spin") == 0) {
            options.spin = true;
        } else if (std::strcmp(argv[i], "--banner") == 0) {
            options.banner = true;
        }
    }
    return options;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// The idle callback as it would be without the wait: poll, and update when due.
void SpinningIdle() {
    ApplicationGLUT* app = GetApplication();
    const int steps = PollWheel();
    if (steps != 0) {
        app->OnWheel(static_cast<float>(steps));
    }
    if (app->AdvanceSchedule()) {
        app->OnUpdate();
    }
}

// Sets the window up as start-up does, counts ticks and measures from the
// first one on, so that start-up costs are left out.
class TickCounter : public AppModeSlave {
public:
    explicit TickCounter(double seconds) : seconds(seconds) {}

    void OnPush() override { SetWindowSize(1024.0f, 800.0f); }
    void OnUpdate() override {
        const double now = Application::GetTime();
        if (ticks == 0) {
            startTime = now;
            startCpu = ProcessCpuSeconds();
        }
        ++ticks;
        if (seconds >= 0.0 && now - startTime >= seconds) {
            glutLeaveMainLoop();
        }
    }
    void Report() const {
        const double elapsed = ticks > 0 ? Application::GetTime() - startTime : 0.0;
        const double cpu = ticks > 0 ? ProcessCpuSeconds() - startCpu : 0.0;
        std::printf("ticks=%d seconds=%.3f cpu=%.3f\n", ticks - 1, elapsed, cpu);
    }

private:
    double seconds;
    int ticks = 0;
    double startTime = 0.0;
    double startCpu = 0.0;
};

}  // namespace

int main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    if (options.banner) {
        ShowStartupBanner("An empty host window at 30 ticks a second.");
    }
    ApplicationGLUT* app = CreateApplication();
    if (!app) {
        return 0;
    }
    if (options.spin) {
        glutIdleFunc(SpinningIdle);
    }
    TickCounter counter(options.seconds);
    {
        AppletModeMaster stack(app, &counter);
        app->Run(static_cast<Applet*>(&stack));
        delete app;
    }
    counter.Report();
    return 0;
}
