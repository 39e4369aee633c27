// The dock dialog built from the real resources and driven with real
// messages in the test process.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "../modal_driver.h"
#include "../render/surface_win32.h"
#include "app/context_menu_win32.h"
#include "dock_test_support.h"
#include "render/builtin_pictures.h"
#include "render/frame.h"
#include "support/texts.h"

namespace dock::wine {
namespace {

using Launched = TestShell::Launched;

// Appends rather than chains operator+: GCC 12 warns falsely (-Wrestrict)
// about "text" + std::string temporaries.
std::string section(std::string_view name) {
    std::string text = "[";
    text.append(name).append("]\r\n");
    return text;
}

std::string entry(std::string_view key, const std::string& value) {
    std::string text(key);
    text.append("=").append(value).append("\r\n");
    return text;
}

std::string itemsSection(int count, const std::string& target, const std::string& hotkey) {
    std::string text = section(texts::kSectionItems);
    text += entry(texts::kKeyItemCount, std::to_string(count));
    for (int n = 1; n <= count; ++n) {
        const std::string N = std::to_string(n);
        text += entry(std::string(texts::kKeyTitlePrefix).append(N), "\"Item " + N + "\"");
        text += entry(std::string(texts::kKeyHotkeyPrefix).append(N),
                      "\"" + (n == 1 ? hotkey : std::string("0")) + "\"");
        text += entry(std::string(texts::kKeyTargetPrefix).append(N), "\"" + target + "\"");
        text += entry(std::string(texts::kKeyCustomIconPrefix).append(N), "\"\"");
    }
    return text;
}

std::string settingsSection(
    std::initializer_list<std::pair<std::string_view, std::string>> values) {
    std::string text = section(texts::kSectionSettings);
    for (const auto& [key, value] : values) text += entry(key, value);
    return text;
}

// A button message's point on item n's resting cell (0: the empty part of the row).
LPARAM onItem(int n) {
    return n == 0 ? MAKELPARAM(10, 10) : MAKELPARAM(144 + 36 * (n - 1) + 18, 170);
}

class DockWindow : public ::testing::Test {
  protected:
    std::string config() const { return folder.File("config.ini"); }
    std::string backup() const { return folder.File("config.ini.bak"); }
    ScratchFolder folder;
};

TEST_F(DockWindow, WithoutConfigStartsEmptyWhereTheDialogManagerCentresIt) {
    const POINT centred = centredDialogPosition();
    DockUnderTest dock(folder.Path());
    ASSERT_NE(dock.window, nullptr);

    const RECT r = dock.rect();
    EXPECT_EQ(r.left, centred.x);
    EXPECT_EQ(r.top, centred.y);
    EXPECT_EQ(r.right - r.left, 288);
    EXPECT_EQ(r.bottom - r.top, 340);
    EXPECT_TRUE(::IsWindowVisible(dock.window));
    const LONG_PTR exStyle = ::GetWindowLongPtrA(dock.window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES);
    EXPECT_EQ(dock.program.Canvas().SurfaceWidth(), 288);
    EXPECT_EQ(dock.program.Canvas().SurfaceHeight(), 340);
    EXPECT_FALSE(dock.dock().state.commands.busy);
    EXPECT_EQ(dock.dock().state.items.Count(), 0);
    EXPECT_EQ(dock.dock().settings.launchCooldownMs, 1000);
    EXPECT_EQ(dock.dock().settings.trayImagePath, folder.File("res\\1.png"));
    EXPECT_FALSE(exists(config()));  // reading never creates the file
}

TEST_F(DockWindow, ASavedPositionOffEveryScreenFallsBackToTheCentredOne) {
    const POINT centred = centredDialogPosition();
    writeFileText(config(),
                  settingsSection({{texts::kKeyLeft, "-5000"}, {texts::kKeyTop, "9000"}}));
    DockUnderTest dock(folder.Path());
    EXPECT_EQ(dock.rect().left, centred.x);
    EXPECT_EQ(dock.rect().top, centred.y);
}

TEST_F(DockWindow, ADockPartlyOnScreenStaysExactlyWhereItWasSaved) {
    // Ten columns and four rows of the strip (x + 114 .. x + 212, y + 144 .. y + 194) show.
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    writeFileText(config(), settingsSection({{texts::kKeyLeft, std::to_string(screenWidth - 124)},
                                             {texts::kKeyTop, "-190"},
                                             {texts::kKeyAlwaysOnTop, "0"}}));
    DockUnderTest dock(folder.Path());
    EXPECT_EQ(dock.rect().left, screenWidth - 124);
    EXPECT_EQ(dock.rect().top, -190);
    EXPECT_FALSE(::GetWindowLongPtrA(dock.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(DockWindow, ADisplayOrWorkAreaChangeShowsAChosenPlaceOffTheScreenOnItAndGoesBack) {
    writeFileText(config(), settingsSection({{texts::kKeyLeft, "100"}, {texts::kKeyTop, "100"}}) +
                                itemsSection(3, "C:\\a.exe", "0"));
    DockUnderTest dock(folder.Path());
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    // As if the work area had shrunk under a dock chosen and shown there.
    auto chooseAndShow = [&](int x, int y) {
        dock.dock().state.place.chosen = {x, y};
        ::SetWindowPos(dock.window, nullptr, x, y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // The strip (x + 114 .. x + 282) just right of the work area, the
    // transparent margin still over it.
    chooseAndShow(work.right - 114, 100);
    ::SendMessageA(dock.window, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    EXPECT_EQ(dock.rect().left, work.right - 114);  // another setting: nothing to do
    ::SendMessageA(dock.window, WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
    EXPECT_EQ(dock.rect().left, work.right - 282);
    EXPECT_EQ(dock.rect().top, 100);

    // The strip (y + 144 .. y + 194) just below it.
    chooseAndShow(200, work.bottom - 144);
    ::SendMessageA(dock.window, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(dock.rect().left, 200);
    EXPECT_EQ(dock.rect().top, work.bottom - 194);
    EXPECT_EQ(dock.rect().right - dock.rect().left, 396);

    // A chosen place that can be seen again is where the dock goes back to.
    dock.dock().state.place.chosen = {100, 100};
    ::SendMessageA(dock.window, WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
    EXPECT_EQ(dock.rect().left, 100);
    EXPECT_EQ(dock.rect().top, 100);
}

TEST_F(DockWindow, StartsWithTheConfiguredItemsAndRegistersTheirHotkeys) {
    writeFileText(config(), itemsSection(3, "C:\\a.exe", "890"));  // Ctrl+Shift+F11 on item 1
    DockUnderTest dock(folder.Path());
    ASSERT_EQ(dock.dock().state.items.Count(), 3);
    EXPECT_EQ(dock.dock().state.items[2].item.title, "Item 2");
    EXPECT_EQ(dock.rect().right - dock.rect().left, 396);
    EXPECT_EQ(dock.program.Canvas().SurfaceWidth(), 396);
    // The combination belongs to the dock now: nobody else gets it.
    EXPECT_FALSE(::RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_SHIFT, VK_F11));
    EXPECT_EQ(::GetLastError(), 1409u);
}

TEST_F(DockWindow, DoubleClickLaunchesTheHoveredItemWithItsDirectory) {
    writeFileText(config(), itemsSection(2, "C:/Tools/app.exe", "0"));
    DockUnderTest dock(folder.Path());
    dock.shell.tick = 50000;
    dock.call(WM_LBUTTONDBLCLK, 0, onItem(0));  // the empty part of the dock launches nothing
    // The last tick saw item 1; the pointer has moved on to item 2 since.
    dock.dock().state.frame.hoverIndex = 1;
    EXPECT_EQ(dock.call(WM_LBUTTONDBLCLK, 0, onItem(2)), FALSE);
    EXPECT_EQ(dock.shell.launched, (std::vector<Launched>{{"C:/Tools/app.exe", "C:\\Tools\\"}}));
    EXPECT_EQ(dock.dock().state.commands.lastLaunchIndex, 2);
}

TEST_F(DockWindow, AHotkeyMessageLaunchesItsItem) {
    writeFileText(config(), itemsSection(2, "C:\\x\\y.exe", "890"));
    DockUnderTest dock(folder.Path());
    dock.shell.tick = 1000;
    EXPECT_EQ(dock.call(WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F11)), TRUE);
    EXPECT_EQ(dock.call(WM_HOTKEY, 2, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F11)),
              TRUE);  // not item 2's key
    EXPECT_EQ(dock.shell.launched, (std::vector<Launched>{{"C:\\x\\y.exe", "C:\\x\\"}}));
}

TEST_F(DockWindow, TheRealShellStartsTheTargetInItsOwnDirectory) {
    ScratchFolder programs;
    ASSERT_TRUE(::CopyFileA((moduleDirectory() + "\\" + DOCK_MARKER_NAME).c_str(),
                            programs.File("marker.exe").c_str(), FALSE));
    std::string target = programs.File("marker.exe");
    for (char& c : target)
        if (c == '\\') c = '/';
    writeFileText(config(), itemsSection(1, target, "0"));
    DockUnderTest dock(folder.Path());
    dock.shell.forward = true;
    dock.call(WM_LBUTTONDBLCLK, 0, onItem(1));
    std::string marker;
    pumpUntil([&] { return !(marker = readFileText(programs.File("marker.txt"))).empty(); });
    EXPECT_EQ(marker, programs.Path() + "\r\n");
}

TEST_F(DockWindow, TheRealShellWithoutADirectoryKeepsTheDocksOwn) {
    ScratchFolder programs;
    ASSERT_TRUE(::CopyFileA((moduleDirectory() + "\\" + DOCK_MARKER_NAME).c_str(),
                            programs.File("marker.exe").c_str(), FALSE));
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(programs.Path().c_str());
    writeFileText(config(), itemsSection(1, "marker.exe", "0"));
    {
        DockUnderTest dock(folder.Path());
        dock.shell.forward = true;
        dock.call(WM_LBUTTONDBLCLK, 0, onItem(1));
        EXPECT_EQ(dock.shell.launched, (std::vector<Launched>{{"marker.exe", ""}}));
        std::string marker;
        pumpUntil([&] { return !(marker = readFileText(programs.File("marker.txt"))).empty(); });
        EXPECT_EQ(marker, programs.Path() + "\r\n");
    }
    ::SetCurrentDirectoryA(previous);
}

// Builds the HDROP the shell would send for these files.
WPARAM dropOf(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) names += path + '\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() + 1);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    ::GlobalUnlock(memory);
    return reinterpret_cast<WPARAM>(memory);
}
WPARAM dropOf(const std::string& path) {
    return dropOf(std::vector<std::string>{path});
}

// 拖放打开: a drop on the middle of the program's picture hands it both paths
// as its program parses them; a drop on the picture's outer quarter adds them.
TEST_F(DockWindow, WithDropOpenADropOnAProgramOpensThePathsWithItAndBesideItAdds) {
    ScratchFolder programs;
    ASSERT_TRUE(::CopyFileA((moduleDirectory() + "\\" + DOCK_MARKER_NAME).c_str(),
                            programs.File("marker.exe").c_str(), FALSE));
    writeFileText(config(), itemsSection(1, programs.File("marker.exe"), "0"));
    DockUnderTest dock(folder.Path());
    DockState& state = dock.dock().state;
    dock.dock().settings.dropOpen = 1;
    const std::vector<std::string> paths = {programs.File("a b.txt"),
                                            programs.File("\xB3\xCC\xD0\xF2.txt")};
    const RectF& cell = state.items[1].currentRect;
    state.frame.hoverIndex = 1;
    state.frame.pointerX = static_cast<std::int32_t>((cell.left + cell.right) / 2);
    dock.call(WM_DROPFILES, dropOf(paths));
    std::string arguments;
    pumpUntil([&] {
        return (arguments = readFileText(programs.File("arguments.txt"))).size() > paths[0].size();
    });
    EXPECT_EQ(arguments, paths[0] + "\r\n" + paths[1] + "\r\n");
    EXPECT_EQ(state.items.Count(), 1);
    state.frame.hoverIndex = 1;
    state.frame.pointerX = static_cast<std::int32_t>(cell.left) + 2;
    dock.call(WM_DROPFILES, dropOf(paths));
    EXPECT_EQ(state.items.Count(), 3);
}

// Paths are in the system's ANSI code page: whether a 0x5C byte is a
// separator or the second byte of a character depends on it.
TEST_F(DockWindow, DroppedPathsAreTitledAndLaunchedByTheAnsiCodePage) {
    const UINT codePage = ::GetACP();
    ASSERT_TRUE(codePage == 936 || codePage == 1252) << codePage;
    const bool gbk = codePage == 936;
    struct Case {
        const char* path;
        const char* title;
        const char* directory;
    };
    const Case cases[] = {
        // C:\Café\App.exe in code page 1252; in GBK, E9 5C is one character.
        {"C:\\Caf\xE9\\App.exe", gbk ? "Caf\xE9\\App" : "App", gbk ? "C:\\" : "C:\\Caf\xE9\\"},
        // C:\程序\昞器.exe in GBK; 95 5C is one character.
        {"C:\\\xB3\xCC\xD0\xF2\\\x95\x5C\xC6\xF7.exe", gbk ? "\x95\x5C\xC6\xF7" : "\xC6\xF7",
         gbk ? "C:\\\xB3\xCC\xD0\xF2\\" : "C:\\\xB3\xCC\xD0\xF2\\\x95\\"},
    };
    DockUnderTest dock(folder.Path());
    std::vector<Launched> expected;
    int index = 0;
    for (const Case& c : cases) {
        dock.dock().state.frame.pointerX = 10000;  // right of the middle: each drop is appended
        dock.call(WM_DROPFILES, dropOf(c.path));
        ASSERT_EQ(dock.dock().state.items.Count(), ++index);
        EXPECT_EQ(dock.dock().state.items[index].item.title, c.title) << c.path;
        dock.call(WM_LBUTTONDBLCLK, 0, onItem(index));
        expected.push_back({c.path, c.directory});
    }
    EXPECT_EQ(dock.shell.launched, expected);
}

// Records whether the context menu opened, and closes it at once.
int menusOpened = 0;
LRESULT CALLBACK watchMenus(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP) {
        ++menusOpened;
        ::PostMessageA(message->hwnd, WM_CANCELMODE, 0, 0);
        ::EndMenu();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(DockWindow, WhileBusyIgnoresDoubleClicksRightButtonDropsAndHotkeys) {
    writeFileText(config(), itemsSection(1, "C:\\a.exe", "890"));
    writeFileText(folder.File("dropped.txt"), "x");
    DockUnderTest dock(folder.Path());
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
    menusOpened = 0;
    dock.dock().state.frame.hoverIndex = 1;
    dock.dock().state.commands.busy = true;

    EXPECT_EQ(dock.call(WM_LBUTTONDBLCLK), FALSE);
    EXPECT_EQ(dock.call(WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F11)), FALSE);
    dock.call(WM_RBUTTONUP);
    dock.call(WM_DROPFILES, dropOf(folder.File("dropped.txt")));
    EXPECT_TRUE(dock.shell.launched.empty());
    EXPECT_EQ(menusOpened, 0);
    EXPECT_EQ(dock.dock().state.items.Count(), 1);

    // The same messages once the dock is free again.
    dock.dock().state.commands.busy = false;
    dock.shell.tick = 10000;
    dock.call(WM_LBUTTONDBLCLK, 0, onItem(1));
    dock.shell.tick = 20000;
    EXPECT_EQ(dock.call(WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F11)), TRUE);
    EXPECT_EQ(dock.shell.launched.size(), 2u);
    dock.call(WM_DROPFILES, dropOf(folder.File("dropped.txt")));
    EXPECT_EQ(dock.dock().state.items.Count(), 2);
    const UINT_PTR timer =
        ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    dock.call(WM_RBUTTONUP, 0, onItem(1));
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(menusOpened, 1);
    ::UnhookWindowsHookEx(hook);
}

TEST_F(DockWindow, CloseSavesOnceAndEndsTheDialog) {
    DockUnderTest dock(folder.Path());
    const RECT r = dock.rect();
    EXPECT_EQ(dock.call(WM_CLOSE), TRUE);
    EXPECT_TRUE(dock.program.Session().ended);
    EXPECT_FALSE(dock.program.Session().menuHandle);
    ASSERT_TRUE(exists(config()));
    EXPECT_EQ(profileValue(config(), texts::kSectionSettings, texts::kKeyLeft),
              std::to_string(r.left));
    EXPECT_EQ(profileValue(config(), texts::kSectionSettings, texts::kKeyTop),
              std::to_string(r.top));
    // A second save would have set the first file aside as the backup.
    EXPECT_FALSE(exists(backup()));
    EXPECT_EQ(dock.call(WM_CLOSE), TRUE);  // a second close does nothing more
    EXPECT_FALSE(exists(backup()));
}

TEST_F(DockWindow, EscapeClosesAndSavesLikeClose) {
    DockUnderTest dock(folder.Path());
    EXPECT_EQ(dock.call(WM_GETDLGCODE, 'A'), FALSE);
    EXPECT_FALSE(exists(config()));
    EXPECT_EQ(dock.call(WM_GETDLGCODE, VK_ESCAPE), TRUE);
    EXPECT_TRUE(exists(config()));
    EXPECT_FALSE(exists(backup()));
    EXPECT_TRUE(dock.program.Session().ended);
}

TEST_F(DockWindow, InKeyboardModeTheDialogsKeysChooseAndEscapeGivesTheKeyboardBack) {
    writeFileText(config(), itemsSection(3, "C:\\x\\y.exe", "0") +
                                section(texts::kSectionExtended) +
                                entry(texts::kKeyKeyboardMode, "1"));
    DockUnderTest dock(folder.Path());
    const KeyboardSelection& keyboard = dock.features().keyboard;
    ASSERT_TRUE(keyboard.hotkeyHeld);
    // Through the dialog manager, as the modal loop hands them on.
    auto press = [&](UINT message, WPARAM key, LPARAM data = 0x00010001) {
        MSG msg{dock.window, message, key, data, 0, {}};
        return ::IsDialogMessageA(dock.window, &msg);
    };
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    EXPECT_EQ(dock.call(WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_SPACE)), TRUE);
    ASSERT_TRUE(keyboard.active);
    press(WM_KEYDOWN, VK_END);
    press(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(keyboard.selected, 2);
    press(WM_CHAR, 'i');  // "Item 3", the next title starting with it
    EXPECT_EQ(keyboard.selected, 3);
    dock.shell.tick = 5000;
    press(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(dock.shell.launched, (std::vector<Launched>{{"C:\\x\\y.exe", "C:\\x\\"}}));
    EXPECT_FALSE(keyboard.active);
    EXPECT_EQ(::GetForegroundWindow(), dock.window) << "left to the started program";

    // Escape held down: the press gives the keyboard back, the repeats close nothing.
    ::SetForegroundWindow(other);
    dock.call(WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_SPACE));
    for (LPARAM data : {0x00010001, 0x40010001, 0x40010001}) press(WM_KEYDOWN, VK_ESCAPE, data);
    EXPECT_FALSE(keyboard.active);
    EXPECT_FALSE(dock.program.Session().ended);
    EXPECT_EQ(::GetForegroundWindow(), other);

    dock.call(WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_SPACE));
    dock.call(WM_LBUTTONDBLCLK, 0, onItem(1));  // on item 1, not on the selection
    EXPECT_EQ(dock.dock().state.commands.lastLaunchIndex, 1);

    dock.call(WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_SPACE));
    EXPECT_EQ(keyboard.selected, 3);
    dock.call(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_FALSE(keyboard.active);
    press(WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(keyboard.selected, 3) << "outside the mode the keys are the dialog's";
    ::DestroyWindow(other);
}

TEST_F(DockWindow, AKeyboardHotkeyHeldElsewhereLeavesTheModesEntryFreeToSwitchItOff) {
    ASSERT_TRUE(::RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, VK_SPACE));
    writeFileText(config(), section(texts::kSectionExtended) + entry(texts::kKeyKeyboardMode, "1"));
    DockUnderTest dock(folder.Path());
    DockSession& session = dock.program.Session();
    prepareContextMenu(session);
    EXPECT_EQ(::GetMenuState(session.menuHandle.get(), IDM_KEYBOARD_MODE, MF_BYCOMMAND),
              UINT{MF_CHECKED});
    carryOutMenuCommand(session, IDM_KEYBOARD_MODE);
    EXPECT_EQ(dock.dock().settings.keyboardMode, 0);
    ::UnregisterHotKey(nullptr, 77);
}

TEST_F(DockWindow, TheLockAndOnTopEntriesToggleTheSettingWhateverTheMarkShows) {
    const std::pair<UINT, std::int32_t DockSettings::*> entries[] = {
        {IDM_LOCK_POSITION, &DockSettings::locked},
        {IDM_ALWAYS_ON_TOP, &DockSettings::alwaysOnTop},
    };
    DockUnderTest dock(folder.Path());
    DockSession& session = dock.program.Session();
    for (const auto& [command, setting] : entries) {
        dock.dock().settings.*setting = 1;  // behind the menu's back: its mark is still clear
        for (int expected : {0, 1}) {
            carryOutMenuCommand(session, command);
            EXPECT_EQ(dock.dock().settings.*setting, expected) << command;
            EXPECT_EQ(::GetMenuState(session.menuHandle.get(), command, MF_BYCOMMAND),
                      expected != 0 ? UINT{MF_CHECKED} : 0u)
                << command;
        }
    }
}

TEST_F(DockWindow, ADropReachesConfigIniWithoutClosingTheDock) {
    writeFileText(folder.File("dropped.txt"), "x");
    DockUnderTest dock(folder.Path());
    dock.shell.tick = 1000;
    dock.call(WM_DROPFILES, dropOf(folder.File("dropped.txt")));
    dock.shell.tick = 1000 + kSaveDelayMs;
    const std::string count = std::string(texts::kKeyItemCount);
    pumpUntil([&] { return profileValue(config(), texts::kSectionItems, count) == "1"; });
    // Read while the dock still runs, as after a crash: nothing was closed.
    const std::string saved = readFileText(config());
    EXPECT_EQ(profileValue(config(), texts::kSectionItems,
                           std::string(texts::kKeyTargetPrefix).append("1")),
              folder.File("dropped.txt"));
    dock.call(WM_CLOSE);
    EXPECT_EQ(readFileText(config()), saved) << "the close writes the same bytes";
    EXPECT_EQ(readFileText(backup()), saved) << "and keeps the earlier file as the backup";
}

TEST_F(DockWindow, ShutdownReleasesTheHotkeysAndStopsTheTimer) {
    writeFileText(config(), itemsSection(2, "C:\\a.exe", "890"));
    DockUnderTest dock(folder.Path());
    dock.call(WM_CLOSE);
    EXPECT_TRUE(::RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_SHIFT, VK_F11));
    ::UnregisterHotKey(nullptr, 77);
    // The timer's id is the window handle's value: it is gone.
    EXPECT_FALSE(::KillTimer(dock.window, reinterpret_cast<UINT_PTR>(dock.window)));
    EXPECT_EQ(profileValue(config(), texts::kSectionItems, texts::kKeyItemCount), "2");
}

TEST_F(DockWindow, TheTimerRunsWhileTheDockRuns) {
    DockUnderTest dock(folder.Path());
    // Arming again with the same id replaces the timer; killing it proves it exists.
    EXPECT_TRUE(::KillTimer(dock.window, reinterpret_cast<UINT_PTR>(dock.window)));
}

TEST_F(DockWindow, EndingTheLogonSavesOnceWithoutEndingTheDock) {
    DockUnderTest dock(folder.Path());
    EXPECT_EQ(dock.call(WM_QUERYENDSESSION), FALSE);
    EXPECT_TRUE(exists(config()));
    EXPECT_FALSE(exists(backup()));
    EXPECT_FALSE(dock.program.Session().ended);
    EXPECT_TRUE(::IsWindowVisible(dock.window));
    // The close that follows saves again: now the first file becomes the backup.
    dock.call(WM_CLOSE);
    EXPECT_TRUE(exists(backup()));
}

BOOL dragFull() {
    BOOL value = -1;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &value, 0);
    return value;
}
void setDragFull(BOOL value) {
    ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, value, nullptr, 0);
}

class DragSetting : public DockWindow {
  protected:
    void SetUp() override { original = dragFull(); }
    void TearDown() override { setDragFull(original); }
    BOOL original = FALSE;
};

TEST_F(DragSetting, IsSwitchedOnWhileActiveAndRestoredOnDeactivationAndShutdown) {
    DockUnderTest dock(folder.Path());
    setDragFull(FALSE);
    ASSERT_EQ(dragFull(), FALSE);
    dock.call(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_EQ(dragFull(), TRUE);
    dock.call(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_EQ(dragFull(), FALSE);
    dock.call(WM_ACTIVATE, WA_CLICKACTIVE);
    EXPECT_EQ(dragFull(), TRUE);
    dock.call(WM_CLOSE);
    EXPECT_EQ(dragFull(), FALSE);
}

TEST_F(DragSetting, IsLeftAloneWhenItWasAlreadyOn) {
    setDragFull(TRUE);
    DockUnderTest dock(folder.Path());
    dock.call(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_EQ(dragFull(), TRUE);
    dock.call(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_EQ(dragFull(), TRUE);
    dock.call(WM_CLOSE);
    EXPECT_EQ(dragFull(), TRUE);
}

TEST_F(DragSetting, AMinimisedActivationChangesNothing) {
    DockUnderTest dock(folder.Path());
    setDragFull(FALSE);
    dock.call(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1));
    EXPECT_EQ(dragFull(), FALSE);
}

TEST_F(DragSetting, ClosingRightAfterTheStartKeepsTheUsersSetting) {
    setDragFull(TRUE);
    DockUnderTest dock(folder.Path());
    dock.call(WM_CLOSE);
    EXPECT_EQ(dragFull(), TRUE);
}

// Swallows the move loop the dock would start, and counts it.
WNDPROC dialogProcedure = nullptr;
int moveLoops = 0;
LRESULT CALLBACK withoutMoveLoop(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && wParam == (SC_MOVE | HTCAPTION)) {
        ++moveLoops;
        return 0;
    }
    return ::CallWindowProcA(dialogProcedure, window, message, wParam, lParam);
}

TEST_F(DockWindow, APressOnTheEmptyAreaMovesTheDockUnlessLockedOrOnAnItem) {
    writeFileText(config(), itemsSection(1, "C:\\a.exe", "0"));
    DockUnderTest dock(folder.Path());
    dialogProcedure = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        dock.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&withoutMoveLoop)));
    moveLoops = 0;
    // The last tick saw item 1; the press is on the empty strip left of it.
    dock.dock().state.frame.hoverIndex = 1;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(136, 175));
    EXPECT_EQ(moveLoops, 1);
    dock.dock().state.frame.hoverIndex = 1;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 170));
    EXPECT_EQ(moveLoops, 1);
    dock.dock().state.frame.hoverIndex = 0;
    dock.dock().settings.locked = 1;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(moveLoops, 1);
    // Busy does not stop a move: the button-down branch never looks at it.
    dock.dock().settings.locked = 0;
    dock.dock().state.commands.busy = true;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(moveLoops, 2);
    dock.dock().state.commands.busy = false;
    ::SetWindowLongPtrA(dock.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogProcedure));
}

TEST_F(DockWindow, DraggingAnItemHoldsTheCaptureUntilItIsReleasedCancelledOrLost) {
    writeFileText(config(), itemsSection(3, "C:\\a.exe", "0"));
    DockUnderTest dock(folder.Path());
    DockState& state = dock.dock().state;
    const ItemDrag& drag = dock.features().drag;
    const int distance = ::GetSystemMetrics(SM_CXDRAG);
    auto pressAndDrag = [&](int item) {
        state.frame.hoverIndex = item;
        const int x = 144 + 36 * (item - 1) + 18;
        ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 170));
        EXPECT_EQ(::GetCapture(), dock.window);
        ::SendMessageA(dock.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + distance, 170));
        EXPECT_EQ(drag.phase, ItemDrag::Phase::pressed) << "not beyond the drag distance";
        ::SendMessageA(dock.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + distance + 1, 170));
        EXPECT_EQ(drag.phase, ItemDrag::Phase::dragging);
    };
    auto titles = [&] {
        std::string out;
        for (int i = 1; i <= state.items.Count(); ++i) out += state.items[i].item.title.back();
        return out;
    };

    // Another window taking the capture ends the drag.
    pressAndDrag(1);
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    ::SetCapture(other);
    EXPECT_EQ(drag.phase, ItemDrag::Phase::none);
    ::ReleaseCapture();
    ::DestroyWindow(other);

    // Escape and a right-click cancel it without closing the dock or opening the menu.
    pressAndDrag(1);
    ::SendMessageA(dock.window, WM_GETDLGCODE, VK_ESCAPE, 0);
    EXPECT_EQ(drag.phase, ItemDrag::Phase::none);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(dock.program.Session().ended);
    pressAndDrag(1);
    ::SendMessageA(dock.window, WM_RBUTTONUP, 0, MAKELPARAM(200, 170));
    EXPECT_EQ(drag.phase, ItemDrag::Phase::none);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(titles(), "123");

    // A release over cell 3 moves item 1 there; one left of the screen's
    // origin (a negative x) lands it back at the front.
    pressAndDrag(1);
    ::SendMessageA(dock.window, WM_LBUTTONUP, 0, MAKELPARAM(234, 170));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(titles(), "231");
    pressAndDrag(3);
    ::SendMessageA(dock.window, WM_LBUTTONUP, 0, MAKELPARAM(-300, 170));
    EXPECT_EQ(titles(), "123");
    EXPECT_EQ(::GetCapture(), nullptr);
}

BOOL CALLBACK closeDialogs(HWND window, LPARAM) {
    char name[16];
    if (::GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0)
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

TEST_F(DockWindow, RunsModallyUntilClosedAndSaves) {
    DockProgram program(::GetModuleHandleA(nullptr), folder.Path());
    // Closes the dock from inside its own modal loop.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &closeDialogs, 0);
    });
    EXPECT_EQ(runDock(program), 0);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(exists(config()));
    EXPECT_TRUE(program.Session().ended);
}

struct Waits {
    HWND dockWindow;
    bool end;
    int left;
};

// Counts the visible menus, dialogs and boxes of the test thread other than
// the dock, and with `end` presses in each dialog or box the button that
// changes nothing. Sends nothing: the test thread may be joining the caller.
BOOL CALLBACK countWait(HWND window, LPARAM data) {
    auto* waits = reinterpret_cast<Waits*>(data);
    if (window == waits->dockWindow || !::IsWindowVisible(window)) return TRUE;
    const std::wstring name = className(window);
    if (name != L"#32768" && name != L"#32770") return TRUE;
    ++waits->left;
    if (waits->end && name == L"#32770") {
        for (int id : {IDNO, IDCANCEL, IDC_ITEM_CANCEL, IDC_PROGRAM_CANCEL, IDOK})
            if (::GetDlgItem(window, id) != nullptr)
                ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    return TRUE;
}

int waitsLeft(DWORD thread, HWND dockWindow, bool end = false) {
    Waits waits{dockWindow, end, 0};
    ::EnumThreadWindows(thread, &countWait, reinterpret_cast<LPARAM>(&waits));
    return waits.left;
}

// Whatever a failing test left waiting is ended, so that it cannot keep the
// test thread in a modal loop for ever.
void unblock(DWORD thread, HWND dockWindow) {
    for (int round = 0; round < 50 && waitsLeft(thread, dockWindow, true) != 0; ++round) {
        ::PostMessageW(dockWindow, WM_KEYDOWN, VK_ESCAPE, 0x00010001);  // a menu
        ::Sleep(100);
    }
}

constexpr WPARAM kCtrlAltF = 0x0646;

// A close (WM_CLOSE posted to the dock, as "end task" or another program
// sends it) while a context-menu command waits for the user.
class ClosingWhileWaiting : public DockWindow {
  protected:
    void SetUp() override {
        original = itemsSection(2, "C:\\a.exe", "890");  // Ctrl+Shift+F11 on item 1
        writeFileText(config(), original);
        other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override {
        ::UnregisterHotKey(other, 1);
        ::DestroyWindow(other);
    }

    // Opens the menu over item `hover` as a right-button release would; on a
    // driver thread `reachWait` works it into the wait under test and returns
    // that wait's window, then the dock gets WM_CLOSE. By the time the dock's
    // dialog has ended, every wait must have ended before it.
    void closeWhile(DockUnderTest& dock, int hover, std::function<HWND(DWORD, HWND)> reachWait) {
        closeWhileWaiting(
            dock, [&] { dock.call(WM_RBUTTONUP, 0, onItem(hover)); },
            [&](DWORD thread) {
                HWND popup = waitForWindow(thread, L"#32768", L"");
                return popup != nullptr && reachWait(thread, popup) != nullptr;
            });
    }
    // `enter` brings the dock into a wait on this thread; once `reach` has
    // seen it there, the dock gets WM_CLOSE.
    void closeWhileWaiting(DockUnderTest& dock, const std::function<void()>& enter,
                           const std::function<bool(DWORD)>& reach) {
        const DWORD thread = ::GetCurrentThreadId();
        HWND dockWindow = dock.window;
        {
            Driver driver([&] {
                reached = reach(thread);
                if (reached) {
                    ::PostMessageW(dockWindow, WM_CLOSE, 0, 0);
                    ended = waitUntilGone(dockWindow) && waitsLeft(thread, dockWindow) == 0;
                }
                unblock(thread, dockWindow);
            });
            enter();
        }
        EXPECT_TRUE(reached);
        EXPECT_TRUE(ended);
        EXPECT_TRUE(dock.program.Session().ended);
    }
    // The file holds what it held before the command, written by one save:
    // the earlier file became the backup just once.
    void expectSavedOnceAsBefore() {
        EXPECT_EQ(readFileText(backup()), original);
        EXPECT_EQ(profileValue(config(), texts::kSectionItems, texts::kKeyItemCount), "2");
        EXPECT_EQ(
            profileValue(config(), texts::kSectionItems, std::string(texts::kKeyTitlePrefix) + "1"),
            "Item 1");
        EXPECT_EQ(profileValue(config(), texts::kSectionItems,
                               std::string(texts::kKeyHotkeyPrefix) + "1"),
                  "890");
    }
    static HWND press(HWND dockWindow, wchar_t key, DWORD thread, const std::wstring& caption) {
        ::PostMessageW(dockWindow, WM_CHAR, key, 1);
        return waitForWindow(thread, L"#32770", caption);
    }
    static void setTitle(HWND dialog) {
        ::SendDlgItemMessageA(dialog, IDC_ITEM_TITLE, WM_SETTEXT, 0,
                              reinterpret_cast<LPARAM>("Changed"));
    }

    std::string original;
    HWND other = nullptr;
    bool reached = false, ended = false;
};

// Whether the dock had already shut down (and destroyed the menu) when its
// menu loop ended: -1 while the loop has not ended.
const DockSession* menuOwner = nullptr;
int shutDownWhenTheMenuEnded = -1;
LRESULT CALLBACK watchMenuEnd(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_EXITMENULOOP)
        shutDownWhenTheMenuEnded = menuOwner->ended ? 1 : 0;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ClosingWhileWaiting, TheMenuEndsAsByAClickElsewhereBeforeTheDockSavesOnce) {
    DockUnderTest dock(folder.Path());
    menuOwner = &dock.program.Session();
    shutDownWhenTheMenuEnded = -1;
    HHOOK hook =
        ::SetWindowsHookExW(WH_CALLWNDPROC, &watchMenuEnd, nullptr, ::GetCurrentThreadId());
    closeWhile(dock, 1, [](DWORD, HWND popup) { return popup; });
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(shutDownWhenTheMenuEnded, 0);
    expectSavedOnceAsBefore();
}

TEST_F(ClosingWhileWaiting, TheItemSettingsDialogEndsAsByCancel) {
    DockUnderTest dock(folder.Path());
    closeWhile(dock, 1, [&](DWORD thread, HWND) {
        HWND dialog = press(dock.window, L's', thread, L"设置");
        if (dialog != nullptr) setTitle(dialog);
        return dialog;
    });
    expectSavedOnceAsBefore();
}

TEST_F(ClosingWhileWaiting, TheIconFileDialogEndsAsByCancelAndTheItemSettingsWithIt) {
    DockUnderTest dock(folder.Path());
    closeWhile(dock, 1, [&](DWORD thread, HWND) -> HWND {
        HWND settings = press(dock.window, L's', thread, L"设置");
        if (settings == nullptr) return nullptr;
        setTitle(settings);
        ::PostMessageW(settings, WM_COMMAND, MAKEWPARAM(IDC_ITEM_BROWSE, BN_CLICKED), 0);
        return waitForWindow(thread, L"#32770", L"请选择图标文件.");
    });
    expectSavedOnceAsBefore();
}

TEST_F(ClosingWhileWaiting, TheHotkeyFailureBoxEndsAndTheItemIsSavedAsItWasBefore) {
    ASSERT_TRUE(::RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, 'F'));
    DockUnderTest dock(folder.Path());
    closeWhile(dock, 1, [&](DWORD thread, HWND) -> HWND {
        HWND settings = press(dock.window, L's', thread, L"设置");
        if (settings == nullptr) return nullptr;
        setTitle(settings);
        ::SendDlgItemMessageW(settings, IDC_ITEM_HOTKEY, HKM_SETHOTKEY, kCtrlAltF, 0);
        ::PostMessageW(settings, WM_COMMAND, MAKEWPARAM(IDC_ITEM_SAVE, BN_CLICKED), 0);
        return waitForWindow(thread, L"#32770", L"错误");
    });
    expectSavedOnceAsBefore();
}

TEST_F(ClosingWhileWaiting, TheProgramSettingsDialogEndsAsByCancel) {
    DockUnderTest dock(folder.Path());
    closeWhile(dock, 0, [&](DWORD thread, HWND) {
        HWND dialog = press(dock.window, L'o', thread, L"程序设置");
        if (dialog != nullptr)
            ::SendDlgItemMessageW(dialog, IDC_PROGRAM_REFLECTION, BM_CLICK, 0, 0);
        return dialog;
    });
    expectSavedOnceAsBefore();
    EXPECT_EQ(profileValue(config(), texts::kSectionSettings, texts::kKeyReflection), "0");
}

TEST_F(ClosingWhileWaiting, TheDeleteConfirmationEndsAsByNoAndKeepsTheItem) {
    DockUnderTest dock(folder.Path());
    closeWhile(dock, 1,
               [&](DWORD thread, HWND) { return press(dock.window, L'd', thread, L"Varnel"); });
    expectSavedOnceAsBefore();
    // Shutdown released the hotkey: nothing registers it again behind the save.
    EXPECT_TRUE(::RegisterHotKey(other, 1, MOD_CONTROL | MOD_SHIFT, VK_F11));
}

TEST_F(ClosingWhileWaiting, TheDragOffConfirmationEndsAsByNoAndKeepsTheItem) {
    DockUnderTest dock(folder.Path());
    const int x = 144 + 18;
    closeWhileWaiting(
        dock,
        [&] {
            dock.dock().state.frame.hoverIndex = 1;
            ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 170));
            ::SendMessageA(dock.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 20));
            ::SendMessageA(dock.window, WM_LBUTTONUP, 0, MAKELPARAM(x, 20));
        },
        [&](DWORD thread) { return waitForWindow(thread, L"#32770", L"Varnel") != nullptr; });
    expectSavedOnceAsBefore();
}

// Answers the modal windows a menu command opens, as the user would: Yes to
// the delete question, a new picture in the item settings, a new float
// distance in the program settings, then saves.
std::string newIconPath;
LRESULT CALLBACK answerModalWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (::GetDlgItem(window, IDC_ITEM_SAVE) != nullptr) {
            ::SetDlgItemTextA(window, IDC_ITEM_ICON, newIconPath.c_str());
            ::PostMessageA(window, WM_COMMAND, IDC_ITEM_SAVE, 0);
        } else if (::GetDlgItem(window, IDC_PROGRAM_SAVE) != nullptr) {
            ::SetDlgItemTextA(window, IDC_PROGRAM_FLOAT_DISTANCE, "58");
            ::PostMessageA(window, WM_COMMAND, IDC_PROGRAM_SAVE, 0);
        } else if (::GetDlgItem(window, IDYES) != nullptr) {
            ::PostMessageA(window, WM_COMMAND, IDYES, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Every column between the ends of the background strip has some colour: a
// fully transparent one shows the desktop through the strip and lets clicks
// fall through it.
void expectNoHoleInTheStrip(DockUnderTest& dock, const char* when) {
    const DockState& state = dock.dock().state;
    const int count = state.items.Count();
    const int left = static_cast<int>(state.items[1].currentRect.left) - 30;
    const int right = static_cast<int>(state.items[count].currentRect.right) + 30;
    const int top = state.metrics.rowTop - 8;
    const testing::Pixels p = testing::pixelsOf(dock.program.Canvas());
    std::vector<int> holes;
    for (int x = left + 1; x < right - 1; ++x) {
        bool coloured = false;
        for (int y = top; y < top + 50 && !coloured; ++y) coloured = (p.at(x, y) >> 24) != 0;
        if (!coloured) holes.push_back(x);
    }
    EXPECT_EQ(holes, std::vector<int>{}) << when << ", " << count << " items";
}

class StripWithoutHoles : public DockWindow, public ::testing::WithParamInterface<int> {};

TEST_P(StripWithoutHoles, AtRestInAFadeAndAfterAnAddADeleteAndBothDialogs) {
    const int count = GetParam();
    writeFileText(config(), itemsSection(count, "C:\\a.exe", "0"));
    writeFileText(folder.File("dropped.txt"), "x");
    newIconPath = folder.File("icon.png");
    const auto& png = embedded::DefaultItemPicture;
    writeFileText(newIconPath,
                  std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
    DockUnderTest dock(folder.Path());
    Dock& d = dock.dock();
    ASSERT_EQ(d.state.items.Count(), count);
    expectNoHoleInTheStrip(dock, "at the start");

    // The magnification builds up left of the middle item's centre and fades
    // out again, frame by frame.
    const int middle = (count + 1) / 2;
    d.state.frame.pointerX = static_cast<int>(d.state.items[middle].baseRect.left) + 11;
    d.state.frame.pointerY = d.state.metrics.rowTop;
    d.state.frame.hoverIndex = middle;
    for (int frame = 0; frame < 10; ++frame) {
        renderFrame(frameOf(d), false);
        expectNoHoleInTheStrip(dock, "building up");
    }
    d.state.frame.hoverIndex = 0;
    for (int frame = 0; frame < 20 && d.state.frame.zoomIndex != 0; ++frame) {
        renderFrame(frameOf(d), false);
        expectNoHoleInTheStrip(dock, "fading");
    }
    EXPECT_EQ(d.state.frame.zoomIndex, 0);

    dock.call(WM_DROPFILES, dropOf(folder.File("dropped.txt")));
    ASSERT_EQ(d.state.items.Count(), count + 1);
    expectNoHoleInTheStrip(dock, "after an add");

    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &answerModalWindows, nullptr, ::GetCurrentThreadId());
    DockSession& session = dock.program.Session();
    d.state.commands.menuTargetIndex = 1;
    carryOutMenuCommand(session, IDM_DELETE_ITEM);
    EXPECT_EQ(d.state.items.Count(), count);
    expectNoHoleInTheStrip(dock, "after a delete");

    d.state.commands.menuTargetIndex = 1;
    carryOutMenuCommand(session, IDM_ITEM_SETTINGS);
    EXPECT_EQ(d.state.items[1].item.customIconPath, newIconPath);
    expectNoHoleInTheStrip(dock, "after the item settings");

    carryOutMenuCommand(session, IDM_PROGRAM_SETTINGS);
    EXPECT_EQ(d.settings.floatDistance, 58);
    expectNoHoleInTheStrip(dock, "after the program settings");
    ::UnhookWindowsHookEx(hook);
}

INSTANTIATE_TEST_SUITE_P(OneToThirtyItems, StripWithoutHoles, ::testing::Range(1, 31));

}  // namespace
}  // namespace dock::wine
