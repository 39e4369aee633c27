// Loading and saving config.ini on a real folder through the real profile
// calls: the backup rule, the file Wine's profile writer makes, a file held
// open by someone else, and saves ended at random moments.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "config_fixture.h"
#include "support/text.h"
#include "temp_folder.h"

namespace dock {
namespace {

using testing::RealConfigFolder;
using testing::TempFolder;

std::string readFile(const std::string& path) {
    Win32FileSystem files;
    const Bytes bytes = files.ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeFile(const std::string& path, const std::string& text) {
    Win32FileSystem files;
    ASSERT_TRUE(files.WriteWholeFile(
        path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
}

// Milliseconds since `start`, from the performance counter (the tick count
// moves in steps of several milliseconds).
std::int64_t millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
}

bool exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// What Wine's profile writer makes of the template filled with the values of
// the folder's dock: it rewrites the whole file, drops empty lines, writes every line
// holding "=" as trimmed key=value (comment lines included) and ends every
// line with CR LF; new keys follow the last key of their section.
std::string expectedSavedText(const RealConfigFolder& folder) {
    const Dock& dock = folder.dock;
    const DockSettings& s = dock.settings;
    const PointI place = dock.state.place.chosen;
    const std::vector<std::pair<std::string_view, std::string>> values = {
        {texts::kKeyAutoSnap, IntToText(s.autoSnap)},
        {texts::kKeyFloatDistance, IntToText(s.floatDistance)},
        {texts::kKeyFloatBothWays, IntToText(s.floatBothWays)},
        {texts::kKeyLaunchCooldown, IntToText(s.launchCooldownMs)},
        {texts::kKeyTrayImage, s.trayImagePath},
        {texts::kKeyHighQuality, IntToText(s.highQuality)},
        {texts::kKeyReflection, IntToText(s.reflection)},
        {texts::kKeyLeft, IntToText(place.x)},
        {texts::kKeyTop, IntToText(place.y)},
        {texts::kKeyLocked, s.locked ? "1" : "0"},
        {texts::kKeyAlwaysOnTop, s.alwaysOnTop ? "1" : "0"},
        {texts::kKeyItemCount, IntToText(dock.state.items.Count())},
    };
    std::string text;
    std::string_view rest = configTemplate();
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        std::string line(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
        if (line.empty()) continue;
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            const std::string key = trimmed(std::string_view(line).substr(0, equals));
            std::string value = trimmed(std::string_view(line).substr(equals + 1));
            for (const auto& [k, v] : values) {
                if (key == k) value = v;
            }
            line = key + "=" + value;
        }
        text += line + "\r\n";
    }
    for (int n = 1; n <= dock.state.items.Count(); ++n) {
        const DockItem& item = dock.state.items[n].item;
        const std::string number = IntToText(n);
        text += Concat(texts::kKeyTitlePrefix, number, "=\"", item.title, "\"\r\n");
        text += Concat(texts::kKeyHotkeyPrefix, number, "=\"",
                       IntToText(static_cast<std::int16_t>(item.hotkey)), "\"\r\n");
        text += Concat(texts::kKeyTargetPrefix, number, "=\"", item.targetPath, "\"\r\n");
        text += Concat(texts::kKeyCustomIconPrefix, number, "=\"", item.customIconPath, "\"\r\n");
    }
    return text;
}

class ConfigFolder : public ::testing::Test {
  protected:
    std::string Config() const { return folder.File("config.ini"); }
    std::string Backup() const { return folder.File("config.ini.bak"); }
    std::string Temp() const { return folder.File("config.ini.tmp"); }

    TempFolder folder;
    RealConfigFolder state{folder.path()};
};

TEST_F(ConfigFolder, WithoutAFileLoadingGivesTheDefaultsAndCreatesNothing) {
    const PointI position = loadConfiguration(state.dock, {321, 123});
    EXPECT_EQ(position, (PointI{321, 123}));
    const DockSettings& s = state.dock.settings;
    EXPECT_EQ(s.launchCooldownMs, 1000);
    EXPECT_EQ(s.floatDistance, 48);
    EXPECT_EQ(s.floatBothWays, 1);
    EXPECT_EQ(s.alwaysOnTop, 1);
    EXPECT_EQ(s.locked, 0);
    EXPECT_EQ(s.trayImagePath, folder.path() + "\\res\\1.png");
    EXPECT_EQ(readItemCount(state.dock), 0);
    EXPECT_FALSE(exists(Config()));
}

TEST_F(ConfigFolder, AFileHoldingOnlyTheTemplatePutsTheWindowAtZeroWithNoItems) {
    writeFile(Config(), std::string(configTemplate()));
    EXPECT_EQ(loadConfiguration(state.dock, {321, 123}), (PointI{0, 0}));
    EXPECT_EQ(state.dock.settings.floatDistance, 48);
    EXPECT_EQ(state.dock.settings.alwaysOnTop, 1);
    EXPECT_EQ(readItemCount(state.dock), 0);
    EXPECT_EQ(readFile(Config()), std::string(configTemplate())) << "reading never writes";
}

TEST_F(ConfigFolder, QuotedAndFullWidthValuesLoadAsTheirNumbers) {
    writeFile(Config(), Concat("[", texts::kSectionSettings, "]\r\n", texts::kKeyLaunchCooldown,
                               " = \xA3\xB2\xA3\xB5\xA3\xB0\xA3\xB0 \r\n", texts::kKeyLocked,
                               "=\r\n", texts::kKeyAlwaysOnTop, "=0\r\n[", texts::kSectionItems,
                               "]\r\n", texts::kKeyItemCount, "=2\r\n", texts::kKeyHotkeyPrefix,
                               "1=\"1601\"\r\n", texts::kKeyHotkeyPrefix, "2=70000\r\n"));
    loadConfiguration(state.dock, {});
    EXPECT_EQ(state.dock.settings.launchCooldownMs, 2500);
    EXPECT_EQ(state.dock.settings.locked, 1);
    EXPECT_EQ(state.dock.settings.alwaysOnTop, 0);
    ASSERT_EQ(readItemCount(state.dock), 2);
    DockItem record;
    readItemRecord(state.dock, 1, record);
    EXPECT_EQ(record.hotkey, 0x0641);
    readItemRecord(state.dock, 2, record);
    EXPECT_EQ(record.hotkey, 4464);
}

TEST_F(ConfigFolder, TheSavedFileIsTheTemplateFilledInByTheProfileWriter) {
    state.Fill('A');
    saveConfiguration(state.dock);
    EXPECT_EQ(readFile(Config()), expectedSavedText(state));
    EXPECT_FALSE(exists(Temp()));
    EXPECT_FALSE(exists(Backup())) << "the first save makes no backup";
}

TEST_F(ConfigFolder, TheSecondSaveMakesTheBackupAndLaterSavesNeverTouchIt) {
    state.Fill('A');
    saveConfiguration(state.dock);
    const std::string first = readFile(Config());

    state.Fill('B');
    saveConfiguration(state.dock);
    const std::string second = readFile(Config());
    EXPECT_EQ(second, expectedSavedText(state));
    EXPECT_EQ(readFile(Backup()), first);

    state.Fill('A');
    saveConfiguration(state.dock);
    EXPECT_EQ(readFile(Config()), first);
    EXPECT_EQ(readFile(Backup()), first) << "the backup keeps what the second save gave it";
    EXPECT_FALSE(exists(Temp()));
    EXPECT_FALSE(exists(Backup() + ".tmp"));
}

TEST_F(ConfigFolder, FewerItemsLeaveNoStaleItemKeys) {
    state.Fill('B');
    saveConfiguration(state.dock);
    state.Fill('A');
    saveConfiguration(state.dock);
    EXPECT_EQ(readFile(Config()), expectedSavedText(state));
    DockItem record;
    readItemRecord(state.dock, 4, record);
    EXPECT_EQ(record.title, "");
}

TEST_F(ConfigFolder, HandWrittenCommentsAndUnknownKeysDoNotSurviveASave) {
    writeFile(Config(), "; mine\r\n[x]\r\nfoo=bar\r\n");
    state.Fill('A');
    saveConfiguration(state.dock);
    EXPECT_EQ(readFile(Config()), expectedSavedText(state));
    EXPECT_EQ(readFile(Backup()), "; mine\r\n[x]\r\nfoo=bar\r\n");
}

TEST_F(ConfigFolder, SavedSettingsAndItemsLoadBackTheSame) {
    writeFile(folder.File("tray.png"), "png");
    DockSettings& s = state.dock.settings;
    s = {1, -10, 0, 2500, folder.File("tray.png"), 5, 1, 1, 0};
    state.dock.state.place.chosen = {-1280, 16};
    const DockItem items[] = {
        {"My tool", 0x0641, "C:\\a.exe", ""},
        {"  spaced title  ", 0x8641, "C:\\dir with blanks\\b.lnk", "C:\\i.ico"},
        {"a \"quoted\" word", 0, "", ""},
        {"\"lead", 0xFFFF, "\xB1\xED\\\x81\x5C.exe", "\xB9\xA4\xBE\xDF.png"},
        {"'single'", 1, " x ", ""},
    };
    for (int n = 1; n <= 5; ++n) state.dock.state.items.Insert(n, items[n - 1], n);
    saveConfiguration(state.dock);

    RealConfigFolder loaded(folder.path());
    EXPECT_EQ(loadConfiguration(loaded.dock, {}), (PointI{-1280, 16}));
    const DockSettings& l = loaded.dock.settings;
    EXPECT_EQ(l.autoSnap, 1);
    EXPECT_EQ(l.floatDistance, -10);
    EXPECT_EQ(l.floatBothWays, 0);
    EXPECT_EQ(l.launchCooldownMs, 2500);
    EXPECT_EQ(l.trayImagePath, folder.File("tray.png"));
    EXPECT_EQ(l.highQuality, 5);
    EXPECT_EQ(l.reflection, 1);
    EXPECT_EQ(l.locked, 1);
    EXPECT_EQ(l.alwaysOnTop, 0);
    ASSERT_EQ(readItemCount(loaded.dock), 5);
    for (int n = 1; n <= 5; ++n) {
        DockItem record;
        readItemRecord(loaded.dock, n, record);
        EXPECT_EQ(record.title, items[n - 1].title) << n;
        EXPECT_EQ(record.hotkey, items[n - 1].hotkey) << n;
        EXPECT_EQ(record.targetPath, items[n - 1].targetPath) << n;
        EXPECT_EQ(record.customIconPath, items[n - 1].customIconPath) << n;
    }
}

// Loads the folder's config.ini as start-up does, without the pictures.
void loadAsAtStartUp(RealConfigFolder& folder) {
    folder.dock.state.place.chosen = loadConfiguration(folder.dock, {});
    const int count = readItemCount(folder.dock);
    for (int n = 1; n <= count; ++n) {
        DockItem record;
        readItemRecord(folder.dock, n, record);
        folder.dock.state.items.Insert(n, record, n);
    }
}

TEST_F(ConfigFolder, AClassicConfigIniIsSavedBackByteForByte) {
    state.Fill('B');
    saveConfiguration(state.dock);
    const std::string classic = readFile(Config());
    ASSERT_EQ(classic.find(texts::kSectionExtended), std::string::npos);

    RealConfigFolder reloaded(folder.path());
    loadAsAtStartUp(reloaded);
    saveConfiguration(reloaded.dock);
    EXPECT_EQ(readFile(Config()), classic);
}

TEST_F(ConfigFolder, TheExtendedSectionFollowsTheClassicContentAndIsKeptOnceThere) {
    state.Fill('A');
    state.dock.settings.dragReorder = 0;
    saveConfiguration(state.dock);
    const std::string section =
        Concat("[", texts::kSectionExtended, "]\r\n", texts::kKeyDragReorder, "=");
    const std::string others =
        Concat(texts::kKeyRunningIndicator, "=0\r\n", texts::kKeyActivateRunning, "=0\r\n",
               texts::kKeyFullscreenAvoid, "=0\r\n", texts::kKeyKeyboardMode, "=0\r\n",
               texts::kKeyKeyboardHotkey, "=1568\r\n", texts::kKeyHotkeyBadges, "=0\r\n",
               texts::kKeySharpIcons, "=0\r\n", texts::kKeyDpiAware, "=0\r\n", texts::kKeyAutoHide,
               "=0\r\n", texts::kKeyHideDelay, "=500\r\n", texts::kKeyDropOpen, "=0\r\n",
               texts::kKeyLaunchFeedback, "=0\r\n");
    EXPECT_EQ(readFile(Config()), expectedSavedText(state) + section + "0\r\n" + others);

    // Back at the default, the section stays because the file had it.
    RealConfigFolder reloaded(folder.path());
    loadAsAtStartUp(reloaded);
    EXPECT_EQ(reloaded.dock.settings.dragReorder, 0);
    reloaded.dock.settings.dragReorder = 1;
    saveConfiguration(reloaded.dock);
    EXPECT_EQ(readFile(Config()), expectedSavedText(reloaded) + section + "1\r\n" + others);
}

TEST_F(ConfigFolder, AStaleTempFileAndHalfBackupFromAnEndedSaveDoNoHarm) {
    writeFile(Config(), "old");
    writeFile(Temp(), "[half");
    writeFile(Backup() + ".tmp", "ol");
    state.Fill('A');
    saveConfiguration(state.dock);
    EXPECT_EQ(readFile(Config()), expectedSavedText(state));
    EXPECT_EQ(readFile(Backup()), "old");
    EXPECT_FALSE(exists(Temp()));
    EXPECT_FALSE(exists(Backup() + ".tmp"));
}

TEST_F(ConfigFolder, ASaveWhileConfigIniIsHeldOpenTriesTenTimesThenWritesInPlace) {
    writeFile(Config(), "old");
    HANDLE holder = ::CreateFileA(Config().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    state.Fill('A');
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    saveConfiguration(state.dock);
    const std::int64_t elapsed = millisecondsSince(start);
    ::CloseHandle(holder);
    EXPECT_GE(elapsed, 1000) << "ten waits of 100 ms";
    EXPECT_EQ(readFile(Config()), "old") << "the profile writer could not open it either";
    EXPECT_FALSE(exists(Temp()));
    EXPECT_FALSE(exists(Backup()));
}

TEST_F(ConfigFolder, WhenNoTempFileCanBeMadeConfigIniIsRewrittenInPlaceWithTheSameBytes) {
    state.Fill('B');
    saveConfiguration(state.dock);  // six items
    const std::string first = readFile(Config());
    ASSERT_TRUE(::CreateDirectoryA(Temp().c_str(), nullptr));  // blocks the temp file
    state.Fill('A');
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    saveConfiguration(state.dock);
    const std::int64_t elapsed = millisecondsSince(start);
    EXPECT_GE(elapsed, 1000);
    EXPECT_EQ(readFile(Config()), expectedSavedText(state)) << "no keys of the six items stay";
    EXPECT_EQ(readFile(Backup()), first) << "config.ini.bak is made as by a replacement";
}

// Runs the save helper and ends it at random moments: config.ini must always
// be the whole of one save or the whole of the other, never missing or cut.
TEST_F(ConfigFolder, ASaveEndedAtAnyMomentLeavesAWholeConfigIni) {
    RealConfigFolder a(folder.path());
    a.Fill('A');
    saveConfiguration(a.dock);
    const std::string textA = readFile(Config());
    RealConfigFolder b(folder.path());
    b.Fill('B');
    const std::string textB = expectedSavedText(b);
    ASSERT_EQ(textA, expectedSavedText(a));

    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string helper = module;
    helper = helper.substr(0, helper.find_last_of('\\')) + "\\save_loop_helper.exe";
    ASSERT_TRUE(exists(helper)) << helper;

    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> delayMs(0, 300);
    const int kKills = 100;
    int seenA = 0, seenB = 0, tempLeft = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        // Every fourth run halts while filling the temp file of the first
        // save or the second; every fourth ends after the first save.
        const bool halts = kill % 4 == 1;
        const std::string eventName = "dock_save_loop_" + std::to_string(kill);
        HANDLE running = ::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
        std::string command = "\"" + helper + "\" \"" + folder.path() + "\" " + eventName +
                              (kill % 2 == 0 ? " A" : " B");
        if (halts) command += " " + std::to_string(1 + kill / 4 % 25);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(::CreateProcessA(helper.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, nullptr, &startup, &process));
        EXPECT_TRUE(kill % 2 == 0 || ::WaitForSingleObject(running, 60000) == WAIT_OBJECT_0)
            << "kill " << kill;
        if (!halts) ::Sleep(static_cast<DWORD>(delayMs(random)));
        ::TerminateProcess(process.hProcess, 9);
        ::WaitForSingleObject(process.hProcess, 5000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(running);

        const std::string now = readFile(Config());
        ASSERT_TRUE(now == textA || now == textB)
            << "kill " << kill << ": config.ini has " << now.size() << " bytes";
        seenA += now == textA;
        seenB += now == textB;
        tempLeft += exists(Temp());
        EXPECT_TRUE(!halts || exists(Temp())) << "kill " << kill << " halted while filling it";
        if (exists(Backup())) {
            const std::string backup = readFile(Backup());
            ASSERT_TRUE(backup == textA || backup == textB) << "kill " << kill;
        }
    }
    std::printf(
        "kills survived: %d (config.ini A %d, B %d; ended while filling the temp file %d)\n",
        kKills, seenA, seenB, tempLeft);
    EXPECT_EQ(seenA + seenB, kKills);
    EXPECT_GT(seenB, 0) << "no kill came after a whole second save";

    // The next save after all those ends cleans up and works.
    a.Fill('A');
    saveConfiguration(a.dock);
    EXPECT_EQ(readFile(Config()), textA);
    EXPECT_FALSE(exists(Temp()));
}

}  // namespace
}  // namespace dock
