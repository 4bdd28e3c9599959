#include "drag_surface.h"
#include "modes_fixture.h"

namespace {

// A grid that counts how often it is moved.
class CountingGrid : public tvSurface2d {
public:
    CountingGrid(tvWorld* world, float x, float y) : tvSurface2d(world, x, y, 10.0f, 3, 3) {}
    void MoveBy(float dx, float dy) override {
        ++moves;
        tvSurface2d::MoveBy(dx, dy);
    }
    int moves = 0;
};

}  // namespace

TEST_F(ModesTest, DragMovesByExactlyThePointerChangesOnTicksWithMovement) {
    auto* grid = new CountingGrid(&main.World(), 800.0f, 100.0f);
    Tick(Vec2{810.0f, 110.0f});
    Press(Vec2{810.0f, 110.0f});
    ASSERT_EQ(ModeCount(), 2);

    Tick(Vec2{813.5f, 107.75f});
    Tick(Vec2{813.5f, 107.75f});
    Tick(Vec2{813.75f, 117.75f});
    Tick(Vec2{813.75f, 117.75f});
    Tick(Vec2{713.75f, 17.75f});
    EXPECT_EQ(grid->moves, 3) << "one move per tick in which the pointer moved";
    EXPECT_EQ(grid->OriginX(), 800.0f + 3.5f + 0.25f - 100.0f);
    EXPECT_EQ(grid->OriginY(), 100.0f - 2.25f + 10.0f - 100.0f);

    Release(Vec2{713.75f, 17.75f});
    EXPECT_EQ(ModeCount(), 1);
    EXPECT_EQ(stack.ModeAt(0), &main);
    Tick(Vec2{600.0f, 50.0f});
    EXPECT_EQ(grid->moves, 3) << "moved after the release";
    EXPECT_EQ(grid->OriginX(), 703.75f);
    EXPECT_EQ(grid->OriginY(), 7.75f);
}

TEST_F(ModesTest, KeyDuringADragClearsTheCanvasesAndTheDragGoesOn) {
    tvSurface2d* swatch = Swatch(1);
    Tick(Vec2{170.0f, 50.0f});
    Press(Vec2{170.0f, 50.0f});
    for (int i = 0; i < 4; ++i) {
        Tick(Vec2{300.0f, 300.0f});
    }
    ASSERT_GT(MostColour(*CanvasA()), 0.5f);

    host.OnKey('k');
    EXPECT_EQ(MostColour(*CanvasA()), 0.0f);
    EXPECT_EQ(MostColour(*swatch), 1.0f);
    EXPECT_EQ(ModeCount(), 2);

    Tick(Vec2{320.0f, 290.0f});
    EXPECT_EQ(swatch->GetBounds(), (tvBounds{300.0f, 340.0f, 270.0f, 310.0f}));
    Release(Vec2{320.0f, 290.0f});
    EXPECT_EQ(ModeCount(), 1);
}

// Through the application a second press first releases the first one; the
// stack itself hands a press to the drag mode, which passes it down.
TEST_F(ModesTest, PressReachingTheDragModeStartsAFurtherDragOnTop) {
    tvSurface2d* first = Swatch(0);
    tvSurface2d* second = Swatch(6);
    Tick(Vec2{120.0f, 50.0f});
    Press(Vec2{120.0f, 50.0f});
    stack.OnMouseDown(420.0f, 50.0f);
    ASSERT_EQ(ModeCount(), 3);

    Tick(Vec2{130.0f, 60.0f});
    EXPECT_EQ(second->GetBounds(), (tvBounds{410.0f, 450.0f, 40.0f, 80.0f})) << "top drag";
    EXPECT_EQ(first->GetBounds(), (tvBounds{100.0f, 140.0f, 30.0f, 70.0f})) << "drag beneath";

    Release(Vec2{130.0f, 60.0f});
    EXPECT_EQ(ModeCount(), 2);
    Tick(Vec2{140.0f, 60.0f});
    EXPECT_EQ(first->GetBounds(), (tvBounds{110.0f, 150.0f, 30.0f, 70.0f}));
    EXPECT_EQ(second->GetBounds(), (tvBounds{410.0f, 450.0f, 40.0f, 80.0f}));

    stack.OnMouseUp(140.0f, 60.0f);
    EXPECT_EQ(ModeCount(), 1);
}

TEST_F(ModesTest, SecondPressWithoutAReleaseEndsTheFirstDrag) {
    Tick(Vec2{120.0f, 50.0f});
    Press(Vec2{120.0f, 50.0f});
    Tick(Vec2{420.0f, 50.0f});
    Press(Vec2{420.0f, 50.0f});
    EXPECT_EQ(ModeCount(), 2);
    Tick(Vec2{430.0f, 50.0f});
    EXPECT_EQ(Swatch(6)->GetBounds(), (tvBounds{410.0f, 450.0f, 30.0f, 70.0f}));
    EXPECT_EQ(Swatch(0)->GetBounds(), (tvBounds{400.0f, 440.0f, 30.0f, 70.0f}));
    Release(Vec2{430.0f, 50.0f});
    EXPECT_EQ(ModeCount(), 1);
}

// Run under AddressSanitizer, this also shows that a refused drag is freed.
TEST_F(ModesTest, DragThatAFullStackRefusesIsDropped) {
    Tick(Vec2{120.0f, 50.0f});
    for (int i = 0; i < AppModeMaster::kMaxModes + 3; ++i) {
        stack.OnMouseDown(120.0f, 50.0f);
    }
    ASSERT_EQ(ModeCount(), AppModeMaster::kMaxModes);
    Tick(Vec2{125.0f, 50.0f});
    EXPECT_EQ(Swatch(0)->OriginX(), 105.0f) << "only the top drag moves the swatch";
    for (int i = 1; i < AppModeMaster::kMaxModes; ++i) {
        stack.OnMouseUp(125.0f, 50.0f);
    }
    EXPECT_EQ(ModeCount(), 1);
}
