#include "features/drop_open/drop_open.h"

#include <gtest/gtest.h>

#include "app/launch.h"
#include "fakes/fake_platform.h"

namespace dock {
namespace {

using Opened = testing::FakeShell::Opened;
const LeadBytes kGbk = testing::gbkLeadBytes();

TEST(DropOpen, OpensOnTheMiddleHalfOfThePictureAsShownAndInsertsOnItsQuarters) {
    // A resting cell 100..136 holds the picture 105..131 (quarters of 6.5);
    // magnified to 82..154 it holds 87..149 (quarters of 15.5).
    struct Case {
        float left, right;
        std::int32_t x;
        int item;
    } cases[] = {{100, 136, 111, 0}, {100, 136, 112, 1}, {100, 136, 124, 1}, {100, 136, 125, 0},
                 {82, 154, 102, 0},  {82, 154, 103, 1},  {82, 154, 133, 1},  {82, 154, 134, 0}};
    for (const Case& c : cases) {
        DockState state;
        state.items.Insert(1, DockItem{}, 0);
        state.items[1].currentRect = {c.left, 0, c.right, 36};
        state.frame.hoverIndex = 1;
        state.frame.pointerX = c.x;
        EXPECT_EQ(dropOntoItem(state), c.item) << c.left << " " << c.x;
    }
}

TEST(DropOpen, QuotesEachPathAndStartsOncePerGroupThatFits) {
    // 誠 is D5 5C: its second byte is no trailing backslash to double.
    EXPECT_EQ(quotedParameter("C:\\My Files\\\xB3\xCC.txt", kGbk),
              "\"C:\\My Files\\\xB3\xCC.txt\"");
    EXPECT_EQ(quotedParameter("D:\\", kGbk), "\"D:\\\\\"");
    EXPECT_EQ(quotedParameter("C:\\\xD5\x5C", kGbk), "\"C:\\\xD5\x5C\"");
    const std::vector<std::string> paths = {"C:\\a b", "C:\\cd", "C:\\efghij", "C:\\k"};
    EXPECT_EQ(parameterGroups(paths, 16, kGbk),
              (std::vector<std::string>{"\"C:\\a b\" \"C:\\cd\"", "\"C:\\efghij\"", "\"C:\\k\""}));
    EXPECT_EQ(parameterGroups(paths, 1, kGbk).size(), 4u);  // too long alone, still started
}

TEST(DropOpen, OpensWithProgramsAndShortcutsToThemOnlyWhenSwitchedOn) {
    testing::FakePlatform platform;
    Dock& dock = platform.dock;
    FeatureStates& features = platform.features;
    platform.icons.shortcuts = {{"C:\\L\\ed.lnk", "C:\\E\\ed.exe"},
                                {"C:\\L\\doc.lnk", "C:\\d.txt"}};
    for (const char* target : {"C:\\P\\app.EXE", "C:\\L\\ed.lnk", "C:\\L\\doc.lnk", "C:\\d.txt"})
        dock.state.items.Insert(dock.state.items.Count() + 1, testing::itemWithTarget(target), 0);
    const std::vector<std::string> paths = {"C:\\x y.txt"};
    dock.state.frame.pointerX = 18;
    for (int item = 1; item <= 4; ++item) {
        dock.state.items[item].currentRect = {0, 0, 36, 36};
        dock.state.frame.hoverIndex = item;
        EXPECT_FALSE(openDroppedFiles(dock, features, paths));
        dock.settings.dropOpen = 1;
        EXPECT_EQ(openDroppedFiles(dock, features, paths), item <= 2) << item;
        dock.settings.dropOpen = 0;
    }
    EXPECT_EQ(platform.shell.opened,
              (std::vector<Opened>{{"C:\\P\\app.EXE", "\"C:\\x y.txt\"", "C:\\P\\"},
                                   {"C:\\E\\ed.exe", "\"C:\\x y.txt\"", "C:\\L\\"}}));
}

TEST(DropOpen, WhileFilesAreDraggedTheTrayShowsOnlyUnderAnItemTheyWouldOpenWith) {
    struct Case {
        int dropOpen;
        bool button;
        std::int32_t x;
        bool withheld;
    } cases[] = {
        {1, true, 18, false}, {1, true, 6, true}, {1, false, 6, false}, {0, true, 6, false}};
    for (const Case& c : cases) {
        testing::FakePlatform platform;
        platform.dock.state.items.Insert(1, testing::itemWithTarget("C:\\a.exe"), 0);
        platform.dock.state.items[1].currentRect = {0, 0, 36, 36};
        platform.dock.state.frame.hoverIndex = 1;
        platform.dock.state.frame.pointerX = c.x;
        platform.dock.settings.dropOpen = c.dropOpen;
        platform.window.primaryButtonDown = c.button;
        EXPECT_EQ(followFileDrag(platform.dock, false), c.withheld) << c.x;
        EXPECT_EQ(platform.dock.state.frame.trayWithheld, c.withheld);
    }
}

}  // namespace
}  // namespace dock
