#include "app/tick.h"

#include "config/configuration.h"
#include "config/timer_periods.h"
#include "render/frame.h"
#include "render/hover.h"
#include "render/layout.h"

namespace dock {
namespace {

// While an item is dragged the pointer is followed wherever it is, inside the
// window or not, and nothing magnifies.
void dragTick(Dock& dock, FeatureStates& features) {
    leaveKeyboardMode(dock, features.keyboard, ModeEnd::keepForeground);
    DockWindowPort& window = dock.platform.window;
    const PointI pointer = window.CursorPos();
    const RectI area = window.WindowRect();
    followDragPointer(dock, features.drag,
                      {truncateToInt(double(pointer.x) - area.left),
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

void animationTick(Dock& dock, FeatureStates& features) {
    DockState& state = dock.state;
    if (state.commands.busy) return;
    if (features.drag.Dragging()) {
        dragTick(dock, features);
        return;
    }
    saveWhenDue(dock);
    const TickStep before = tickFeatures(dock, features, TickPhase::beforeHover);

    const PointI pointer = dock.platform.window.CursorPos();
    const RectI area = rowArea(dock);
    int found = keyboardHover(dock, features.keyboard, pointer, area);
    if (found == 0 && !dockSlidOut(features.autoHide)) found = pointerHover(dock, pointer, area);
    state.frame.hoverIndex = found;

    const TickStep after = tickFeatures(dock, features, TickPhase::afterHover);
    renderFrame(frameOf(dock), before.redraw || after.redraw);
    if (state.frame.hoverIndex != 0 || before.keepFast || after.keepFast)
        dock.platform.window.ArmTimer(kFastPeriodMs);
}

void hoverAtButton(Dock& dock, FeatureStates& features, PointI point) {
    leaveKeyboardMode(dock, features.keyboard, ModeEnd::keepForeground);
    const RectI area = rowArea(dock);
    dock.state.frame.hoverIndex =
        pointerHover(dock, {area.left + point.x, area.top + point.y}, area);
}

}  // namespace dock
