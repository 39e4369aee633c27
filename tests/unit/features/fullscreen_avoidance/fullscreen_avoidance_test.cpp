#include "features/fullscreen_avoidance/fullscreen_avoidance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup.h"
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
    void inFront(Kind kind, RectI rect = kMonitor, bool caption = false, bool thickFrame = false) {
        platform.foreground.foreground = {kind, rect, caption, thickFrame};
        checkFullscreen(dock);
    }
    Log& calls() { return platform.foreground.log; }

    FakePlatform platform;
    Dock& dock = platform.dock;
    FeatureStates& features = platform.features;
};

TEST_F(AvoidingFullscreen, GivesWayWhileAProgramCoversTheMonitorAndTakesTheTopBackAfter) {
    followFullscreenSetting(dock, features.fullscreen);
    EXPECT_EQ(calls(), (Log{"watch 1"}));
    inFront(Kind::program);
    inFront(Kind::program, {-8, -8, 1288, 808});  // still full screen: nothing more to do
    EXPECT_EQ(calls(), (Log{"watch 1", "topmost 0"}));
    EXPECT_FALSE(dockOnTop(dock));
    inFront(Kind::none);
    EXPECT_EQ(calls(), (Log{"watch 1", "topmost 0", "topmost 1"}));
    EXPECT_TRUE(dockOnTop(dock));
    EXPECT_EQ(dock.settings.alwaysOnTop, 1) << "the saved setting never changes";
}

TEST_F(AvoidingFullscreen, OnlyAFrameLessProgramCoveringTheDocksMonitorOrWhatTheShellSaysCounts) {
    using State = ShellUserState;
    const RectI maximized{-8, -8, 1288, 808};  // its frame reaches past the monitor
    const RectI second{1280, 0, 2560, 800};
    const struct {
        ForegroundWindow window;
        State state;
        bool fullscreen;
    } cases[] = {
        {{Kind::desktop, kMonitor}, State::other, false},
        {{Kind::taskbar, kMonitor}, State::other, false},
        {{Kind::dock, kMonitor}, State::other, false},
        {{Kind::program, {1, 0, 1280, 800}}, State::other, false},
        {{Kind::program, {0, 0, 1280, 799}}, State::other, false},
        {{Kind::program, second}, State::other, false},
        {{Kind::program, maximized}, State::other, true},
        {{Kind::program, maximized, true, true}, State::other, false},
        {{Kind::program, kMonitor, true, false}, State::other, false},
        {{Kind::program, kMonitor, false, true}, State::other, false},
        {{Kind::program, maximized, true, true}, State::busy, true},
        {{Kind::program, maximized, true, true}, State::d3dFullScreen, true},
        {{Kind::program, second}, State::busy, false},
        {{Kind::program, {100, 100, 500, 400}, true, true}, State::presentation, true},
        {{Kind::desktop, kMonitor}, State::presentation, false},
    };
    for (const auto& c : cases) {
        platform.foreground.userState = c.state;
        inFront(c.window.kind, c.window.rect, c.window.caption, c.window.thickFrame);
        EXPECT_EQ(dockOnTop(dock), !c.fullscreen) << &c - cases;
        inFront(Kind::none);
    }
    // The dock on the second monitor gives way to what covers that one.
    platform.foreground.userState = State::other;
    platform.foreground.monitor = second;
    inFront(Kind::program, second);
    EXPECT_FALSE(dockOnTop(dock));
}

TEST_F(AvoidingFullscreen, OffByDefaultItNeitherWatchesNorMovesTheDock) {
    dock.settings.fullscreenAvoid = DockSettings{}.fullscreenAvoid;
    followFullscreenSetting(dock, features.fullscreen);
    inFront(Kind::program);
    platform.shell.tick = 5000;
    checkFullscreenOnTick(dock, features.fullscreen);
    stopFullscreenAvoidance(dock, features.fullscreen);
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(dockOnTop(dock));
}

TEST_F(AvoidingFullscreen, TurningItOffTakesTheTopBackAtOnce) {
    followFullscreenSetting(dock, features.fullscreen);
    inFront(Kind::program);
    dock.settings.fullscreenAvoid = 0;
    followFullscreenSetting(dock, features.fullscreen);
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
    checkFullscreenOnTick(dock, features.fullscreen);  // not watching yet
    platform.shell.tick = 100;
    followFullscreenSetting(dock, features.fullscreen);
    platform.foreground.foreground = {Kind::program, kMonitor};
    platform.shell.tick = 1099;
    checkFullscreenOnTick(dock, features.fullscreen);
    EXPECT_TRUE(dockOnTop(dock));
    platform.shell.tick = 1100;
    checkFullscreenOnTick(dock, features.fullscreen);
    EXPECT_FALSE(dockOnTop(dock));
    platform.foreground.foreground = {};
    platform.shell.tick = 2099;
    checkFullscreenOnTick(dock, features.fullscreen);
    EXPECT_FALSE(dockOnTop(dock));
    EXPECT_EQ(calls(), (Log{"watch 1", "topmost 0"}));
}

TEST_F(AvoidingFullscreen, TheDockWatchesFromStartUpToShutdownWhenConfigIniSaysSo) {
    dock.settings = {};
    platform.profile.Set("C:\\Dock\\config.ini", std::string(texts::kSectionExtended),
                         std::string(texts::kKeyFullscreenAvoid), "1");
    startDock(dock, features);
    EXPECT_EQ(calls(), (Log{"watch 1"}));
    stopDock(dock, features);
    EXPECT_EQ(calls(), (Log{"watch 1", "watch 0"}));
}

}  // namespace
}  // namespace dock
