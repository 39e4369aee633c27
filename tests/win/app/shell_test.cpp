// The shell adapter against the real API.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/shell_win32.h"
#include "dock_test_support.h"

namespace dock::wine {
namespace {

TEST(ShellPort, CountsMillisecondsLikeTheSystem) {
    HWND none = nullptr;
    Win32Shell shell(none);
    const DWORD before = ::GetTickCount();
    const std::uint32_t tick = shell.TickCount();
    const DWORD after = ::GetTickCount();
    EXPECT_LE(before, tick);
    EXPECT_LE(tick, after);
}

TEST(ShellPort, StartsAProgramInTheGivenDirectory) {
    ScratchFolder programs, elsewhere;
    ASSERT_TRUE(::CopyFileA((moduleDirectory() + "\\" + DOCK_MARKER_NAME).c_str(),
                            programs.File("marker.exe").c_str(), FALSE));
    HWND none = nullptr;
    Win32Shell shell(none);
    shell.Launch(programs.File("marker.exe"), elsewhere.Path() + "\\");
    std::string marker;
    pumpUntil([&] { return !(marker = readFileText(programs.File("marker.txt"))).empty(); });
    EXPECT_EQ(marker, elsewhere.Path() + "\r\n");
}

TEST(ShellPort, ReportsWhatTheTaskbarJudgesOfEachTopLevelWindowAndItsProgram) {
    auto make = [](DWORD exStyle, DWORD style, HWND owner) {
        return ::CreateWindowExA(exStyle, "STATIC", "", style, 10, 20, 100, 50, owner, nullptr,
                                 nullptr, nullptr);
    };
    HWND shown = make(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
    const std::pair<HWND, TopLevelWindow> cases[] = {
        {shown, {}},
        {make(0, WS_POPUP, nullptr), {.visible = false, .caption = false}},
        {make(WS_EX_APPWINDOW, WS_POPUP | WS_VISIBLE, shown),
         {.owned = true, .caption = false, .appWindow = true}},
        {make(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr),
         {.toolWindow = true, .noActivate = true}},
    };
    HWND none = nullptr;
    Win32Shell shell(none);
    const std::vector<TopLevelWindow> windows = shell.TopLevelWindows();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        TopLevelWindow facts = cases[i].second;
        facts.window = reinterpret_cast<std::uintptr_t>(cases[i].first);
        facts.processId = ::GetCurrentProcessId();
        EXPECT_EQ(std::count(windows.begin(), windows.end(), facts), 1) << i;
    }
    char image[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, image, MAX_PATH);
    EXPECT_EQ(::lstrcmpiA(shell.ProcessImage(::GetCurrentProcessId()).c_str(), image), 0);
    for (const auto& c : cases) ::DestroyWindow(c.first);
}

TEST(ShellPort, BringsAMinimisedWindowBackToTheForeground) {
    auto make = [] {
        return ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    };
    HWND wanted = make();
    HWND other = make();
    ::ShowWindow(wanted, SW_MINIMIZE);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(pumpUntil([&] { return ::IsIconic(wanted) && ::GetForegroundWindow() == other; }));
    HWND none = nullptr;
    Win32Shell(none).BringToFront(reinterpret_cast<std::uintptr_t>(wanted));
    EXPECT_TRUE(
        pumpUntil([&] { return !::IsIconic(wanted) && ::GetForegroundWindow() == wanted; }));
    ::DestroyWindow(wanted);
    ::DestroyWindow(other);
}

}  // namespace
}  // namespace dock::wine
