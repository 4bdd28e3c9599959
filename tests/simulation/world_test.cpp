#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid_painter.h"
#include "simulation_helpers.h"
#include "surface.h"

namespace {

using Log = std::vector<std::string>;

// A surface that records what the world asks of it, for checking order.
class RecordingSurface : public tvSurface {
public:
    RecordingSurface(tvWorld* world, std::string name, Log* log, bool hit = true)
        : tvSurface(world), name(std::move(name)), log(log), hit(hit) {}
    ~RecordingSurface() override { Record("deleted"); }

    tvSurface* Clone() override { return new RecordingSurface(World(), name + "'", log, hit); }
    void Fill(tvCell) override { Record("Fill"); }
    tvCell* WriteCellAt(float, float) override { return nullptr; }
    tvCell* ReadCellAt(float, float) override { return nullptr; }
    bool HitTest(float, float) override {
        Record("HitTest");
        return hit;
    }
    void MoveBy(float, float) override {}
    void Clear(bool flag) override { Record(flag ? "Clear(true)" : "Clear(false)"); }
    void Commit() override { Record("Commit"); }
    void Draw() override { Record("Draw"); }
    void Step(const tvSpreadTargets*) override { Record("Step"); }

private:
    void Record(const std::string& what) { log->push_back(name + "." + what); }

    std::string name;
    Log* log;
    bool hit;
};

// Follows the list from the world, checking every back link on the way.
std::vector<tvSurface*> ListOf(const tvWorld& world) {
    std::vector<tvSurface*> list;
    for (tvSurface* s = world.FirstSurface(); s; s = s->NextSurface()) {
        EXPECT_EQ(*s->PrevLink(), s) << "back link of surface " << list.size();
        list.push_back(s);
    }
    return list;
}

class WorldOfThree : public ::testing::Test {
protected:
    WorldOfThree() {
        a = new RecordingSurface(&world, "A", &log);
        b = new RecordingSurface(&world, "B", &log);
        c = new RecordingSurface(&world, "C", &log);
    }

    Log log;
    tvWorld world;
    RecordingSurface* a;
    RecordingSurface* b;
    RecordingSurface* c;
};

TEST_F(WorldOfThree, ListsTheNewestSurfaceFirst) {
    EXPECT_EQ(ListOf(world), (std::vector<tvSurface*>{c, b, a}));
    for (tvSurface* s : {a, b, c}) {
        EXPECT_EQ(s->World(), &world);
    }
}

TEST_F(WorldOfThree, StepsEverySurfaceBeforeCommittingAny) {
    world.StepAll();
    EXPECT_EQ(log, (Log{"C.Step", "B.Step", "A.Step", "C.Commit", "B.Commit", "A.Commit"}));
}

TEST_F(WorldOfThree, ClearsEverySurfaceBeforeCommittingAny) {
    world.ClearAll(false);
    world.ClearAll(true);
    EXPECT_EQ(log, (Log{"C.Clear(false)", "B.Clear(false)", "A.Clear(false)", "C.Commit",
                        "B.Commit", "A.Commit", "C.Clear(true)", "B.Clear(true)", "A.Clear(true)",
                        "C.Commit", "B.Commit", "A.Commit"}));
}

TEST_F(WorldOfThree, DrawsAndPicksInListOrder) {
    world.DrawAll();
    EXPECT_EQ(world.SurfaceAt(1.0f, 2.0f), c);
    EXPECT_EQ(log, (Log{"C.Draw", "B.Draw", "A.Draw", "C.HitTest"}));
}

TEST_F(WorldOfThree, ACloneComesFirstForSteppingDrawingAndPicking) {
    tvSurface* clone = b->Clone();
    EXPECT_EQ(ListOf(world), (std::vector<tvSurface*>{clone, c, b, a}));

    world.StepAll();
    world.DrawAll();
    EXPECT_EQ(world.SurfaceAt(0.0f, 0.0f), clone);
    EXPECT_EQ(log,
              (Log{"B'.Step", "C.Step", "B.Step", "A.Step", "B'.Commit", "C.Commit", "B.Commit",
                   "A.Commit", "B'.Draw", "C.Draw", "B.Draw", "A.Draw", "B'.HitTest"}));
}

TEST_F(WorldOfThree, DeletingTheMiddleSurfaceRelinksTheOthers) {
    delete b;
    EXPECT_EQ(world.FirstSurface(), c);
    EXPECT_EQ(ListOf(world), (std::vector<tvSurface*>{c, a}));

    delete a;
    EXPECT_EQ(ListOf(world), (std::vector<tvSurface*>{c}));
    auto* d = new RecordingSurface(&world, "D", &log);
    EXPECT_EQ(ListOf(world), (std::vector<tvSurface*>{d, c}));
    delete c;
    EXPECT_EQ(ListOf(world), (std::vector<tvSurface*>{d}));
}

TEST(World, DestructionDeletesEverySurfaceOnceInListOrder) {
    Log log;
    {
        tvWorld world;
        auto* first = new RecordingSurface(&world, "A", &log);
        new RecordingSurface(&world, "B", &log);
        first->Clone();
        new RecordingSurface(&world, "C", &log);
    }
    EXPECT_EQ(log, (Log{"C.deleted", "A'.deleted", "B.deleted", "A.deleted"}));
}

TEST(World, PicksOnlySurfacesThatAreHit) {
    Log log;
    tvWorld world;
    auto* hit = new RecordingSurface(&world, "A", &log, true);
    new RecordingSurface(&world, "B", &log, false);
    EXPECT_EQ(world.SurfaceAt(3.0f, 4.0f), hit);

    tvWorld none;
    new RecordingSurface(&none, "C", &log, false);
    EXPECT_EQ(none.SurfaceAt(3.0f, 4.0f), nullptr);
}

TEST(World, EmptyWorldDoesNothing) {
    tvWorld world;
    world.DrawAll();
    world.StepAll();
    world.ClearAll(true);
    EXPECT_EQ(world.SurfaceAt(0.0f, 0.0f), nullptr);
    EXPECT_EQ(world.FirstSurface(), nullptr);
}

class RecordingPainter : public tvGridPainter {
public:
    void DrawCells(const tvSurface2d& grid, const tvCellRange& /*cells*/) override {
        drawn.push_back(&grid);
    }
    std::vector<const tvSurface2d*> drawn;
};

TEST(GridDrawing, GoesThroughThePainterInListOrder) {
    tvWorld world;
    auto* canvas = new tvSurface2d(&world, 0.0f, 0.0f, 10.0f, 2, 2);
    auto* swatch = new tvSurface2d(&world, 5.0f, 5.0f, 10.0f, 1, 1);
    RecordingPainter painter;
    SetGridPainter(&painter);

    world.DrawAll();
    SetGridPainter(nullptr);
    world.DrawAll();

    EXPECT_EQ(painter.drawn, (std::vector<const tvSurface2d*>{swatch, canvas}));
}

}  // namespace
