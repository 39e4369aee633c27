// The context menu on the real menu resource: showContextMenu run on this
// thread, worked from a driver thread through the menu loop's own keyboard
// handling, with the commands carried out on the real adapters.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog_test_support.h"
#include "app/context_menu_win32.h"
#include "features/autostart/start_with_windows.h"
#include "render/layout.h"
#include "support/lead_bytes_win32.h"
#include "support/program_directory_win32.h"

namespace dock::wine {
namespace {

struct MenuSeen {
    bool shown = false;
    UINT settingsState = 0, deleteState = 0, programState = 0, exitState = 0;
    UINT lockState = 0, topState = 0, dragState = 0, addState = 0;
    UINT avoidState = 0, startState = 0;
    POINT topLeft{};
    HWND foreground = nullptr;
};

class ContextMenuTest : public ::testing::Test {
  protected:
    // Opens the menu as a right-button release would, records what it shows,
    // then sends `keys` (characters: mnemonics; VK_ESCAPE as 0x1B) to the
    // menu loop and runs `after` on the driver thread.
    MenuSeen openMenuAndPress(const std::wstring& keys, std::function<void()> after = {}) {
        MenuSeen seen;
        const DWORD thread = ::GetCurrentThreadId();
        HWND dockWindow = real.window();
        HMENU menu = real.session().menuHandle.get();
        {
            Driver driver([&] {
                HWND popup = waitForWindow(thread, L"#32768", L"");
                seen.shown = popup != nullptr;
                if (popup == nullptr) return;
                pauseForScreenshot();
                RECT r{};
                ::GetWindowRect(popup, &r);
                seen.topLeft = {r.left, r.top};
                seen.foreground = ::GetForegroundWindow();
                seen.settingsState = ::GetMenuState(menu, IDM_ITEM_SETTINGS, MF_BYCOMMAND);
                seen.deleteState = ::GetMenuState(menu, IDM_DELETE_ITEM, MF_BYCOMMAND);
                seen.programState = ::GetMenuState(menu, IDM_PROGRAM_SETTINGS, MF_BYCOMMAND);
                seen.exitState = ::GetMenuState(menu, IDM_EXIT, MF_BYCOMMAND);
                seen.lockState = ::GetMenuState(menu, IDM_LOCK_POSITION, MF_BYCOMMAND);
                seen.topState = ::GetMenuState(menu, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND);
                seen.dragState = ::GetMenuState(menu, IDM_DRAG_REORDER, MF_BYCOMMAND);
                seen.addState = ::GetMenuState(menu, IDM_ADD_ITEMS, MF_BYCOMMAND);
                seen.avoidState = ::GetMenuState(menu, IDM_FULLSCREEN_AVOID, MF_BYCOMMAND);
                seen.startState = ::GetMenuState(menu, IDM_START_WITH_WINDOWS, MF_BYCOMMAND);
                for (wchar_t key : keys) {
                    if (key == 0x1B)
                        ::PostMessageW(dockWindow, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                    else if (key == '\r')
                        ::PostMessageW(dockWindow, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                    else if (key == L'\u2193')
                        ::PostMessageW(dockWindow, WM_KEYDOWN, VK_DOWN, 0x01500001);
                    else
                        ::PostMessageW(dockWindow, WM_CHAR, key, 0x00000001);
                }
                if (after) after();
                // Whatever the keys did, the menu must be gone in the end.
                if (!waitUntilGone(popup, 2000))
                    ::PostMessageW(dockWindow, WM_KEYDOWN, VK_ESCAPE, 0);
            });
            showContextMenu(real.session());
        }
        EXPECT_TRUE(seen.shown);
        return seen;
    }
    // Whether the dock's timer exists, asked from the driver thread while this
    // thread waits in a modal loop. Killing it is the only way to ask: a timer
    // found is gone afterwards, which fails the test anyway.
    bool timerArmed() {
        HWND window = real.window();
        return ::KillTimer(window, reinterpret_cast<UINT_PTR>(window)) != FALSE;
    }
    void addThreeItems() {
        real.AddItem(DockItem{"A", 0, "C:\\a.exe", ""});
        real.AddItem(DockItem{"B", 0, "C:\\b.exe", ""});
        real.AddItem(DockItem{"C", 0x0658, "C:\\c.exe", ""});  // Ctrl+Alt+X
        layoutRow(real.dock().state, 1);
        ::SetWindowPos(real.window(), HWND_TOPMOST, 200, 150, 396, 340, SWP_SHOWWINDOW);
    }
    RealDock real;
};

TEST_F(ContextMenuTest, OverTheEmptyAreaDisablesBothItemEntriesAndOpensAtThePointer) {
    ::SetCursorPos(300, 250);
    real.dock().state.frame.hoverIndex = 0;
    const MenuSeen seen = openMenuAndPress(L"sd\x1B");  // disabled mnemonics do nothing
    EXPECT_EQ(seen.settingsState & MF_DISABLED, static_cast<UINT>(MF_DISABLED));
    EXPECT_EQ(seen.deleteState & MF_DISABLED, static_cast<UINT>(MF_DISABLED));
    EXPECT_EQ(seen.programState & MF_DISABLED, 0u);
    EXPECT_EQ(seen.exitState & MF_DISABLED, 0u);
    EXPECT_EQ(seen.topLeft.x, 300);
    EXPECT_EQ(seen.topLeft.y, 250);
    EXPECT_EQ(real.dock().state.commands.menuTargetIndex, 0);
    EXPECT_FALSE(real.dock().state.commands.busy);
}

TEST_F(ContextMenuTest, TracksWithTheDockInTheForegroundSoThatAClickElsewhereEndsIt) {
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 700, 500, 40, 40,
                                   nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ASSERT_EQ(::GetForegroundWindow(), other);
    const MenuSeen seen = openMenuAndPress(L"\x1B");
    EXPECT_EQ(seen.foreground, real.window());
    ::DestroyWindow(other);
}

TEST_F(ContextMenuTest, OverAnItemEnablesBothItemEntriesAgain) {
    real.AddItem(DockItem{"A", 0, "C:\\a.exe", ""});
    real.dock().state.frame.hoverIndex = 0;
    openMenuAndPress(L"\x1B");
    real.dock().state.frame.hoverIndex = 1;
    const MenuSeen seen = openMenuAndPress(L"\x1B");
    EXPECT_EQ(seen.settingsState & MF_DISABLED, 0u);
    EXPECT_EQ(seen.deleteState & MF_DISABLED, 0u);
    EXPECT_EQ(real.dock().state.commands.menuTargetIndex, 1);
    EXPECT_EQ(real.dock().state.items.Count(), 1);
}

TEST_F(ContextMenuTest, TheLockToggleFollowsAndShowsTheLockedSetting) {
    DockState& state = real.dock().state;
    MenuSeen seen = openMenuAndPress(L"l");
    EXPECT_EQ(seen.lockState & MF_CHECKED, 0u);
    EXPECT_EQ(real.dock().settings.locked, 1);
    EXPECT_TRUE(std::exchange(state.saving.saveDue, false));
    seen = openMenuAndPress(L"l");
    EXPECT_EQ(seen.lockState & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(real.dock().settings.locked, 0);
    EXPECT_TRUE(std::exchange(state.saving.saveDue, false));
    // Changed in memory behind the menu's back: the next opening shows it.
    real.dock().settings.locked = 1;
    seen = openMenuAndPress(L"\x1B");
    EXPECT_EQ(seen.lockState & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_FALSE(state.saving.saveDue) << "a dismissed menu changes nothing";
}

TEST_F(ContextMenuTest, TheExtendedSubmenuTogglesDragToReorderAndShowsItsValue) {
    DockState& state = real.dock().state;
    ::SetCursorPos(300, 250);
    MenuSeen seen = openMenuAndPress(L"x\r");
    EXPECT_EQ(seen.dragState & MF_CHECKED, static_cast<UINT>(MF_CHECKED)) << "on by default";
    EXPECT_EQ(seen.addState & MF_DISABLED, 0u) << "adding is always possible";
    EXPECT_EQ(real.dock().settings.dragReorder, 0);
    EXPECT_TRUE(std::exchange(state.saving.saveDue, false));
    seen = openMenuAndPress(L"x\r");
    EXPECT_EQ(seen.dragState & MF_CHECKED, 0u);
    EXPECT_EQ(real.dock().settings.dragReorder, 1);
    EXPECT_TRUE(std::exchange(state.saving.saveDue, false));
    seen = openMenuAndPress(L"\x1B");
    EXPECT_EQ(seen.dragState & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
}

TEST_F(ContextMenuTest, TheExtendedSubmenuTogglesFullscreenAvoidanceWithItsForegroundWatch) {
    DockState& state = real.dock().state;
    // 全屏避让 is the fourth entry of the submenu.
    const wchar_t* chooseAvoidance = L"x\u2193\u2193\u2193\r";
    MenuSeen seen = openMenuAndPress(chooseAvoidance);
    EXPECT_EQ(seen.avoidState & MF_CHECKED, 0u) << "off by default";
    EXPECT_EQ(real.dock().settings.fullscreenAvoid, 1);
    EXPECT_TRUE(real.features().fullscreen.watching);
    EXPECT_TRUE(std::exchange(state.saving.saveDue, false));
    seen = openMenuAndPress(chooseAvoidance);
    EXPECT_EQ(seen.avoidState & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(real.dock().settings.fullscreenAvoid, 0);
    EXPECT_FALSE(real.features().fullscreen.watching);
    EXPECT_TRUE(state.saving.saveDue);
}

// The Run key's value of this test program, or "<absent>".
std::string runValueOfThisProgram() {
    char text[1024] = {};
    DWORD size = sizeof text;
    const std::string name = runValueName(ProgramPath(), SystemLeadBytes());
    const LSTATUS status =
        ::RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                       name.c_str(), RRF_RT_REG_SZ, nullptr, text, &size);
    return status == ERROR_SUCCESS ? std::string(text) : "<absent>";
}

TEST_F(ContextMenuTest, StartWithWindowsAddsAndRemovesTheRunValueAndItsMarkFollows) {
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         runValueName(ProgramPath(), SystemLeadBytes()).c_str());
    char path[MAX_PATH];
    std::string quoted = "\"";
    quoted.append(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH)).append("\"");
    MenuSeen seen = openMenuAndPress(L"xw");
    EXPECT_EQ(seen.startState & MF_CHECKED, 0u);
    EXPECT_EQ(runValueOfThisProgram(), quoted);
    seen = openMenuAndPress(L"xw");
    EXPECT_EQ(seen.startState & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(runValueOfThisProgram(), "<absent>");
    seen = openMenuAndPress(L"\x1B");
    EXPECT_EQ(seen.startState & MF_CHECKED, 0u);
    EXPECT_FALSE(real.dock().state.saving.saveDue) << "config.ini holds nothing of it";
}

TEST_F(ContextMenuTest, AlwaysOnTopSwitchedOnWhileAFullScreenProgramIsInFrontWaitsForItsEnd) {
    real.dock().settings.alwaysOnTop = 0;
    ::SetWindowPos(real.window(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    real.dock().state.place.yieldsToFullscreen = true;
    openMenuAndPress(L"a");
    EXPECT_EQ(real.dock().settings.alwaysOnTop, 1);
    EXPECT_EQ(::GetWindowLongPtrW(real.window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(ContextMenuTest, TheAlwaysOnTopToggleChangesTheWindowsZOrderInPlace) {
    const RECT before = real.windowRect();
    MenuSeen seen = openMenuAndPress(L"a");
    EXPECT_EQ(seen.topState & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(real.dock().settings.alwaysOnTop, 0);
    EXPECT_TRUE(std::exchange(real.dock().state.saving.saveDue, false));
    EXPECT_EQ(::GetWindowLongPtrW(real.window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    const RECT after = real.windowRect();
    EXPECT_TRUE(::EqualRect(&before, &after));
    seen = openMenuAndPress(L"a");
    EXPECT_EQ(seen.topState & MF_CHECKED, 0u);
    EXPECT_EQ(real.dock().settings.alwaysOnTop, 1);
    EXPECT_TRUE(real.dock().state.saving.saveDue);
    EXPECT_EQ(::GetWindowLongPtrW(real.window(), GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

TEST_F(ContextMenuTest, DeleteAsksAndOnYesRemovesTheItemAndRenumbersItsHotkeys) {
    addThreeItems();
    real.dock().state.frame.hoverIndex = 2;
    const DWORD thread = ::GetCurrentThreadId();
    MessageBoxSeen box;
    openMenuAndPress(L"d", [&] { box = answerMessageBox(thread, L"Varnel", IDYES); });
    EXPECT_EQ(box.caption, L"Varnel : 删除当前选中的图标");
    EXPECT_EQ(box.text, L"B");
    DockState& state = real.dock().state;
    ASSERT_EQ(state.items.Count(), 2);
    EXPECT_EQ(state.items[2].item.title, "C");
    // Ctrl+Alt+X now lives under id 2; id 3 holds nothing.
    EXPECT_FALSE(::UnregisterHotKey(real.window(), 3));
    EXPECT_TRUE(::UnregisterHotKey(real.window(), 2));
    // One cell narrower around the same centre.
    const RECT r = real.windowRect();
    EXPECT_EQ(r.left, 218);
    EXPECT_EQ(r.right - r.left, 360);
    EXPECT_EQ(real.canvas().SurfaceWidth(), 360);
    EXPECT_FALSE(state.commands.busy);
    const int ticks = RealDock::ticks();
    EXPECT_TRUE(pumpUntil([&] { return RealDock::ticks() > ticks; }))
        << "the animation timer runs again";
}

TEST_F(ContextMenuTest, DeclinedDeleteKeepsEverythingAndRestartsTheTimer) {
    addThreeItems();
    real.dock().state.frame.hoverIndex = 3;
    real.dock().platform.window.ArmTimer(10);  // the running dock's timer
    const DWORD thread = ::GetCurrentThreadId();
    MessageBoxSeen box;
    bool timerWhileAsking = true;
    openMenuAndPress(L"d", [&] {
        waitForWindow(thread, L"#32770", L"Varnel");
        timerWhileAsking = timerArmed();
        box = answerMessageBox(thread, L"Varnel", IDNO);
    });
    EXPECT_EQ(box.text, L"C");
    EXPECT_FALSE(timerWhileAsking) << "stopped while the question is open";
    EXPECT_EQ(real.dock().state.items.Count(), 3);
    EXPECT_TRUE(::UnregisterHotKey(real.window(), 3));
    EXPECT_EQ(real.windowRect().left, 200);
    const int ticks = RealDock::ticks();
    EXPECT_TRUE(pumpUntil([&] { return RealDock::ticks() > ticks; }));
    EXPECT_FALSE(real.dock().state.commands.busy);
}

TEST_F(ContextMenuTest, ItemSettingsOpensForTheItemUnderThePointerWithTheTimerStopped) {
    addThreeItems();
    real.dock().state.frame.hoverIndex = 2;
    real.dock().platform.window.ArmTimer(10);  // the running dock's timer
    const DWORD thread = ::GetCurrentThreadId();
    std::wstring caption;
    bool timerWhileOpen = true;
    openMenuAndPress(L"s", [&] {
        HWND dialog = waitForWindow(thread, L"#32770", L"设置");
        if (dialog == nullptr) return;
        caption = wideText(dialog);
        timerWhileOpen = timerArmed();
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        waitUntilGone(dialog);
    });
    EXPECT_EQ(caption, L"设置 - B");
    EXPECT_FALSE(timerWhileOpen);
    EXPECT_EQ(real.dock().state.commands.editedItemIndex, 2);
    EXPECT_FALSE(real.dock().state.commands.busy);
    const int ticks = RealDock::ticks();
    EXPECT_TRUE(pumpUntil([&] { return RealDock::ticks() > ticks; }));
}

TEST_F(ContextMenuTest, ProgramSettingsOpensTheSettingsDialog) {
    const DWORD thread = ::GetCurrentThreadId();
    bool opened = false;
    openMenuAndPress(L"o", [&] {
        HWND dialog = waitForWindow(thread, L"#32770", L"程序设置");
        opened = dialog != nullptr;
        if (dialog == nullptr) return;
        ::SendDlgItemMessageW(dialog, IDC_PROGRAM_REFLECTION, BM_CLICK, 0, 0);
        ::SendDlgItemMessageW(dialog, IDC_PROGRAM_SAVE, BM_CLICK, 0, 0);
        waitUntilGone(dialog);
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(real.dock().settings.reflection, 1);
    EXPECT_FALSE(real.dock().state.commands.busy);
}

}  // namespace
}  // namespace dock::wine
