#include "app/tick.h"

#include "config/configuration.h"
#include "config/timer_periods.h"
#include "features/fullscreen_avoidance/fullscreen_avoidance.h"
#include "features/arranging/item_drag.h"
#include "features/running_programs/running_items.h"
#include "features/keyboard_mode/keyboard_mode.h"
#include "features/auto_hide/auto_hide.h"
#include "features/drop_open/drop_open.h"
#include "features/launch_feedback/launch_feedback.h"
#include "render/frame.h"
#include "render/hover.h"
#include "render/layout.h"

namespace dock {
namespace {

// While an item is dragged the pointer is followed wherever it is, inside the
// window or not, and nothing magnifies.
void dragTick(Dock& dock) {
    leaveKeyboardMode(dock, ModeEnd::keepForeground);
    DockWindowPort& window = dock.platform.window;
    const PointI pointer = window.CursorPos();
    const RectI area = window.WindowRect();
    followDragPointer(dock, {truncateToInt(double(pointer.x) - area.left),
                             truncateToInt(double(pointer.y) - area.top)});
    window.ArmTimer(kFastPeriodMs);
}

// The window's rectangle as far as the row reaches: the window may not have
// caught up with the item count yet; the row's extent is what counts.
RectI rowArea(Dock& dock) {
    const LayoutMetrics& metrics = dock.state.metrics;
    RectI area = dock.platform.window.WindowRect();
    area.right = truncateToInt(double(area.left) + double(metrics.leftMargin) * 2 +
                               double(metrics.cellWidth) * dock.state.items.Count());
    return area;
}

// The item whose zone holds `pointer` (screen coordinates, like `area`),
// with the zones as the last tick left them. Inside the row the pointer
// becomes pointerX/pointerY; outside they keep what a fade goes on using.
int pointerHover(Dock& dock, PointI pointer, const RectI& area) {
    FrameState& frame = dock.state.frame;
    if (!area.Contains(pointer.x, pointer.y)) return 0;
    frame.pointerX = truncateToInt(double(pointer.x) - double(area.left));
    frame.pointerY = truncateToInt(double(pointer.y) - double(area.top));
    return hitTest(dock.state, dock.settings, frame.pointerX, frame.pointerY);
}

}  // namespace

void animationTick(Dock& dock) {
    DockState& state = dock.state;
    if (state.commands.busy) return;
    if (state.drag.phase == ItemDrag::Phase::dragging) {
        dragTick(dock);
        return;
    }
    saveWhenDue(dock);
    checkFullscreenOnTick(dock);
    const bool runningChanged = refreshRunningItems(dock);
    const bool sliding = autoHideTick(dock);

    const PointI pointer = dock.platform.window.CursorPos();
    const RectI area = rowArea(dock);
    int found = keyboardHover(dock, pointer, area);
    if (found == 0 && !dockSlidOut(dock)) found = pointerHover(dock, pointer, area);
    state.frame.hoverIndex = found;

    const bool trayChanged = followFileDrag(dock);
    const bool bounced = stepBounce(dock);
    renderFrame(frameOf(dock), runningChanged || trayChanged || bounced);
    if (state.frame.hoverIndex != 0 || sliding || state.bounce.item != 0)
        dock.platform.window.ArmTimer(kFastPeriodMs);
}

void hoverAtButton(Dock& dock, PointI point) {
    leaveKeyboardMode(dock, ModeEnd::keepForeground);
    const RectI area = rowArea(dock);
    dock.state.frame.hoverIndex =
        pointerHover(dock, {area.left + point.x, area.top + point.y}, area);
}

}  // namespace dock
