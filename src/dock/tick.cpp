#include "dock/tick.h"

#include "config/configuration.h"
#include "dock/fullscreen_avoidance.h"
#include "dock/item_drag.h"
#include "dock/running_items.h"
#include "dock/keyboard_mode.h"
#include "render/frame.h"
#include "render/hover.h"
#include "render/layout.h"

namespace dock {
namespace {

constexpr std::uint32_t kFastPeriodMs = 10;

// While an item is dragged the pointer is followed wherever it is, inside the
// window or not, and nothing magnifies.
void dragTick(Dock& dock) {
    DockWindowPort& window = dock.platform.window;
    const PointI pointer = window.CursorPos();
    const RectI area = window.WindowRect();
    followDragPointer(dock, {truncateToInt(double(pointer.x) - area.left),
                             truncateToInt(double(pointer.y) - area.top)});
    window.ArmTimer(kFastPeriodMs);
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

    DockWindowPort& window = dock.platform.window;
    const PointI pointer = window.CursorPos();
    RectI area = window.WindowRect();
    // The window may not have caught up with the item count yet; the row's
    // extent is what counts.
    area.right = truncateToInt(double(area.left) + double(state.metrics.leftMargin) * 2 +
                               double(state.metrics.cellWidth) * state.items.Count());

    int found = keyboardHover(dock, pointer, area);
    if (found == 0 && area.Contains(pointer.x, pointer.y)) {
        state.frame.pointerX = truncateToInt(double(pointer.x) - double(area.left));
        state.frame.pointerY = truncateToInt(double(pointer.y) - double(area.top));
        found = hitTest(state, dock.settings, state.frame.pointerX, state.frame.pointerY);
    }
    state.frame.hoverIndex = found;

    renderFrame(dock, runningChanged);
    if (state.frame.hoverIndex != 0) window.ArmTimer(kFastPeriodMs);
}

}  // namespace dock
