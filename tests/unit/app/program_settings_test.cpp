#include "app/program_settings.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "render/layout.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePlatform;

TEST(ProgramSettingsForm, ShowsTheDefaultsAs48And1000WithBothWaysChecked) {
    FakePlatform fake;
    const ProgramSettingsForm form = programSettingsForm(fake.dock.settings);
    EXPECT_EQ(form, (ProgramSettingsForm{false, false, false, true, "48", "1000"}));
}

TEST(ProgramSettingsForm, ChecksEveryNonzeroSwitchAndShowsNegativeNumbers) {
    DockSettings settings;
    settings.highQuality = 5;
    settings.reflection = 1;
    settings.autoSnap = -1;
    settings.floatBothWays = 0;
    settings.floatDistance = -10;
    settings.launchCooldownMs = 2500;
    EXPECT_EQ(programSettingsForm(settings),
              (ProgramSettingsForm{true, true, true, false, "-10", "2500"}));
}

TEST(StoreProgramSettings, TakesTheSwitchesAsZeroOrOne) {
    DockSettings settings;
    settings.highQuality = 5;
    settings.floatBothWays = 1;
    storeProgramSettings(settings, {false, true, true, false, "48", "1000"});
    EXPECT_EQ(settings.highQuality, 0);
    EXPECT_EQ(settings.reflection, 1);
    EXPECT_EQ(settings.autoSnap, 1);
    EXPECT_EQ(settings.floatBothWays, 0);
}

TEST(StoreProgramSettings, RaisesACooldownBelow1000To1000) {
    const struct {
        const char* text;
        std::int32_t stored;
    } cases[] = {{"500", 1000},
                 {"", 1000},
                 {"abc", 1000},
                 {"999", 1000},
                 {"1000", 1000},
                 {"2500", 2500},
                 {"\xA3\xB2\xA3\xB5\xA3\xB0\xA3\xB0", 2500}};
    for (const auto& c : cases) {
        DockSettings settings;
        storeProgramSettings(settings, {false, false, false, false, "48", c.text});
        EXPECT_EQ(settings.launchCooldownMs, c.stored) << c.text;
    }
}

TEST(StoreProgramSettings, ReadsTheDistanceWithoutAnyRangeCheck) {
    const struct {
        const char* text;
        std::int32_t stored;
    } cases[] = {{"58", 58}, {"", 0}, {"abc", 0}, {"12abc", 12}, {"0", 0}, {"99999", 99999}};
    for (const auto& c : cases) {
        DockSettings settings;
        storeProgramSettings(settings, {false, false, false, false, c.text, "1000"});
        EXPECT_EQ(settings.floatDistance, c.stored) << c.text;
    }
}

struct AppliedSettings {
    std::int32_t rowTop;
    std::vector<double> create;
};

AppliedSettings applyWithDistance(const char* distance, bool highQuality = false) {
    FakePlatform fake;
    storeProgramSettings(fake.dock.settings, {highQuality, false, false, true, distance, "1000"});
    applyProgramSettings(fake.dock);
    const auto creates = fake.canvas.Only("Create");
    EXPECT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates.at(0).text, std::string(texts::kCaptionFont));
    EXPECT_EQ(fake.window.dropAccepts, 1);
    return {fake.dock.state.metrics.rowTop, creates.at(0).args};
}

TEST(ApplyProgramSettings, With58MakesTheWindow20PixelsTallerAndTheRow10PixelsLower) {
    const AppliedSettings before = applyWithDistance("48");
    const AppliedSettings after = applyWithDistance("58");
    EXPECT_EQ(before.rowTop, 152);
    EXPECT_EQ(after.rowTop, 162);
    EXPECT_EQ(before.create, (std::vector<double>{288, 340, 0xFFFFFF, 0, 255, 0}));
    EXPECT_EQ(after.create, (std::vector<double>{288, 360, 0xFFFFFF, 0, 255, 0}));
}

TEST(ApplyProgramSettings, WithAnEmptyDistanceMakesTheWindow96PixelsShorterAndTheRow48Higher) {
    const AppliedSettings after = applyWithDistance("");
    EXPECT_EQ(after.rowTop, 152 - 48);
    EXPECT_EQ(after.create[1], 340 - 96);
}

TEST(ApplyProgramSettings, KeepsAnAbsurdDistanceAsStoredAndLimitsOnlyTheWindow) {
    FakePlatform fake;
    storeProgramSettings(fake.dock.settings, {false, false, false, true, "99999", "1000"});
    applyProgramSettings(fake.dock);
    EXPECT_EQ(fake.dock.settings.floatDistance, 99999);
    EXPECT_EQ(programSettingsForm(fake.dock.settings).floatDistance, "99999");
    EXPECT_EQ(fake.dock.state.metrics.floatDistance, 8070);
    EXPECT_EQ(fake.dock.state.metrics.rowTop, (16384 - 36) / 2);
    EXPECT_EQ(fake.canvas.Only("Create").at(0).args[1], 16384);
}

TEST(ApplyProgramSettings, RecreatesTheSurfaceWithHighQualityAtOnce) {
    EXPECT_EQ(applyWithDistance("48", true).create.back(), 1);
}

TEST(ApplyProgramSettings, OnAnEmptyDockDrawsTheBackgroundEightPixelsAboveTheNewRow) {
    FakePlatform fake;
    fake.files.Put("C:\\bg.png", testing::pngHeader(107, 104));
    fake.dock.state.pictures.backgroundImage = fake.pictures.NewPicture();
    fake.dock.state.pictures.backgroundImage->LoadFromFile("C:\\bg.png");
    storeProgramSettings(fake.dock.settings, {false, false, false, true, "58", "1000"});
    applyProgramSettings(fake.dock);
    const auto slices = fake.canvas.Only("DrawImageSlice");
    ASSERT_EQ(slices.size(), 3u);
    for (const auto& slice : slices) EXPECT_EQ(slice.args[1], 162 - 8);
    EXPECT_EQ(fake.canvas.calls.back().op, "Present");
}

TEST(ApplyProgramSettings, RedrawsTheRowWithTheNewOptionsAndPresentsIt) {
    FakePlatform fake;
    fake.dock.state.pictures.imagePool.push_back(fake.pictures.NewPicture());
    fake.files.Put("C:\\a.png", testing::pngHeader(48, 48));
    fake.dock.state.pictures.imagePool.back()->LoadFromFile("C:\\a.png");
    fake.dock.state.items.Insert(1, DockItem{"A", 0, "C:\\a.exe", ""}, 1);
    layoutRow(fake.dock.state, 1);
    storeProgramSettings(fake.dock.settings, {false, true, false, true, "58", "1000"});
    applyProgramSettings(fake.dock);
    ASSERT_FALSE(fake.canvas.calls.empty());
    EXPECT_EQ(fake.canvas.calls.front().op, "Create");
    EXPECT_EQ(fake.canvas.calls.front().args[1], 360);
    EXPECT_EQ(fake.canvas.calls.back().op, "Present");
    // The reflection draws the icon a second time, upside down.
    const auto icon = fake.canvas.Only("DrawImagePart");
    bool mirrored = false;
    for (const auto& call : icon)
        if (call.picture == "file:C:\\a.png" && call.args[3] < 0) mirrored = true;
    EXPECT_TRUE(mirrored);
}

}  // namespace
}  // namespace dock
