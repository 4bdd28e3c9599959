// Which scale factor the desktop's settings give, and in what order the
// sources count: values that make no sense fall through to the next source.
#include "desktop_scale.h"
#include "desktop_settings_x11.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// XSETTINGS data as a manager writes it, in either byte order: integer
// settings, with a string setting between them to be stepped over.
class XSettingsData {
public:
    explicit XSettingsData(bool msbFirst = false) : msbFirst(msbFirst) {
        bytes = {static_cast<unsigned char>(msbFirst ? 1 : 0), 0, 0, 0};
        Card32(7);  // serial
        Card32(0);  // the count, set as settings come
    }
    XSettingsData& Integer(const std::string& name, std::int32_t value) {
        Header(0, name);
        Card32(static_cast<std::uint32_t>(value));
        return Count();
    }
    XSettingsData& String(const std::string& name, const std::string& value) {
        Header(1, name);
        Card32(static_cast<std::uint32_t>(value.size()));
        Padded(value);
        return Count();
    }
    std::vector<unsigned char> bytes;

private:
    void Header(unsigned char type, const std::string& name) {
        bytes.push_back(type);
        bytes.push_back(0);
        const auto n = static_cast<std::uint16_t>(name.size());
        if (msbFirst) {
            bytes.insert(bytes.end(), {static_cast<unsigned char>(n >> 8),
                                       static_cast<unsigned char>(n & 0xff)});
        } else {
            bytes.insert(bytes.end(), {static_cast<unsigned char>(n & 0xff),
                                       static_cast<unsigned char>(n >> 8)});
        }
        Padded(name);
        Card32(1);  // last change serial
    }
    void Padded(const std::string& text) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize(bytes.size() + (4 - text.size() % 4) % 4, 0);
    }
    void Card32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            const int shift = msbFirst ? 24 - 8 * i : 8 * i;
            bytes.push_back(static_cast<unsigned char>(v >> shift));
        }
    }
    XSettingsData& Count() {
        ++count;
        for (int i = 0; i < 4; ++i) {
            const int shift = msbFirst ? 24 - 8 * i : 8 * i;
            bytes[8 + i] = static_cast<unsigned char>(count >> shift);
        }
        return *this;
    }
    bool msbFirst;
    std::uint32_t count = 0;
};

DesktopSettings WithResources(const std::string& text) {
    DesktopSettings d;
    d.resources = text;
    return d;
}

DesktopSettings WithXSettings(const XSettingsData& data) {
    DesktopSettings d;
    d.xsettings = data.bytes;
    return d;
}

TEST(DesktopScaleTest, SourcesCountInOrderAndNonsenseFallsThrough) {
    DesktopSettings all = WithXSettings(
        XSettingsData().Integer("Gdk/WindowScalingFactor", 3).Integer("Xft/DPI", 192 * 1024));
    all.resources = "Xft.antialias:\t1\nXft.dpi:\t144\n";
    EXPECT_EQ(ChooseScale(1.25f, "2", all).scale, 1.25f) << "the command line first";
    EXPECT_FALSE(ChooseScale(1.25f, "2", all).followsDesktop);
    // What every platform takes from the command line: a quarter step.
    EXPECT_EQ(GivenScale(1.3f), 1.25f);
    EXPECT_EQ(GivenScale(8.0f), 8.0f);
    EXPECT_EQ(GivenScale(0.0f), std::nullopt) << "none given";
    EXPECT_EQ(GivenScale(8.5f), std::nullopt);
    EXPECT_EQ(ChooseScale(0.0f, "2", all).scale, 2.0f) << "then GDK_SCALE";
    EXPECT_FALSE(ChooseScale(0.0f, "2", all).followsDesktop);
    for (const char* bad : {"", "0", "1.5", "-2", "9", "2x", "two", "nan"}) {
        SCOPED_TRACE(bad);
        const ScaleChoice choice = ChooseScale(0.0f, bad, all);
        EXPECT_EQ(choice.scale, 3.0f) << "then Gdk/WindowScalingFactor";
        EXPECT_TRUE(choice.followsDesktop);
    }
    EXPECT_EQ(ChooseScale(0.0f, nullptr, all).scale, 3.0f);

    DesktopSettings noFactor = all;
    noFactor.xsettings =
        XSettingsData().Integer("Gdk/WindowScalingFactor", 0).Integer("Xft/DPI", 192 * 1024).bytes;
    EXPECT_EQ(DesktopScale(noFactor), 1.5f) << "a factor of 0: Xft.dpi next";
    noFactor.resources = "Xft.dpi: lots\n";
    EXPECT_EQ(DesktopScale(noFactor), 2.0f) << "a dpi that is no number: Xft/DPI next";
    noFactor.xsettings = XSettingsData().Integer("Xft/DPI", -1).bytes;
    EXPECT_EQ(DesktopScale(noFactor), 1.0f) << "nothing that makes sense: 1";
    EXPECT_EQ(DesktopScale({}), 1.0f);
}

TEST(DesktopScaleTest, DpiGivesQuarterStepsFromOneToEight) {
    const std::pair<const char*, float> cases[] = {
        {"Xft.dpi: 96", 1.0f},   {"Xft.dpi:\t120", 1.25f}, {"Xft.dpi: 144.0", 1.5f},
        {"Xft.dpi: 168", 1.75f}, {"Xft.dpi: 192", 2.0f},   {"Xft.dpi: 100", 1.0f},
        {"Xft.dpi: 72", 1.0f},   {"Xft.dpi: 768", 8.0f},
    };
    for (const auto& [text, scale] : cases) {
        EXPECT_EQ(DesktopScale(WithResources(text)), scale) << text;
    }
    for (const char* bad : {"Xft.dpi: 0", "Xft.dpi: -96", "Xft.dpi: 1e9", "Xft.dpi: inf",
                            "Xft.dpi:", "Xft.dpis: 192", "*dpi: 192", "Xft.dpi: 192 dpi"}) {
        EXPECT_EQ(DesktopScale(WithResources(bad)), 1.0f) << bad;
    }
    EXPECT_EQ(DesktopScale(WithResources("Xft.dpi: 96\nXft.dpi: 192")), 2.0f) << "the last counts";
}

TEST(DesktopScaleTest, XSettingsAreReadInEitherByteOrderAndNeverPastTheirEnd) {
    for (const bool msb : {false, true}) {
        SCOPED_TRACE(msb ? "MSB first" : "LSB first");
        const XSettingsData data = XSettingsData(msb)
                                       .String("Net/ThemeName", "Adwaita-dark")
                                       .Integer("Xft/DPI", 147456)
                                       .Integer("Gdk/WindowScalingFactor", 2);
        EXPECT_EQ(XSettingsInteger(data.bytes, "Xft/DPI"), 147456);
        EXPECT_EQ(XSettingsInteger(data.bytes, "Gdk/WindowScalingFactor"), 2);
        EXPECT_FALSE(XSettingsInteger(data.bytes, "Net/ThemeName")) << "not an integer";
        EXPECT_FALSE(XSettingsInteger(data.bytes, "Xft/Hinting"));
        // Cut anywhere, the data ends before the setting or inside it.
        for (std::size_t size = 0; size < data.bytes.size(); ++size) {
            const std::vector<unsigned char> cut(data.bytes.begin(), data.bytes.begin() + size);
            EXPECT_FALSE(XSettingsInteger(cut, "Gdk/WindowScalingFactor")) << "cut at " << size;
        }
    }
    XSettingsData lying;
    lying.String("Net/ThemeName", "x");
    lying.bytes[8] = 0xff;  // more settings than there are
    EXPECT_FALSE(XSettingsInteger(lying.bytes, "Xft/DPI"));
    lying.bytes[0] = 7;  // no such byte order
    EXPECT_FALSE(XSettingsInteger(lying.bytes, "Net/ThemeName"));
}

TEST(DesktopScaleTest, AWindowTooLargeForTheScreenTakesTheLargestFactorThatFits) {
    EXPECT_EQ(FitScale(2.0f, 1024, 800, {3200, 2400}), 2.0f);
    EXPECT_EQ(FitScale(2.0f, 1024, 800, {1920, 1200}), 1.5f) << "1536 x 1200";
    EXPECT_EQ(FitScale(2.0f, 1024, 800, {1920, 1080}), 1.25f) << "1280 x 1000";
    EXPECT_EQ(FitScale(3.0f, 1024, 800, {2048, 1600}), 2.0f) << "exactly the screen";
    EXPECT_EQ(FitScale(2.0f, 1024, 800, {800, 600}), 1.0f) << "never below 1";
    EXPECT_EQ(FitScale(1.5f, 1024, 800, {0, 0}), 1.5f) << "no area known";
    EXPECT_EQ(ScaledSide(1024, 1.25f), 1280);
    EXPECT_EQ(ScaledSide(800, 1.75f), 1400);
}

// A page's canvas fills the room to the last device pixel of its tighter
// side, whatever the factor, and keeps the scene's proportions.
TEST(DesktopScaleTest, ACanvasShrinksExactlyToItsRoomBelowOneToo) {
    const auto sides = [](float s) { return std::pair(ScaledSide(1024, s), ScaledSide(800, s)); };
    EXPECT_EQ(sides(FitScale(3.0f, 1024, 800, {1170, 2532, true})), std::pair(1170, 914))
        << "a phone upright at ratio 3";
    EXPECT_EQ(sides(FitScale(3.0f, 1024, 800, {2532, 1000, true})), std::pair(1280, 1000))
        << "lying down";
    EXPECT_EQ(sides(FitScale(1.0f, 1024, 800, {640, 480, true})), std::pair(614, 480))
        << "a small window at ratio 1";
    EXPECT_EQ(FitScale(2.0f, 1024, 800, {4000, 4000, true}), 2.0f) << "room to spare";
    EXPECT_EQ(FitScale(2.0f, 1024, 800, {0, 0, true}), 2.0f) << "no room known";
}

}  // namespace
