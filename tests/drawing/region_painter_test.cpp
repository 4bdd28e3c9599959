// The region painter against the cell-by-cell painter, through the real GLUT
// host on Mesa's llvmpipe under Xvfb: each scene is drawn once each way into
// the 1024 x 800 window the program uses, and the whole back buffer is read
// before any swap. Every channel of every pixel must lie within one step
// (1/255) of the other frame's. The frames are cleared to magenta, which no
// cell shows and no band comes near, so a pixel that one painter covers and
// the other does not is far off and cannot pass. The painters must also have
// taken the way each scene calls for, or equal frames would prove nothing.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "application_glut.h"
#include "cell_drawing.h"
#include "draw_kit.h"
#include "event_log.h"
#include "gl_frame.h"
#include "glut_pump.h"
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
        if (!PumpUntil(
                [] {
                    return glutGet(GLUT_WINDOW_WIDTH) == kWidth &&
                           glutGet(GLUT_WINDOW_HEIGHT) == kHeight;
                },
                std::chrono::seconds(5))) {
            ADD_FAILURE() << "the window never became " << kWidth << "x" << kHeight;
        }
        h->Redraw();
        return h;
    }();
    return *host;
}

// Magenta: no cell in these scenes comes near it, as cells mix their colours
// on a white ground, and the outline grey keeps every band's green above 40.
constexpr Pixel kGround{255, 0, 255};

GlFrame DrawWith(tvWorld& world, tvGridPainter& painter) {
    Host().BeginFrame();
    GLfloat hostClear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, hostClear);
    glClearColor(kGround.red / 255.0f, kGround.green / 255.0f, kGround.blue / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(hostClear[0], hostClear[1], hostClear[2], hostClear[3]);
    SetGridPainter(&painter);
    world.DrawAll();
    SetGridPainter(nullptr);
    return GlFrame();
}

int StepsApart(Pixel a, Pixel b) {
    return std::max(
        {std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

// How many grids the region painter should draw each way.
struct Ways {
    long byRegions;
    long cellByCell;
};

::testing::AssertionResult DrawsAlike(tvWorld& world, Ways ways) {
    tvCellByCellPainter reference;
    tvRegionPainter regions;
    const GlFrame expected = DrawWith(world, reference);
    const GlFrame actual = DrawWith(world, regions);
    if (regions.RegionGrids() != ways.byRegions || regions.CellByCellGrids() != ways.cellByCell) {
        return ::testing::AssertionFailure()
               << "drew " << regions.RegionGrids() << " grids by regions and "
               << regions.CellByCellGrids() << " cell by cell, expected " << ways.byRegions
               << " and " << ways.cellByCell;
    }
    long differing = 0;
    long uncovered = 0;
    long drawn = 0;
    std::string first;
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            const Pixel want = expected.At(x, y);
            const Pixel got = actual.At(x, y);
            const bool coveredOnce = (want == kGround) != (got == kGround);
            drawn += want == kGround ? 0 : 1;
            uncovered += coveredOnce ? 1 : 0;
            if (coveredOnce || StepsApart(want, got) > 1) {
                if (differing++ == 0) {
                    std::ostringstream out;
                    out << "pixel (" << x << ", " << y << ") is " << want << " cell by cell but "
                        << got << " by regions";
                    first = out.str();
                }
            }
        }
    }
    if (differing > 0) {
        return ::testing::AssertionFailure()
               << differing << " pixels more than one step apart or covered by one painter only ("
               << uncovered << " of them); first " << first;
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

// Cells whose colours differ by less than a step share a look and are drawn
// in one colour; mixes beyond 0..1 are clamped before the band is blended.
TEST_F(RegionPainterTest, CellsOfEveryFillLevelLockedAndUnlocked) {
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
    std::uniform_real_distribution<float> belowAStep(-0.49f / 255.0f, 0.49f / 255.0f);
    ForEachCell(*new tvSurface2d(&world, 20.0f, 400.0f, 10.0f, 40, 20),
                [&](tvCell& cell, int c, int) {
                    cell = CellOf(0.5f + belowAStep(random), 0.25f + belowAStep(random),
                                  0.8f + belowAStep(random), 255.0f, c % 8 == 0);
                });
    ForEachCell(*new tvSurface2d(&world, 500.0f, 400.0f, 10.0f, 6, 6),
                [&](tvCell& cell, int c, int r) {
                    // Red (1 - 3.5) / 0.5, green (1 + 3) / 0.5, blue 1.5 or less.
                    cell = CellOf(1.0f, 0.0f, float(c) / 6.0f, -3.5f, r % 2 == 0);
                    cell.layers[1] = CellOf(0.0f, 1.0f, 0.5f, 3.0f, false).layers[0];
                });
    EXPECT_TRUE(DrawsAlike(world, {5, 0}));
}

TEST_F(RegionPainterTest, CellSizesAndPlacesUpToAndBeyondTheWindowEdges) {
    struct Place {
        float x;
        float y;
        float cellSize;
        int columns;
        int rows;
    };
    // The last ones reach tens of thousands of pixels beyond the window, and
    // cells of 5,000 pixels and more fill whole corners; the list draws them
    // under the others.
    const Place places[] = {
        {-13, -7, 10, 6, 5},      {1000, 780, 10, 6, 5},      {990, -25, 7, 9, 9},
        {-31, 770, 3, 30, 20},    {200, 300, 2, 40, 30},      {300, 300, 3, 25, 2},
        {400, 300, 4, 1, 30},     {500, 300, 25, 5, 7},       {700, 100, 32, 4, 6},
        {40, 500, 17, 1, 1},      {-2000, 400, 20, 110, 4},   {100, 560, 33, 6, 6},
        {330, 560, 64, 3, 2},     {-20000, 700, 20, 1100, 2}, {960, -30000, 20, 2, 1550},
        {-4900, 600, 5000, 1, 1}, {900, -9000, 9050, 1, 1}};
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
    EXPECT_TRUE(DrawsAlike(world, {17, 0}));
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

// A whole zoom puts every unit on a block of whole pixels, as a screen of
// twice the density does.
TEST_F(RegionPainterTest, AFractionalZoomOrPanIsDrawnCellByCellAWholeZoomInRegions) {
    MainScene scene(7);
    DropSwatchesOnCanvases(scene);
    scene.World().StepAll();
    Host().SetZoom(2.0f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {9, 0})) << "zoom 2";
    Host().SetZoom(1.5f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {0, 9})) << "zoom 1.5";
    Host().SetZoom(0.75f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {0, 9})) << "zoom 0.75";
    Host().SetZoom(1.0f);
    Host().SetPan(500.5f, 400.0f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {0, 9})) << "pan by half a pixel";
    Host().SetPan(600.0f, 450.0f);
    EXPECT_TRUE(DrawsAlike(scene.World(), {9, 0})) << "pan by whole pixels";
}

// Grids whose cells could land differently are drawn cell by cell; a cell
// that is not filled opaque is drawn cell by cell within a grid drawn by
// regions.
TEST_F(RegionPainterTest, GridsWhoseCoverageCouldDifferAreDrawnCellByCell) {
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
    // Past 2^24 whole numbers no longer add exactly.
    Randomise(*new tvSurface2d(&world, 16777000.0f, 20.0f, 10.0f, 40, 5), random);
    auto* under = new tvSurface2d(&world, 290.0f, 10.0f, 10.0f, 20, 5);
    Blocks(*under, 2, 2, false);
    EXPECT_TRUE(DrawsAlike(world, {3, 4}));
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
