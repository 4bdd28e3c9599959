#pragma once

// A colour as the tests write it, each component 0..1.
struct Rgb {
    float red;
    float green;
    float blue;
};
