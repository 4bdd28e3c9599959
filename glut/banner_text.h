#pragma once

#include <string>
#include <vector>

// The start-up banner's lines, on every platform: the title line, the
// program's notice, an empty line and the GLUT library's notice (which asks
// GLUT its version, so GLUT is initialised first).
std::vector<std::string> BannerLines(const char* programNotice);

// The notice line of the GLUT library the platform runs on (freeglut on the
// desktop, the web's own GLUT in a browser).
std::string GlutLibraryNotice();
