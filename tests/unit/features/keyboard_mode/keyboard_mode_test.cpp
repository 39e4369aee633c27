#include "features/keyboard_mode/keyboard_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/extended_commands.h"
#include "app/launch.h"
#include "app/startup.h"
#include "fakes/fake_platform.h"
#include "app/tick.h"
#include "render/layout.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePlatform;

// Items titled as given, in resting cells from x 144 (36 wide, rowTop 152),
// with 键盘模式 on and the dock's hotkey registered.
struct KeyboardModeTest : ::testing::Test {
    FakePlatform fake;
    Dock& dock = fake.dock;
    FeatureStates& features = fake.features;

    void makeRow(const std::vector<std::string>& titles) {
        for (const std::string& title : titles) {
            DockItem item;
            item.title = title;
            item.targetPath = "C:\\" + std::to_string(dock.state.items.Count() + 1) + ".exe";
            dock.state.items.Insert(dock.state.items.Count() + 1, item, 0);
        }
        layoutRow(dock.state, 1);
        dock.settings.keyboardMode = 1;
        applyKeyboardHotkey(dock, features.keyboard);
    }
    int selected() const { return features.keyboard.selected; }
    void type(std::uint32_t tick, const std::string& bytes) {
        fake.shell.tick = tick;
        for (char byte : bytes) typeAhead(dock, features.keyboard, byte);
    }
};

TEST_F(KeyboardModeTest, TheHotkeyIsRegisteredUnderIdZeroOnlyWithTheModeOnAndReleasedAtTheEnd) {
    EXPECT_EQ(dock.settings.keyboardHotkey, 1568);
    applyKeyboardHotkey(dock, features.keyboard);
    EXPECT_TRUE(fake.hotkeys.log.empty()) << "off by default";

    makeRow({"One"});
    // 1568 = 0x0620: Ctrl+Alt (MOD 3) and the space bar.
    EXPECT_EQ(fake.hotkeys.log, std::vector<std::string>{"register 0 3 32"});
    EXPECT_FALSE(keyboardModeUnavailable(dock, features.keyboard));
    stopDock(dock, features);
    EXPECT_EQ(fake.hotkeys.log.back(), "unregister 0");
    EXPECT_FALSE(features.keyboard.hotkeyHeld);
}

TEST_F(KeyboardModeTest, AHotkeyHeldElsewhereLeavesTheModeUnavailableUntilItIsFree) {
    fake.hotkeys.heldElsewhere.insert({3, 32});
    makeRow({"One"});
    EXPECT_TRUE(keyboardModeUnavailable(dock, features.keyboard));
    EXPECT_FALSE(enterKeyboardMode(dock, features.keyboard, false));
    fake.hotkeys.heldElsewhere.clear();
    applyKeyboardHotkey(dock, features.keyboard);
    EXPECT_FALSE(keyboardModeUnavailable(dock, features.keyboard));

    // Turning the mode off through its menu row lets the hotkey go at once.
    const ExtendedSetting& mode = *extendedSettingOfCommand(IDM_KEYBOARD_MODE);
    switchExtendedSetting(dock, features, mode);
    EXPECT_EQ(fake.hotkeys.log.back(), "unregister 0");
    EXPECT_FALSE(keyboardModeUnavailable(dock, features.keyboard));
    EXPECT_EQ(extendedSettingOfCommand(kNoMenuEntry), nullptr);
    // Switched on while held elsewhere: the classic box, the only one so far.
    fake.hotkeys.heldElsewhere.insert({3, 32});
    switchExtendedSetting(dock, features, mode);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, texts::kHotkeyFailedText);
    EXPECT_TRUE(fake.messages.shown[0].busy) << "inside the guard";
}

TEST_F(KeyboardModeTest, TheSelectionStopsAtTheEndsAndIsKeptForTheNextTime) {
    makeRow({"One", "Two", "Three", "Four"});
    ASSERT_TRUE(enterKeyboardMode(dock, features.keyboard, false));
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(fake.window.timerArms.back(), 10u);
    const std::pair<SelectionKey, int> steps[] = {
        {SelectionKey::left, 1},  {SelectionKey::right, 2}, {SelectionKey::end, 4},
        {SelectionKey::right, 4}, {SelectionKey::home, 1},  {SelectionKey::right, 2},
    };
    for (const auto& [key, want] : steps) {
        moveSelection(dock, features.keyboard, key);
        EXPECT_EQ(selected(), want);
    }
    leaveKeyboardMode(dock, features.keyboard, ModeEnd::keepForeground);
    moveSelection(dock, features.keyboard, SelectionKey::end);
    EXPECT_EQ(selected(), 2) << "no keys outside the mode";
    ASSERT_TRUE(enterKeyboardMode(dock, features.keyboard, false));
    EXPECT_EQ(selected(), 2);

    dock.state.commands.busy = true;
    moveSelection(dock, features.keyboard, SelectionKey::end);
    launchItem(dock, features, selectionToLaunch(dock, features.keyboard));
    EXPECT_EQ(selected(), 2);
    EXPECT_TRUE(fake.shell.launched.empty());
    EXPECT_FALSE(enterKeyboardMode(dock, features.keyboard, false));
}

TEST_F(KeyboardModeTest, EnterLaunchesTheSelectionWithTheCooldown) {
    makeRow({"One", "Two", "Three"});
    dock.settings.launchCooldownMs = 1000;
    enterKeyboardMode(dock, features.keyboard, false);
    moveSelection(dock, features.keyboard, SelectionKey::end);
    fake.shell.tick = 5000;
    launchItem(dock, features, selectionToLaunch(dock, features.keyboard));
    EXPECT_FALSE(features.keyboard.active) << "Enter's start ends the mode";
    fake.shell.tick = 5500;
    enterKeyboardMode(dock, features.keyboard, false);
    launchItem(dock, features, selectionToLaunch(dock, features.keyboard));
    EXPECT_EQ(fake.shell.launched,
              (std::vector<testing::FakeShell::Launched>{{"C:\\3.exe", "C:\\"}}));
}

TEST_F(KeyboardModeTest, TypeAheadMatchesWholeGbkCharactersWithinOneSecond) {
    // 记事本 (BC C7 ...), 计算器 (BC C6 ...): the same lead byte; then two
    // ASCII titles with the same first letter.
    makeRow({"\xBC\xC7\xCA\xC2\xB1\xBE", "\xBC\xC6\xCB\xE3\xC6\xF7", "Notes", "notepad"});
    enterKeyboardMode(dock, features.keyboard, false);

    type(100, "\xBC");
    EXPECT_EQ(selected(), 1) << "a lead byte alone waits for its second byte";
    type(200, "\xC6");
    EXPECT_EQ(selected(), 2);
    type(5000, "n");
    EXPECT_EQ(selected(), 3) << "letters match either case";
    type(5999, "o");
    EXPECT_EQ(selected(), 3) << "a longer prefix keeps a selection that still matches";
    type(6998, "tep");
    EXPECT_EQ(selected(), 4);
    type(7998, "n");
    EXPECT_EQ(selected(), 3) << "one second later typing starts anew, from the next item";
    type(8000, "\xBC\xC7");
    EXPECT_EQ(selected(), 3) << "n"
                                "\xBC\xC7"
                                " starts no title";
    type(9000, "\xBC\xC7");
    EXPECT_EQ(selected(), 1);
}

TEST_F(KeyboardModeTest, TheSelectionMagnifiesExactlyAsAPointerOnTheCentreOfItsTopLine) {
    makeRow({"One", "Two", "Three"});
    EXPECT_EQ(virtualPointer(dock.state, 2), (PointI{198, 152}));
    EXPECT_EQ(virtualPointer(dock.state, 3), (PointI{234, 152}));

    // The same row hovered by a real pointer at that point, in another dock.
    FakePlatform real;
    for (int i = 1; i <= 3; ++i) real.dock.state.items.Insert(i, dock.state.items[i].item, 0);
    layoutRow(real.dock.state, 1);
    real.window.cursor = {real.window.rect.left + 198, real.window.rect.top + 152};

    fake.window.cursor = {10, 10};
    fake.foreground.handle = 7;  // the window in front
    enterKeyboardMode(dock, features.keyboard, false);
    moveSelection(dock, features.keyboard, SelectionKey::right);
    for (int tick = 0; tick < 12; ++tick) {
        animationTick(dock, features);
        animationTick(real.dock, real.features);
        for (int i = 1; i <= 3; ++i)
            ASSERT_EQ(dock.state.items[i].currentRect, real.dock.state.items[i].currentRect)
                << "tick " << tick << " item " << i;
        EXPECT_EQ(dock.state.frame.hoverIndex, 2);
        EXPECT_EQ(fake.canvas.calls, real.canvas.calls);
    }

    // A pointer moving elsewhere changes nothing; one moving into the row takes over.
    fake.window.cursor = {20, 20};
    animationTick(dock, features);
    EXPECT_TRUE(features.keyboard.active);
    fake.window.cursor = {fake.window.rect.left + 100, fake.window.rect.top + 300};
    animationTick(dock, features);
    EXPECT_FALSE(features.keyboard.active);
    EXPECT_EQ(fake.foreground.log, std::vector<std::string>{"give 7"}) << "and has the keyboard";
    EXPECT_EQ(dock.state.frame.hoverIndex, 0) << "the row fades as when the pointer leaves";
}

}  // namespace
}  // namespace dock
