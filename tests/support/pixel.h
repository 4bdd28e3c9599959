#pragma once

#include <ostream>

// One pixel's red, green and blue bytes, as read back from a GL frame or
// from the X server.
struct Pixel {
    int red;
    int green;
    int blue;

    // From an X image's 0xRRGGBB value; bits above the 24 are ignored.
    static Pixel FromXRgb(unsigned long rgb) {
        return {static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                static_cast<int>(rgb & 0xFF)};
    }

    bool operator==(const Pixel&) const = default;
};

// "(r, g, b)".
inline std::ostream& operator<<(std::ostream& out, Pixel p) {
    return out << "(" << p.red << ", " << p.green << ", " << p.blue << ")";
}
