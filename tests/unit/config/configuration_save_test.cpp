#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "config/configuration.h"
#include "features/arranging/delete_item.h"
#include "app/program_settings.h"
#include "app/startup.h"
#include "fakes/fake_platform.h"
#include "items/add_item.h"
#include "items/item_settings.h"
#include "app/tick.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePlatform;
using Write = std::pair<testing::FakeProfile::Key, std::string>;

const std::string kConfig = "C:\\Dock\\config.ini";
const std::string kBackup = "C:\\Dock\\config.ini.bak";
const std::string kTemp = "C:\\Dock\\config.ini.tmp";
const std::string kBackupCopy = "C:\\Dock\\config.ini.bak.tmp";
const std::string kSettings(texts::kSectionSettings);
const std::string kItems(texts::kSectionItems);

class Saving : public ::testing::Test {
  protected:
    Saving() {
        DockSettings& s = fake.dock.settings;
        s.autoSnap = 1;
        s.floatDistance = -10;
        s.floatBothWays = 0;
        s.launchCooldownMs = 2500;
        s.trayImagePath = "C:\\Dock\\res\\1.png";
        s.highQuality = 5;
        s.reflection = 1;
        s.locked = 1;
        s.alwaysOnTop = 0;
        fake.dock.state.place.chosen = {-300, 40};
        DockItem first{"My tool", 0x0641, "C:\\a.exe", ""};
        DockItem second{"\xB1\xED \"x\"", 0x8641, "", "D:\\i.png"};
        fake.dock.state.items.Insert(1, first, 1);
        fake.dock.state.items.Insert(2, second, 2);
    }

    static Write setting(std::string_view key, const std::string& value,
                         const std::string& file = kTemp) {
        return {{file, kSettings, std::string(key)}, value};
    }
    static Write item(std::string_view key, const std::string& value,
                      const std::string& file = kTemp) {
        return {{file, kItems, std::string(key)}, value};
    }
    static std::vector<Write> expectedWrites(const std::string& file) {
        return {
            setting(texts::kKeyAutoSnap, "1", file),
            setting(texts::kKeyFloatDistance, "-10", file),
            setting(texts::kKeyFloatBothWays, "0", file),
            setting(texts::kKeyLaunchCooldown, "2500", file),
            setting(texts::kKeyTrayImage, "C:\\Dock\\res\\1.png", file),
            setting(texts::kKeyHighQuality, "5", file),
            setting(texts::kKeyReflection, "1", file),
            setting(texts::kKeyLeft, "-300", file),
            setting(texts::kKeyTop, "40", file),
            setting(texts::kKeyLocked, "1", file),
            setting(texts::kKeyAlwaysOnTop, "0", file),
            item(texts::kKeyItemCount, "2", file),
            item(std::string(texts::kKeyTitlePrefix) + "1", "\"My tool\"", file),
            item(std::string(texts::kKeyHotkeyPrefix) + "1", "\"1601\"", file),
            item(std::string(texts::kKeyTargetPrefix) + "1", "\"C:\\a.exe\"", file),
            item(std::string(texts::kKeyCustomIconPrefix) + "1", "\"\"", file),
            item(std::string(texts::kKeyTitlePrefix) + "2", "\"\xB1\xED \"x\"\"", file),
            item(std::string(texts::kKeyHotkeyPrefix) + "2", "\"-31167\"", file),
            item(std::string(texts::kKeyTargetPrefix) + "2", "\"\"", file),
            item(std::string(texts::kKeyCustomIconPrefix) + "2", "\"D:\\i.png\"", file),
        };
    }
    std::string TemplateText() const { return std::string(configTemplate()); }

    FakePlatform fake;
};

TEST_F(Saving, WritesTheTemplateAndEveryValueIntoATempFileThenReplacesConfigIni) {
    saveConfiguration(fake.dock);
    const std::vector<std::string> expectedLog = {
        "sleep 100",
        "write " + kTemp,
        "flush " + kTemp,
        "replace " + kTemp + " -> " + kConfig,
    };
    EXPECT_EQ(fake.files.log, expectedLog);
    EXPECT_EQ(fake.profile.writes, expectedWrites(kTemp));
    EXPECT_EQ(fake.files.Text(kConfig), TemplateText());
    EXPECT_EQ(fake.files.files.count(kTemp), 0u);
    EXPECT_EQ(fake.files.files.count(kBackup), 0u) << "a first save makes no backup";
}

TEST_F(Saving, TheSecondSaveKeepsThePreviousConfigIniAsTheBackup) {
    fake.files.Put(kConfig, "old");
    saveConfiguration(fake.dock);
    const std::vector<std::string> expectedLog = {
        "sleep 100",
        "write " + kTemp,
        "flush " + kTemp,
        "delete " + kBackupCopy,
        "copy " + kConfig + " -> " + kBackupCopy,
        "rename " + kBackupCopy + " -> " + kBackup,
        "replace " + kTemp + " -> " + kConfig,
    };
    EXPECT_EQ(fake.files.log, expectedLog);
    EXPECT_EQ(fake.files.Text(kBackup), "old");
    EXPECT_EQ(fake.files.Text(kConfig), TemplateText());
    EXPECT_EQ(fake.files.files.count(kBackupCopy), 0u);
}

TEST_F(Saving, AnExistingBackupIsNeverTouched) {
    fake.files.Put(kConfig, "second");
    fake.files.Put(kBackup, "first");
    saveConfiguration(fake.dock);
    const std::vector<std::string> expectedLog = {
        "sleep 100",
        "write " + kTemp,
        "flush " + kTemp,
        "replace " + kTemp + " -> " + kConfig,
    };
    EXPECT_EQ(fake.files.log, expectedLog);
    EXPECT_EQ(fake.files.Text(kBackup), "first");
}

TEST_F(Saving, AStaleTempFileFromASaveCutShortIsOverwritten) {
    fake.files.Put(kConfig, "old");
    fake.files.Put(kBackup, "older");
    fake.files.Put(kTemp, "half a file");
    fake.files.Put(kBackupCopy, "half a backup");
    saveConfiguration(fake.dock);
    EXPECT_EQ(fake.files.Text(kConfig), TemplateText());
    EXPECT_EQ(fake.files.Text(kBackup), "older");
}

TEST_F(Saving, AStaleHalfCopiedBackupNeverBecomesTheBackup) {
    fake.files.Put(kConfig, "old");
    fake.files.Put(kBackupCopy, "half a backup");
    saveConfiguration(fake.dock);
    EXPECT_EQ(fake.files.Text(kBackup), "old");
    EXPECT_EQ(fake.files.files.count(kBackupCopy), 0u);
}

TEST_F(Saving, TheTempFileGoesToTheDiskFilledBeforeItReplacesConfigIni) {
    struct FlushWatch : testing::FakeFileSystem {
        testing::FakeProfile* profile = nullptr;
        std::size_t writesAtFlush = 0;
        bool FlushToDisk(const std::string& path) override {
            writesAtFlush = profile->writes.size();
            return FakeFileSystem::FlushToDisk(path);
        }
    };
    FlushWatch files;
    files.profile = &fake.profile;
    Dock dock{Platform{files, fake.profile, fake.messages, fake.pictures, fake.canvas, fake.hotkeys,
                       fake.icons, fake.window, fake.shell, fake.foreground},
              "C:\\Dock",
              fake.dock.leadBytes,
              fake.dock.settings,
              {}};
    dock.state.items.Insert(1, DockItem{"x", 0, "C:\\x.exe", ""}, 1);
    saveConfiguration(dock);
    EXPECT_EQ(files.writesAtFlush, 16u) << "every value is in the file when it is flushed";
    EXPECT_EQ(files.log[files.log.size() - 2], "flush " + kTemp);
    EXPECT_EQ(files.log.back(), "replace " + kTemp + " -> " + kConfig);
}

TEST_F(Saving, TriesTenTimesWithAWaitBeforeEachThenRewritesConfigIniInPlace) {
    fake.files.Put(kConfig, "old");
    fake.files.lockedPaths.insert(kTemp);
    saveConfiguration(fake.dock);
    std::vector<std::string> expectedLog;
    for (int attempt = 1; attempt <= 10; ++attempt) {
        expectedLog.push_back("sleep 100");
        expectedLog.push_back("write " + kTemp);
    }
    const std::vector<std::string> inPlace = {
        "delete " + kTemp,
        "delete " + kBackupCopy,
        "copy " + kConfig + " -> " + kBackupCopy,
        "rename " + kBackupCopy + " -> " + kBackup,
        "write " + kConfig,
        "flush " + kConfig,
    };
    expectedLog.insert(expectedLog.end(), inPlace.begin(), inPlace.end());
    EXPECT_EQ(fake.files.log, expectedLog);
    EXPECT_EQ(fake.files.Text(kConfig), TemplateText()) << "the same bytes as a replacement";
    EXPECT_EQ(fake.profile.writes, expectedWrites(kConfig));
    EXPECT_EQ(fake.files.Text(kBackup), "old");
}

TEST_F(Saving, AConfigIniThatCannotBeReplacedIsRewrittenInPlaceAndKeepsTheBackup) {
    fake.files.Put(kConfig, "old");
    fake.files.heldPaths.insert(kConfig);
    saveConfiguration(fake.dock);
    const std::vector<std::string> tail(fake.files.log.end() - 4, fake.files.log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"replace " + kTemp + " -> " + kConfig, "delete " + kTemp,
                                        "write " + kConfig, "flush " + kConfig}));
    EXPECT_EQ(fake.files.Text(kConfig), TemplateText());
    EXPECT_EQ(fake.files.Text(kBackup), "old");
    EXPECT_EQ(fake.files.files.count(kTemp), 0u);
    std::vector<Write> expected = expectedWrites(kTemp);
    const std::vector<Write> inPlace = expectedWrites(kConfig);
    expected.insert(expected.end(), inPlace.begin(), inPlace.end());
    EXPECT_EQ(fake.profile.writes, expected);
}

TEST_F(Saving, SucceedsOnTheFirstAttemptThatCanWriteTheTempFile) {
    int writesSeen = 0;
    // Unlock after the third failed write: the fourth attempt succeeds.
    struct UnlockingFiles : testing::FakeFileSystem {
        int* seen = nullptr;
        std::string path;
        bool WriteWholeFile(const std::string& p, std::span<const std::uint8_t> b) override {
            if (p == path && ++*seen == 4) lockedPaths.erase(path);
            return FakeFileSystem::WriteWholeFile(p, b);
        }
    };
    UnlockingFiles files;
    files.seen = &writesSeen;
    files.path = kTemp;
    files.lockedPaths.insert(kTemp);
    Dock dock{Platform{files, fake.profile, fake.messages, fake.pictures, fake.canvas, fake.hotkeys,
                       fake.icons, fake.window, fake.shell, fake.foreground},
              "C:\\Dock",
              fake.dock.leadBytes,
              fake.dock.settings,
              {}};
    saveConfiguration(dock);
    EXPECT_EQ(std::count(files.log.begin(), files.log.end(), "sleep 100"), 4);
    EXPECT_EQ(files.log.back(), "replace " + kTemp + " -> " + kConfig);
    EXPECT_EQ(files.Text(kConfig), TemplateText());
}

TEST_F(Saving, WhenConfigIniCannotBeWrittenAtAllTheValuesGoInPlaceAndNoBackupIsLeft) {
    fake.files.Put(kConfig, "old");
    fake.files.lockedPaths.insert(kConfig);
    saveConfiguration(fake.dock);
    int sleeps = 0, replaces = 0, tempWrites = 0;
    for (const std::string& entry : fake.files.log) {
        sleeps += entry == "sleep 100";
        replaces += entry == "replace " + kTemp + " -> " + kConfig;
        tempWrites += entry == "write " + kTemp;
    }
    EXPECT_EQ(sleeps, 10);
    EXPECT_EQ(replaces, 10);
    EXPECT_EQ(tempWrites, 1) << "the filled temp file is kept across attempts";
    const std::vector<std::string> tail(fake.files.log.end() - 3, fake.files.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"delete " + kTemp, "write " + kConfig,
                                              "delete " + kBackup}));
    EXPECT_EQ(fake.files.files.count(kTemp), 0u);
    EXPECT_EQ(fake.files.files.count(kBackup), 0u);
    EXPECT_EQ(fake.files.Text(kConfig), "old");
    std::vector<Write> expected = expectedWrites(kTemp);
    const std::vector<Write> inPlace = expectedWrites(kConfig);
    expected.insert(expected.end(), inPlace.begin(), inPlace.end());
    EXPECT_EQ(fake.profile.writes, expected);
}

TEST_F(Saving, WithNoItemsOnlyTheCountIsWritten) {
    fake.dock.state.items = {};
    saveConfiguration(fake.dock);
    ASSERT_EQ(fake.profile.writes.size(), 12u);
    EXPECT_EQ(fake.profile.writes.back(), item(texts::kKeyItemCount, "0"));
}

// The window may show elsewhere while the chosen place is off every screen.
TEST_F(Saving, ThePlaceWrittenIsTheChosenOneNotTheWindows) {
    fake.window.rect = {5, 6, 7, 8};
    saveConfiguration(fake.dock);
    EXPECT_EQ(fake.profile.writes[7], setting(texts::kKeyLeft, "-300"));
    EXPECT_EQ(fake.profile.writes[8], setting(texts::kKeyTop, "40"));
}

TEST_F(Saving, AClassicConfigIniGetsNoExtendedSectionAndTheSameBytesAsBefore) {
    // Read from a file without the section: every value at its default.
    testing::FakePlatform loaded;
    loaded.profile.Set(kConfig, kSettings, std::string(texts::kKeyLocked), "1");
    loaded.profile.Set(kConfig, kItems, std::string(texts::kKeyItemCount), "2");
    loadConfiguration(loaded.dock, {0, 0});
    fake.dock.settings.dragReorder = loaded.dock.settings.dragReorder;
    fake.dock.state.saving.extendedSectionRead = loaded.dock.state.saving.extendedSectionRead;
    saveConfiguration(fake.dock);
    EXPECT_EQ(fake.profile.writes, expectedWrites(kTemp));
    EXPECT_EQ(fake.files.Text(kConfig), TemplateText());
}

TEST_F(Saving, TheExtendedSectionFollowsTheItemsWhenAValueDiffersOrTheFileHadIt) {
    const std::string section(texts::kSectionExtended);
    const Write dragOff{{kTemp, section, std::string(texts::kKeyDragReorder)}, "0"};
    const Write dragOn{{kTemp, section, std::string(texts::kKeyDragReorder)}, "1"};
    std::vector<Write> expected = expectedWrites(kTemp);

    // Every setting of the section is written, each at its value.
    const std::vector<Write> defaults = {
        {{kTemp, section, std::string(texts::kKeyRunningIndicator)}, "0"},
        {{kTemp, section, std::string(texts::kKeyActivateRunning)}, "0"},
        {{kTemp, section, std::string(texts::kKeyFullscreenAvoid)}, "0"},
        {{kTemp, section, std::string(texts::kKeyKeyboardMode)}, "0"},
        {{kTemp, section, std::string(texts::kKeyKeyboardHotkey)}, "1568"},
        {{kTemp, section, std::string(texts::kKeyHotkeyBadges)}, "0"},
        {{kTemp, section, std::string(texts::kKeySharpIcons)}, "0"},
        {{kTemp, section, std::string(texts::kKeyDpiAware)}, "0"},
        {{kTemp, section, std::string(texts::kKeyAutoHide)}, "0"},
        {{kTemp, section, std::string(texts::kKeyHideDelay)}, "500"},
        {{kTemp, section, std::string(texts::kKeyDropOpen)}, "0"},
        {{kTemp, section, std::string(texts::kKeyLaunchFeedback)}, "0"},
    };

    fake.dock.settings.dragReorder = 0;
    saveConfiguration(fake.dock);
    expected.push_back(dragOff);
    expected.insert(expected.end(), defaults.begin(), defaults.end());
    EXPECT_EQ(fake.profile.writes, expected);

    fake.profile.writes.clear();
    fake.dock.settings.dragReorder = 1;
    fake.dock.state.saving.extendedSectionRead = true;
    saveConfiguration(fake.dock);
    expected[expected.size() - defaults.size() - 1] = dragOn;
    EXPECT_EQ(fake.profile.writes, expected);
}

// Changes reach config.ini through the animation tick, without waiting for
// the dock to close: saves are counted by the temp files written.
class SavingWhenDue : public ::testing::Test {
  protected:
    int Saves() const {
        return static_cast<int>(
            std::count(fake.files.log.begin(), fake.files.log.end(), "write " + kTemp));
    }
    void tickAt(std::uint32_t tick) {
        fake.shell.tick = tick;
        animationTick(fake.dock, fake.features);
    }
    FakePlatform fake;
};

TEST_F(SavingWhenDue, ABurstOfChangesIsSavedOnceHalfASecondAfterItsFirstChange) {
    const std::uint32_t first = 0xFFFFFF00;  // the tick count wraps within the burst
    fake.shell.tick = first;
    markSaveDue(fake.dock);
    tickAt(first + 300);
    markSaveDue(fake.dock);
    tickAt(first + 499);
    EXPECT_EQ(Saves(), 0);
    tickAt(first + 500);
    ASSERT_EQ(Saves(), 1);
    EXPECT_EQ(fake.files.log.back(), "replace " + kTemp + " -> " + kConfig);
    tickAt(first + 5000);
    EXPECT_EQ(Saves(), 1);
    // The animation runs on this thread: the tick's save never waits.
    EXPECT_EQ(std::count(fake.files.log.begin(), fake.files.log.end(), "sleep 100"), 0);
}

// A config.ini that cannot be replaced costs one quick attempt, tried again
// later, each time after twice the wait before, and at last saved.
TEST_F(SavingWhenDue, AFailedSaveIsTriedAgainLaterWithoutWaitingAndLeavesNothingBehind) {
    fake.files.Put(kConfig, "old");
    fake.files.heldPaths.insert(kConfig);
    fake.shell.tick = 0;
    markSaveDue(fake.dock);
    std::vector<std::uint32_t> attempts;  // on a rest tick every 100 ms
    for (std::uint32_t tick = 0; tick <= 128000; tick += 100) {
        const int before = Saves();
        tickAt(tick);
        if (Saves() != before) attempts.push_back(tick);
    }
    EXPECT_EQ(attempts, (std::vector<std::uint32_t>{500, 1500, 3500, 7500, 15500, 31500, 63500,
                                                    95500, 127500}));
    EXPECT_EQ(std::count(fake.files.log.begin(), fake.files.log.end(), "sleep 100"), 0);
    EXPECT_EQ(fake.files.Text(kConfig), "old");
    EXPECT_EQ(fake.files.files.count(kTemp), 0u);
    EXPECT_EQ(fake.files.files.count(kBackup), 0u) << "no backup of a config.ini kept as it was";
    fake.files.heldPaths.clear();
    tickAt(159500);
    EXPECT_EQ(fake.files.Text(kConfig), std::string(configTemplate()));
    EXPECT_EQ(fake.files.Text(kBackup), "old");
    tickAt(400000);
    EXPECT_EQ(Saves(), 10);
}

TEST_F(SavingWhenDue, EveryKindOfChangeIsSavedOnce) {
    std::vector<std::string> paths;
    for (int i = 0; i < 200; ++i) paths.push_back("C:\\f" + std::to_string(i) + ".txt");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a drop of 200 files", [&] { addDroppedFiles(fake.dock, paths); }},
        {"a delete",
         [&] {
             fake.messages.answers.push_back(kAnswerYes);
             deleteItem(fake.dock, 3);
         }},
        {"the item settings saved",
         [&] {
             saveItemSettings(fake.dock, 1, ItemSettingsForm{"Renamed", "", 0x0641});
         }},
        {"the program settings saved", [&] { applyProgramSettings(fake.dock); }},
    };
    std::uint32_t now = 10000;
    int saves = 0;
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        fake.shell.tick = now;
        change();
        tickAt(now + 499);
        EXPECT_EQ(Saves(), saves);
        tickAt(now + 500);
        EXPECT_EQ(Saves(), ++saves);
        tickAt(now + 2000);
        EXPECT_EQ(Saves(), saves);
        now += 10000;
    }
    EXPECT_EQ(fake.dock.state.items.Count(), 199);
}

TEST_F(SavingWhenDue, NothingIsSavedWhileTheDockIsBusy) {
    fake.shell.tick = 10000;
    markSaveDue(fake.dock);
    fake.dock.state.commands.busy = true;
    tickAt(20000);
    EXPECT_EQ(Saves(), 0);
    fake.dock.state.commands.busy = false;
    tickAt(20010);
    EXPECT_EQ(Saves(), 1);
}

TEST_F(SavingWhenDue, NothingIsSavedWhenNothingChanged) {
    addDroppedFiles(fake.dock, {"C:\\a.txt"});
    stopDock(fake.dock, fake.features);  // the close saves, so nothing is left to do
    EXPECT_EQ(Saves(), 1);
    fake.messages.answers.push_back(7);  // No
    deleteItem(fake.dock, 1);
    saveItemSettings(fake.dock, 2, ItemSettingsForm{});  // no such item
    for (std::uint32_t tick = 8000; tick <= 20000; tick += 100) tickAt(tick);
    EXPECT_EQ(Saves(), 1);
}

}  // namespace
}  // namespace dock
