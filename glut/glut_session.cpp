#include "glut_session.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "platform.h"

void EnsureGlutInitialised() {
    if (glutGet(GLUT_INIT_STATE)) {
        return;
    }
    if (!platform::Start()) {
        std::exit(kNoDisplayExitStatus);
    }
    int argc = 1;
    char name[] = "ApplicationGLUT";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    // Closing a window returns from glutMainLoop, so start-up can clean up and
    // end with status 0, instead of freeglut calling exit from inside the loop.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
}

