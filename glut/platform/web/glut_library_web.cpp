// In a browser the host runs on the web GLUT of this folder, which has the
// project's version.
#include "banner_text.h"

std::string GlutLibraryNotice() {
    return "GLUT library: Quillmere web GLUT " QUILLMERE_VERSION;
}
