#include <gtest/gtest.h>

#include "config/configuration.h"
#include "fakes/fake_platform.h"
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
        fake.window.rect = {-300, 40, 100, 380};
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
    std::string TemplateText() const { return std::string(ConfigTemplate); }

    FakePlatform fake;
};

TEST_F(Saving, WritesTheTemplateAndEveryValueIntoATempFileThenReplacesConfigIni) {
    saveConfiguration(fake.dock);
    const std::vector<std::string> expectedLog = {
        "sleep 100",
        "write " + kTemp,
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

TEST_F(Saving, TriesTenTimesWithAWaitBeforeEachThenWritesTheValuesInPlace) {
    fake.files.Put(kConfig, "old");
    fake.files.lockedPaths.insert(kTemp);
    saveConfiguration(fake.dock);
    std::vector<std::string> expectedLog;
    for (int attempt = 1; attempt <= 10; ++attempt) {
        expectedLog.push_back("sleep 100");
        expectedLog.push_back("write " + kTemp);
    }
    expectedLog.push_back("delete " + kTemp);
    EXPECT_EQ(fake.files.log, expectedLog);
    EXPECT_EQ(fake.profile.writes, expectedWrites(kConfig));
    EXPECT_EQ(fake.files.Text(kConfig), "old") << "the values go into it through the profile";
    EXPECT_EQ(fake.files.files.count(kBackup), 0u);
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
                       fake.icons, fake.window, fake.shell},
              "C:\\Dock",
              fake.dock.leadBytes,
              fake.dock.settings,
              {}};
    saveConfiguration(dock);
    EXPECT_EQ(std::count(files.log.begin(), files.log.end(), "sleep 100"), 4);
    EXPECT_EQ(files.log.back(), "replace " + kTemp + " -> " + kConfig);
    EXPECT_EQ(files.Text(kConfig), TemplateText());
}

TEST_F(Saving, WhenConfigIniCannotBeReplacedTheValuesGoInPlaceAndNoBackupIsLeft) {
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
    EXPECT_EQ(fake.files.log[fake.files.log.size() - 2], "delete " + kTemp);
    EXPECT_EQ(fake.files.log.back(), "delete " + kBackup);
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

TEST_F(Saving, TheWindowRectangleIsTakenOnceJustBeforeTheLeftEdge) {
    struct CountingWindow : testing::FakeWindow {
        testing::FakeProfile* profile = nullptr;
        std::vector<std::size_t> writesBefore;
        RectI WindowRect() override {
            writesBefore.push_back(profile->writes.size());
            return FakeWindow::WindowRect();
        }
    };
    CountingWindow window;
    window.profile = &fake.profile;
    window.rect = {5, 6, 7, 8};
    Dock dock{Platform{fake.files, fake.profile, fake.messages, fake.pictures, fake.canvas,
                       fake.hotkeys, fake.icons, window, fake.shell},
              "C:\\Dock",
              fake.dock.leadBytes,
              fake.dock.settings,
              {}};
    saveConfiguration(dock);
    EXPECT_EQ(window.writesBefore, (std::vector<std::size_t>{7}));
    EXPECT_EQ(fake.profile.writes[7], setting(texts::kKeyLeft, "5"));
    EXPECT_EQ(fake.profile.writes[8], setting(texts::kKeyTop, "6"));
}

TEST_F(Saving, NothingInMemoryChanges) {
    const DockSettings before = fake.dock.settings;
    saveConfiguration(fake.dock);
    EXPECT_EQ(fake.dock.settings.trayImagePath, before.trayImagePath);
    EXPECT_EQ(fake.dock.settings.launchCooldownMs, before.launchCooldownMs);
    EXPECT_EQ(fake.dock.state.items.Count(), 2);
    EXPECT_EQ(fake.dock.state.items[2].item.hotkey, 0x8641);
}

}  // namespace
}  // namespace dock
