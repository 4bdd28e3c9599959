// One update tick of the world (StepAll) on the program's scene: canvas A
// 48 x 48 at (100, 170), canvas B 12 x 12 at (600, 500), and the seven 4 x 4
// swatches in a row above them, all of cell size 10. The scaling benchmarks
// add N swatch copies lying over canvas A, as Alt-drags would leave them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "cell.h"
#include "scene.h"
#include "surface2d.h"
#include "world.h"

namespace {

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

void Unlock(tvSurface2d& grid) {
    for (int c = 0; c < grid.Columns(); ++c) {
        for (int r = 0; r < grid.Rows(); ++r) {
            grid.CurrentCell(c, r)->locked = false;
            grid.NextCell(c, r)->locked = false;
        }
    }
}

class ProgramScene {
public:
    ProgramScene() {
        std::srand(1);
        scene::Build(world);
        for (tvSurface* s = world.FirstSurface(); s; s = s->NextSurface()) {
            auto* grid = static_cast<tvSurface2d*>(s);
            (grid->Columns() == 4 ? swatches : canvases).push_back(grid);
        }
        // Newest first in the list: put both back in the order they were made.
        std::reverse(swatches.begin(), swatches.end());
        std::reverse(canvases.begin(), canvases.end());
    }

    // Clones the swatches in turn and drops each clone at a place drawn from a
    // fixed-seed generator, wholly inside canvas A (x 100..580, y 170..650)
    // and at fractional positions, so the copies overlap each other as well.
    // Unlocked copies take colour from the canvas and from each other.
    void AddCopiesOverCanvasA(int count, bool locked = true) {
        std::mt19937 places(12345);
        for (int n = 0; n < count; ++n) {
            tvSurface2d* original = swatches[static_cast<std::size_t>(n) % swatches.size()];
            auto* copy = static_cast<tvSurface2d*>(original->Clone());
            if (!locked) {
                Unlock(*copy);
            }
            const float x = 100.0f + static_cast<float>(places() % 44000) / 100.0f;
            const float y = 170.0f + static_cast<float>(places() % 44000) / 100.0f;
            copy->MoveBy(x - original->OriginX(), y - original->OriginY());
        }
    }

    void ColourCanvases() {
        for (tvSurface2d* canvas : canvases) {
            ColourEveryLayer(*canvas);
        }
    }

    tvWorld world;
    std::vector<tvSurface2d*> canvases;
    std::vector<tvSurface2d*> swatches;
};

// Every layer of every canvas cell holds colour. The colours are laid on
// again before each tick, outside the timing, so every tick does the full work.
template <void (tvWorld::*step)()>
void StepColoured(benchmark::State& state) {
    ProgramScene scene;
    scene.AddCopiesOverCanvasA(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        scene.ColourCanvases();
        state.ResumeTiming();
        (scene.world.*step)();
    }
}

void WithCopies(benchmark::internal::Benchmark* b) {
    b->ArgName("copies")->Arg(0)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
}

// What the program runs; with more copies too, to show how the cost grows.
void StepAllColoured(benchmark::State& state) {
    StepColoured<&tvWorld::StepAll>(state);
}
BENCHMARK(StepAllColoured)->Apply(WithCopies)->Arg(3000)->Arg(10000);

// Every surface asked at every corner: the figures before StepAll gathered targets.
void StepAllReferenceColoured(benchmark::State& state) {
    StepColoured<&tvWorld::StepAllReference>(state);
}
BENCHMARK(StepAllReferenceColoured)->Apply(WithCopies);

// Copies whose cells are not locked are real targets of every corner over
// them, so the work itself grows with the overlaps; and every copy is in the
// targets that each coloured corner goes through.
template <void (tvWorld::*step)()>
void StepUnlockedCopies(benchmark::State& state) {
    ProgramScene scene;
    scene.AddCopiesOverCanvasA(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        state.PauseTiming();
        scene.ColourCanvases();
        state.ResumeTiming();
        (scene.world.*step)();
    }
}

void StepAllUnlockedCopies(benchmark::State& state) {
    StepUnlockedCopies<&tvWorld::StepAll>(state);
}
BENCHMARK(StepAllUnlockedCopies)->Apply(WithCopies);

void StepAllReferenceUnlockedCopies(benchmark::State& state) {
    StepUnlockedCopies<&tvWorld::StepAllReference>(state);
}
BENCHMARK(StepAllReferenceUnlockedCopies)->Apply(WithCopies);

// The scene as the program starts: blank canvases, only the swatches spread.
template <void (tvWorld::*step)()>
void StepBlank(benchmark::State& state) {
    ProgramScene scene;
    for (auto _ : state) {
        (scene.world.*step)();
    }
}

void StepAllBlank(benchmark::State& state) {
    StepBlank<&tvWorld::StepAll>(state);
}
BENCHMARK(StepAllBlank)->Unit(benchmark::kMicrosecond);

void StepAllReferenceBlank(benchmark::State& state) {
    StepBlank<&tvWorld::StepAllReference>(state);
}
BENCHMARK(StepAllReferenceBlank)->Unit(benchmark::kMicrosecond);

// Finding what changed in the scene's drawing since the picture on screen,
// as every frame does before it draws: at rest nothing did; in the worst case
// every cell of both canvases did, and all of them are gathered into areas.
void CollectChanges(benchmark::State& state, bool everyCell) {
    ProgramScene scene;
    scene.world.MarkDrawn();
    if (everyCell) {
        for (tvSurface2d* canvas : scene.canvases) {
            ColourEveryLayer(*canvas);
        }
    }
    tvDrawChanges changes;
    for (auto _ : state) {
        changes.areas.clear();
        scene.world.CollectDrawChanges(changes);
        benchmark::DoNotOptimize(changes.areas.data());
    }
    state.counters["areas"] = static_cast<double>(changes.areas.size());
}
BENCHMARK_CAPTURE(CollectChanges, AtRest, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CollectChanges, EveryCanvasCell, true)->Unit(benchmark::kMicrosecond);

// Keeping what the frame drew, for the next frame's comparison.
void MarkDrawn(benchmark::State& state) {
    ProgramScene scene;
    for (auto _ : state) {
        scene.world.MarkDrawn();
    }
}
BENCHMARK(MarkDrawn)->Unit(benchmark::kMicrosecond);

}  // namespace
