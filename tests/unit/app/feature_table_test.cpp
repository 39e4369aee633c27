#include "app/feature_table.h"

#include <gtest/gtest.h>

#include "app/extended_commands.h"
#include "fakes/fake_platform.h"

namespace dock {
namespace {

// Each key of 扩展设置 and each of its check entries belongs to one feature of
// the table, and each feature's keys are rows of that section.
TEST(FeatureTable, EverySettingAndCheckEntryBelongsToExactlyOneFeature) {
    for (const ExtendedSetting& row : kExtendedSettings) {
        int owners = 0;
        for (const DockFeature& feature : featureTable())
            for (SettingField field : feature.settings) owners += field == row.field ? 1 : 0;
        EXPECT_EQ(owners, 1) << row.key << " " << row.menuCommand;
        if (row.menuCommand != kNoMenuEntry) {
            EXPECT_EQ(featureOfSetting(*extendedSettingOfCommand(row.menuCommand)),
                      featureOfSetting(row));
        }
    }
    for (const DockFeature& feature : featureTable())
        for (SettingField field : feature.settings) {
            bool stored = false;
            for (const ExtendedSetting& row : kExtendedSettings)
                stored = stored || (row.field == field && storedRow(row));
            EXPECT_TRUE(stored) << feature.name;
        }
}

// A check entry chosen reaches its feature's follow-up through the table.
TEST(FeatureTable, ACheckEntryChosenRunsItsFeaturesFollowUp) {
    const auto fullscreen = [](const FeatureStates& s) { return s.fullscreen.watching; };
    const auto overlap = [](const FeatureStates& s) { return s.autoHide.watching; };
    const auto hotkey = [](const FeatureStates& s) { return s.keyboard.hotkeyHeld; };
    const std::pair<unsigned, bool (*)(const FeatureStates&)> cases[] = {
        {IDM_FULLSCREEN_AVOID, fullscreen},
        {IDM_INTELLIGENT_HIDE, overlap},
        {IDM_KEYBOARD_MODE, hotkey}};
    for (const auto& [command, followed] : cases) {
        testing::FakePlatform fake;
        switchExtendedSetting(fake.dock, fake.features, *extendedSettingOfCommand(command));
        EXPECT_TRUE(followed(fake.features)) << command;
    }
}

// Each message a feature lists is answered by it; others go to the classic handling.
TEST(FeatureTable, EveryListedMessageReachesItsFeature) {
    testing::FakePlatform fake;
    for (const DockFeature& feature : featureTable())
        for (std::uint32_t id : feature.messages)
            EXPECT_TRUE(featureMessage(fake.dock, fake.features, {id, 0, 0}).has_value())
                << feature.name;
    EXPECT_FALSE(featureMessage(fake.dock, fake.features, {0x0201, 0, 0}).has_value());
}

}  // namespace
}  // namespace dock
