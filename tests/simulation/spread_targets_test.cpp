#include "spread_targets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "random_worlds.h"

namespace {

std::vector<tvSurface2d*> GridsOf(const tvWorld& world) {
    std::vector<tvSurface2d*> grids;
    for (tvSurface* s = world.FirstSurface(); s; s = s->NextSurface()) {
        grids.push_back(static_cast<tvSurface2d*>(s));
    }
    return grids;
}

// The grids that Near lists for p and that p reaches, in the order listed.
std::vector<tvSurface2d*> ReachedNear(const tvSpreadTargets& targets, tvPoint p) {
    std::vector<tvSurface2d*> reached;
    for (const tvSpreadTargets::Target& t : targets.Near(p)) {
        if (t.Reaches(p)) {
            reached.push_back(t.grid);
        }
    }
    return reached;
}

bool Lists(const tvSpreadTargets& targets, tvPoint p, const tvSurface2d* grid) {
    for (const tvSpreadTargets::Target& t : targets.Near(p)) {
        if (t.grid == grid) {
            return true;
        }
    }
    return false;
}

// Every cell corner of every grid, and around every grid the points on and
// just either side of its edges and of the lines one cell beyond its left and
// top edges.
std::vector<tvPoint> PointsToProbe(const std::vector<tvSurface2d*>& grids) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    std::vector<tvPoint> points;
    for (const tvSurface2d* g : grids) {
        for (int c = 0; c <= g->Columns(); ++c) {
            for (int r = 0; r <= g->Rows(); ++r) {
                points.push_back(g->CellOrigin(c, r));
            }
        }
        std::vector<tvPoint> lines;
        for (const tvPoint line :
             {g->CellOrigin(-1, -1), g->CellOrigin(0, 0), g->CellOrigin(g->Columns(), g->Rows())}) {
            lines.push_back({std::nextafter(line.x, -kInf), std::nextafter(line.y, -kInf)});
            lines.push_back(line);
            lines.push_back({std::nextafter(line.x, kInf), std::nextafter(line.y, kInf)});
        }
        for (const tvPoint across : lines) {
            for (const tvPoint down : lines) {
                points.push_back({across.x, down.y});
            }
        }
    }
    return points;
}

// The lookup that a transfer makes is the judge: wherever a grid has an
// unlocked cell under a point, the targets must list that grid there, with
// Reaches true, and list the grids in the world's order.
void ExpectEveryTakerListedInOrder(RandomRun::Kind kind, std::uint32_t firstSeed, int seeds) {
    for (std::uint32_t seed = firstSeed; seed < firstSeed + static_cast<std::uint32_t>(seeds);
         ++seed) {
        RandomRun run(seed, kind);
        tvWorld world;
        run.Build(world);
        run.BetweenTicks(world);
        tvSpreadTargets targets;
        ASSERT_TRUE(targets.Gather(world.FirstSurface())) << "seed " << seed;

        const std::vector<tvSurface2d*> grids = GridsOf(world);
        for (const tvPoint p : PointsToProbe(grids)) {
            const std::vector<tvSurface2d*> reached = ReachedNear(targets, p);
            auto next = reached.begin();
            for (std::size_t position = 0; position < grids.size(); ++position) {
                const tvCell* cell = grids[position]->WriteCellAt(p.x, p.y);
                const bool listed = next != reached.end() && *next == grids[position];
                if (listed) {
                    ++next;
                }
                ASSERT_TRUE(listed || !cell || cell->locked)
                    << "seed " << seed << ": surface " << position << " has an unlocked cell at ("
                    << p.x << ", " << p.y << ") but is not listed there in list order";
            }
            ASSERT_TRUE(next == reached.end()) << "seed " << seed << ": targets at (" << p.x << ", "
                                               << p.y << ") list a grid twice or out of list order";
        }
    }
}

TEST(SpreadTargetsCoverEveryTaker, InSmallWorlds) {
    ExpectEveryTakerListedInOrder(RandomRun::Kind::kOrdinary, 100, 200);
}

TEST(SpreadTargetsCoverEveryTaker, FarFromTheOrigin) {
    ExpectEveryTakerListedInOrder(RandomRun::Kind::kFar, 200, 100);
}

TEST(SpreadTargetsCoverEveryTaker, InCrowds) {
    ExpectEveryTakerListedInOrder(RandomRun::Kind::kCrowded, 300, 10);
}

TEST(SpreadTargetsCoverEveryTaker, AtOddPlacesAndCellSizes) {
    ExpectEveryTakerListedInOrder(RandomRun::Kind::kOdd, 400, 200);
}

// Truncation toward zero gives a grid's column 0 to points up to one cell
// left of its edge; exactly one cell left is outside.
TEST(SpreadTargetsReach, OneCellBeyondTheLeftAndTopEdgesButNoFurther) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 100.0f, 170.0f, 10.0f, 3, 3);
    tvSpreadTargets targets;
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));

    EXPECT_EQ(ReachedNear(targets, {90.01f, 175.0f}), std::vector<tvSurface2d*>{canvas});
    EXPECT_EQ(ReachedNear(targets, {95.0f, 160.01f}), std::vector<tvSurface2d*>{canvas});
    EXPECT_NE(canvas->WriteCellAt(90.01f, 160.01f), nullptr);
    EXPECT_EQ(canvas->WriteCellAt(90.0f, 175.0f), nullptr);
}

// These are what make the step cheap: a grid is not offered where it cannot
// take colour.
class SpreadTargetsLeaveOut : public ::testing::Test {
protected:
    tvWorld world;
    tvSurface2d* farCanvas = new tvSurface2d(&world, 1000.0f, 1000.0f, 10.0f, 10, 10);
    tvSurface2d* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 10, 10);
    tvSpreadTargets targets;
};

TEST_F(SpreadTargetsLeaveOut, AGridFarFromThePoint) {
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    EXPECT_TRUE(Lists(targets, {50.0f, 50.0f}, canvas));
    EXPECT_FALSE(Lists(targets, {50.0f, 50.0f}, farCanvas));
    EXPECT_TRUE(Lists(targets, {1050.0f, 1050.0f}, farCanvas));
    EXPECT_FALSE(Lists(targets, {1050.0f, 1050.0f}, canvas));
}

TEST_F(SpreadTargetsLeaveOut, EveryGridAtPointsOutsideAllOfThem) {
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    constexpr float kInf = std::numeric_limits<float>::infinity();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    for (const tvPoint p : std::initializer_list<tvPoint>{{-500.0f, 50.0f},
                                                          {50.0f, 5000.0f},
                                                          {kNaN, 50.0f},
                                                          {50.0f, kNaN},
                                                          {kInf, 50.0f},
                                                          {-kInf, -kInf},
                                                          {1.0e30f, 1.0e30f}}) {
        EXPECT_TRUE(targets.Near(p).empty()) << "at (" << p.x << ", " << p.y << ")";
    }
}

TEST_F(SpreadTargetsLeaveOut, AGridWhoseCellsAreAllLockedUntilOneIsUnlocked) {
    auto* swatch = new tvSurface2d(&world, 20.0f, 20.0f, 10.0f, 2, 2);
    swatch->Fill(SwatchCell(1, kRed));
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    EXPECT_FALSE(Lists(targets, {25.0f, 25.0f}, swatch));
    EXPECT_TRUE(Lists(targets, {25.0f, 25.0f}, canvas));

    swatch->NextCell(1, 1)->locked = false;
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    EXPECT_TRUE(Lists(targets, {25.0f, 25.0f}, swatch));
}

TEST_F(SpreadTargetsLeaveOut, GridsMovedAwayOnceGatheredAgain) {
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    canvas->MoveBy(2000.0f, 0.0f);
    ASSERT_TRUE(targets.Gather(world.FirstSurface()));
    EXPECT_FALSE(Lists(targets, {50.0f, 50.0f}, canvas));
    EXPECT_TRUE(Lists(targets, {2050.0f, 50.0f}, canvas));
}

// The step finds other grids only through the targets it is handed: targets
// gathered without the canvas leave it out, and without targets the step
// asks every surface and finds it.
TEST(SpreadTargetsHandedToAStep, AreWhereItLooksForOtherGrids) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 4, 4);
    auto* patch = new tvSurface2d(&world, 15.0f, 15.0f, 10.0f, 1, 1);
    SetLayer(*patch, 0, 0, 2, 0.5f, kBlue);
    tvWorld without;
    new tvSurface2d(&without, 500.0f, 500.0f, 10.0f, 1, 1);
    tvSpreadTargets targets;
    ASSERT_TRUE(targets.Gather(without.FirstSurface()));

    patch->Step(&targets);
    EXPECT_EQ(canvas->NextCell(1, 1)->layers[2].amount, 0.0f);
    patch->Step(nullptr);
    EXPECT_EQ(canvas->NextCell(1, 1)->layers[2].amount, Passed(0.5f));
}

// A surface of another kind answers lookups its own way, so nothing can be
// predicted from places: no targets are gathered, and the world's tick asks
// it at every corner like every other surface.
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
