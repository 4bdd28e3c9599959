// The window icon drawn in code against the installed SVG icon as librsvg
// draws it, at every size the window carries.
#include "app_icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The SVG rendered at size x size by rsvg-convert, as straight-alpha RGBA
// bytes from ImageMagick; empty if either tool failed.
std::vector<std::uint8_t> RenderSvg(int size) {
    const std::string n = std::to_string(size);
    const std::string command = "rsvg-convert -w " + n + " -h " + n +
                                " '" QUILLMERE_ICON_SVG "' | convert png:- -depth 8 rgba:-";
    std::vector<std::uint8_t> bytes;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::uint8_t buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        if (pclose(pipe) != 0) {
            bytes.clear();
        }
    }
    return bytes;
}

// Channels of a pixel with its alpha (last) applied, so that the colour of a
// nearly transparent edge pixel weighs as little as it shows.
std::array<int, 4> Premultiplied(int r, int g, int b, int a) {
    return {r * a / 255, g * a / 255, b * a / 255, a};
}

// Mean error per channel over the whole image, and the worst mean error of
// any square block a swatch wide (20 of the SVG's 128 units), so that a
// wrong swatch shows even where the edges are otherwise close. The two
// rasterisers round edge coverage differently: the drawing stays within 2.3
// and 8 of librsvg, while a swatch in the wrong place, or a missing row of
// them, puts a block 25 or more out.
constexpr double kMeanTolerance = 3.0;
constexpr double kBlockTolerance = 12.0;

TEST(AppIconTest, MatchesTheSvgIconAtEverySize) {
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "rsvg-convert (Debian package librsvg2-bin) is not installed";
    }
    const std::vector<IconImage> icons = QuillmereIcons();
    const int sizes[] = {16, 32, 48, 64, 128};
    ASSERT_EQ(icons.size(), std::size(sizes));
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const IconImage& icon = icons[i];
        SCOPED_TRACE(icon.size);
        ASSERT_EQ(icon.size, sizes[i]);
        const int size = icon.size;
        ASSERT_EQ(icon.argb.size(), static_cast<std::size_t>(size * size));

        // The tile's rounded outline passes outside the square of 12 units
        // in each corner of the 128-unit icon, so every pixel there is clear.
        const int clear = size * 12 / 128;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if ((x < clear || x >= size - clear) && (y < clear || y >= size - clear)) {
                    EXPECT_EQ(icon.argb[y * size + x] >> 24, 0u) << x << ", " << y;
                }
            }
        }

        const std::vector<std::uint8_t> rgba = RenderSvg(size);
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(size * size * 4));
        std::vector<int> error(static_cast<std::size_t>(size * size));
        double total = 0;
        for (int i = 0; i < size * size; ++i) {
            const std::uint32_t p = icon.argb[i];
            const auto ours = Premultiplied(p >> 16 & 0xff, p >> 8 & 0xff, p & 0xff, p >> 24);
            const std::uint8_t* q = &rgba[4 * i];
            const auto theirs = Premultiplied(q[0], q[1], q[2], q[3]);
            for (int c = 0; c < 4; ++c) {
                total += std::abs(ours[c] - theirs[c]);
                error[i] = std::max(error[i], std::abs(ours[c] - theirs[c]));
            }
        }
        const double mean = total / (4.0 * size * size);
        EXPECT_LT(mean, kMeanTolerance);

        const int block = std::max(2, size * 20 / 128);
        double worstBlock = 0;
        for (int y = 0; y + block <= size; ++y) {
            for (int x = 0; x + block <= size; ++x) {
                double sum = 0;
                for (int j = 0; j < block; ++j) {
                    for (int i = 0; i < block; ++i) {
                        sum += error[(y + j) * size + x + i];
                    }
                }
                worstBlock = std::max(worstBlock, sum / (block * block));
            }
        }
        EXPECT_LT(worstBlock, kBlockTolerance);
    }
}

}  // namespace
