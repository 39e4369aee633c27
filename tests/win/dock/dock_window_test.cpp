// The dock dialog built from the real resources and driven with real
// messages in the test process.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "../render/surface_win32.h"
#include "dock/context_menu_win32.h"
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
    EXPECT_FALSE(dock.dock().state.busy);
    EXPECT_EQ(dock.dock().state.items.Count(), 0);
    EXPECT_EQ(dock.dock().settings.launchCooldownMs, 1000);
    EXPECT_EQ(dock.dock().settings.trayImagePath, folder.File("res\\1.png"));
    EXPECT_FALSE(exists(config()));  // reading never creates the file
}

TEST_F(DockWindow, TheBareTemplatePutsTheDockAtTheOrigin) {
    writeFileText(config(), ConfigTemplate);
    DockUnderTest dock(folder.Path());
    const RECT r = dock.rect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 288);
    EXPECT_EQ(r.bottom, 340);
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
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    writeFileText(config(), settingsSection({{texts::kKeyLeft, std::to_string(screenWidth - 10)},
                                             {texts::kKeyTop, "-300"},
                                             {texts::kKeyAlwaysOnTop, "0"}}));
    DockUnderTest dock(folder.Path());
    EXPECT_EQ(dock.rect().left, screenWidth - 10);
    EXPECT_EQ(dock.rect().top, -300);
    EXPECT_FALSE(::GetWindowLongPtrA(dock.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
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
    dock.dock().state.hoverIndex = 0;
    dock.call(WM_LBUTTONDBLCLK);  // the empty part of the dock launches nothing
    dock.dock().state.hoverIndex = 2;
    EXPECT_EQ(dock.call(WM_LBUTTONDBLCLK), FALSE);
    EXPECT_EQ(dock.shell.launched, (std::vector<Launched>{{"C:/Tools/app.exe", "C:\\Tools\\"}}));
}

TEST_F(DockWindow, TheCooldownHoldsBack999MsAndLaunchesAt1000) {
    writeFileText(config(), itemsSection(2, "app.exe", "0"));
    DockUnderTest dock(folder.Path());
    dock.dock().state.hoverIndex = 1;
    const std::uint32_t ticks[] = {0xFFFFFE00u, 0xFFFFFE00u + 999, 0xFFFFFE00u + 1000,
                                   0xFFFFFE00u + 1001};
    for (std::uint32_t tick : ticks) {
        dock.shell.tick = tick;
        dock.call(WM_LBUTTONDBLCLK);
    }
    // The third launch comes after the counter wrapped; the fourth is held.
    EXPECT_EQ(dock.shell.launched.size(), 2u);
    dock.dock().state.hoverIndex = 2;
    dock.call(WM_LBUTTONDBLCLK);  // another item is never held back
    EXPECT_EQ(dock.shell.launched.size(), 3u);
    EXPECT_EQ(dock.shell.launched.back(), (Launched{"app.exe", ""}));
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
    dock.dock().state.hoverIndex = 1;
    dock.call(WM_LBUTTONDBLCLK);
    std::string marker;
    for (int i = 0; i < 100 && marker.empty(); ++i) {
        ::Sleep(50);
        marker = readFileText(programs.File("marker.txt"));
    }
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
        dock.dock().state.hoverIndex = 1;
        dock.call(WM_LBUTTONDBLCLK);
        EXPECT_EQ(dock.shell.launched, (std::vector<Launched>{{"marker.exe", ""}}));
        std::string marker;
        for (int i = 0; i < 100 && marker.empty(); ++i) {
            ::Sleep(50);
            marker = readFileText(programs.File("marker.txt"));
        }
        EXPECT_EQ(marker, programs.Path() + "\r\n");
    }
    ::SetCurrentDirectoryA(previous);
}

// Builds the HDROP the shell would send for one file.
HGLOBAL dropOf(const std::string& path) {
    const SIZE_T size = sizeof(DROPFILES) + path.size() + 2;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
    ::GlobalUnlock(memory);
    return memory;
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
    dock.dock().state.hoverIndex = 1;
    dock.dock().state.busy = true;

    EXPECT_EQ(dock.call(WM_LBUTTONDBLCLK), FALSE);
    EXPECT_EQ(dock.call(WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F11)), FALSE);
    dock.call(WM_RBUTTONUP);
    dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(folder.File("dropped.txt"))));
    EXPECT_TRUE(dock.shell.launched.empty());
    EXPECT_EQ(menusOpened, 0);
    EXPECT_EQ(dock.dock().state.items.Count(), 1);

    // The same messages once the dock is free again.
    dock.dock().state.busy = false;
    dock.shell.tick = 10000;
    dock.call(WM_LBUTTONDBLCLK);
    dock.shell.tick = 20000;
    EXPECT_EQ(dock.call(WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F11)), TRUE);
    EXPECT_EQ(dock.shell.launched.size(), 2u);
    dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(folder.File("dropped.txt"))));
    EXPECT_EQ(dock.dock().state.items.Count(), 2);
    const UINT_PTR timer =
        ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    dock.call(WM_RBUTTONUP);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(menusOpened, 1);
    ::UnhookWindowsHookEx(hook);
}

TEST_F(DockWindow, CloseSavesOnceAndEndsTheDialog) {
    DockUnderTest dock(folder.Path());
    const RECT r = dock.rect();
    EXPECT_EQ(dock.call(WM_CLOSE), TRUE);
    EXPECT_TRUE(dock.program.Session().ended);
    EXPECT_EQ(dock.program.Session().menuHandle, nullptr);
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
    dock.dock().state.hoverIndex = 0;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(moveLoops, 1);
    dock.dock().state.hoverIndex = 1;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 170));
    EXPECT_EQ(moveLoops, 1);
    dock.dock().state.hoverIndex = 0;
    dock.dock().settings.locked = 1;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(moveLoops, 1);
    // Busy does not stop a move: the button-down branch never looks at it.
    dock.dock().settings.locked = 0;
    dock.dock().state.busy = true;
    ::SendMessageA(dock.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(moveLoops, 2);
    dock.dock().state.busy = false;
    ::SetWindowLongPtrA(dock.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogProcedure));
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
    d.state.pointerX = static_cast<int>(d.state.items[middle].baseRect.left) + 11;
    d.state.pointerY = d.state.metrics.rowTop;
    d.state.hoverIndex = middle;
    for (int frame = 0; frame < 10; ++frame) {
        renderFrame(d, false);
        expectNoHoleInTheStrip(dock, "building up");
    }
    d.state.hoverIndex = 0;
    for (int frame = 0; frame < 20 && d.state.zoomIndex != 0; ++frame) {
        renderFrame(d, false);
        expectNoHoleInTheStrip(dock, "fading");
    }
    EXPECT_EQ(d.state.zoomIndex, 0);

    dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(folder.File("dropped.txt"))));
    ASSERT_EQ(d.state.items.Count(), count + 1);
    expectNoHoleInTheStrip(dock, "after an add");

    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &answerModalWindows, nullptr, ::GetCurrentThreadId());
    DockSession& session = dock.program.Session();
    d.state.menuTargetIndex = 1;
    carryOutMenuCommand(session, IDM_DELETE_ITEM);
    EXPECT_EQ(d.state.items.Count(), count);
    expectNoHoleInTheStrip(dock, "after a delete");

    d.state.menuTargetIndex = 1;
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
