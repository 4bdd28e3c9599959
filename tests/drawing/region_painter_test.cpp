// The region painter against the cell-by-cell painter, through the real GLUT
// host on Mesa's llvmpipe under Xvfb: each scene is drawn once each way into
// the 1024 x 800 window the program uses, and the whole back buffer is read
// before any swap and compared byte for byte. The painters must also have
// taken the way each scene calls for, or equal frames would prove nothing.
//
// The first group pins the rounding the region painter reproduces: which
// bytes llvmpipe stores for opaque fills and for the outline blended over
// them.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "application_glut.h"
#include "cell_drawing.h"
#include "colour_byte.h"
#include "draw_kit.h"
#include "event_log.h"
#include "recording_client.h"
#include "region_painter.h"
#include "scene.h"
#include "surface2d.h"
#include "world.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 800;

// The host at the program's window size. Mesa takes up a new window size at
// the next swap, so one frame is swapped once the window has its size.
ApplicationGLUT& Host() {
    static ApplicationGLUT* host = [] {
        static EventLog log;
        static RecordingClient client(log);
        ApplicationGLUT* h = CreateApplication();
        h->Application::Run(&client);
        h->SetWindowSize(kWidth, kHeight);
        for (int i = 0; i < 500 && (glutGet(GLUT_WINDOW_WIDTH) != kWidth ||
                                    glutGet(GLUT_WINDOW_HEIGHT) != kHeight);
             ++i) {
            glutMainLoopEvent();
            glutPostRedisplay();
        }
        h->Redraw();
        return h;
    }();
    return *host;
}

// The back buffer, addressed in window pixels from the top left corner.
class Frame {
public:
    Frame() : bytes(static_cast<std::size_t>(kWidth) * kHeight * 3) {
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    }
    int At(int x, int y, int channel) const { return bytes[Index(x, y) + channel]; }
    std::string Describe(int x, int y) const {
        std::ostringstream out;
        out << "(" << At(x, y, 0) << ", " << At(x, y, 1) << ", " << At(x, y, 2) << ")";
        return out.str();
    }
    bool SameAt(const Frame& other, int x, int y) const {
        for (int c = 0; c < 3; ++c) {
            if (At(x, y, c) != other.At(x, y, c)) {
                return false;
            }
        }
        return true;
    }
    bool WhiteAt(int x, int y) const {
        return At(x, y, 0) == 255 && At(x, y, 1) == 255 && At(x, y, 2) == 255;
    }

private:
    static std::size_t Index(int x, int y) {
        return (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 3;
    }
    std::vector<unsigned char> bytes;
};

Frame DrawWith(tvWorld& world, tvGridPainter& painter) {
    Host().BeginFrame();
    SetGridPainter(&painter);
    world.DrawAll();
    SetGridPainter(nullptr);
    return Frame();
}

// How many grids the region painter should draw each way.
struct Ways {
    long byRegions;
    long cellByCell;
};

::testing::AssertionResult DrawsAlike(tvWorld& world, Ways ways) {
    tvCellByCellPainter reference;
    tvRegionPainter regions;
    const Frame expected = DrawWith(world, reference);
    const Frame actual = DrawWith(world, regions);
    if (regions.RegionGrids() != ways.byRegions || regions.CellByCellGrids() != ways.cellByCell) {
        return ::testing::AssertionFailure()
               << "drew " << regions.RegionGrids() << " grids by regions and "
               << regions.CellByCellGrids() << " cell by cell, expected " << ways.byRegions
               << " and " << ways.cellByCell;
    }
    long differing = 0;
    long drawn = 0;
    std::string first;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            drawn += expected.WhiteAt(x, y) ? 0 : 1;
            if (!expected.SameAt(actual, x, y)) {
                if (differing++ == 0) {
                    std::ostringstream out;
                    out << "pixel (" << x << ", " << y << ") is " << expected.Describe(x, y)
                        << " cell by cell but " << actual.Describe(x, y) << " by regions";
                    first = out.str();
                }
            }
        }
    }
    if (differing > 0) {
        return ::testing::AssertionFailure() << differing << " pixels differ; first " << first;
    }
    if (drawn == 0) {
        return ::testing::AssertionFailure() << "the scene drew nothing";
    }
    return ::testing::AssertionSuccess();
}

tvCell CellOf(float red, float green, float blue, float amount, bool locked) {
    tvCell cell;
    for (tvCellLayer& layer : cell.layers) {
        layer.amount = 0.0f;
    }
    cell.layers[0].red = red;
    cell.layers[0].green = green;
    cell.layers[0].blue = blue;
    cell.layers[0].amount = amount;
    cell.locked = locked;
    return cell;
}

void ForEachCell(tvSurface2d& grid, const std::function<void(tvCell&, int, int)>& set) {
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            set(*grid.CurrentCell(c, r), c, r);
        }
    }
}

// Every layer random: colours in 0..1, amounts from none to large, a few
// tiny or huge; the lock at random.
void Randomise(tvSurface2d& grid, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> kind(0, 9);
    ForEachCell(grid, [&](tvCell& cell, int, int) {
        for (tvCellLayer& layer : cell.layers) {
            layer.red = unit(random);
            layer.green = unit(random);
            layer.blue = unit(random);
            const int k = kind(random);
            layer.amount = k < 3 ? 0.0f : k == 3 ? 1e-7f : k == 4 ? 1e6f : unit(random) * 3.0f;
        }
        cell.locked = kind(random) < 3;
    });
}

// Cells in blocks of equal looks, so that the regions have many shapes.
void Blocks(tvSurface2d& grid, int blockColumns, int blockRows, bool locked) {
    ForEachCell(grid, [&](tvCell& cell, int c, int r) {
        const int block = (c / blockColumns + 3 * (r / blockRows)) % 4;
        cell = CellOf(block == 1 ? 1.0f : 0.2f, block == 2 ? 1.0f : 0.1f, block == 3 ? 0.9f : 0.0f,
                      block == 0 ? 0.0f : 1.5f, locked);
    });
}

// The program's own scene, built from a fixed seed.
struct MainScene {
    explicit MainScene(unsigned seed) {
        std::srand(seed);
        scene::Build(world);
    }

    std::vector<tvSurface2d*> Surfaces() {
        std::vector<tvSurface2d*> all;
        for (tvSurface* s = world.FirstSurface(); s; s = s->NextSurface()) {
            all.push_back(static_cast<tvSurface2d*>(s));
        }
        return all;
    }
    tvWorld& World() { return world; }
    tvSurface2d* CanvasA() { return Surfaces().back(); }
    tvSurface2d* CanvasB() { return Surfaces().end()[-2]; }
    // Valid until a clone is added.
    tvSurface2d* Swatch(int n) { return Surfaces()[6 - n]; }

    tvWorld world;
};

// Each swatch dropped at a whole-pixel place over a canvas, some over each
// other and over canvas edges.
void DropSwatchesOnCanvases(MainScene& scene) {
    const float moves[7][2] = {{0, 150},   {40, 200},  {-60, 300}, {120, 380},
                               {150, 460}, {290, 470}, {-110, 138}};
    for (int n = 0; n < 7; ++n) {
        scene.Swatch(n)->MoveBy(moves[n][0], moves[n][1]);
    }
}

class RegionPainterTest : public ::testing::Test {
protected:
    RegionPainterTest() {
        Host().SetZoom(1.0f);
        Host().SetWindowSize(kWidth, kHeight);
        // The kit's colour and alpha outlive every frame.
        SetDrawAlpha(1.0f);
    }
    ~RegionPainterTest() override {
        Host().SetZoom(1.0f);
        Host().SetWindowSize(kWidth, kHeight);
    }
};

// The smallest float that FillByte turns into at least `byte`.
float LowestFor(int byte) {
    std::uint32_t low = 0;
    std::uint32_t high = std::bit_cast<std::uint32_t>(1.0f);
    while (high - low > 1) {
        const std::uint32_t middle = low + (high - low) / 2;
        (FillByte(std::bit_cast<float>(middle)) >= byte ? high : low) = middle;
    }
    return std::bit_cast<float>(high);
}

// A fill and its outline strip, as cell drawing issues them.
void DrawKitCell(tvBounds cell, float red, float green, float blue, float outlineAlpha) {
    SetDrawAlpha(1.0f);
    SetDrawColour(red, green, blue);
    FillRect(cell);
    SetDrawAlpha(outlineAlpha);
    OutlineColour().Apply();
    OutlineRect(cell);
}

TEST_F(RegionPainterTest, CellFillsRoundToTheNearestByteEvenBesideTheMiddles) {
    std::vector<float> values;
    for (int byte = 1; byte < 256; ++byte) {
        const float lowest = LowestFor(byte);
        values.push_back(lowest);
        values.push_back(std::nextafter(lowest, 0.0f));
    }
    for (float v : {0.0f, -0.5f, 1.0f, 1.5f, 0.5f, 1.0f / 3.0f, 2.0f / 3.0f}) {
        values.push_back(v);
    }
    const auto place = [](std::size_t i) { return std::pair{int(i % 64) * 16, int(i / 64) * 16}; };
    // Later frames too: llvmpipe may change how it draws a shader it has used.
    for (int frame = 0; frame < 3; ++frame) {
        Host().BeginFrame();
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto [x, y] = place(i);
            DrawKitCell(tvBounds{float(x), float(x + 10), float(y), float(y + 10)}, values[i],
                        1.0f - values[i], values[i], 0.35f);
        }
        const Frame pixels;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto [x, y] = place(i);
            ASSERT_EQ(pixels.At(x + 5, y + 5, 0), FillByte(values[i]))
                << "red " << std::hexfloat << values[i] << ", frame " << frame;
            ASSERT_EQ(pixels.At(x + 5, y + 5, 1), FillByte(1.0f - values[i]))
                << "green " << std::hexfloat << 1.0f - values[i] << ", frame " << frame;
        }
    }
}

// Opaque grey rectangles as the region painter draws them, blending off.
void DrawOpaque(const std::vector<tvBounds>& rects, const std::vector<float>& colours) {
    glDisable(GL_BLEND);
    SetDrawAlpha(1.0f);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        SetDrawColour(colours[i], colours[i], colours[i]);
        FillRect(rects[i]);
    }
    glEnable(GL_BLEND);
}

// Each byte's colour drawn as a rectangle among many in tiles of their own,
// and again in tiles shared with an outline strip, over many frames, each
// byte once the first rectangle of a frame: llvmpipe turns the colour of
// the first rectangle of a frame into a byte another way than the others.
// Witnesses show that every way was seen: 0.5 stores 128 on the general
// path and 127 on the fast one, and 99.8 / 255 stores 99 where the fast
// path multiplies by 255 (drawn first in every other frame).
// Rectangles keep to the top 32 rows, which lie in one tile row whether
// llvmpipe counts tile rows from the top or from the bottom of the window.
TEST_F(RegionPainterTest, EveryByteHasAColourThatFillsToItWhicheverWayItsTileIsDrawn) {
    constexpr int kTile = 64;
    constexpr int kPerTile = 48;
    constexpr int kFirstWitness = 256;
    constexpr int kSecondWitness = 257;
    const auto colourOf = [](int i) {
        return i == kFirstWitness    ? 0.5f
               : i == kSecondWitness ? 99.8f / 255.0f
                                     : ColourForByte(static_cast<std::uint8_t>(i));
    };
    // Tiles 0, 2, 4, .. hold rectangles alone; tiles 1, 3, 5, .. the same
    // with an outline; the second witness has tile 12 to itself.
    const auto place = [](int i, bool outlined) {
        const int tile = i == kSecondWitness ? 12 : 2 * (i / kPerTile) + (outlined ? 1 : 0);
        const float x = float(tile * kTile + 2 + 6 * (i % kPerTile % 8));
        const float y = float(2 + 4 * (i % kPerTile / 8));
        return tvBounds{x, x + 4.0f, y, y + 4.0f};
    };
    int seen[3] = {0, 0, 0};  // general, fast, fast for the first rectangle
    for (int frame = 0; frame < 512; ++frame) {
        std::vector<int> order;
        if (frame % 2 == 0) {
            order.push_back(kSecondWitness);
        }
        for (int n = 0; n <= 256; ++n) {
            order.push_back((frame / 2 + n) % 257);
        }
        std::vector<tvBounds> rects;
        std::vector<float> colours;
        for (int i : order) {
            for (bool outlined : {false, true}) {
                if (i != kSecondWitness || !outlined) {
                    rects.push_back(place(i, outlined));
                    colours.push_back(colourOf(i));
                }
            }
        }
        Host().BeginFrame();
        DrawOpaque(rects, colours);
        for (int tile = 1; tile < 12; tile += 2) {
            DrawKitCell(tvBounds{tile * kTile + 52.0f, tile * kTile + 62.0f, 2.0f, 12.0f}, 0.0f,
                        0.0f, 0.0f, 0.35f);
        }
        const Frame pixels;
        for (std::size_t n = 0; n < rects.size(); ++n) {
            const int x = static_cast<int>(rects[n].left) + 1;
            const int y = static_cast<int>(rects[n].top) + 1;
            const int got = pixels.At(x, y, 0);
            if (colours[n] == colourOf(kFirstWitness)) {
                seen[0] += got == 128;
                seen[1] += got == 127;
            } else if (colours[n] == colourOf(kSecondWitness)) {
                seen[2] += got == 99;
            } else {
                ASSERT_EQ(got, FillByte(colours[n]))
                    << "frame " << frame << ", rectangle at (" << x - 1 << ", " << y - 1 << ")";
            }
        }
    }
    EXPECT_GT(seen[0], 0) << "never drawn the general way: this test covers fewer ways";
    EXPECT_GT(seen[1], 0) << "never drawn the fast way: this test covers fewer ways";
    EXPECT_GT(seen[2], 0) << "never drawn first the fast way: this test covers fewer ways";
}

// The outline strip exactly as cell drawing issues it, over fills of every byte.
TEST_F(RegionPainterTest, OutlineBlendsOverEveryFillByteAsModelled) {
    Host().BeginFrame();
    const float alphas[] = {0.35f, 1.0f};
    for (int a = 0; a < 2; ++a) {
        for (int byte = 0; byte < 256; ++byte) {
            const float x = float((byte % 64) * 12);
            const float y = float((byte / 64) * 12 + a * 60);
            SetDrawAlpha(1.0f);
            SetDrawColour(ColourForByte(byte), ColourForByte(255 - byte), ColourForByte(byte / 2));
            const tvBounds cell{x, x + 10.0f, y, y + 10.0f};
            FillRect(cell);
            SetDrawAlpha(alphas[a]);
            OutlineColour().Apply();
            OutlineRect(cell);
        }
    }
    const Frame frame;
    for (int a = 0; a < 2; ++a) {
        for (int byte = 0; byte < 256; ++byte) {
            const int x = (byte % 64) * 12;
            const int y = (byte / 64) * 12 + a * 60;
            const int under[] = {byte, 255 - byte, byte / 2};
            for (int c = 0; c < 3; ++c) {
                const int band = BlendedByte(0.5f, alphas[a], static_cast<std::uint8_t>(under[c]));
                EXPECT_EQ(frame.At(x, y + 4, c), band)
                    << "channel " << c << " over " << under[c] << " at alpha " << alphas[a];
                EXPECT_EQ(frame.At(x + 4, y + 9, c), band)
                    << "channel " << c << " over " << under[c] << " at alpha " << alphas[a];
            }
        }
    }
}

TEST_F(RegionPainterTest, TheProgramsSceneAsItStarts) {
    MainScene scene(1);
    EXPECT_TRUE(DrawsAlike(scene.World(), {9, 0}));
}

TEST_F(RegionPainterTest, EverySwatchColouringTheCanvasesTickByTick) {
    for (unsigned seed : {2u, 3u}) {
        MainScene scene(seed);
        DropSwatchesOnCanvases(scene);
        for (int tick = 1; tick <= 40; ++tick) {
            scene.World().StepAll();
            if (tick == 1 || tick == 4 || tick == 15 || tick == 40) {
                EXPECT_TRUE(DrawsAlike(scene.World(), {9, 0}))
                    << "seed " << seed << ", tick " << tick;
            }
        }
    }
}

TEST_F(RegionPainterTest, CellsOfEveryFillByteLockedAndUnlocked) {
    tvWorld world;
    for (bool locked : {false, true}) {
        auto* grid = new tvSurface2d(&world, locked ? 300.0f : 20.0f, 20.0f, 10.0f, 16, 16);
        ForEachCell(*grid, [&](tvCell& cell, int c, int r) {
            const int k = c + 16 * r;
            cell = CellOf(float(k) / 255.0f, 1.0f - float(k) / 255.0f, float(k * 37 % 256) / 255.0f,
                          255.0f, locked);
        });
    }
    std::mt19937 random(3);
    Randomise(*new tvSurface2d(&world, 600.0f, 20.0f, 10.0f, 30, 30), random);
    EXPECT_TRUE(DrawsAlike(world, {3, 0}));
}

TEST_F(RegionPainterTest, CellSizesAndPlacesUpToAndBeyondTheWindowEdges) {
    struct Place {
        float x;
        float y;
        float cellSize;
        int columns;
        int rows;
    };
    const Place places[] = {{-13, -7, 10, 6, 5},   {1000, 780, 10, 6, 5},   {990, -25, 7, 9, 9},
                            {-31, 770, 3, 30, 20}, {200, 300, 2, 40, 30},   {300, 300, 3, 25, 2},
                            {400, 300, 4, 1, 30},  {500, 300, 25, 5, 7},    {700, 100, 32, 4, 6},
                            {40, 500, 17, 1, 1},   {-2000, 400, 20, 110, 4}};
    tvWorld world;
    std::mt19937 random(4);
    int n = 0;
    for (const Place& p : places) {
        auto* grid = new tvSurface2d(&world, p.x, p.y, p.cellSize, p.columns, p.rows);
        if (n++ % 2) {
            Randomise(*grid, random);
        } else {
            Blocks(*grid, 2, 3, n % 3 == 0);
        }
    }
    EXPECT_TRUE(DrawsAlike(world, {11, 0}));
}

TEST_F(RegionPainterTest, RegionsOfManyShapesAndSizes) {
    tvWorld world;
    Blocks(*new tvSurface2d(&world, 10.0f, 10.0f, 10.0f, 60, 40), 7, 5, false);
    Blocks(*new tvSurface2d(&world, 620.0f, 10.0f, 10.0f, 36, 50), 1, 13, true);
    Blocks(*new tvSurface2d(&world, 10.0f, 430.0f, 32.0f, 8, 7), 3, 2, false);
    tvCell white = CellOf(0.0f, 0.0f, 0.0f, 0.0f, false);
    auto* blank = new tvSurface2d(&world, 450.0f, 520.0f, 10.0f, 48, 26);
    blank->Fill(white);
    EXPECT_TRUE(DrawsAlike(world, {4, 0}));
}

// The world draws its list in order, so the surface made first ends on top;
// a grid drawn cell by cell between others must find the blending as the
// region painter found it.
TEST_F(RegionPainterTest, OverlappingSurfacesInListOrderWhicheverWayEachIsDrawn) {
    tvWorld world;
    std::mt19937 random(6);
    Randomise(*new tvSurface2d(&world, 100.0f, 100.0f, 10.0f, 20, 20), random);
    Blocks(*new tvSurface2d(&world, 150.5f, 160.0f, 10.0f, 20, 20), 3, 3, false);
    Randomise(*new tvSurface2d(&world, 230.0f, 120.0f, 10.0f, 20, 20), random);
    Blocks(*new tvSurface2d(&world, 180.0f, 240.0f, 5.0f, 30, 30), 2, 2, true);
    Randomise(*new tvSurface2d(&world, 190.0f, 250.25f, 10.0f, 10, 10), random);
    EXPECT_TRUE(DrawsAlike(world, {3, 2}));
}

TEST_F(RegionPainterTest, MovedAndClonedSurfaces) {
    MainScene scene(5);
    DropSwatchesOnCanvases(scene);
    for (int tick = 0; tick < 20; ++tick) {
        scene.World().StepAll();
    }
    tvSurface* swatchCopy = scene.Swatch(2)->Clone();
    swatchCopy->MoveBy(37.0f, 211.0f);
    tvSurface* canvasCopy = scene.CanvasB()->Clone();
    canvasCopy->MoveBy(-300.0f, 40.0f);
    scene.CanvasA()->MoveBy(13.0f, -9.0f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {11, 0})) << "clones moved by whole pixels";

    canvasCopy->MoveBy(0.5f, 0.0f);
    swatchCopy->MoveBy(0.25f, 0.75f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {9, 2})) << "clones moved by fractions";

    canvasCopy->MoveBy(0.5f, 0.0f);
    swatchCopy->MoveBy(0.75f, 0.25f);
    scene.World().StepAll();
    EXPECT_TRUE(DrawsAlike(scene.World(), {11, 0})) << "clones back on whole pixels";
}

TEST_F(RegionPainterTest, AnyZoomOrAFractionalPanIsDrawnCellByCell) {
    MainScene scene(7);
    DropSwatchesOnCanvases(scene);
    scene.World().StepAll();
    Host().SetZoom(2.0f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {0, 9})) << "zoom 2";
    Host().SetZoom(0.75f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {0, 9})) << "zoom 0.75";
    Host().SetZoom(1.0f);
    Host().SetPan(500.5f, 400.0f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {0, 9})) << "pan by half a pixel";
    Host().SetPan(600.0f, 450.0f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {9, 0})) << "pan by whole pixels";
}

TEST_F(RegionPainterTest, GridsWhoseBytesCannotBeKnownAreDrawnCellByCell) {
    tvWorld world;
    std::mt19937 random(8);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Randomise(*new tvSurface2d(&world, 20.0f, 20.0f, 1.0f, 40, 40), random);
    Randomise(*new tvSurface2d(&world, 100.0f, 20.0f, 1.5f, 40, 40), random);
    auto* halfway = new tvSurface2d(&world, 200.0f, 20.0f, 10.0f, 5, 5);
    Randomise(*halfway, random);
    halfway->MoveBy(0.0f, 0.5f);
    auto* emptyCell = new tvSurface2d(&world, 300.0f, 20.0f, 10.0f, 5, 5);
    Randomise(*emptyCell, random);
    // Amounts that add up to nothing: no fill, and what lies beneath shows.
    *emptyCell->CurrentCell(2, 2) = CellOf(1.0f, 0.0f, 0.0f, -1.0f, false);
    auto* nanCell = new tvSurface2d(&world, 400.0f, 20.0f, 10.0f, 5, 5);
    Randomise(*nanCell, random);
    *nanCell->CurrentCell(4, 0) = CellOf(1.0f, 0.0f, 0.0f, nan, true);
    auto* farAway = new tvSurface2d(&world, 20000.0f, 20.0f, 10.0f, 5, 5);
    Randomise(*farAway, random);
    // Fill alone fills whole tiles of large cells, and llvmpipe may round it
    // either way from one frame to the next.
    auto* large = new tvSurface2d(&world, 500.0f, 100.0f, 33.0f, 6, 6);
    Randomise(*large, random);
    auto* under = new tvSurface2d(&world, 290.0f, 10.0f, 10.0f, 20, 5);
    Blocks(*under, 2, 2, false);
    EXPECT_TRUE(DrawsAlike(world, {1, 7}));
}

// The kit state may not matter to pixels, but a painter must not leave
// blending off for whatever draws next.
TEST_F(RegionPainterTest, LeavesBlendingOnAsTheHostSetIt) {
    tvWorld world;
    Blocks(*new tvSurface2d(&world, 10.0f, 10.0f, 10.0f, 5, 5), 1, 1, false);
    tvRegionPainter painter;
    Host().BeginFrame();
    SetGridPainter(&painter);
    world.DrawAll();
    SetGridPainter(nullptr);
    EXPECT_EQ(painter.RegionGrids(), 1);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

}  // namespace
