#include "app/tick.h"
#include "render/hover.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fakes/fake_platform.h"
#include "render/layout.h"

namespace dock {
namespace {

using testing::FakePlatform;

void addRestingItems(DockState& state, int count) {
    for (int i = 1; i <= count; ++i) state.items.Insert(i, DockItem{}, 0);
    layoutRow(state, 1);
}

// Three resting items; item 2 rests at x 180..216, the row at y 152..188.
struct HitTest : ::testing::Test {
    DockState state;
    DockSettings settings;
    HitTest() {
        state.metrics.floatDistance = 48;
        state.metrics.rowTop = 152;
        addRestingItems(state, 3);
    }
    int at(std::int32_t x, std::int32_t y) const { return hitTest(state, settings, x, y); }
};

TEST_F(HitTest, AtRestWithoutSnappingThePointerHasToEnterTheCellItself) {
    EXPECT_EQ(at(180, 152), 2);
    EXPECT_EQ(at(215, 187), 2);
    EXPECT_EQ(at(200, 151), 0);  // one pixel above the cell
    EXPECT_EQ(at(200, 188), 0);  // the bottom edge is exclusive
    EXPECT_EQ(at(143, 170), 0);
    EXPECT_EQ(at(252, 170), 0);
}

TEST_F(HitTest, SnappingReachesFloatDistanceAboveTheFullSizeCell) {
    settings.autoSnap = 1;
    settings.floatBothWays = 0;
    EXPECT_EQ(at(200, 151), 2);
    EXPECT_EQ(at(200, 68), 2);
    EXPECT_EQ(at(200, 67), 0);
    EXPECT_EQ(at(200, 187), 2);
    EXPECT_EQ(at(200, 188), 0);
}

TEST_F(HitTest, AHoveredItemWidensEveryZoneAsSnappingDoes) {
    state.frame.hoverIndex = 1;
    EXPECT_EQ(at(200, 68), 2);
    EXPECT_EQ(at(200, 67), 0);
    EXPECT_EQ(at(240, 100), 3);
}

TEST_F(HitTest, FloatingBothWaysReachesFloatDistanceBelowTheCell) {
    settings.autoSnap = 1;
    settings.floatBothWays = 1;
    EXPECT_EQ(at(200, 68), 2);
    EXPECT_EQ(at(200, 235), 2);
    EXPECT_EQ(at(200, 236), 0);
}

TEST_F(HitTest, OnlyAFloatDirectionOfExactlyOneReachesBelow) {
    settings.autoSnap = 1;
    settings.floatBothWays = 2;
    EXPECT_EQ(at(200, 187), 2);
    EXPECT_EQ(at(200, 188), 0);
}

TEST_F(HitTest, ThePointerOnTheBoundaryBetweenTwoCellsHoversTheRightHandOne) {
    EXPECT_EQ(at(179, 170), 1);
    EXPECT_EQ(at(180, 170), 2);
    EXPECT_EQ(at(216, 170), 3);
}

TEST_F(HitTest, OverlappingZonesGoToTheLowestIndex) {
    state.items[1].currentRect = {144, 0, 200, 36};
    EXPECT_EQ(at(190, 170), 1);
    EXPECT_EQ(at(200, 170), 2);
}

TEST_F(HitTest, FloatEdgesAreTruncatedTowardZero) {
    state.items[1].currentRect = {-10.5f, 0, 179.9f, 36};
    EXPECT_EQ(at(-11, 170), 0);
    EXPECT_EQ(at(-10, 170), 1);
    EXPECT_EQ(at(178, 170), 1);
    EXPECT_EQ(at(179, 170), 0);  // 179.9 becomes 179, exclusive; item 2 starts at 180

    state.frame.hoverIndex = 1;
    state.items[2].currentRect = {180, -36.5f, 216, 36.5f};
    EXPECT_EQ(at(200, 67), 2);  // 152 - 36.5 - 48 = 67.5 becomes 67
    EXPECT_EQ(at(200, 66), 0);
}

TEST_F(HitTest, ARaisedItemKeepsThePointerUpToFloatDistanceAboveItsRaisedTop) {
    state.frame.hoverIndex = 2;
    settings.floatBothWays = 1;
    state.items[2].currentRect = {162, -84, 234, -12};  // full size, lifted by 48
    EXPECT_EQ(at(170, 20), 2);
    EXPECT_EQ(at(170, 19), 0);
    EXPECT_EQ(at(200, 235), 2);  // the full-size bottom still reaches below
    EXPECT_EQ(at(200, 236), 0);
    EXPECT_EQ(at(161, 100), 1);
}

TEST_F(HitTest, AnEmptyDockHoversNothing) {
    DockState empty;
    empty.metrics.rowTop = 152;
    settings.autoSnap = 1;
    EXPECT_EQ(hitTest(empty, settings, 150, 160), 0);
}

// The fake window sits at (400, 300) and is 288 + 36 * 3 = 396 pixels wide.
struct AnimationTick : ::testing::Test {
    FakePlatform fake;
    DockState& state = fake.dock.state;
    AnimationTick() {
        fake.window.rect = {400, 300, 796, 640};
        addRestingItems(state, 3);
    }
    void pointAt(std::int32_t x, std::int32_t y) { fake.window.cursor = {400 + x, 300 + y}; }
};

TEST_F(AnimationTick, PointerOverACellHoversItDrawsAndArmsTheFastTimer) {
    pointAt(200, 160);
    animationTick(fake.dock, fake.features);
    EXPECT_EQ(state.frame.hoverIndex, 2);
    EXPECT_EQ(state.frame.pointerX, 200);
    EXPECT_EQ(state.frame.pointerY, 160);
    EXPECT_EQ(state.frame.zoomIndex, 2);
    EXPECT_EQ(state.frame.zoomPercent, 10);
    EXPECT_EQ(fake.canvas.Only("Present").size(), 1u);
    EXPECT_EQ(fake.window.timerArms, (std::vector<std::uint32_t>{10}));
}

TEST_F(AnimationTick, StillPointerOnAFullZoomDrawsNothingButStillArmsTheFastTimer) {
    pointAt(198, 152);
    for (int tick = 0; tick < 10; ++tick) animationTick(fake.dock, fake.features);
    ASSERT_EQ(state.frame.zoomPercent, 100);
    const std::size_t presents = fake.canvas.Only("Present").size();
    fake.window.timerArms.clear();
    animationTick(fake.dock, fake.features);
    EXPECT_EQ(fake.canvas.Only("Present").size(), presents);
    EXPECT_EQ(fake.window.timerArms, (std::vector<std::uint32_t>{10}));
}

TEST_F(AnimationTick, PointerOutsideClearsTheHoverAndKeepsTheLastInsidePosition) {
    pointAt(200, 160);
    animationTick(fake.dock, fake.features);
    pointAt(200, 400);  // below the window
    fake.window.timerArms.clear();
    animationTick(fake.dock, fake.features);
    EXPECT_EQ(state.frame.hoverIndex, 0);
    EXPECT_EQ(state.frame.pointerX, 200);
    EXPECT_EQ(state.frame.pointerY, 160);
    EXPECT_EQ(state.frame.zoomPercent, 0);  // the fade-out runs on the kept position
    EXPECT_EQ(fake.window.timerArms, (std::vector<std::uint32_t>{}));
}

TEST_F(AnimationTick, TheRowWidthForTheCurrentCountBoundsTheWindowNotItsRectangle) {
    fake.window.rect = {400, 300, 2000, 640};  // wider than the row
    pointAt(396, 170);
    animationTick(fake.dock, fake.features);
    EXPECT_EQ(state.frame.pointerX, 0);  // outside: never written

    fake.window.rect = {400, 300, 688, 640};  // not yet grown for the third item
    pointAt(395, 10);
    animationTick(fake.dock, fake.features);
    EXPECT_EQ(state.frame.pointerX, 395);
    EXPECT_EQ(state.frame.pointerY, 10);
    EXPECT_EQ(state.frame.hoverIndex, 0);
}

TEST_F(AnimationTick, PointerLeftOrAboveTheWindowIsOutside) {
    fake.window.cursor = {399, 450};
    animationTick(fake.dock, fake.features);
    fake.window.cursor = {500, 299};
    animationTick(fake.dock, fake.features);
    EXPECT_EQ(state.frame.pointerX, 0);
    EXPECT_EQ(state.frame.pointerY, 0);
    fake.window.cursor = {401, 301};
    animationTick(fake.dock, fake.features);
    EXPECT_EQ(state.frame.pointerX, 1);
    EXPECT_EQ(state.frame.pointerY, 1);
    EXPECT_EQ(state.frame.hoverIndex, 0);
}

TEST_F(AnimationTick, WhileBusyNothingIsSampledChangedDrawnOrArmed) {
    pointAt(200, 160);
    animationTick(fake.dock, fake.features);
    const std::size_t calls = fake.canvas.calls.size();
    fake.window.timerArms.clear();
    state.commands.busy = true;
    pointAt(240, 170);
    for (int tick = 0; tick < 3; ++tick) animationTick(fake.dock, fake.features);
    EXPECT_EQ(state.frame.hoverIndex, 2);
    EXPECT_EQ(state.frame.pointerX, 200);
    EXPECT_EQ(state.frame.zoomPercent, 10);
    EXPECT_EQ(fake.canvas.calls.size(), calls);
    EXPECT_TRUE(fake.window.timerArms.empty());
}

TEST_F(AnimationTick, WithoutItemsNothingIsEverHovered) {
    FakePlatform empty;
    empty.dock.settings.autoSnap = 1;
    empty.window.cursor = {400 + 150, 300 + 160};
    animationTick(empty.dock, empty.features);
    EXPECT_EQ(empty.dock.state.frame.hoverIndex, 0);
    EXPECT_EQ(empty.dock.state.frame.pointerX, 150);
    EXPECT_EQ(empty.window.timerArms, (std::vector<std::uint32_t>{100}));
}

}  // namespace
}  // namespace dock
