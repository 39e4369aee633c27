#include "features/auto_hide/auto_hide.h"

#include <gtest/gtest.h>

#include "config/extended_settings.h"
#include "app/tick.h"
#include "fakes/fake_platform.h"
#include "render/layout.h"

namespace dock {
namespace {
using testing::FakePlatform;

enum Pointer { away, onDock, atEdge };

struct DecisionCase {
    const char* what;
    int mode, position;
    bool hiding, due;
    std::uint32_t now;  // the reason to hide came at 1000; the delay is 500
    Pointer pointer;
    bool overlapped = false, held = false, fullscreen = false, keyboard = false;
    int positionAfter;
    bool dueAfter = false;
};

constexpr DecisionCase kDecisions[] = {
    {"never hides with 0", 0, 0, false, false, 2000, away, false, false, false, false, 0},
    {"a turned-off hiding comes back", 0, 10, true, false, 2000, away, false, false, false, false,
     9},
    {"the pointer leaving starts the delay", 1, 0, false, false, 1000, away, false, false, false,
     false, 0, true},
    {"within the delay it waits", 1, 0, false, true, 1499, away, false, false, false, false, 0,
     true},
    {"after the delay it slides out", 1, 0, false, true, 1500, away, false, false, false, false, 1},
    {"the pointer back on the strip ends the wait", 1, 0, false, true, 1500, onDock, false, false,
     false, false, 0},
    {"sliding out, the pointer on it turns it back", 1, 5, true, false, 2000, onDock, false, false,
     false, false, 4},
    {"hidden it stays hidden", 1, 10, true, false, 2000, away, false, false, false, false, 10},
    {"the edge brings it back", 1, 10, true, false, 2000, atEdge, false, false, false, false, 9},
    {"2 without an overlap stays", 2, 0, false, false, 2000, away, false, false, false, false, 0},
    {"2 with an overlap hides after the delay", 2, 0, false, true, 1500, away, true, false, false,
     false, 1},
    {"2 comes back when the overlap ends", 2, 10, true, false, 2000, away, false, false, false,
     false, 9},
    {"the menu, a drag or the move loop hold it", 1, 0, false, true, 5000, away, false, true, false,
     false, 0, true},
    {"a hold beginning while it slides out brings it back", 1, 3, true, false, 2000, away, false,
     true, false, false, 2},
    {"the keyboard mode shows it", 1, 10, true, false, 2000, away, false, true, false, true, 9},
    {"full screen hides it even with the pointer on it", 2, 0, false, true, 1500, onDock, false,
     false, true, false, 1},
    {"full screen: the edge does not reveal", 1, 10, true, false, 2000, atEdge, false, false, true,
     false, 10},
};

TEST(AutoHideDecision, FollowsThePointerTheOverlapTheDelayAndTheHolds) {
    for (const DecisionCase& c : kDecisions) {
        AutoHideState s;
        s.position = c.position;
        s.hiding = c.hiding;
        s.due = c.due;
        s.dueSince = 1000;
        HideInputs in{c.mode,       c.now,  500,          c.pointer == onDock, c.pointer == atEdge,
                      c.overlapped, c.held, c.fullscreen, c.keyboard};
        decideHiding(s, in);
        EXPECT_EQ(s.position, c.positionAfter) << c.what;
        EXPECT_EQ(s.due, c.dueAfter) << c.what;
    }
}

struct EdgeCase {
    const char* what;
    RectI strip;
    std::vector<RectI> areas;
    PointI shift;
    RectI zone;
};

TEST(AutoHidePlace, GoesBeyondTheNearestEdgeAndKeepsTwoPixelsWhereAMonitorFollows) {
    const RectI screen{0, 0, 1280, 760};
    const EdgeCase cases[] = {
        {"bottom", {400, 700, 700, 750}, {screen}, {0, 60}, {400, 759, 700, INT32_MAX}},
        {"top", {400, 10, 700, 60}, {screen}, {0, -60}, {400, INT32_MIN, 700, 1}},
        {"left", {5, 300, 305, 350}, {screen}, {-305, 0}, {INT32_MIN, 300, 1, 350}},
        {"right", {970, 300, 1270, 350}, {screen}, {310, 0}, {1279, 300, INT32_MAX, 350}},
        {"a monitor below shares the edge",
         {400, 700, 700, 750},
         {screen, {0, 760, 1280, 1560}},
         {0, 58},
         {400, 758, 700, 760}},
        {"a monitor below beside the strip does not",
         {400, 700, 700, 750},
         {screen, {800, 760, 1600, 1560}},
         {0, 60},
         {400, 759, 700, INT32_MAX}},
    };
    for (const EdgeCase& c : cases) {
        const auto place = hidePlaceOf(c.strip, c.areas);
        ASSERT_TRUE(place) << c.what;
        EXPECT_EQ(place->shift, c.shift) << c.what;
        EXPECT_EQ(place->revealZone, c.zone) << c.what;
    }
    EXPECT_FALSE(hidePlaceOf({2000, 0, 2300, 50}, std::vector<RectI>{screen}));
}

// The whole path on the tick: ten slide steps out after the delay, nothing
// while busy, and back from the edge; the shown place is what config.ini keeps.
TEST(AutoHideTick, SlidesOutInTenTicksAndBackFromTheEdge) {
    FakePlatform fake;
    Dock& dock = fake.dock;
    FeatureStates& features = fake.features;
    dock.settings.autoHide = 1;
    const PointI chosen = dock.state.place.chosen;
    // The strip's bottom 10 px above the work area's: it hides downwards.
    const std::int32_t stripTop = truncateToInt(stripRect(dock.state).top);
    fake.window.rect = {400, 700 - stripTop, 688, 1040 - stripTop};
    const RectI shown = fake.window.rect;
    fake.window.cursor = {5, 5};
    for (int i = 0; i < 4; ++i, fake.shell.tick += 200) animationTick(dock, features);
    EXPECT_EQ(features.autoHide.position, 1);
    dock.state.commands.busy = true;
    animationTick(dock, features);
    EXPECT_EQ(features.autoHide.position, 1);
    dock.state.commands.busy = false;
    for (int i = 0; i < 12; ++i) animationTick(dock, features);
    EXPECT_EQ(features.autoHide.position, kSlideTicks);
    EXPECT_GE(stripRect(dock.state).top + fake.window.rect.top, 760);
    const RectF strip = stripRect(dock.state);
    fake.window.cursor = {shown.left + truncateToInt((strip.left + strip.right) / 2), 759};
    for (int i = 0; i < 12; ++i) animationTick(dock, features);
    EXPECT_EQ(fake.window.rect, shown);
    EXPECT_EQ(dock.state.place.chosen, chosen);
}

TEST(AutoHideMenu, ChoosingOneEntryClearsTheOtherAndTheCheckedOneTurnsHidingOff) {
    FakePlatform fake;
    const ExtendedSetting& autoHide = *extendedSettingOfCommand(IDM_AUTO_HIDE);
    const ExtendedSetting& intelligent = *extendedSettingOfCommand(IDM_INTELLIGENT_HIDE);
    const int after[] = {1, 2, 0};
    const ExtendedSetting* chosen[] = {&autoHide, &intelligent, &intelligent};
    for (int i = 0; i < 3; ++i) {
        toggleExtendedSetting(fake.dock, *chosen[i]);
        EXPECT_EQ(fake.dock.settings.autoHide, after[i]);
        EXPECT_EQ(extendedEntryChecked(fake.dock.settings, autoHide), after[i] == 1);
    }
}

}  // namespace
}  // namespace dock
