#pragma once

// The scale factor: how many device pixels a window draws for each of the
// program's units, whoever decides it (the user, or the desktop as each
// platform reads it), and how it fits the screen. No window system here.
//
// Factors are rounded to the nearest quarter and kept from 1 to 8. Quarter
// steps are the finest for which a window of whole units, such as 1024 by
// 800, is a whole number of device pixels at every factor, so picture and
// pointer keep one mapping to the last pixel; desktops offer 125 %, 150 %,
// 175 % and 200 %, all quarters. A whole factor draws every pixel of
// factor 1 as a block of pixels; a fractional one draws as a zoom does.

#include <optional>

inline constexpr float kSmallestScale = 1.0f;
inline constexpr float kLargestScale = 8.0f;

// The factor to the nearest quarter, at least 1. Nothing for a factor that
// makes no sense: not a number, not above 0, or beyond 8.
std::optional<float> RoundScale(double factor);

// The factor the program was given (its command line; 0 for none), to the
// nearest quarter, if it is one from 1 to 8.
std::optional<float> GivenScale(float given);

struct ScaleChoice {
    float scale = kSmallestScale;
    // Whether the factor came from the desktop, which may change it while
    // the program runs; one the user gave is kept.
    bool followsDesktop = true;
};

// The room a window has: the work area a desktop leaves free, or the screen,
// or the part of a browser's page a canvas may fill.
struct ScreenArea {
    int width = 0;
    int height = 0;
    // A desktop's window that is too large takes a smaller factor in
    // quarter steps, never below 1, and may stay too large. A page's canvas
    // is shrunk to fit exactly, below 1 too, so that its drawing buffer has
    // the device pixels it covers and the picture stays sharp.
    bool fitsExactly = false;
};

// The largest factor not above `scale` at which a window of width by height
// units fits the area (no area, 0 by 0, fits anything): in quarter steps
// and at least 1, unless the area fits exactly. A window that does not fit
// even at 1 gets 1 then.
float FitScale(float scale, int width, int height, const ScreenArea& area);

// A side of so many units in device pixels at the factor.
int ScaledSide(int units, float scale);
