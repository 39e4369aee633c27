#pragma once
// The checks every hostile-input case ends with: the dock came up without a
// message, draws and answers under a moving pointer, closes on WM_CLOSE, and
// leaves a config.ini that holds every value it had in memory.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dock_test_support.h"
#include "config/profile_win32.h"
#include "support/text.h"
#include "support/texts.h"

namespace dock::wine {

inline double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

inline LARGE_INTEGER performanceNow() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

// Counts message boxes and other dialogs that open while a case runs, and
// closes each at once so that a wrong message cannot hang the suite.
class MessageWatch {
  public:
    MessageWatch() {
        opened = 0;
        hook_ = ::SetWindowsHookExA(WH_CBT, &onEvent, nullptr, ::GetCurrentThreadId());
    }
    ~MessageWatch() { ::UnhookWindowsHookEx(hook_); }
    MessageWatch(const MessageWatch&) = delete;
    MessageWatch& operator=(const MessageWatch&) = delete;
    static inline int opened = 0;

  private:
    static LRESULT CALLBACK onEvent(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wParam);
            char name[16] = {};
            ::GetClassNameA(window, name, sizeof name);
            // The dock itself is a dialog without caption; a message box has one.
            if (std::strcmp(name, "#32770") == 0 &&
                (::GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
                ++opened;
                ::PostMessageA(window, WM_CLOSE, 0, 0);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_ = nullptr;
};

inline std::string keyOf(std::string_view prefix, int n) {
    return std::string(prefix).append(std::to_string(n));
}

inline std::string readValue(const std::string& file, std::string_view section,
                             std::string_view key) {
    Win32ProfileStore profile;
    return profile.ReadProfileText(file, std::string(section), std::string(key), "<absent>");
}

// Every value the dock holds is in the file: the eleven settings, the count
// and the four keys of every item (of a sample of them for very long lists,
// where the profile reader's own cost grows with the file), and nothing past
// the last item.
inline void expectWholeConfig(Dock& dock, const std::string& file) {
    namespace t = texts;
    const DockSettings& s = dock.settings;
    auto setting = [&](std::string_view key) { return readValue(file, t::kSectionSettings, key); };
    EXPECT_EQ(setting(t::kKeyAutoSnap), IntToText(s.autoSnap));
    EXPECT_EQ(setting(t::kKeyFloatDistance), IntToText(s.floatDistance));
    EXPECT_EQ(setting(t::kKeyFloatBothWays), IntToText(s.floatBothWays));
    EXPECT_EQ(setting(t::kKeyLaunchCooldown), IntToText(s.launchCooldownMs));
    EXPECT_EQ(setting(t::kKeyTrayImage), s.trayImagePath);
    EXPECT_EQ(setting(t::kKeyHighQuality), IntToText(s.highQuality));
    EXPECT_EQ(setting(t::kKeyReflection), IntToText(s.reflection));
    EXPECT_EQ(setting(t::kKeyLeft), std::to_string(dock.state.place.chosen.x));
    EXPECT_EQ(setting(t::kKeyTop), std::to_string(dock.state.place.chosen.y));
    EXPECT_EQ(setting(t::kKeyLocked), s.locked != 0 ? "1" : "0");
    EXPECT_EQ(setting(t::kKeyAlwaysOnTop), s.alwaysOnTop != 0 ? "1" : "0");

    const DockItemList& items = dock.state.items;
    const int count = items.Count();
    EXPECT_EQ(readValue(file, t::kSectionItems, t::kKeyItemCount), std::to_string(count));
    std::vector<int> checked;
    if (count <= 300) {
        for (int n = 1; n <= count; ++n) checked.push_back(n);
    } else {
        checked = {1, 2, count / 2, count - 1, count};
    }
    for (int n : checked) {
        const DockItem& item = items[n].item;
        EXPECT_EQ(readValue(file, t::kSectionItems, keyOf(t::kKeyTitlePrefix, n)), item.title)
            << "item " << n;
        EXPECT_EQ(readValue(file, t::kSectionItems, keyOf(t::kKeyHotkeyPrefix, n)),
                  std::to_string(static_cast<std::int16_t>(item.hotkey)))
            << "item " << n;
        EXPECT_EQ(readValue(file, t::kSectionItems, keyOf(t::kKeyTargetPrefix, n)), item.targetPath)
            << "item " << n;
        EXPECT_EQ(readValue(file, t::kSectionItems, keyOf(t::kKeyCustomIconPrefix, n)),
                  item.customIconPath)
            << "item " << n;
    }
    EXPECT_EQ(readValue(file, t::kSectionItems, keyOf(t::kKeyTitlePrefix, count + 1)), "<absent>");
}

// Moves the real pointer to the middle of the dock's row, to its first cell
// and off it; each time the timer's tick samples the pointer and, when an item
// is under it, composes and presents a frame magnifying that item.
inline void hoverAcrossTheRow(DockUnderTest& dock) {
    const RECT r = dock.rect();
    const DockState& state = dock.dock().state;
    const int y = r.top + state.metrics.rowTop + 18;
    for (int x : {r.left + (r.right - r.left) / 2, r.left + state.metrics.leftMargin + 4}) {
        ::SetCursorPos(x, y);
        POINT at{};
        ::GetCursorPos(&at);  // a row partly off the screen keeps the pointer on it
        const int px = at.x - r.left, py = at.y - r.top;
        const int rowRight =
            state.metrics.leftMargin * 2 + state.metrics.cellWidth * state.items.Count();
        if (px < 0 || py < 0 || px >= std::min<int>(rowRight, r.right - r.left) ||
            py >= r.bottom - r.top)
            continue;  // outside: the tick would not look at it
        EXPECT_TRUE(pumpUntil([&] {
            return state.frame.pointerX == px && state.frame.pointerY == py &&
                   state.frame.zoomIndex == state.frame.hoverIndex;
        })) << "the tick follows the pointer to "
            << px << ", " << py;
    }
    ::SetCursorPos(0, 0);
    EXPECT_TRUE(pumpUntil([&] { return state.frame.hoverIndex == 0; }));
}

// The end of every case: the dock answers the close box, ends and saves
// everything it holds. No message was shown on the way.
inline void closeAndExpectWholeConfig(DockUnderTest& dock, const std::string& config) {
    EXPECT_EQ(dock.call(WM_CLOSE), TRUE);
    EXPECT_TRUE(dock.program.Session().ended);
    EXPECT_EQ(MessageWatch::opened, 0) << "the dock showed a message";
    expectWholeConfig(dock.dock(), config);
}

// The HDROP the shell sends for several names at once.
inline HGLOBAL dropOfFiles(const std::vector<std::string>& paths) {
    SIZE_T size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths) size += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* names = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        std::memcpy(names, path.c_str(), path.size() + 1);
        names += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return memory;
}

inline std::string bytesOfFile(const std::string& path) {
    return readFileText(path);
}

}  // namespace dock::wine
