#pragma once

// What X desktops publish about their scale, as read from the X server, and
// the factor it gives. No X calls here (desktop_scale_x11.h fetches).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop_scale.h"

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

// In this order, the first that makes sense: the factor the program was
// given (its command line; 0 for none), GDK_SCALE, the XSETTINGS
// Gdk/WindowScalingFactor, Xft.dpi of the X resources over 96, the
// XSETTINGS Xft/DPI over 1024 times 96; else 1.
ScaleChoice ChooseScale(float given, const char* gdkScale, const DesktopSettings& desktop);

// The factor for the desktop alone (the last three sources).
float DesktopScale(const DesktopSettings& desktop);
