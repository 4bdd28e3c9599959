#include <set>
#include <string>
#include <vector>

#include "grid_painter.h"
#include "modes_fixture.h"
#include "simulation_helpers.h"

namespace {

// Every cell of both buffers.
std::vector<const tvCell*> AllCells(const tvSurface2d& grid) {
    std::vector<const tvCell*> cells;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            cells.push_back(grid.CurrentCell(c, r));
            cells.push_back(grid.NextCell(c, r));
        }
    }
    return cells;
}

// What the scene must hold, written out here so that a wrong scene fails.
constexpr Colour kSwatchColours[] = {
    {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f},     {1.0f, 1.0f, 0.0f},
    {1.0f, 0.5f, 0.0f}, {1.0f, 0.0f, 1.0f}, {0.5f, 0.25f, 0.0625f},
};

// The index of the one layer that holds colour, or -1 if the cell is not a
// swatch cell of the given colour.
int SourceLayerOf(const tvCell& cell, const Colour& colour) {
    int found = -1;
    for (int k = 0; k < tvCell::kLayerCount; ++k) {
        const tvCellLayer& layer = cell.layers[k];
        if (layer.amount == 0.0f && !layer.source) {
            continue;
        }
        if (found >= 0 || !layer.source || layer.amount != 1.0f || layer.red != colour.red ||
            layer.green != colour.green || layer.blue != colour.blue) {
            return -1;
        }
        found = k;
    }
    return cell.locked ? found : -1;
}

// Records which grids are drawn, and what one watched cell of canvas A holds
// at that moment.
class RecordingPainter final : public tvGridPainter {
public:
    RecordingPainter(const tvSurface2d* watched, int column, int row)
        : watched(watched), column(column), row(row) {
        SetGridPainter(this);
    }
    ~RecordingPainter() { SetGridPainter(nullptr); }

    void DrawCells(const tvSurface2d& grid, const tvCellRange& /*cells*/) override {
        drawn.push_back(&grid);
        if (&grid == watched) {
            float amount = 0.0f;
            for (const tvCellLayer& layer : grid.CurrentCell(column, row)->layers) {
                amount += layer.amount;
            }
            watchedAmounts.push_back(amount);
        }
    }

    std::vector<const tvSurface2d*> drawn;
    std::vector<float> watchedAmounts;

private:
    const tvSurface2d* watched;
    int column;
    int row;
};

// Every cell of every surface, in list order, of the scene that the main
// mode builds right after the generator is seeded, as start-up seeds it after
// the host has seeded it with the time.
std::vector<tvCell> SceneAfterSeed(unsigned seed) {
    TestHost host;
    std::srand(seed);
    tv1MainMode main;
    AppletModeMaster stack(&host, &main);
    std::vector<tvCell> cells;
    for (tvSurface* s = main.World().FirstSurface(); s; s = s->NextSurface()) {
        for (const tvCell* cell : AllCells(*static_cast<tvSurface2d*>(s))) {
            cells.push_back(*cell);
        }
    }
    return cells;
}

}  // namespace

TEST(SeededSceneTest, TheSameSeedBuildsTheSameSceneAndAnotherSeedAnother) {
    const std::vector<tvCell> first = SceneAfterSeed(7);
    const std::vector<tvCell> again = SceneAfterSeed(7);
    const std::vector<tvCell> other = SceneAfterSeed(8);
    ASSERT_EQ(first.size(), again.size());
    ASSERT_EQ(first.size(), other.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        ASSERT_TRUE(SameCell(first[i], again[i])) << "cell " << i << " of the scene";
        differing += SameCell(first[i], other[i]) ? 0 : 1;
    }
    // Canvas cells hold random colours in every layer, so nearly all differ.
    EXPECT_GT(differing, first.size() / 2);
}

TEST_F(ModesTest, PushSizesTheWindowAndBuildsTwoBlankCanvases) {
    EXPECT_EQ(pushLog, std::vector<std::string>{"host.SetWindowSize(1024,800)"});
    ASSERT_EQ(Surfaces().size(), 9u);

    struct {
        tvSurface2d* grid;
        const char* name;
        tvBounds bounds;
        int columns;
    } canvases[] = {{CanvasA(), "canvas A", {100.0f, 580.0f, 170.0f, 650.0f}, 48},
                    {CanvasB(), "canvas B", {600.0f, 720.0f, 500.0f, 620.0f}, 12}};
    for (const auto& canvas : canvases) {
        SCOPED_TRACE(canvas.name);
        EXPECT_EQ(canvas.grid->GetBounds(), canvas.bounds);
        EXPECT_EQ(canvas.grid->Columns(), canvas.columns);
        EXPECT_EQ(canvas.grid->Rows(), canvas.columns);
        EXPECT_EQ(canvas.grid->CellWidth(), 10.0f);
        EXPECT_EQ(canvas.grid->CellHeight(), 10.0f);
        EXPECT_EQ(MostColour(*canvas.grid), 0.0f);
        for (const tvCell* cell : AllCells(*canvas.grid)) {
            ASSERT_FALSE(cell->locked);
            for (const tvCellLayer& layer : cell->layers) {
                ASSERT_FALSE(layer.source);
                ASSERT_EQ(layer.amount, 0.0f);
            }
        }
    }
}

TEST_F(ModesTest, SwatchesAreLockedBlocksOfOneSourceLayerInARowNewestFirst) {
    ASSERT_EQ(Surfaces().size(), 9u);
    std::set<int> layersUsed;
    for (int n = 0; n < 7; ++n) {
        SCOPED_TRACE("swatch " + std::to_string(n));
        const tvSurface2d& swatch = *Swatch(n);
        const float left = 100.0f + 50.0f * static_cast<float>(n);
        EXPECT_EQ(swatch.GetBounds(), (tvBounds{left, left + 40.0f, 30.0f, 70.0f}));
        EXPECT_EQ(swatch.Columns(), 4);
        EXPECT_EQ(swatch.Rows(), 4);
        EXPECT_EQ(swatch.CellWidth(), 10.0f);

        const std::vector<const tvCell*> cells = AllCells(swatch);
        const int k = SourceLayerOf(*cells.front(), kSwatchColours[n]);
        ASSERT_GE(k, 0) << "cell (0, 0) is not a locked cell with one source layer of its colour";
        layersUsed.insert(k);
        for (const tvCell* cell : cells) {
            ASSERT_TRUE(SameCell(*cell, *cells.front())) << "the swatch's cells differ";
        }
    }
    // Each swatch draws its layer anew; with this seed they do not all agree.
    EXPECT_GT(layersUsed.size(), 1u);
}

TEST_F(ModesTest, PressWhereNothingLiesPushesNothingAndMovesNothing) {
    const std::vector<tvBounds> before = [&] {
        std::vector<tvBounds> b;
        for (const tvSurface2d* s : Surfaces()) {
            b.push_back(s->GetBounds());
        }
        return b;
    }();
    for (const Vec2 empty : {Vec2{50.0f, 100.0f}, Vec2{590.0f, 400.0f}, Vec2{141.0f, 50.0f}}) {
        Tick(empty);
        Press(empty);
        EXPECT_EQ(ModeCount(), 1) << "press at (" << empty.x << ", " << empty.y << ")";
        Tick(Vec2{empty.x + 30.0f, empty.y + 20.0f});
        Release(Vec2{empty.x + 30.0f, empty.y + 20.0f});
    }
    ASSERT_EQ(Surfaces().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(Surfaces()[i]->GetBounds(), before[i]) << "surface " << i << " of the list";
    }
}

TEST_F(ModesTest, ReleaseWithoutADragChangesNothing) {
    const tvBounds swatch = Swatch(0)->GetBounds();
    Tick(Vec2{120.0f, 50.0f});
    Release(Vec2{120.0f, 50.0f});
    Tick(Vec2{300.0f, 300.0f});
    EXPECT_EQ(ModeCount(), 1);
    EXPECT_EQ(Swatch(0)->GetBounds(), swatch);
    EXPECT_EQ(Surfaces().size(), 9u);
}

TEST_F(ModesTest, PressPicksTheNewestSurfaceWhereSurfacesOverlap) {
    tvSurface2d* swatch = Swatch(0);
    tvSurface2d* canvas = CanvasA();
    Drag(Vec2{120.0f, 50.0f}, Vec2{300.0f, 300.0f});
    ASSERT_EQ(swatch->GetBounds(), (tvBounds{280.0f, 320.0f, 280.0f, 320.0f}));

    // The swatch lies over canvas A and was created after it.
    Drag(Vec2{300.0f, 300.0f}, Vec2{310.0f, 305.0f});
    EXPECT_EQ(swatch->GetBounds(), (tvBounds{290.0f, 330.0f, 285.0f, 325.0f}));
    EXPECT_EQ(canvas->GetBounds(), (tvBounds{100.0f, 580.0f, 170.0f, 650.0f}));

    // Beside the swatch only the canvas is hit.
    Drag(Vec2{500.0f, 600.0f}, Vec2{490.0f, 610.0f});
    EXPECT_EQ(canvas->GetBounds(), (tvBounds{90.0f, 570.0f, 180.0f, 660.0f}));
    EXPECT_EQ(swatch->GetBounds(), (tvBounds{290.0f, 330.0f, 285.0f, 325.0f}));
}

TEST_F(ModesTest, AltDragsACopyThatComesFirstWhileThePickedSurfaceStays) {
    tvSurface2d* swatch = Swatch(2);
    Tick(Vec2{220.0f, 50.0f});
    Press(Vec2{220.0f, 50.0f}, true);
    ASSERT_EQ(Surfaces().size(), 10u);
    tvSurface2d* copy = Surfaces().front();
    ASSERT_NE(copy, swatch);
    Tick(Vec2{820.0f, 250.0f});
    Release(Vec2{820.0f, 250.0f});

    EXPECT_EQ(ModeCount(), 1);
    EXPECT_EQ(swatch->GetBounds(), (tvBounds{200.0f, 240.0f, 30.0f, 70.0f}));
    EXPECT_EQ(copy->GetBounds(), (tvBounds{800.0f, 840.0f, 230.0f, 270.0f}));
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_TRUE(SameCell(*copy->CurrentCell(c, r), *swatch->CurrentCell(c, r)))
                << "cell (" << c << ", " << r << ") of the copy";
        }
    }

    // The copy is picked like any other surface, and a plain press copies nothing.
    Drag(Vec2{820.0f, 250.0f}, Vec2{830.0f, 250.0f});
    EXPECT_EQ(Surfaces().size(), 10u);
    EXPECT_EQ(copy->GetBounds(), (tvBounds{810.0f, 850.0f, 230.0f, 270.0f}));
}

TEST_F(ModesTest, EveryKeyClearsTheCanvasesAndTheSwatchesKeepTheirColour) {
    tvSurface2d* swatch = Swatch(4);
    Drag(Vec2{320.0f, 50.0f}, Vec2{640.0f, 540.0f});
    ASSERT_EQ(swatch->GetBounds(), (tvBounds{620.0f, 660.0f, 520.0f, 560.0f}));
    const tvCell swatchCell = *swatch->CurrentCell(0, 0);

    // Letters, control codes, backspace, arrows and function keys alike.
    for (const int key : {int{'a'}, int{' '}, 0, 8, 1000, 1003, 1}) {
        for (int i = 0; i < 5; ++i) {
            Tick(Vec2{640.0f, 540.0f});
        }
        ASSERT_GT(MostColour(*CanvasB()), 0.5f) << "the swatch did not colour canvas B";
        host.OnKey(key);
        EXPECT_EQ(MostColour(*CanvasB()), 0.0f) << "key " << key;
        for (const tvCell* cell : AllCells(*CanvasB())) {
            for (const tvCellLayer& layer : cell->layers) {
                ASSERT_EQ(layer.amount, 0.0f) << "key " << key << " left colour in a buffer";
            }
        }
        EXPECT_TRUE(SameCell(*swatch->CurrentCell(3, 3), swatchCell)) << "key " << key;
    }
}

TEST_F(ModesTest, EachTickDrawsEverySurfaceBeforeTheStepAndAgainAfterIt) {
    // Canvas A cell (20, 20) lies under the swatch's top-left cell once it is dropped.
    Drag(Vec2{120.0f, 50.0f}, Vec2{320.0f, 390.0f});
    host.OnKey('x');
    RecordingPainter painter(CanvasA(), 20, 20);
    log.Clear();

    Tick(Vec2{320.0f, 390.0f});

    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"host.BeginFrame()", "host.EndFrame()",
                                                       "host.BeginFrame()", "host.EndFrame()"}));
    std::vector<const tvSurface2d*> expected;
    for (int frame = 0; frame < 2; ++frame) {
        for (const tvSurface2d* s : Surfaces()) {
            expected.push_back(s);
        }
    }
    EXPECT_EQ(painter.drawn, expected) << "every surface, in list order, in each frame";
    ASSERT_EQ(painter.watchedAmounts.size(), 2u);
    EXPECT_EQ(painter.watchedAmounts[0], 0.0f) << "the first frame shows the cleared canvas";
    EXPECT_GT(painter.watchedAmounts[1], 0.9f) << "the second frame shows the step's colour";
}
