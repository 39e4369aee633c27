#include "dock/fullscreen_avoidance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dock/startup.h"
#include "fakes/fake_platform.h"
#include "items/add_item.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePlatform;
using Kind = ForegroundWindow::Kind;
using Log = std::vector<std::string>;

const RectI kMonitor{0, 0, 1280, 800};

class AvoidingFullscreen : public ::testing::Test {
  protected:
    void SetUp() override {
        dock.settings.alwaysOnTop = 1;
        dock.settings.fullscreenAvoid = 1;
        platform.foreground.monitor = kMonitor;
    }
    void inFront(Kind kind, RectI rect = kMonitor) {
        platform.foreground.foreground = {kind, rect};
        checkFullscreen(dock);
    }
    Log& calls() { return platform.foreground.log; }

    FakePlatform platform;
    Dock& dock = platform.dock;
};

TEST_F(AvoidingFullscreen, GivesWayWhileAProgramCoversTheMonitorAndTakesTheTopBackAfter) {
    followFullscreenSetting(dock);
    EXPECT_EQ(calls(), (Log{"watch 1"}));
    inFront(Kind::program, {-8, -8, 1288, 808});  // larger than the monitor covers it too
    inFront(Kind::program);                       // still full screen: nothing more to do
    EXPECT_EQ(calls(), (Log{"watch 1", "topmost 0"}));
    EXPECT_FALSE(dockOnTop(dock));
    inFront(Kind::none);
    EXPECT_EQ(calls(), (Log{"watch 1", "topmost 0", "topmost 1"}));
    EXPECT_TRUE(dockOnTop(dock));
    EXPECT_EQ(dock.settings.alwaysOnTop, 1) << "the saved setting never changes";
}

TEST_F(AvoidingFullscreen, OnlyAProgramCoveringTheWholeMonitorOfTheDockCounts) {
    const struct {
        Kind kind;
        RectI rect;
    } ignored[] = {
        {Kind::desktop, kMonitor},
        {Kind::taskbar, kMonitor},
        {Kind::dock, kMonitor},
        {Kind::program, {1, 0, 1280, 800}},
        {Kind::program, {0, 0, 1280, 799}},
        {Kind::program, {1280, 0, 2560, 800}},
    };
    for (const auto& window : ignored) {
        inFront(window.kind, window.rect);
        EXPECT_TRUE(dockOnTop(dock)) << window.rect.left << " " << window.rect.bottom;
    }
    // The dock on the second monitor gives way to what covers that one.
    platform.foreground.monitor = {1280, 0, 2560, 800};
    inFront(Kind::program, {1280, 0, 2560, 800});
    EXPECT_FALSE(dockOnTop(dock));
    EXPECT_EQ(calls(), (Log{"topmost 0"}));
}

TEST_F(AvoidingFullscreen, OffByDefaultItNeitherWatchesNorMovesTheDock) {
    dock.settings.fullscreenAvoid = DockSettings{}.fullscreenAvoid;
    followFullscreenSetting(dock);
    inFront(Kind::program);
    platform.shell.tick = 5000;
    checkFullscreenOnTick(dock);
    stopFullscreenAvoidance(dock);
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(dockOnTop(dock));
}

TEST_F(AvoidingFullscreen, TurningItOffTakesTheTopBackAtOnce) {
    followFullscreenSetting(dock);
    inFront(Kind::program);
    dock.settings.fullscreenAvoid = 0;
    followFullscreenSetting(dock);
    EXPECT_EQ(calls(), (Log{"watch 1", "topmost 0", "watch 0", "topmost 1"}));
    EXPECT_TRUE(dockOnTop(dock));
}

TEST_F(AvoidingFullscreen, ADockNotOnTopKeepsItsPlaceAndAlwaysOnTopSetMeanwhileWaits) {
    dock.settings.alwaysOnTop = 0;
    inFront(Kind::program);
    EXPECT_TRUE(calls().empty());
    // 总在最前 switched on while the program covers the dock: an added item
    // places the window below it still, and the end of it puts it on top.
    dock.settings.alwaysOnTop = 1;
    EXPECT_FALSE(dockOnTop(dock));
    DockItem record{"A", 0, "C:\\a.exe", ""};
    addItem(dock, record, 1, false);
    ASSERT_FALSE(platform.window.placements.empty());
    EXPECT_FALSE(platform.window.placements.back().topmost);
    inFront(Kind::desktop);
    EXPECT_EQ(calls(), (Log{"topmost 1"}));
}

TEST_F(AvoidingFullscreen, TheTickLooksOnceASecondWhileWatching) {
    checkFullscreenOnTick(dock);  // not watching yet
    platform.shell.tick = 100;
    followFullscreenSetting(dock);
    platform.foreground.foreground = {Kind::program, kMonitor};
    platform.shell.tick = 1099;
    checkFullscreenOnTick(dock);
    EXPECT_TRUE(dockOnTop(dock));
    platform.shell.tick = 1100;
    checkFullscreenOnTick(dock);
    EXPECT_FALSE(dockOnTop(dock));
    platform.foreground.foreground = {};
    platform.shell.tick = 2099;
    checkFullscreenOnTick(dock);
    EXPECT_FALSE(dockOnTop(dock));
    EXPECT_EQ(calls(), (Log{"watch 1", "topmost 0"}));
}

TEST_F(AvoidingFullscreen, TheDockWatchesFromStartUpToShutdownWhenConfigIniSaysSo) {
    dock.settings = {};
    platform.profile.Set("C:\\Dock\\config.ini", std::string(texts::kSectionExtended),
                         std::string(texts::kKeyFullscreenAvoid), "1");
    startDock(dock);
    EXPECT_EQ(calls(), (Log{"watch 1"}));
    stopDock(dock);
    EXPECT_EQ(calls(), (Log{"watch 1", "watch 0"}));
}

}  // namespace
}  // namespace dock
