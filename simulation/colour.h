#pragma once

// An RGB colour, each component nominally 0..1. The simulation only carries
// colours; drawing with one is the drawing kit's business.
struct Colour {
    float red;
    float green;
    float blue;

    // Makes this the current drawing colour, at the current alpha. Defined by
    // the drawing kit (draw_kit.cpp), so only code that draws may call it.
    void Apply() const;
};
