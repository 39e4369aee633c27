#include "app/launch.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace dock {
namespace {

using testing::FakePlatform;
using testing::FakeShell;

class Launching : public ::testing::Test {
  protected:
    void SetUp() override {
        add("C:/Tools/app.exe", 0x0641);  // Ctrl+Alt+A
        add("D:\\Games\\game.exe", 0x0342);
        add("notes.txt", 0);
    }
    void add(const std::string& target, std::uint16_t hotkey) {
        DockItem item;
        item.targetPath = target;
        item.hotkey = hotkey;
        platform.dock.state.items.Insert(platform.dock.state.items.Count() + 1, item, 0);
    }
    void at(std::uint32_t tick, int index) {
        platform.shell.tick = tick;
        launchItem(platform.dock, platform.features, index);
    }
    std::size_t launches() const { return platform.shell.launched.size(); }

    FakePlatform platform;
};

// The two code pages the program is tested at: 936 and the single-byte 1252.
const LeadBytes kGbk = testing::gbkLeadBytes();
const LeadBytes kCp1252;

TEST(WorkingDirectory, KeepsTheTrailingBackslashAndTurnsSlashesAround) {
    EXPECT_EQ(workingDirectory("C:/Tools/app.exe", kGbk), "C:\\Tools\\");
    EXPECT_EQ(workingDirectory("C:\\Tools/sub\\app.exe", kGbk), "C:\\Tools\\sub\\");
    EXPECT_EQ(workingDirectory("\\\\server\\share\\x.exe", kGbk), "\\\\server\\share\\");
}

TEST(WorkingDirectory, IsEmptyWithoutASeparator) {
    EXPECT_EQ(workingDirectory("app.exe", kGbk), "");
    EXPECT_EQ(workingDirectory("", kCp1252), "");
}

TEST(WorkingDirectory, NeverCutsADoubleByteCharacterWhoseTrailByteIsABackslash) {
    // 誠 is D5 5C in GBK: the 0x5C inside it is no separator.
    EXPECT_EQ(workingDirectory("C:\\a\\\xD5\x5C.exe", kGbk), "C:\\a\\");
    EXPECT_EQ(workingDirectory("\xD5\x5C"
                               "app.exe",
                               kGbk),
              "");
    EXPECT_EQ(workingDirectory("C:\\\xD5\x5C\\app.exe", kGbk), "C:\\\xD5\x5C\\");
}

TEST(WorkingDirectory, CutsAtTheLastBackslashOnASingleByteCodePage) {
    // C:\Café\App.exe in code page 1252; in GBK, E9 5C would be one character.
    EXPECT_EQ(workingDirectory("C:\\Caf\xE9\\App.exe", kCp1252), "C:\\Caf\xE9\\");
    EXPECT_EQ(workingDirectory("C:\\Caf\xE9\\App.exe", kGbk), "C:\\");
}

TEST_F(Launching, PassesTheStoredPathAsIsWithItsDirectory) {
    at(5000, 1);
    at(5000, 3);
    ASSERT_EQ(launches(), 2u);
    EXPECT_EQ(platform.shell.launched[0], (FakeShell::Launched{"C:/Tools/app.exe", "C:\\Tools\\"}));
    EXPECT_EQ(platform.shell.launched[1], (FakeShell::Launched{"notes.txt", ""}));
    EXPECT_EQ(platform.dock.state.commands.lastLaunchIndex, 3);
    EXPECT_EQ(platform.dock.state.commands.lastLaunchTick, 5000u);
}

TEST_F(Launching, IgnoresIndicesOutsideTheList) {
    at(5000, 0);
    at(5000, 4);
    at(5000, -1);
    EXPECT_EQ(launches(), 0u);
    EXPECT_EQ(platform.dock.state.commands.lastLaunchIndex, 0);
}

TEST_F(Launching, TheFirstLaunchIsNeverHeldBack) {
    at(0, 1);
    EXPECT_EQ(launches(), 1u);
}

TEST_F(Launching, HoldsTheSameItemBackFor999MsAndLaunchesItAt1000) {
    at(20000, 2);
    at(20999, 2);
    EXPECT_EQ(launches(), 1u);
    EXPECT_EQ(platform.dock.state.commands.lastLaunchTick,
              20000u);  // a held-back launch changes nothing
    at(21000, 2);
    EXPECT_EQ(launches(), 2u);
    EXPECT_EQ(platform.dock.state.commands.lastLaunchTick, 21000u);
}

TEST_F(Launching, NeverHoldsBackAnotherItem) {
    at(20000, 1);
    at(20001, 2);
    at(20002, 1);
    EXPECT_EQ(launches(), 3u);
    at(20500, 1);  // item 1 is now the one watched
    EXPECT_EQ(launches(), 3u);
}

TEST_F(Launching, FollowsTheConfiguredCooldown) {
    platform.dock.settings.launchCooldownMs = 2500;
    at(1000, 1);
    at(3499, 1);
    at(3500, 1);
    EXPECT_EQ(launches(), 2u);
}

TEST_F(Launching, KeepsWorkingAcrossTheWrapOfTheTickCounter) {
    at(0xFFFFFF00u, 1);  // 256 ms before the wrap
    at(0x00000100u, 1);  // 512 ms later
    EXPECT_EQ(launches(), 1u);
    at(0x000002E8u, 1);  // 1000 ms after the first launch
    EXPECT_EQ(launches(), 2u);
}

TEST_F(Launching, KeepsWorkingWhenTheCounterPassesTheSignBit) {
    at(0x7FFFFF00u, 1);
    at(0x800002E7u, 1);  // 999 ms later
    EXPECT_EQ(launches(), 1u);
    at(0x800002E8u, 1);
    EXPECT_EQ(launches(), 2u);
}

TEST_F(Launching, CooldownBelongsToTheIndexNotToTheItem) {
    at(1000, 2);
    platform.dock.state.items.Remove(1);  // the former item 3 now sits at 2
    at(1500, 2);
    EXPECT_EQ(launches(), 1u);
}

TEST_F(Launching, AHotkeyLaunchesItsItemWhenTheKeyMatches) {
    platform.shell.tick = 100;
    dispatchHotkey(platform.dock, platform.features, 1, 0x00410003);  // Ctrl+Alt+A
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(platform.shell.launched[0].file, "C:/Tools/app.exe");
}

TEST_F(Launching, AHotkeyIgnoresTheModifiersButNotTheKey) {
    platform.shell.tick = 100;
    // B without modifiers still matches item 2.
    dispatchHotkey(platform.dock, platform.features, 2, 0x00420000);
    dispatchHotkey(platform.dock, platform.features, 1, 0x00420003);  // B is not item 1's key
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(platform.shell.launched[0].file, "D:\\Games\\game.exe");
}

TEST_F(Launching, AHotkeyIdOutsideTheListDoesNothing) {
    dispatchHotkey(platform.dock, platform.features, 0, 0x00410003);
    dispatchHotkey(platform.dock, platform.features, 4, 0x00410003);
    dispatchHotkey(platform.dock, platform.features, ~std::uintptr_t{0}, 0x00410003);
    EXPECT_EQ(launches(), 0u);
}

TEST_F(Launching, AHotkeyIsHeldBackByTheSameCooldownAsADoubleClick) {
    at(1000, 1);
    platform.shell.tick = 1999;
    dispatchHotkey(platform.dock, platform.features, 1, 0x00410003);
    EXPECT_EQ(launches(), 1u);
    platform.shell.tick = 2000;
    dispatchHotkey(platform.dock, platform.features, 1, 0x00410003);
    EXPECT_EQ(launches(), 2u);
}

}  // namespace
}  // namespace dock
