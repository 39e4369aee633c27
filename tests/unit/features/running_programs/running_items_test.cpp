#include "features/running_programs/running_items.h"

#include <gtest/gtest.h>

#include "app/launch.h"
#include "fakes/fake_platform.h"
#include "render/frame.h"
#include "app/tick.h"
#include "render/layout.h"

namespace dock {
namespace {

using testing::FakePlatform;
using Call = testing::RecordingSurface::Call;

TEST(NormalisedProgramPath, GivesOneFormToEveryWayOfWritingAFullPath) {
    const LeadBytes gbk = testing::gbkLeadBytes();
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Tools\\App.EXE", "c:\\tools\\app.exe"},
        {"c:/tools//sub/../App.exe", "c:\\tools\\app.exe"},
        {"C:\\.\\Tools\\.\\app.exe. .", "c:\\tools\\app.exe"},
        {"C:\\..\\..\\app.exe", "c:\\app.exe"},
        {"\\\\?\\C:\\Tools\\app.exe", "c:\\tools\\app.exe"},
        {"\\\\Server\\Share\\app.exe", "\\\\server\\share\\app.exe"},
        {"\\\\?\\UNC\\Server\\Share\\..\\app.exe", "\\\\server\\share\\app.exe"},
        // 誠 is D5 5C and 萢 C8 41: neither byte after the lead is a
        // separator or a letter.
        {"C:\\\xD5\x5C\\\xC8\x41.EXE", "c:\\\xD5\x5C\\\xC8\x41.exe"},
        // Not full paths: they could name a file in any folder.
        {"app.exe", ""},
        {"Tools\\app.exe", ""},
        {"C:app.exe", ""},
        {"\\Tools\\app.exe", ""},
        {"\\\\Server\\app.exe", ""},
        {"C:\\", ""},
        {"", ""},
    };
    for (const auto& [path, normalised] : cases)
        EXPECT_EQ(normalisedProgramPath(path, gbk), normalised) << path;
}

TEST(UserSwitchesTo, CountsTheWindowsTheTaskbarShows) {
    const std::pair<TopLevelWindow, bool> cases[] = {
        {{}, true},  // unowned, shown, with a title bar
        {{.visible = false}, false},
        {{.cloaked = true, .appWindow = true}, false},     // on another virtual desktop
        {{.owned = true}, false},                          // a program's dialog
        {{.caption = false}, false},                       // the desktop's window
        {{.toolWindow = true, .appWindow = true}, false},  // the taskbar
        {{.noActivate = true}, false},
        {{.owned = true, .caption = false, .appWindow = true, .noActivate = true}, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(userSwitchesTo(cases[i].first), cases[i].second) << i;
}

// Three items at rest, the pointer away: app.exe, other.exe and a shortcut to
// app.exe; a 12 x 6 indicator picture.
struct RunningItemsTest : ::testing::Test {
    FakePlatform fake;
    Dock& dock = fake.dock;
    FeatureStates& features = fake.features;

    RunningItemsTest() {
        fake.window.rect = {400, 300, 796, 640};
        fake.files.Put("indicator.png", testing::pngHeader(12, 6));
        dock.state.pictures.runningIndicatorImage = fake.pictures.NewPicture();
        dock.state.pictures.runningIndicatorImage->LoadFromFile("indicator.png");
        fake.icons.shortcuts["C:\\Links\\App.lnk"] = "c:/tools/APP.EXE";
        for (const char* target :
             {"C:\\Tools\\app.exe", "C:\\Tools\\other.exe", "C:\\Links\\App.lnk"})
            dock.state.items.Insert(dock.state.items.Count() + 1, DockItem{"", 0, target, ""}, 0);
        layoutRow(dock.state, 1);
        dock.settings.runningIndicator = 1;
    }
    void tickAt(std::uint32_t tick) {
        fake.shell.tick = tick;
        animationTick(dock, features);
    }
    std::size_t presents() const { return fake.canvas.Only("Present").size(); }
    // The indicators of the last frame, as the left edges they were drawn at.
    std::vector<Call> indicators() const {
        std::vector<Call> drawn;
        for (const Call& call : fake.canvas.Only("DrawImage"))
            if (call.picture == "file:indicator.png") drawn.push_back(call);
        return drawn;
    }
};

Call indicatorAt(double x) {
    // Centred 3 px below the resting picture's bottom line (152 + 31).
    return {"DrawImage", "file:indicator.png", {x, 183, 12, 6}, ""};
}

TEST_F(RunningItemsTest, TheTickLooksAtMostOnceASecondAndDrawsOnlyWhenTheRunningItemsChange) {
    // other.exe shows a tool window only: not running for the user.
    fake.shell.windows = {{"C:\\Other\\x.exe", 1},
                          {"C:\\Tools\\other.exe", 4, {.toolWindow = true}},
                          {"c:\\TOOLS\\app.exe", 2}};
    tickAt(5000);
    EXPECT_EQ(fake.shell.windowQueries, 1);
    ASSERT_EQ(presents(), 1u);
    // Under item 1 (cell 144..180) and the shortcut, item 3 (216..252).
    EXPECT_EQ(indicators(), (std::vector<Call>{indicatorAt(156), indicatorAt(228)}));

    tickAt(5999);
    tickAt(6000);
    EXPECT_EQ(fake.shell.windowQueries, 2);
    EXPECT_EQ(presents(), 1u);  // nothing changed, nothing drawn

    fake.shell.windows.clear();
    tickAt(6999);
    EXPECT_EQ(presents(), 1u);
    tickAt(7000);
    ASSERT_EQ(presents(), 2u);
    fake.canvas.calls.clear();
    tickAt(8000);
    EXPECT_EQ(fake.shell.windowQueries, 4);
    EXPECT_TRUE(fake.canvas.calls.empty());
    // The shortcut was read once.
    EXPECT_EQ(
        std::count(fake.icons.log.begin(), fake.icons.log.end(), "shortcut C:\\Links\\App.lnk"), 1);
}

TEST_F(RunningItemsTest, ALaunchLooksAgainAtTheNextTick) {
    tickAt(5000);
    fake.shell.tick = 5100;
    launchItem(dock, features, 2);
    fake.shell.windows = {{"C:\\Tools\\other.exe", 3}};
    tickAt(5110);
    EXPECT_EQ(fake.shell.windowQueries, 2);
    EXPECT_EQ(indicators(), (std::vector<Call>{indicatorAt(192)}));
}

TEST_F(RunningItemsTest, SwitchedOffItLooksNoMoreAndDrawsTheRowOnceWithoutIndicators) {
    fake.shell.windows = {{"C:\\Tools\\app.exe", 2}};
    tickAt(5000);
    dock.settings.runningIndicator = 0;
    fake.canvas.calls.clear();
    tickAt(5010);
    EXPECT_EQ(presents(), 1u);
    EXPECT_TRUE(indicators().empty());
    tickAt(9000);
    EXPECT_EQ(presents(), 1u);
    EXPECT_EQ(fake.shell.windowQueries, 1);
    // On again: the next tick looks at once.
    dock.settings.runningIndicator = 1;
    tickAt(9010);
    EXPECT_EQ(fake.shell.windowQueries, 2);
    EXPECT_EQ(indicators().size(), 2u);
}

TEST_F(RunningItemsTest, TheIndicatorFollowsItsMagnifiedCellAndStaysOnTheStrip) {
    fake.shell.windows = {{"C:\\Tools\\app.exe", 2}};
    tickAt(5000);
    dock.state.frame.hoverIndex = 2;
    dock.state.frame.pointerX = 190;
    dock.state.frame.pointerY = 120;
    for (int step = 0; step < 10; ++step) renderFrame(frameOf(dock), false);
    auto under = [&](int item) {
        const RectF& cell = dock.state.items[item].currentRect;
        return indicatorAt(static_cast<float>((double(cell.left) + double(cell.right)) / 2 - 6));
    };
    // Items 1 and 3 (the shortcut) run; both are pushed aside by item 2.
    ASSERT_LT(dock.state.items[1].currentRect.right, 180.0f);
    const std::vector<Call> drawn = indicators();
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(std::vector<Call>(drawn.end() - 2, drawn.end()),
              (std::vector<Call>{under(1), under(3)}));
}

TEST_F(RunningItemsTest, ADoubleClickSwitchesToTheProgramsFrontWindowAndFurtherOnesGoRoundIt) {
    dock.settings.activateRunning = 1;
    dock.settings.launchCooldownMs = 1000;
    // The dock, a tool window, in front; a window brought forward comes first.
    fake.shell.windows = {{"C:\\Dock\\dock.exe", 1, {.toolWindow = true}},
                          {"C:\\Tools\\other.exe", 3},
                          {"C:/TOOLS/App.exe", 9},
                          {"c:\\tools\\app.exe", 5}};
    fake.shell.tick = 5000;
    launchItem(dock, features, 3);  // the shortcut to app.exe
    EXPECT_EQ(fake.shell.broughtToFront, (std::vector<std::uintptr_t>{9}));
    EXPECT_TRUE(fake.shell.launched.empty());
    launchItem(dock, features, 3);  // within the cool-down: nothing
    fake.shell.tick = 6000;
    launchItem(dock, features, 3, true);  // Shift: a new copy
    // In front now: the next window by handle, wrapping.
    for (std::uint32_t tick : {7000, 8000}) {
        fake.shell.tick = tick;
        launchItem(dock, features, 3);
    }
    EXPECT_EQ(fake.shell.broughtToFront, (std::vector<std::uintptr_t>{9, 5, 9}));
    fake.shell.windows.clear();
    fake.shell.tick = 9000;
    launchItem(dock, features, 1);  // not running: started
    EXPECT_EQ(fake.shell.broughtToFront.size(), 3u);
    EXPECT_EQ(fake.shell.launched,
              (std::vector<testing::FakeShell::Launched>{{"C:\\Links\\App.lnk", "C:\\Links\\"},
                                                         {"C:\\Tools\\app.exe", "C:\\Tools\\"}}));
}

TEST_F(RunningItemsTest, WithoutTheSettingARunningProgramIsStartedAgain) {
    fake.shell.windows = {{"C:\\Tools\\app.exe", 5}};
    launchItem(dock, features, 1);
    EXPECT_EQ(fake.shell.windowQueries, 0);
    EXPECT_EQ(fake.shell.launched.size(), 1u);
}

}  // namespace
}  // namespace dock
