#include "items/hotkeys_win32.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "items/add_item.h"
#include "items/hotkeys.h"

namespace dock {
namespace {

// A window of this thread to own the registrations.
struct HotkeysWin32 : ::testing::Test {
    HWND window = ::CreateWindowExA(0, "STATIC", "hotkeys", 0, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
    Win32Hotkeys hotkeys{window};
    ~HotkeysWin32() override { ::DestroyWindow(window); }

    // True when the system already holds this combination for someone.
    bool held(UINT modifiers, UINT key) {
        if (!::RegisterHotKey(window, 0xBEEF, modifiers, key)) return true;
        ::UnregisterHotKey(window, 0xBEEF);
        return false;
    }
};

TEST_F(HotkeysWin32, RegistersEachTranslatedCombinationWithTheSystem) {
    ASSERT_NE(window, nullptr) << ::GetLastError();
    struct Row {
        std::uint16_t hotkey;
        UINT modifiers;
    };
    const Row rows[] = {
        {0x0178, MOD_SHIFT},
        {0x0278, MOD_CONTROL},
        {0x0478, MOD_ALT},
        {0x0678, MOD_CONTROL | MOD_ALT},
        {0x0378, MOD_CONTROL | MOD_SHIFT},
        {0x0578, MOD_SHIFT | MOD_ALT},
        {0x0778, 0},
        {0x0E78, 0},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(hotkeys.RegisterHotkey(1, hotkeyModifiers(row.hotkey), row.hotkey & 0xFF))
            << std::hex << row.hotkey;
        EXPECT_TRUE(held(row.modifiers, VK_F9)) << std::hex << row.hotkey;
        EXPECT_FALSE(held(row.modifiers ^ MOD_WIN, VK_F9)) << std::hex << row.hotkey;
        // A second registration of the same combination fails.
        EXPECT_FALSE(hotkeys.RegisterHotkey(2, hotkeyModifiers(row.hotkey), VK_F9));
        hotkeys.UnregisterHotkey(1);
        EXPECT_FALSE(held(row.modifiers, VK_F9)) << std::hex << row.hotkey;
    }
}

TEST_F(HotkeysWin32, EveryHotkeyFollowsItsItemWhenOneIsInsertedInFront) {
    testing::FakePlatform fake;
    Dock dock{Platform{fake.files, fake.profile, fake.messages, fake.pictures, fake.canvas, hotkeys,
                       fake.icons, fake.window, fake.shell, fake.foreground},
              "C:\\Dock",
              fake.dock.leadBytes,
              fake.dock.settings,
              {}};
    DockItem a{"a", 0x0641, "a.txt", ""}, b{"b", 0, "b.txt", ""}, c{"c", 0x0178, "c.txt", ""};
    addItem(dock, a, 0, true);
    addItem(dock, b, 0, true);
    addItem(dock, c, 0, true);
    EXPECT_TRUE(held(MOD_CONTROL | MOD_ALT, 'A'));
    DockItem first{"new", 0x0442, "n.txt", ""};
    addItem(dock, first, 1, true);

    // Ids now: 1 Alt+B, 2 Ctrl+Alt+A, 3 nothing, 4 Shift+F9.
    EXPECT_TRUE(::UnregisterHotKey(window, 1));
    EXPECT_FALSE(held(MOD_ALT, 'B'));
    EXPECT_TRUE(::UnregisterHotKey(window, 2));
    EXPECT_FALSE(held(MOD_CONTROL | MOD_ALT, 'A'));
    EXPECT_FALSE(::UnregisterHotKey(window, 3));
    EXPECT_TRUE(held(MOD_SHIFT, VK_F9));
    EXPECT_TRUE(::UnregisterHotKey(window, 4));
    EXPECT_FALSE(held(MOD_SHIFT, VK_F9));
}

}  // namespace
}  // namespace dock
