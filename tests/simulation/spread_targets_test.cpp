#include "spread_targets.h"

#include <gtest/gtest.h>

#include <vector>

#include "simulation_helpers.h"

namespace {

std::vector<tvSurface2d*> Gathered(const tvSpreadTargets& targets) {
    return {targets.Grids().begin(), targets.Grids().end()};
}

// Leaving out grids whose cells are all locked is what makes the step cheap
// with many swatch copies; the locks that count are those of the next buffer,
// which transfers compare against.
TEST(SpreadTargets, AreTheGridsWithAnUnlockedCellInListOrder) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 10, 10);
    auto* swatch = new tvSurface2d(&world, 20.0f, 20.0f, 10.0f, 2, 2);
    swatch->Fill(SwatchCell(1, kRed));
    new tvSurface2d(&world, 50.0f, 50.0f, 10.0f, 0, 0);
    auto* farCanvas = new tvSurface2d(&world, 1000.0f, 1000.0f, 10.0f, 3, 3);
    tvSpreadTargets targets;
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    EXPECT_EQ(Gathered(targets), (std::vector<tvSurface2d*>{farCanvas, canvas}));

    swatch->NextCell(1, 1)->locked = false;
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    EXPECT_EQ(Gathered(targets), (std::vector<tvSurface2d*>{farCanvas, swatch, canvas}));
}

// The step finds other grids only through the targets it is handed: with an
// empty list it passes nothing to the canvas beneath, and without targets it
// asks every surface and finds the canvas.
TEST(SpreadTargetsHandedToAStep, AreWhereItLooksForOtherGrids) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 4, 4);
    auto* spot = new tvSurface2d(&world, 15.0f, 15.0f, 10.0f, 1, 1);
    SetLayer(*spot, 0, 0, 2, 0.5f, kBlue);
    tvSpreadTargets none;
    ASSERT_TRUE(none.Gather(nullptr));

    spot->Step(&none);
    EXPECT_EQ(canvas->NextCell(1, 1)->layers[2].amount, 0.0f);
    spot->Step(nullptr);
    EXPECT_EQ(canvas->NextCell(1, 1)->layers[2].amount, Passed(0.5f));
}

// A surface of another kind answers lookups its own way, and its locks are
// not known: no targets are gathered, and the world's tick asks it at every
// corner like every other surface.
class Patch : public tvSurface {
public:
    explicit Patch(tvWorld* world) : tvSurface(world) {}

    tvSurface* Clone() override { return new Patch(World()); }
    void Fill(tvCell value) override { cell = value; }
    tvCell* WriteCellAt(float x, float y) override { return Covers(x, y) ? &cell : nullptr; }
    tvCell* ReadCellAt(float x, float y) override { return Covers(x, y) ? &cell : nullptr; }
    bool HitTest(float x, float y) override { return Covers(x, y); }
    void MoveBy(float, float) override {}
    void Clear(bool) override {}
    void Commit() override {}

    tvCell cell;

private:
    static bool Covers(float x, float y) { return x >= 500.0f && y >= 500.0f; }
};

TEST(SpreadTargetsWithOtherSurfaceKinds, AreNotGatheredAndTheOtherKindStillTakesColour) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 500.0f, 500.0f, 10.0f, 2, 1);
    SetLayer(*canvas, 1, 0, 3, 0.5f, kGreen);
    auto* patch = new Patch(&world);

    tvSpreadTargets targets;
    EXPECT_FALSE(targets.Gather(world.FirstSurface()));

    world.StepAll();
    EXPECT_EQ(patch->cell.layers[3].amount, Passed(0.5f));
    EXPECT_EQ(ColourOf(patch->cell.layers[3]), kGreen);
}

}  // namespace
