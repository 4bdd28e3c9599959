#include "glut_session.h"

#include <GL/freeglut.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "display_x11.h"
#include "startup_notification_x11.h"

namespace {

DisplayAtStart displayAtStart;

// Named as the program was started, so that any program on the host says
// it in its own name.
[[noreturn]] void ExitForMissingDisplay() {
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
    std::exit(kNoDisplayExitStatus);
}

}  // namespace

void EnsureGlutInitialised() {
    if (glutGet(GLUT_INIT_STATE)) {
        return;
    }
    // Taken before anything could start another program, which must not
    // answer the launcher in this program's name.
    TakeStartupId();
    std::optional<DisplayAtStart> display = OpenDisplayBeforeGlut();
    if (!display) {
        ExitForMissingDisplay();
    }
    displayAtStart = std::move(*display);
    int argc = 1;
    char name[] = "ApplicationGLUT";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    // Closing a window returns from glutMainLoop, so start-up can clean up and
    // end with status 0, instead of freeglut calling exit from inside the loop.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
}

ScaleChoice ChooseWindowScale(float given) {
    return ChooseScale(given, std::getenv("GDK_SCALE"), displayAtStart.desktop);
}

const DisplayAtStart& DisplayAtGlutStart() {
    return displayAtStart;
}
