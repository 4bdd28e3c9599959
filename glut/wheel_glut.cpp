// Wheel reader for freeglut: its wheel callback delivers one notch per button
// press (+1 up, -1 down); the notches are summed here until the next poll.
// Only the vertical wheel counts; freeglut reports a horizontal wheel as
// wheel number 1.
#include "wheel.h"

#include <GL/freeglut.h>

namespace {

bool wheelReady = false;
int wheelMovement = 0;

void WheelCallback(int wheel, int direction, int /*x*/, int /*y*/) {
    if (wheelReady && wheel == 0) {
        wheelMovement += direction;
    }
}

}  // namespace

int InitWheel() {
    // freeglut ends the process when a window function is called before
    // glutInit or without a current window, so both are checked first.
    if (!glutGet(GLUT_INIT_STATE) || glutGetWindow() == 0) {
        return -1;
    }
    glutMouseWheelFunc(WheelCallback);
    wheelMovement = 0;
    wheelReady = true;
    return 0;
}

int PollWheel() {
    const int movement = wheelMovement;
    wheelMovement = 0;
    return (movement > 0) - (movement < 0);
}

// The callback stays registered: the window may already be gone (freeglut
// tears everything down when its main loop returns), and calling into GLUT
// then would end the process. The callback ignores notches from here on.
void ReleaseWheel() {
    wheelReady = false;
    wheelMovement = 0;
}
