// The platform beneath freeglut on X11: Xlib and GLX on freeglut's own
// connection, reached through the current GL context.
#include <GL/freeglut.h>
#include <GL/glx.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "configure_notices_x11.h"
#include "desktop_scale_x11.h"
#include "display_x11.h"
#include "idle_wait_x11.h"
#include "platform.h"
#include "startup_notification_x11.h"
#include "window_identity_x11.h"

namespace {

DisplayAtStart displayAtStart;

// Named as the program was started, so that any program on the host says
// it in its own name.
void ExplainMissingDisplay() {
    const char* program = program_invocation_short_name;
    const char* name = std::getenv("DISPLAY");
    if (name && *name) {
        std::fprintf(stderr, "%s: could not open the X display \"%s\".\n", program, name);
    } else {
        std::fprintf(stderr, "%s: no X display could be opened: DISPLAY is not set.\n", program);
    }
    std::fprintf(stderr,
                 "%s needs an X display to show its window. Start it from a desktop "
                 "session, or under a virtual X server, for example:\n"
                 "    xvfb-run -a -s \"-screen 0 1280x1024x24\" %s\n",
                 program, program);
}

}  // namespace

bool platform::Start() {
    // Taken before anything could start another program, which must not
    // answer the launcher in this program's name.
    TakeStartupId();
    std::optional<DisplayAtStart> display = OpenDisplayBeforeGlut();
    if (!display) {
        ExplainMissingDisplay();
        return false;
    }
    displayAtStart = std::move(*display);
    return true;
}

ScaleChoice platform::ChooseScale(float given) {
    return ::ChooseScale(given, std::getenv("GDK_SCALE"), displayAtStart.desktop);
}

float platform::DesktopScale() {
    _XDisplay* display = WatchedDisplayX11();
    return display ? ::DesktopScale(ReadDesktopSettingsX11(display))
                   : ::DesktopScale(displayAtStart.desktop);
}

ScreenArea platform::ReadScreenArea() {
    _XDisplay* display = WatchedDisplayX11();
    return display ? ReadScreenAreaX11(display) : displayAtStart.area;
}

// X tells the desktop's changes as events, read at idle (TakeDesktopChange).
void platform::FollowScaleWith(ScaleFollower /*follower*/) {}

void platform::PrepareWindow(const WindowDescription& description) {
    PrepareWindowIdentityX11(description);
}

void platform::FinishWindow() {
    FinishWindowIdentityX11();
    WatchConfigureNoticesX11();
    WatchDesktopSettingsX11();
}

// freeglut asks the server; the hints tell the window manager the size is
// fixed.
void platform::SizeWindow(int width, int height) {
    glutReshapeWindow(width, height);
    HoldWindowSizeX11(width, height);
}

std::vector<SizeKeeper::Size> platform::TakeSizeReports() {
    return TakeConfigureNoticesX11();
}

bool platform::TakeDesktopChange() {
    return TakeDesktopSettingsChangeX11();
}

void platform::WaitForInput(double seconds) {
    WaitForInputOrTimeout(seconds);
}

platform::ReportedSize platform::ReadReportedSize() {
    const ServerSizeX11 server = ReadServerSizeX11();
    return {server.size, server.changes};
}
