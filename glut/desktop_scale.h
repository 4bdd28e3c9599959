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

// The largest factor, in quarter steps, not above `scale` and not below 1,
// at which a window of width by height units fits an area of the screen (no
// area, 0 by 0, fits anything). A window that does not fit even at 1 gets 1.
float FitScale(float scale, int width, int height, int areaWidth, int areaHeight);

// The room a window has: the work area a desktop leaves free, or the screen.
struct ScreenArea {
    int width = 0;
    int height = 0;
};

// A side of so many units in device pixels at the factor.
int ScaledSide(int units, float scale);
