// One update tick of the world (StepAll) on the program's scene: canvas A
// 48 x 48 at (100, 170), canvas B 12 x 12 at (600, 500), and the seven 4 x 4
// swatches in a row above them, all of cell size 10.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "cell.h"
#include "surface2d.h"
#include "world.h"

namespace {

struct SwatchColour {
    float red;
    float green;
    float blue;
};

constexpr SwatchColour kSwatchColours[] = {
    {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0.5f, 0}, {1, 0, 1}, {0.5f, 0.25f, 0.0625f}};

void AddSwatch(tvWorld& world, int n, SwatchColour colour) {
    const int k = std::rand() % tvCell::kLayerCount;
    auto* swatch = new tvSurface2d(&world, static_cast<float>((n + 2) * 50), 30.0f, 10.0f, 4, 4);
    tvCell cell;
    tvCellLayer& layer = cell.layers[k];
    layer.source = true;
    layer.red = colour.red;
    layer.green = colour.green;
    layer.blue = colour.blue;
    layer.amount = 1.0f;
    cell.locked = true;
    swatch->Fill(cell);
}

// Different amounts in neighbouring cells, so that colour keeps moving.
void ColourEveryLayer(tvSurface2d& canvas) {
    for (int c = 0; c < canvas.Columns(); ++c) {
        for (int r = 0; r < canvas.Rows(); ++r) {
            for (int k = 0; k < tvCell::kLayerCount; ++k) {
                const int level = (c * 7 + r * 13 + k * 5) % 17;
                canvas.NextCell(c, r)->layers[k].amount = 0.1f + 0.05f * static_cast<float>(level);
            }
        }
    }
    canvas.Commit();
}

class ProgramScene {
public:
    ProgramScene() {
        std::srand(1);
        canvases.push_back(new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, 48, 48));
        canvases.push_back(new tvSurface2d(&world, 600.0f, 500.0f, 10.0f, 12, 12));
        for (int n = 0; n < 7; ++n) {
            AddSwatch(world, n, kSwatchColours[n]);
        }
    }

    void ColourCanvases() {
        for (tvSurface2d* canvas : canvases) {
            ColourEveryLayer(*canvas);
        }
    }

    tvWorld world;
    std::vector<tvSurface2d*> canvases;
};

// Every layer of every canvas cell holds colour. The colours are laid on
// again before each tick, outside the timing, so every tick does the full work.
void StepAllColoured(benchmark::State& state) {
    ProgramScene scene;
    for (auto _ : state) {
        state.PauseTiming();
        scene.ColourCanvases();
        state.ResumeTiming();
        scene.world.StepAll();
    }
}
BENCHMARK(StepAllColoured)->Unit(benchmark::kMicrosecond);

// The scene as the program starts: blank canvases, only the swatches spread.
void StepAllBlank(benchmark::State& state) {
    ProgramScene scene;
    for (auto _ : state) {
        scene.world.StepAll();
    }
}
BENCHMARK(StepAllBlank)->Unit(benchmark::kMicrosecond);

}  // namespace
