// The running dock over config.ini files that a hand, another editor or a
// broken disk made: it starts without a message, keeps sensible settings,
// answers, and saves a whole config.ini when closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "render/frame.h"
#include "robustness_support.h"

namespace dock::wine {
namespace {

namespace t = texts;

std::string line(std::string_view key, std::string_view value) {
    std::string text(key);
    text.append("=").append(value).append("\r\n");
    return text;
}

std::string header(std::string_view section) {
    std::string text = "[";
    text.append(section).append("]\r\n");
    return text;
}

// The same text in another encoding, converted from GBK by the system.
std::wstring wideOf(const std::string& gbk) {
    const int length = ::MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), wide.data(), length);
    return wide;
}
std::string utf8Of(const std::string& gbk) {
    const std::wstring wide = wideOf(gbk);
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), length, nullptr,
                          nullptr);
    return text;
}
std::string utf16Of(const std::string& gbk) {
    const std::wstring wide = L"\xFEFF" + wideOf(gbk);
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

// A config.ini with a float distance of 20, a cool-down of 3000 and two items.
std::string handWrittenConfig() {
    return header(t::kSectionSettings) + line(t::kKeyFloatDistance, "20") +
           line(t::kKeyLaunchCooldown, "3000") + line(t::kKeyLeft, "100") + line(t::kKeyTop, "50") +
           header(t::kSectionItems) + line(t::kKeyItemCount, "2") +
           line(keyOf(t::kKeyTitlePrefix, 1), "\"One\"") +
           line(keyOf(t::kKeyTargetPrefix, 1), "\"C:\\one.txt\"") +
           line(keyOf(t::kKeyTitlePrefix, 2), "\"Two\"");
}

double processCpuMilliseconds() {
    FILETIME created, ended, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return double((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 10000.0;
    };
    return value(kernel) + value(user);
}

class BadConfig : public ::testing::Test {
  protected:
    std::string config() const { return folder.File("config.ini"); }
    void write(const std::string& bytes) { writeFileText(config(), bytes); }
    // Starts the dock over the file and reports how long start-up took.
    std::unique_ptr<DockUnderTest> start(double* milliseconds = nullptr) {
        const LARGE_INTEGER began = performanceNow();
        auto dock = std::make_unique<DockUnderTest>(folder.Path());
        if (milliseconds != nullptr) *milliseconds = millisecondsSince(began);
        EXPECT_NE(dock->window, nullptr);
        EXPECT_TRUE(::IsWindowVisible(dock->window));
        EXPECT_FALSE(dock->dock().state.commands.busy);
        return dock;
    }
    void expectDefaults(Dock& dock) {
        EXPECT_EQ(dock.settings.floatDistance, 48);
        EXPECT_EQ(dock.settings.floatBothWays, 1);
        EXPECT_EQ(dock.settings.launchCooldownMs, 1000);
        EXPECT_EQ(dock.settings.alwaysOnTop, 1);
        EXPECT_EQ(dock.settings.locked, 0);
        EXPECT_EQ(dock.settings.trayImagePath, folder.File("res\\1.png"));
        EXPECT_EQ(dock.state.items.Count(), 0);
    }
    ScratchFolder folder;
    MessageWatch messages;
};

TEST_F(BadConfig, AnEmptyFileGivesTheDefaults) {
    write("");
    auto dock = start();
    expectDefaults(dock->dock());
    hoverAcrossTheRow(*dock);
    closeAndExpectWholeConfig(*dock, config());
}

TEST_F(BadConfig, BinaryGarbageGivesTheDefaults) {
    std::string garbage;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.push_back(static_cast<char>(seed >> 23));
    }
    write(garbage);
    auto dock = start();
    expectDefaults(dock->dock());
    hoverAcrossTheRow(*dock);
    closeAndExpectWholeConfig(*dock, config());
}

TEST_F(BadConfig, Utf8WithoutAMarkNamesNoKnownSectionSoTheDefaultsHold) {
    write(utf8Of(handWrittenConfig()));
    auto dock = start();
    expectDefaults(dock->dock());
    closeAndExpectWholeConfig(*dock, config());
}

// With a byte-order mark the profile reader converts the file itself, so
// the values a user saved in another editor still count.
TEST_F(BadConfig, MarkedUtf8AndUtf16AreReadForWhatTheySay) {
    for (const std::string& bytes : {std::string("\xEF\xBB\xBF") + utf8Of(handWrittenConfig()),
                                     utf16Of(handWrittenConfig())}) {
        write(bytes);
        auto dock = start();
        EXPECT_EQ(dock->dock().settings.floatDistance, 20);
        EXPECT_EQ(dock->dock().settings.launchCooldownMs, 3000);
        ASSERT_EQ(dock->dock().state.items.Count(), 2);
        EXPECT_EQ(dock->dock().state.items[1].item.title, "One");
        EXPECT_EQ(dock->dock().state.items[1].item.targetPath, "C:\\one.txt");
        EXPECT_EQ(dock->dock().state.items[2].item.title, "Two");
        closeAndExpectWholeConfig(*dock, config());
        // What was saved is GBK again, and loads the same.
        EXPECT_EQ(readFileText(config()).substr(0, 12), header(t::kSectionSettings));
        ::DeleteFileA(folder.File("config.ini.bak").c_str());
    }
}

TEST_F(BadConfig, AOneMebibyteLineAndAOneMebibyteTitleAreReadWhole) {
    const std::string longTitle(1 << 20, 'x');
    write(std::string(1 << 20, 'g') + "\r\n" + header(t::kSectionSettings) +
          line(t::kKeyFloatDistance, "20") + header(t::kSectionItems) +
          line(t::kKeyItemCount, "2") + line(keyOf(t::kKeyTitlePrefix, 2), longTitle));
    double ms = 0;
    auto dock = start(&ms);
    std::printf("start-up with a 1 MiB line and a 1 MiB title: %.0f ms\n", ms);
    EXPECT_EQ(dock->dock().settings.floatDistance, 20);
    ASSERT_EQ(dock->dock().state.items.Count(), 2);
    EXPECT_TRUE(dock->dock().state.items[2].item.title == longTitle)
        << dock->dock().state.items[2].item.title.size() << " bytes";
    // Resting on the item with the long title: its caption is drawn cut.
    const RECT r = dock->rect();
    ::SetCursorPos(r.left + dock->dock().state.metrics.leftMargin + 36 + 18,
                   r.top + dock->dock().state.metrics.rowTop + 18);
    const DockState& state = dock->dock().state;
    EXPECT_TRUE(
        pumpUntil([&] { return state.frame.hoverIndex == 2 && state.frame.zoomPercent == 100; }));
    EXPECT_EQ(dock->dock().state.frame.titleText, std::string(512, 'x'));
    hoverAcrossTheRow(*dock);
    closeAndExpectWholeConfig(*dock, config());
}

TEST_F(BadConfig, ANegativeOrZeroCountGivesAnEmptyDock) {
    for (const char* count : {"-1", "0", "-2147483648"}) {
        write(header(t::kSectionItems) + line(t::kKeyItemCount, count) +
              line(keyOf(t::kKeyTitlePrefix, 1), "\"One\""));
        auto dock = start();
        EXPECT_EQ(dock->dock().state.items.Count(), 0) << count;
        EXPECT_EQ(dock->rect().right - dock->rect().left, 288) << count;
        closeAndExpectWholeConfig(*dock, config());
        EXPECT_EQ(readValue(config(), t::kSectionItems, t::kKeyItemCount), "0");
        ::DeleteFileA(folder.File("config.ini.bak").c_str());
    }
}

TEST_F(BadConfig, ACountFarBeyondTheKeysGivesEmptyItemsPastThem) {
    write(handWrittenConfig() + line(t::kKeyItemCount, "500"));  // the later count wins
    auto dock = start();
    const DockItemList& items = dock->dock().state.items;
    ASSERT_EQ(items.Count(), 2) << "the first 图标数 of the section counts";
    closeAndExpectWholeConfig(*dock, config());

    write(header(t::kSectionItems) + line(t::kKeyItemCount, "500") +
          line(keyOf(t::kKeyTitlePrefix, 1), "\"One\"") +
          line(keyOf(t::kKeyHotkeyPrefix, 1), "1601"));
    auto second = start();
    const DockItemList& many = second->dock().state.items;
    ASSERT_EQ(many.Count(), 500);
    EXPECT_EQ(many[1].item.title, "One");
    EXPECT_EQ(many[1].item.hotkey, 0x0641);
    EXPECT_EQ(many[500].item.title, "");
    EXPECT_EQ(many[500].item.hotkey, 0);
    EXPECT_EQ(second->rect().right - second->rect().left, 288 + 500 * 36);
    hoverAcrossTheRow(*second);
    closeAndExpectWholeConfig(*second, config());
}

TEST_F(BadConfig, TenThousandItemsWithoutKeysStartAndSave) {
    write(header(t::kSectionItems) + line(t::kKeyItemCount, "10000"));
    // The times are reported, not held to a limit: a shared machine makes
    // them longer, never wrong. The benchmark holds the start-up figures.
    const double cpuBefore = processCpuMilliseconds();
    double startMs = 0;
    auto dock = start(&startMs);
    const double cpuMs = processCpuMilliseconds() - cpuBefore;
    std::printf("start-up with 10000 items: %.0f ms (%.0f ms of processor time)\n", startMs, cpuMs);
    ASSERT_EQ(dock->dock().state.items.Count(), 10000);
    // Every frame composes the whole row, 360 288 pixels wide: one is timed,
    // the animation under a moving pointer is not (it takes seconds a frame).
    const LARGE_INTEGER drawing = performanceNow();
    renderFrame(frameOf(dock->dock()), true);
    std::printf("one forced frame with 10000 items: %.0f ms\n", millisecondsSince(drawing));
    const LARGE_INTEGER closing = performanceNow();
    closeAndExpectWholeConfig(*dock, config());
    std::printf("close and save with 10000 items: %.0f ms\n", millisecondsSince(closing));
    const LARGE_INTEGER ending = performanceNow();
    dock.reset();
    std::printf("teardown of 10000 items: %.0f ms\n", millisecondsSince(ending));
}

TEST_F(BadConfig, StrayQuotesAreKeptWhereTheyDoNotPair) {
    write(header(t::kSectionSettings) + line(t::kKeyFloatDistance, "\"20") +
          line(t::kKeyLaunchCooldown, "2000\"") + line(t::kKeyLocked, "\"0\"") +
          line(t::kKeyAlwaysOnTop, "'0'") + header(t::kSectionItems) +
          line(t::kKeyItemCount, "\"4\"") + line(keyOf(t::kKeyTitlePrefix, 1), "\"ab\"c\"") +
          line(keyOf(t::kKeyTitlePrefix, 2), "\"abc") +
          line(keyOf(t::kKeyTitlePrefix, 3), "abc\"") + line(keyOf(t::kKeyTitlePrefix, 4), "\"") +
          line(keyOf(t::kKeyHotkeyPrefix, 1), "\"1601") +
          line(keyOf(t::kKeyHotkeyPrefix, 2), "1601\"") +
          line(keyOf(t::kKeyTargetPrefix, 3), "\"C:\\a b\\c.exe\""));
    auto dock = start();
    const DockSettings& s = dock->dock().settings;
    EXPECT_EQ(s.floatDistance, 0) << "no digits before the quote";
    EXPECT_EQ(s.launchCooldownMs, 2000);
    EXPECT_EQ(s.locked, 0);
    EXPECT_EQ(s.alwaysOnTop, 0);
    const DockItemList& items = dock->dock().state.items;
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items[1].item.title, "ab\"c");
    EXPECT_EQ(items[2].item.title, "\"abc");
    EXPECT_EQ(items[3].item.title, "abc\"");
    EXPECT_EQ(items[4].item.title, "\"");
    EXPECT_EQ(items[1].item.hotkey, 0);
    EXPECT_EQ(items[2].item.hotkey, 0x0641);
    EXPECT_EQ(items[3].item.targetPath, "C:\\a b\\c.exe");
    hoverAcrossTheRow(*dock);
    // Saved quoted, every title reads back exactly as it was loaded.
    closeAndExpectWholeConfig(*dock, config());
}

struct OutOfRange {
    std::string_view key;
    const char* value;
    std::int32_t floatDistance;  // as the geometry uses it, with the built-in background
};

TEST_F(BadConfig, OutOfRangeNumbersLeaveADockThatDrawsAndCloses) {
    const OutOfRange cases[] = {
        {t::kKeyFloatDistance, "-10000", -104},
        {t::kKeyFloatDistance, "100000", 8070},
        {t::kKeyFloatDistance, "2147483647", 8070},
        {t::kKeyFloatDistance, "-2147483648", -104},
        {t::kKeyFloatDistance, "-10", -10},
        {t::kKeyLaunchCooldown, "2147483647", 48},
        {t::kKeyLaunchCooldown, "-2147483648", 48},
        {t::kKeyLaunchCooldown, "99999999999", 48},
        {t::kKeyAutoSnap, "-7", 48},
        {t::kKeyFloatBothWays, "2147483647", 48},
        {t::kKeyHighQuality, "-1", 48},
        {t::kKeyReflection, "2147483647", 48},
        {t::kKeyLeft, "2147483647", 48},
        {t::kKeyTop, "-2147483648", 48},
        {t::kKeyLocked, "2", 48},
        {t::kKeyAlwaysOnTop, "99999", 48},
    };
    for (const OutOfRange& c : cases) {
        SCOPED_TRACE(std::string(c.value));
        write(header(t::kSectionSettings) + line(c.key, c.value) + header(t::kSectionItems) +
              line(t::kKeyItemCount, "2") + line(keyOf(t::kKeyTitlePrefix, 1), "One"));
        auto dock = start();
        const RECT r = dock->rect();
        EXPECT_GT(r.right - r.left, 0);
        EXPECT_GT(r.bottom - r.top, 0);
        EXPECT_GE(dock->dock().settings.launchCooldownMs, 1000);
        // The dock must stay where a user can reach it to close it.
        EXPECT_TRUE(
            dock->dock().platform.window.TouchesAnyMonitor({r.left, r.top, r.right, r.bottom}));
        if (c.key == t::kKeyFloatDistance) {  // kept as written, and saved so below
            EXPECT_EQ(IntToText(dock->dock().settings.floatDistance), c.value);
        }
        EXPECT_EQ(dock->dock().state.metrics.floatDistance, c.floatDistance);
        EXPECT_EQ(dock->program.Canvas().SurfaceHeight(), (104 + c.floatDistance + 18) * 2);
        hoverAcrossTheRow(*dock);
        closeAndExpectWholeConfig(*dock, config());
        ::DeleteFileA(folder.File("config.ini.bak").c_str());
    }
}

}  // namespace
}  // namespace dock::wine
