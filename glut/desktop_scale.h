#pragma once

// The desktop's scale factor: how many device pixels a window draws for each
// of the program's units. Desktops publish it in several places; this reads
// what they published, already fetched from the X server, and decides. No X
// calls here (desktop_scale_x11.h fetches).
//
// Factors are rounded to the nearest quarter and kept from 1 to 8. Quarter
// steps are the finest for which a window of whole units, such as 1024 by
// 800, is a whole number of device pixels at every factor, so picture and
// pointer keep one mapping to the last pixel; desktops offer 125 %, 150 %,
// 175 % and 200 %, all quarters. A whole factor draws every pixel of
// factor 1 as a block of pixels; a fractional one draws as a zoom does.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr float kSmallestScale = 1.0f;
inline constexpr float kLargestScale = 8.0f;

// The factor to the nearest quarter, at least 1. Nothing for a factor that
// makes no sense: not a number, not above 0, or beyond 8.
std::optional<float> RoundScale(double factor);

// GDK_SCALE: a whole number from 1 to 8, nothing otherwise.
std::optional<float> ScaleFromGdkScale(const char* value);

// The Xft.dpi resource of the X resources (the root window's
// RESOURCE_MANAGER text, as xrdb writes it), if one is there and is a
// number.
std::optional<double> XftDpiFromResources(std::string_view resources);

// An integer setting of an XSETTINGS manager's _XSETTINGS_SETTINGS property
// (the wire format of the XSETTINGS protocol, in either byte order), if the
// data is well formed up to it and holds it.
std::optional<std::int32_t> XSettingsInteger(const std::vector<unsigned char>& data,
                                             std::string_view name);

// What the desktop published, as read from the X server; missing parts are
// empty.
struct DesktopSettings {
    std::optional<std::vector<unsigned char>> xsettings;
    std::optional<std::string> resources;

    bool operator==(const DesktopSettings&) const = default;
};

struct ScaleChoice {
    float scale = kSmallestScale;
    // Whether the factor came from the desktop, which may change it while
    // the program runs; one the user gave is kept.
    bool followsDesktop = true;
};

// In this order, the first that makes sense: the factor the program was
// given (its command line; 0 for none), GDK_SCALE, the XSETTINGS
// Gdk/WindowScalingFactor, Xft.dpi of the X resources over 96, the
// XSETTINGS Xft/DPI over 1024 times 96; else 1.
ScaleChoice ChooseScale(float given, const char* gdkScale, const DesktopSettings& desktop);

// The factor for the desktop alone (the last three sources).
float DesktopScale(const DesktopSettings& desktop);

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
