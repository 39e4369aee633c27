#include "items/hotkeys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace dock {
namespace {

using ::testing::ElementsAre;

TEST(HotkeyModifiers, TranslatesEveryRowOfTheControlsFlags) {
    struct Row {
        std::uint16_t hotkey;
        std::uint32_t modifiers;
    };
    const Row rows[] = {
        {0x0141, 4},  // Shift
        {0x0241, 2},  // Ctrl
        {0x0441, 1},  // Alt
        {0x0641, 3},  // Ctrl + Alt
        {0x0341, 6},  // Ctrl + Shift
        {0x0541, 5},  // Shift + Alt
        {0x0041, 0},  // no modifier
        {0x0741, 0},  // all three
        {0x0826, 0},  // extended key alone
        {0x0A26, 0},  // extended with Ctrl
        {0x0E25, 0},  // extended with Ctrl + Alt
        {0x0F25, 0},  // extended with all three
        {0x8241, 0},  // a high byte that reads negative
        {0xFF41, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(hotkeyModifiers(row.hotkey), row.modifiers) << std::hex << row.hotkey;
    }
}

struct HotkeysTest : ::testing::Test {
    testing::FakePlatform fake;
    void add(std::uint16_t hotkey) {
        DockItem item;
        item.hotkey = hotkey;
        fake.dock.state.items.Insert(fake.dock.state.items.Count() + 1, item, 0);
    }
};

TEST_F(HotkeysTest, RegistersTheKeyWithTheTranslatedModifiersUnderTheIndex) {
    EXPECT_TRUE(registerItemHotkey(fake.dock, 7, 0x0641));
    EXPECT_TRUE(registerItemHotkey(fake.dock, 8, 0x0F2E));
    EXPECT_THAT(fake.hotkeys.log, ElementsAre("register 7 3 65", "register 8 0 46"));
}

TEST_F(HotkeysTest, ReportsARegistrationTheSystemRefuses) {
    fake.hotkeys.heldElsewhere.insert({3, 0x41});
    EXPECT_FALSE(registerItemHotkey(fake.dock, 1, 0x0641));
}

TEST_F(HotkeysTest, RenewsEveryIdInAscendingOrderAndSkipsItemsWithoutHotkey) {
    add(0x0641);
    add(0);
    add(0x0170);
    fake.hotkeys.registered[2] = {1, 0x42};  // a stale registration under id 2
    reregisterHotkeys(fake.dock);
    EXPECT_THAT(fake.hotkeys.log, ElementsAre("unregister 1", "register 1 3 65", "unregister 2",
                                              "unregister 3", "register 3 4 112"));
    EXPECT_EQ(fake.hotkeys.registered.count(2), 0u);
}

TEST_F(HotkeysTest, IgnoresFailuresAndKeepsTheItemsValue) {
    add(0x0641);
    add(0x0642);
    fake.hotkeys.heldElsewhere.insert({3, 0x41});
    reregisterHotkeys(fake.dock);
    EXPECT_EQ(fake.dock.state.items[1].item.hotkey, 0x0641);
    EXPECT_EQ(fake.hotkeys.registered.count(1), 0u);
    EXPECT_EQ(fake.hotkeys.registered.at(2), (std::pair<std::uint32_t, std::uint32_t>{3, 0x42}));
}

}  // namespace
}  // namespace dock
