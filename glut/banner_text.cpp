#include "banner_text.h"

#include <GL/freeglut.h>

namespace {

std::string GlutNoticeLine() {
    const int version = glutGet(GLUT_VERSION);
    return "GLUT library: freeglut " + std::to_string(version / 10000) + "." +
           std::to_string(version / 100 % 100) + "." + std::to_string(version % 100);
}

}  // namespace

std::vector<std::string> BannerLines(const char* programNotice) {
    return {"Quillmere - A Kestrune Prototype", programNotice ? programNotice : "", "",
            GlutNoticeLine()};
}
