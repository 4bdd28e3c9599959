#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include "pixel.h"

// The whole back buffer of the current GL context's viewport, read before
// any swap (or the front buffer: what the window shows), addressed in window
// pixels from the top left corner.
class GlFrame {
public:
    explicit GlFrame(GLenum buffer = GL_BACK) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        width = viewport[2];
        height = viewport[3];
        bytes.resize(static_cast<std::size_t>(width) * height * 3);
        glReadBuffer(buffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(viewport[0], viewport[1], width, height, GL_RGB, GL_UNSIGNED_BYTE,
                     bytes.data());
    }
    Pixel At(int x, int y) const {
        const std::size_t i =
            (static_cast<std::size_t>(height - 1 - y) * width + static_cast<std::size_t>(x)) * 3;
        return {bytes[i], bytes[i + 1], bytes[i + 2]};
    }
    int Width() const { return width; }
    int Height() const { return height; }

    // "pixel (x, y) is (r, g, b)", for failure messages.
    std::string Describe(int x, int y) const {
        std::ostringstream out;
        out << "pixel (" << x << ", " << y << ") is " << At(x, y);
        return out.str();
    }

private:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;
};
