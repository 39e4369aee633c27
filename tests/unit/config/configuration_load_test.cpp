#include <gtest/gtest.h>

#include <optional>

#include "config/configuration.h"
#include "fakes/fake_platform.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePlatform;

const std::string kConfig = "C:\\Dock\\config.ini";
const std::string kSettings(texts::kSectionSettings);
const std::string kItems(texts::kSectionItems);

class Loading : public ::testing::Test {
  protected:
    void SetSetting(std::string_view key, const std::string& value) {
        fake.profile.Set(kConfig, kSettings, std::string(key), value);
    }
    void SetItemKey(std::string_view prefix, int n, const std::string& value) {
        fake.profile.Set(kConfig, kItems, std::string(prefix) + std::to_string(n), value);
    }
    FakePlatform fake;
};

TEST_F(Loading, ConfigPathIsTheProgramDirectoryWithConfigIni) {
    EXPECT_EQ(configPath(fake.dock), kConfig);
}

TEST_F(Loading, WithoutAFileEveryValueIsItsDefault) {
    fake.dock.settings = {};
    fake.dock.settings.locked = 1;
    const PointI position = loadConfiguration(fake.dock, {123, -45});
    EXPECT_EQ(position, (PointI{123, -45}));
    const DockSettings& s = fake.dock.settings;
    EXPECT_EQ(s.autoSnap, 0);
    EXPECT_EQ(s.floatDistance, 48);
    EXPECT_EQ(s.floatBothWays, 1);
    EXPECT_EQ(s.launchCooldownMs, 1000);
    EXPECT_EQ(s.trayImagePath, "C:\\Dock\\res\\1.png");
    EXPECT_EQ(s.highQuality, 0);
    EXPECT_EQ(s.reflection, 0);
    EXPECT_EQ(s.locked, 0);
    EXPECT_EQ(s.alwaysOnTop, 1);
    EXPECT_EQ(readItemCount(fake.dock), 0);
}

TEST_F(Loading, ReadsTheElevenSettingsInTheirOrderWithTheirDefaults) {
    loadConfiguration(fake.dock, {7, 8});
    using Key = testing::FakeProfile::Key;
    const std::vector<Key> expected = {
        {kConfig, kSettings, std::string(texts::kKeyLeft)},
        {kConfig, kSettings, std::string(texts::kKeyTop)},
        {kConfig, kSettings, std::string(texts::kKeyLocked)},
        {kConfig, kSettings, std::string(texts::kKeyAlwaysOnTop)},
        {kConfig, kSettings, std::string(texts::kKeyAutoSnap)},
        {kConfig, kSettings, std::string(texts::kKeyFloatDistance)},
        {kConfig, kSettings, std::string(texts::kKeyFloatBothWays)},
        {kConfig, kSettings, std::string(texts::kKeyLaunchCooldown)},
        {kConfig, kSettings, std::string(texts::kKeyTrayImage)},
        {kConfig, kSettings, std::string(texts::kKeyHighQuality)},
        {kConfig, kSettings, std::string(texts::kKeyReflection)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyDragReorder)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyRunningIndicator)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyActivateRunning)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyFullscreenAvoid)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyKeyboardMode)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyKeyboardHotkey)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyHotkeyBadges)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeySharpIcons)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyDpiAware)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyAutoHide)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyHideDelay)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyDropOpen)},
        {kConfig, std::string(texts::kSectionExtended), std::string(texts::kKeyLaunchFeedback)},
    };
    EXPECT_EQ(fake.profile.reads, expected);
    EXPECT_TRUE(fake.profile.writes.empty());
    EXPECT_TRUE(fake.files.log.empty()) << "reading never writes";
}

TEST_F(Loading, TakesTheNumbersFromTheFileAsTheyAre) {
    SetSetting(texts::kKeyLeft, "-20");
    SetSetting(texts::kKeyTop, "\xA3\xB3\xA3\xB0");  // full-width 30
    SetSetting(texts::kKeyAutoSnap, "1");
    SetSetting(texts::kKeyFloatDistance, "-10");
    SetSetting(texts::kKeyFloatBothWays, "0");
    SetSetting(texts::kKeyLaunchCooldown, "2500");
    SetSetting(texts::kKeyHighQuality, "5");
    SetSetting(texts::kKeyReflection, "2x");
    EXPECT_EQ(loadConfiguration(fake.dock, {1, 1}), (PointI{-20, 30}));
    const DockSettings& s = fake.dock.settings;
    EXPECT_EQ(s.autoSnap, 1);
    EXPECT_EQ(s.floatDistance, -10);
    EXPECT_EQ(s.floatBothWays, 0);
    EXPECT_EQ(s.launchCooldownMs, 2500);
    EXPECT_EQ(s.highQuality, 5);
    EXPECT_EQ(s.reflection, 2);
}

TEST_F(Loading, EmptyPositionKeysPutTheWindowAtZero) {
    SetSetting(texts::kKeyLeft, "");
    SetSetting(texts::kKeyTop, "");
    EXPECT_EQ(loadConfiguration(fake.dock, {300, 200}), (PointI{0, 0}));
}

TEST_F(Loading, FloatDistanceWithoutDigitsIsZero) {
    SetSetting(texts::kKeyFloatDistance, "abc");
    loadConfiguration(fake.dock, {});
    EXPECT_EQ(fake.dock.settings.floatDistance, 0);
}

TEST_F(Loading, CoolDownBelowOneSecondBecomesOneSecond) {
    for (const char* text : {"500", "0", "abc", "-3000", "999"}) {
        SetSetting(texts::kKeyLaunchCooldown, text);
        loadConfiguration(fake.dock, {});
        EXPECT_EQ(fake.dock.settings.launchCooldownMs, 1000) << text;
    }
    SetSetting(texts::kKeyLaunchCooldown, "1000");
    loadConfiguration(fake.dock, {});
    EXPECT_EQ(fake.dock.settings.launchCooldownMs, 1000);
    SetSetting(texts::kKeyLaunchCooldown, "1001");
    loadConfiguration(fake.dock, {});
    EXPECT_EQ(fake.dock.settings.launchCooldownMs, 1001);
}

TEST_F(Loading, LockedAndOnTopAreOffOnlyForExactlyZero) {
    const std::pair<const char*, int> cases[] = {{"0", 0},  {"1", 1},  {"", 1},
                                                 {"00", 1}, {"no", 1}, {" 0x", 1}};
    for (const auto& [text, flag] : cases) {
        SetSetting(texts::kKeyLocked, text);
        SetSetting(texts::kKeyAlwaysOnTop, text);
        loadConfiguration(fake.dock, {});
        EXPECT_EQ(fake.dock.settings.locked, flag) << '"' << text << '"';
        EXPECT_EQ(fake.dock.settings.alwaysOnTop, flag) << '"' << text << '"';
    }
}

TEST_F(Loading, AnExistingTrayPathIsKeptAsWrittenEvenWhenRelative) {
    SetSetting(texts::kKeyTrayImage, "res\\1.png");
    fake.files.Put("res\\1.png", "png");
    loadConfiguration(fake.dock, {});
    EXPECT_EQ(fake.dock.settings.trayImagePath, "res\\1.png");

    fake.files.directories.insert("D:\\pictures");  // a directory exists as well
    SetSetting(texts::kKeyTrayImage, "D:\\pictures");
    loadConfiguration(fake.dock, {});
    EXPECT_EQ(fake.dock.settings.trayImagePath, "D:\\pictures");
}

TEST_F(Loading, AMissingOrEmptyTrayPathFallsBackToTheProgramsOwnPicture) {
    SetSetting(texts::kKeyTrayImage, "res\\1.png");
    loadConfiguration(fake.dock, {});
    EXPECT_EQ(fake.dock.settings.trayImagePath, "C:\\Dock\\res\\1.png");
    SetSetting(texts::kKeyTrayImage, "");
    loadConfiguration(fake.dock, {});
    EXPECT_EQ(fake.dock.settings.trayImagePath, "C:\\Dock\\res\\1.png");
}

TEST_F(Loading, ExtendedSettingsTakeTheClassicNumberRuleAndTheirDefaultWhenMissingOrUnreadable) {
    const std::string section(texts::kSectionExtended);
    const std::string key(texts::kKeyDragReorder);
    const std::pair<std::optional<std::string>, int> cases[] = {
        {std::nullopt, 1}, {"0", 0},   {" 0 ", 0}, {"\xA3\xB0", 0},  // full-width 0
        {"7x", 7},         {"-2", -2}, {"", 1},    {"abc", 1},      {"-", 1},
    };
    for (const auto& [text, value] : cases) {
        FakePlatform fresh;
        if (text) fresh.profile.Set(kConfig, section, key, *text);
        loadConfiguration(fresh.dock, {0, 0});
        EXPECT_EQ(fresh.dock.settings.dragReorder, value) << text.value_or("(missing)");
        EXPECT_EQ(fresh.dock.state.saving.extendedSectionRead, text.has_value());
    }
    // A section without keys is still the file's section.
    fake.profile.emptySections.insert({kConfig, section});
    loadConfiguration(fake.dock, {0, 0});
    EXPECT_TRUE(fake.dock.state.saving.extendedSectionRead);
    EXPECT_EQ(fake.dock.settings.dragReorder, 1);
}

TEST_F(Loading, ItemCountIsReadFromTheItemSection) {
    fake.profile.Set(kConfig, kItems, std::string(texts::kKeyItemCount), "3");
    EXPECT_EQ(readItemCount(fake.dock), 3);
    fake.profile.Set(kConfig, kItems, std::string(texts::kKeyItemCount), "");
    EXPECT_EQ(readItemCount(fake.dock), 0);
    fake.profile.Set(kConfig, kItems, std::string(texts::kKeyItemCount), "-2");
    EXPECT_EQ(readItemCount(fake.dock), -2);
}

TEST_F(Loading, AnItemRecordTakesItsFourKeysWithTheNumberInDecimal) {
    SetItemKey(texts::kKeyTitlePrefix, 12, "My tool");
    SetItemKey(texts::kKeyHotkeyPrefix, 12, "1601");
    SetItemKey(texts::kKeyTargetPrefix, 12, "C:\\a.exe");
    SetItemKey(texts::kKeyCustomIconPrefix, 12, "C:\\a.png");
    DockItem record;
    readItemRecord(fake.dock, 12, record);
    EXPECT_EQ(record.title, "My tool");
    EXPECT_EQ(record.hotkey, 0x0641);
    EXPECT_EQ(record.targetPath, "C:\\a.exe");
    EXPECT_EQ(record.customIconPath, "C:\\a.png");
    using Key = testing::FakeProfile::Key;
    const std::vector<Key> expected = {
        {kConfig, kItems, std::string(texts::kKeyTitlePrefix) + "12"},
        {kConfig, kItems, std::string(texts::kKeyHotkeyPrefix) + "12"},
        {kConfig, kItems, std::string(texts::kKeyTargetPrefix) + "12"},
        {kConfig, kItems, std::string(texts::kKeyCustomIconPrefix) + "12"},
    };
    EXPECT_EQ(fake.profile.reads, expected);
}

TEST_F(Loading, AHotkeyKeepsOnlyItsLowSixteenBits) {
    const std::pair<const char*, std::uint16_t> cases[] = {
        {"70000", 4464}, {"-1", 0xFFFF}, {"-31167", 0x8641},
        {"65536", 0},    {"abc", 0},     {"\xA3\xB1\xA3\xB6\xA3\xB0\xA3\xB1", 1601}};
    for (const auto& [text, hotkey] : cases) {
        SetItemKey(texts::kKeyHotkeyPrefix, 1, text);
        DockItem record;
        readItemRecord(fake.dock, 1, record);
        EXPECT_EQ(record.hotkey, hotkey) << text;
    }
}

TEST_F(Loading, KeysMissingWithinTheCountGiveEmptyTextsAndNoHotkey) {
    fake.profile.Set(kConfig, kItems, std::string(texts::kKeyItemCount), "3");
    SetItemKey(texts::kKeyTitlePrefix, 1, "one");
    SetItemKey(texts::kKeyHotkeyPrefix, 1, "65");
    SetItemKey(texts::kKeyTargetPrefix, 1, "C:\\one.exe");
    SetItemKey(texts::kKeyCustomIconPrefix, 1, "");
    ASSERT_EQ(readItemCount(fake.dock), 3);
    DockItem record;
    readItemRecord(fake.dock, 1, record);
    EXPECT_EQ(record.title, "one");
    EXPECT_EQ(record.hotkey, 65);
    for (int n = 2; n <= 3; ++n) {
        readItemRecord(fake.dock, n, record);  // the scratch record is reused
        EXPECT_EQ(record.title, "") << n;
        EXPECT_EQ(record.hotkey, 0) << n;
        EXPECT_EQ(record.targetPath, "") << n;
        EXPECT_EQ(record.customIconPath, "") << n;
    }
}

}  // namespace
}  // namespace dock
