// The window adapter against the real API.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/window_port_win32.h"
#include "dock_test_support.h"

namespace dock::wine {
namespace {

int ticks = 0;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
}

class WindowPort : public ::testing::Test {
  protected:
    void SetUp() override {
        window = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 10, 20, 100, 50,
                                   nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { ::DestroyWindow(window); }
    HWND window = nullptr;
    Win32DockWindow port{window, &countTick};
};

TEST_F(WindowPort, PlacesSizesShowsAndOrdersTheWindow) {
    port.PlaceWindow(true, -40, 30, 288, 340);
    EXPECT_EQ(port.WindowRect(), (RectI{-40, 30, 248, 370}));
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    port.PlaceWindow(false, 5, 6, 70, 80);
    EXPECT_EQ(port.WindowRect(), (RectI{5, 6, 75, 86}));
    EXPECT_FALSE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowPort, MovesKeepingSizeAndOrder) {
    port.PlaceWindow(true, 5, 6, 70, 80);
    port.MoveTo(-300, 40);
    EXPECT_EQ(port.WindowRect(), (RectI{-300, 40, -230, 120}));
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowPort, ListsTheWorkAreaAndTheScaleOfTheOneMonitor) {
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(port.WorkAreas(),
              (std::vector<RectI>{{work.left, work.top, work.right, work.bottom}}));
    // A process that did not declare itself DPI-aware already sees 96-DPI units.
    const RectI screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_EQ(port.MonitorScales(), (std::vector<MonitorScale>{{screen, 96}}));
}

TEST_F(WindowPort, AcceptsDrops) {
    port.AcceptDrops();
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(WindowPort, ReadsThePointerInScreenCoordinates) {
    ASSERT_TRUE(::SetCursorPos(321, 123));
    EXPECT_EQ(port.CursorPos(), (PointI{321, 123}));
}

TEST_F(WindowPort, KeepsTheLastRectangleWhenTheWindowIsGone) {
    port.PlaceWindow(true, 1, 2, 30, 40);
    EXPECT_EQ(port.WindowRect(), (RectI{1, 2, 31, 42}));
    ::DestroyWindow(window);
    EXPECT_EQ(port.WindowRect(), (RectI{1, 2, 31, 42}));
}

TEST_F(WindowPort, ArmsOneTimerUnderTheWindowsHandleValue) {
    ticks = 0;
    port.ArmTimer(100);
    port.ArmTimer(10);  // replaces the period: still one timer
    EXPECT_TRUE(pumpUntil([] { return ticks >= 10; }));
    EXPECT_TRUE(::KillTimer(window, reinterpret_cast<UINT_PTR>(window)));
    EXPECT_FALSE(::KillTimer(window, reinterpret_cast<UINT_PTR>(window)));
    port.ArmTimer(10);
    port.StopTimer();
    EXPECT_FALSE(::KillTimer(window, reinterpret_cast<UINT_PTR>(window)));
}

TEST_F(WindowPort, FindsAMonitorOnlyForRectanglesThatOverlapOne) {
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    EXPECT_TRUE(port.TouchesAnyMonitor({100, 100, 388, 440}));
    EXPECT_TRUE(port.TouchesAnyMonitor({left - 287, top, left + 1, top + 340}));
    EXPECT_TRUE(port.TouchesAnyMonitor(
        {left + width - 1, top + height - 1, left + width + 287, top + height + 339}));
    EXPECT_FALSE(port.TouchesAnyMonitor({left - 288, top, left, top + 340}));
    EXPECT_FALSE(port.TouchesAnyMonitor({left + width, top, left + width + 288, top + 340}));
    EXPECT_FALSE(port.TouchesAnyMonitor({5000, 5000, 5288, 5340}));
    EXPECT_FALSE(port.TouchesAnyMonitor({-5288, -5340, -5000, -5000}));
}

}  // namespace
}  // namespace dock::wine
