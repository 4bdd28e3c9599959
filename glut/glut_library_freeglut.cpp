// The desktop platforms run on freeglut, which tells its version.
#include <GL/freeglut.h>

#include "banner_text.h"

std::string GlutLibraryNotice() {
    const int version = glutGet(GLUT_VERSION);
    return "GLUT library: freeglut " + std::to_string(version / 10000) + "." +
           std::to_string(version / 100 % 100) + "." + std::to_string(version % 100);
}
