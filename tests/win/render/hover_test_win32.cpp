// The animation tick against the real pointer, the real window rectangle, the
// real timer and the real canvas: what the user's mouse does to hoverIndex.
#include <windows.h>

#include <gtest/gtest.h>

#include "dock/window_port_win32.h"
#include "fakes/fake_platform.h"
#include "render/canvas_win32.h"
#include "render/frame.h"
#include "dock/tick.h"
#include "render/layout.h"

namespace dock::wine {
namespace {

// The window of a three-item dock: 288 + 3 * 36 = 396 by 340 pixels.
constexpr int kLeft = 200;
constexpr int kTop = 150;

Dock* tickedDock = nullptr;
int ticks = 0;

// What the dock's own timer callback does: one tick of the hover tracking.
void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
    if (tickedDock != nullptr) animationTick(*tickedDock);
}

// Dispatches messages (and so timer callbacks) until `done` holds or `limitMs`
// has passed; returns the milliseconds it took.
template <typename Done>
DWORD pumpUntil(Done done, DWORD limitMs) {
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < limitMs) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return ::GetTickCount() - start;
}

class HoverOnTheRealWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "", WS_POPUP, kLeft,
                                   kTop, 396, 340, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
        canvas.AttachWindow(window);
        DockState& state = dock.state;
        state.metrics.backgroundHeight = 104;
        state.metrics.floatDistance = 48;
        state.metrics.rowTop = rowTop(state.metrics);
        dock.settings.floatBothWays = 1;
        for (int i = 1; i <= 3; ++i) state.items.Insert(i, DockItem{}, 0);
        layoutRow(state, 1);
        recreateCanvas(dock);
        tickedDock = &dock;
        ticks = 0;
    }
    void TearDown() override {
        tickedDock = nullptr;
        ::KillTimer(window, reinterpret_cast<UINT_PTR>(window));
        canvas.Destroy();
        ::DestroyWindow(window);
    }
    // The pointer at window coordinates (x, y) of the dock.
    static void pointAt(int x, int y) { ASSERT_TRUE(::SetCursorPos(kLeft + x, kTop + y)); }

    HWND window = nullptr;
    testing::FakePlatform fake;
    DockCanvas canvas;
    Win32DockWindow port{window, &onTick};
    Dock dock{Platform{fake.files, fake.profile, fake.messages, fake.pictures, canvas, fake.hotkeys,
                       fake.icons, port, fake.shell, fake.foreground},
              "C:\\Dock",
              fake.dock.leadBytes,
              {},
              {}};
};

TEST_F(HoverOnTheRealWindow, PointerOverACellHoversItInWindowCoordinates) {
    pointAt(200, 160);
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.hoverIndex, 2);
    EXPECT_EQ(dock.state.frame.pointerX, 200);
    EXPECT_EQ(dock.state.frame.pointerY, 160);
    EXPECT_EQ(dock.state.frame.zoomPercent, 10);
}

TEST_F(HoverOnTheRealWindow, TheWindowsOwnEdgesAreInsideAndTheRowsRightEdgeIsNot) {
    pointAt(0, 0);
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.pointerX, 0);
    EXPECT_EQ(dock.state.frame.pointerY, 0);
    pointAt(216, 152);  // the boundary between items 2 and 3
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.hoverIndex, 3);
    pointAt(395, 339);
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.pointerX, 395);
    EXPECT_EQ(dock.state.frame.pointerY, 339);
    pointAt(396, 200);
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.pointerX, 395);
    EXPECT_EQ(dock.state.frame.hoverIndex, 0);
}

TEST_F(HoverOnTheRealWindow, OnlyTheRowsWidthCountsWhenTheWindowIsWider) {
    ASSERT_TRUE(
        ::SetWindowPos(window, nullptr, kLeft, kTop, 600, 340, SWP_NOZORDER | SWP_NOACTIVATE));
    pointAt(450, 160);  // on the window, right of the row
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.pointerX, 0);
    EXPECT_EQ(dock.state.frame.pointerY, 0);
    EXPECT_EQ(dock.state.frame.hoverIndex, 0);
}

TEST_F(HoverOnTheRealWindow, LeavingTheWindowClearsTheHoverButKeepsThePointerPosition) {
    pointAt(200, 160);
    animationTick(dock);
    pointAt(-100, 160);
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.hoverIndex, 0);
    EXPECT_EQ(dock.state.frame.pointerX, 200);
    EXPECT_EQ(dock.state.frame.pointerY, 160);
}

TEST_F(HoverOnTheRealWindow, WhileBusyTheTickIgnoresThePointer) {
    pointAt(200, 160);
    animationTick(dock);
    dock.state.commands.busy = true;
    pointAt(240, 170);
    animationTick(dock);
    EXPECT_EQ(dock.state.frame.hoverIndex, 2);
    EXPECT_EQ(dock.state.frame.pointerX, 200);
    EXPECT_EQ(dock.state.frame.zoomPercent, 10);
}

// Ten fast ticks build the magnification, ten more fade it and one ends it;
// at 100 ms each that would take over two seconds.
TEST_F(HoverOnTheRealWindow, TheTimerRunsFastWhileHoveredOrFadingAndSlowsDownAtRest) {
    pointAt(198, 160);  // item 2's centre, 8 px below its top line
    animationTick(dock);
    const DWORD buildUp = pumpUntil([&] { return dock.state.frame.zoomPercent == 100; }, 3000);
    EXPECT_EQ(dock.state.frame.zoomPercent, 100);
    EXPECT_LT(buildUp, 700u);
    EXPECT_GE(ticks, 9);

    // The model as the product's compiler builds it: sunk by 8, neighbours by 8 * 30 / 36.
    const DockItemList& items = dock.state.items;
    EXPECT_EQ(items[2].currentRect, (RectF{162, -28, 234, 44}));
    EXPECT_EQ(items[2].lift, -8.0f);
    EXPECT_EQ(items[3].currentRect, (RectF{234, static_cast<float>(36.0 - 66 + 240.0 / 36), 300,
                                           static_cast<float>(36.0 + 240.0 / 36)}));
    EXPECT_EQ(items[1].lift, static_cast<float>(-240.0 / 36));

    pointAt(198, -50);  // above the window
    const DWORD fade = pumpUntil([&] { return dock.state.frame.zoomIndex == 0; }, 3000);
    EXPECT_EQ(dock.state.frame.zoomIndex, 0);
    EXPECT_LT(fade, 700u);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(items[i].currentRect, items[i].baseRect);

    ticks = 0;
    pumpUntil([] { return false; }, 450);
    EXPECT_GE(ticks, 1);
    EXPECT_LE(ticks, 6);
}

}  // namespace
}  // namespace dock::wine
