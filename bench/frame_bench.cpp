// One update tick of the program as it runs, on the real host under Xvfb
// with Mesa's llvmpipe: the spreading step and the frame after it, drawn in
// parts or whole, waited for (glFinish) and presented. Run it under a
// private X server: bash tests/tools/with-xvfb.sh build/bench/frame_bench
//
// The scenes: the blank canvases as the program starts (nothing changes),
// and two swatches lying on canvas A, the colour spread for 300 ticks
// into its steady swing (about 1,500 cells change look every tick).
//
// And where llvmpipe spends its time: the band and fill of 41 x 41 cells
// of 10 pixels, as the region painter draws cells that all look different,
// against two quads over the same pixels.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>

#include "applet_mode_master.h"
#include "application_glut.h"
#include "draw_kit.h"
#include "main_mode.h"
#include "region_painter.h"
#include "surface.h"

namespace {

ApplicationGLUT& Host() {
    static ApplicationGLUT* host = [] {
        WindowDescription window = ApplicationGLUT::DefaultWindow();
        window.width = 1024;
        window.height = 800;
        return CreateApplication(window);
    }();
    return *host;
}

// The program's stack on the host, with red and blue laid on canvas A as
// the demo leaves them.
struct Scene {
    explicit Scene(bool painted) {
        SetGridPainter(&painter);
        Host().Application::Run(static_cast<Applet*>(&stack));
        Host().SetPictureSource(&stack);
        if (painted) {
            tvWorld& world = mainMode.World();
            world.SurfaceAt(120.0f, 50.0f)->MoveBy(130.0f, 280.0f);
            world.SurfaceAt(220.0f, 50.0f)->MoveBy(180.0f, 380.0f);
            for (int i = 0; i < 300; ++i) {
                world.StepAll();
            }
        }
        Host().Repaint();
    }
    ~Scene() {
        Host().SetPictureSource(nullptr);
        SetGridPainter(nullptr);
    }
    struct Seed {
        Seed() { std::srand(7); }
    } seed;
    tvRegionPainter painter;
    tv1MainMode mainMode;
    AppletModeMaster stack{&Host(), &mainMode};
};

void Tick(benchmark::State& state, bool painted, bool parts) {
    Host().SetPartialFrames(parts);
    Scene scene(painted);
    for (auto _ : state) {
        scene.mainMode.World().StepAll();
        Host().Redraw();
        glFinish();
    }
    Host().SetPartialFrames(true);
}
BENCHMARK_CAPTURE(Tick, BlankInParts, false, true)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Tick, PaintedInParts, true, true)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Tick, PaintedWhole, true, false)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// The same pixels in 3,362 quads or in 2: llvmpipe's cost is per quad.
void Quads(benchmark::State& state, bool perCell) {
    Host().BeginFrame();
    // Opaque, as the region painter draws them.
    glDisable(GL_BLEND);
    tvQuadBatch batch;
    constexpr int kCells = 41;
    constexpr float kSide = 10.0f;
    if (perCell) {
        for (int c = 0; c < kCells; ++c) {
            for (int r = 0; r < kCells; ++r) {
                const float x = 100.0f + kSide * static_cast<float>(c);
                const float y = 100.0f + kSide * static_cast<float>(r);
                const auto shade = static_cast<std::uint8_t>(c * 5 + r * 3);
                batch.Add({x, x + kSide, y, y + kSide}, {shade, 128, 200});
                batch.Add({x + 1.0f, x + kSide - 1.0f, y + 1.0f, y + kSide - 1.0f},
                          {200, shade, 128});
            }
        }
    } else {
        const float end = 100.0f + kSide * kCells;
        batch.Add({100.0f, end, 100.0f, end}, {10, 128, 200});
        batch.Add({101.0f, end - 1.0f, 101.0f, end - 1.0f}, {200, 10, 128});
    }
    for (auto _ : state) {
        batch.Draw();
        glFinish();
    }
    glEnable(GL_BLEND);
}
BENCHMARK_CAPTURE(Quads, TwoPerCell, true)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Quads, TwoOverAllCells, false)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
