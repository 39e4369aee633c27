#include "features/launch_feedback/launch_feedback.h"

#include <gtest/gtest.h>

#include "app/launch.h"
#include "fakes/fake_platform.h"

namespace dock {
namespace {

TEST(LaunchFeedback, RisesHalfACellAndFallsTwiceThenRests) {
    const std::pair<int, float> curve[] = {{0, 0}, {15, 18}, {30, 0}, {45, 18}, {60, 0}, {61, 0}};
    for (const auto& [tick, height] : curve) EXPECT_NEAR(bounceHeight(tick, 36), height, 1e-4);
    EXPECT_GT(bounceHeight(5, 36), 0);
}

struct Bouncing : ::testing::Test {
    testing::FakePlatform platform;
    Dock& dock = platform.dock;
    FeatureStates& features = platform.features;
    void SetUp() override {
        dock.settings.launchFeedback = 1;
        dock.state.items.Insert(1, testing::itemWithTarget("C:\\a.exe"), 0);
        launchItem(dock, features, 1);
    }
    int ticksToRest() {
        int ticks = 1;
        for (; stepBounce(dock, features.bounce) && dock.state.frame.overlay.raisedItem != 0;
             ++ticks) {
        }
        return ticks;
    }
};

TEST_F(Bouncing, AStartBouncesForSixtyTicksEachDrawn) {
    EXPECT_EQ(platform.window.timerArms.back(), 10u);
    EXPECT_EQ(ticksToRest(), kBounceTicks);
    EXPECT_FALSE(stepBounce(dock, features.bounce));
}

TEST_F(Bouncing, EndsWhenTheProgramIsSeenRunningOrTheItemMoves) {
    dock.settings.runningIndicator = 1;
    dock.state.frame.overlay.runningTargets = {"C:\\a.exe"};
    EXPECT_EQ(ticksToRest(), 1);
    platform.shell.tick = 5000;
    launchItem(dock, features, 1);
    dock.state.items.Insert(1, DockItem{}, 0);
    EXPECT_EQ(ticksToRest(), 1);
}

TEST_F(Bouncing, AFailedStartDoesNotBounce) {
    features.bounce = {};
    dock.state.frame.overlay.raisedItem = 0;
    platform.shell.startsSucceed = false;
    dock.state.commands.lastLaunchIndex = 0;
    launchItem(dock, features, 1);
    EXPECT_EQ(dock.state.frame.overlay.raisedItem, 0);
}

}  // namespace
}  // namespace dock
