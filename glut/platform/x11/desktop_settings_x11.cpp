#include "desktop_settings_x11.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The density at which desktops draw one pixel per unit.
constexpr double kBaseDpi = 96.0;
// XSETTINGS gives dots per inch in 1024ths.
constexpr double kXSettingsDpiUnit = 1024.0;

// A decimal number filling the whole text but for surrounding blanks.
std::optional<double> ParseNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 64) {
        return std::nullopt;
    }
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Reads XSETTINGS data front to back; every read is checked against the end.
class XSettingsReader {
public:
    explicit XSettingsReader(const std::vector<unsigned char>& data) : data(data) {}

    bool Skip(std::size_t n) {
        if (data.size() - at < n) {
            return false;
        }
        at += n;
        return true;
    }
    bool Card8(std::uint32_t& value) { return Read(1, value); }
    bool Card16(std::uint32_t& value) { return Read(2, value); }
    bool Card32(std::uint32_t& value) { return Read(4, value); }
    bool Text(std::size_t n, std::string_view& text) {
        if (data.size() - at < n) {
            return false;
        }
        text = std::string_view(reinterpret_cast<const char*>(data.data()) + at, n);
        at += n;
        return true;
    }
    void SetMsbFirst(bool msb) { msbFirst = msb; }

private:
    bool Read(std::size_t n, std::uint32_t& value) {
        if (data.size() - at < n) {
            return false;
        }
        value = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t byte = data[at + (msbFirst ? i : n - 1 - i)];
            value = (value << 8) | byte;
        }
        at += n;
        return true;
    }

    const std::vector<unsigned char>& data;
    std::size_t at = 0;
    bool msbFirst = false;
};

std::size_t Padded(std::size_t n) {
    return (n + 3) & ~static_cast<std::size_t>(3);
}

enum XSettingType : std::uint32_t { kInteger = 0, kString = 1, kColour = 2 };

std::optional<float> XSettingsScale(const DesktopSettings& desktop) {
    if (!desktop.xsettings) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> factor =
        XSettingsInteger(*desktop.xsettings, "Gdk/WindowScalingFactor");
    if (!factor || *factor < 1 || *factor > kLargestScale) {
        return std::nullopt;
    }
    return static_cast<float>(*factor);
}

std::optional<float> ResourcesScale(const DesktopSettings& desktop) {
    if (!desktop.resources) {
        return std::nullopt;
    }
    const std::optional<double> dpi = XftDpiFromResources(*desktop.resources);
    return dpi ? RoundScale(*dpi / kBaseDpi) : std::nullopt;
}

std::optional<float> XSettingsDpiScale(const DesktopSettings& desktop) {
    if (!desktop.xsettings) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> dpi = XSettingsInteger(*desktop.xsettings, "Xft/DPI");
    return dpi ? RoundScale(*dpi / kXSettingsDpiUnit / kBaseDpi) : std::nullopt;
}

}  // namespace

std::optional<float> ScaleFromGdkScale(const char* value) {
    if (!value) {
        return std::nullopt;
    }
    const std::optional<double> number = ParseNumber(value);
    if (!number || *number != std::floor(*number) || *number < kSmallestScale ||
        *number > kLargestScale) {
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

// Lines of "name:<blanks>value"; the last Xft.dpi wins, as with xrdb.
std::optional<double> XftDpiFromResources(std::string_view resources) {
    constexpr std::string_view kName = "Xft.dpi:";
    std::optional<double> dpi;
    while (!resources.empty()) {
        const std::size_t end = std::min(resources.find('\n'), resources.size());
        std::string_view line = resources.substr(0, end);
        resources.remove_prefix(std::min(end + 1, resources.size()));
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        if (line.starts_with(kName)) {
            dpi = ParseNumber(line.substr(kName.size()));
        }
    }
    return dpi;
}

// Byte order, three unused bytes, the serial and the number of settings; then
// each setting: type, an unused byte, the name's length, the name padded to
// four bytes, the serial of its last change, and the value.
std::optional<std::int32_t> XSettingsInteger(const std::vector<unsigned char>& data,
                                             std::string_view name) {
    XSettingsReader reader(data);
    std::uint32_t order = 0;
    std::uint32_t serial = 0;
    std::uint32_t count = 0;
    if (!reader.Card8(order) || order > 1) {
        return std::nullopt;
    }
    reader.SetMsbFirst(order == 1);
    if (!reader.Skip(3) || !reader.Card32(serial) || !reader.Card32(count)) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t type = 0;
        std::uint32_t length = 0;
        std::string_view settingName;
        if (!reader.Card8(type) || !reader.Skip(1) || !reader.Card16(length) ||
            !reader.Text(length, settingName) || !reader.Skip(Padded(length) - length) ||
            !reader.Card32(serial)) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        if (type == kInteger) {
            if (!reader.Card32(value)) {
                return std::nullopt;
            }
            if (settingName == name) {
                return static_cast<std::int32_t>(value);
            }
        } else if (type == kString) {
            if (!reader.Card32(value) || !reader.Skip(Padded(value))) {
                return std::nullopt;
            }
        } else if (type == kColour) {
            if (!reader.Skip(8)) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

float DesktopScale(const DesktopSettings& desktop) {
    for (const auto source : {XSettingsScale, ResourcesScale, XSettingsDpiScale}) {
        if (const std::optional<float> scale = source(desktop)) {
            return *scale;
        }
    }
    return kSmallestScale;
}

ScaleChoice ChooseScale(float given, const char* gdkScale, const DesktopSettings& desktop) {
    if (const std::optional<float> scale = GivenScale(given)) {
        return {*scale, false};
    }
    if (const std::optional<float> scale = ScaleFromGdkScale(gdkScale)) {
        return {*scale, false};
    }
    return {DesktopScale(desktop), true};
}
