// The animation tick against the real pointer, the real window rectangle, the
// real timer and the real canvas: what the user's mouse does to hoverIndex.
#include <windows.h>

#include <gtest/gtest.h>

#include "../wait_until.h"
#include "app/window_port_win32.h"
#include "fakes/fake_platform.h"
#include "render/canvas_win32.h"
#include "render/frame.h"
#include "app/tick.h"
#include "render/layout.h"

namespace dock::wine {
namespace {

// The window of a three-item dock: 288 + 3 * 36 = 396 by 340 pixels.
constexpr int kLeft = 200;
constexpr int kTop = 150;

testing::FakePlatform* tickedFakes = nullptr;
Dock* tickedDock = nullptr;

// What the dock's own timer callback does: one tick of the hover tracking.
void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    if (tickedDock != nullptr) animationTick(*tickedDock, tickedFakes->features);
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
        recreateCanvas(frameOf(dock));
        tickedDock = &dock;
        tickedFakes = &fake;
    }
    void TearDown() override {
        tickedDock = nullptr;
        tickedFakes = nullptr;
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
    animationTick(dock, fake.features);
    EXPECT_EQ(dock.state.frame.hoverIndex, 2);
    EXPECT_EQ(dock.state.frame.pointerX, 200);
    EXPECT_EQ(dock.state.frame.pointerY, 160);
    EXPECT_EQ(dock.state.frame.zoomPercent, 10);
}

TEST_F(HoverOnTheRealWindow, TheWindowsOwnEdgesAreInsideAndTheRowsRightEdgeIsNot) {
    pointAt(0, 0);
    animationTick(dock, fake.features);
    EXPECT_EQ(dock.state.frame.pointerX, 0);
    EXPECT_EQ(dock.state.frame.pointerY, 0);
    pointAt(216, 152);  // the boundary between items 2 and 3
    animationTick(dock, fake.features);
    EXPECT_EQ(dock.state.frame.hoverIndex, 3);
    pointAt(395, 339);
    animationTick(dock, fake.features);
    EXPECT_EQ(dock.state.frame.pointerX, 395);
    EXPECT_EQ(dock.state.frame.pointerY, 339);
    pointAt(396, 200);
    animationTick(dock, fake.features);
    EXPECT_EQ(dock.state.frame.pointerX, 395);
    EXPECT_EQ(dock.state.frame.hoverIndex, 0);
}

// The real timer carries the magnification through: built up under the
// pointer, faded out once it leaves.
TEST_F(HoverOnTheRealWindow, TheTimerBuildsTheMagnificationAndFadesItOut) {
    pointAt(198, 160);  // item 2's centre, 8 px below its top line
    animationTick(dock, fake.features);
    EXPECT_TRUE(pumpUntil([&] { return dock.state.frame.zoomPercent == 100; }));

    // The model as the product's compiler builds it: sunk by 8, neighbours by 8 * 30 / 36.
    const DockItemList& items = dock.state.items;
    EXPECT_EQ(items[2].currentRect, (RectF{162, -28, 234, 44}));
    EXPECT_EQ(items[2].lift, -8.0f);
    EXPECT_EQ(items[3].currentRect, (RectF{234, static_cast<float>(36.0 - 66 + 240.0 / 36), 300,
                                           static_cast<float>(36.0 + 240.0 / 36)}));
    EXPECT_EQ(items[1].lift, static_cast<float>(-240.0 / 36));

    pointAt(198, -50);  // above the window
    EXPECT_TRUE(pumpUntil([&] { return dock.state.frame.zoomIndex == 0; }));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(items[i].currentRect, items[i].baseRect);
}

}  // namespace
}  // namespace dock::wine
