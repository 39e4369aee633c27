#include "render/hover.h"

#include <algorithm>

#include "config/configuration.h"
#include "dock/fullscreen_avoidance.h"
#include "dock/item_drag.h"
#include "render/frame.h"
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

int hitTest(const DockState& state, const DockSettings& settings, std::int32_t pointerX,
            std::int32_t pointerY) {
    const DockItemList& items = state.items;
    const int count = items.Count();
    const double rowTop = state.metrics.rowTop;
    const double floatDistance = state.metrics.floatDistance;
    // At rest the pointer has to enter the cell itself; once something is
    // hovered (or snapping is on) the zone reaches up, and optionally down, so
    // the pointer can lead an icon without losing it.
    const bool restingZones = state.hoverIndex == 0 && settings.autoSnap == 0;
    const bool reachBelow = settings.floatBothWays == 1;

    for (int i = 1; i <= count; ++i) {
        const DockEntry& entry = items[i];
        RectI zone;
        zone.left = truncateToInt(entry.currentRect.left);
        zone.right = truncateToInt(entry.currentRect.right);
        // Most cells are left or right of the pointer; their height does not matter.
        if (pointerX < zone.left || pointerX >= zone.right) continue;
        if (restingZones) {
            zone.top = truncateToInt(rowTop + entry.baseRect.top);
            zone.bottom = truncateToInt(rowTop + entry.baseRect.bottom);
        } else {
            const double top = std::min(entry.currentRect.top, entry.zoomRect.top);
            zone.top = truncateToInt((rowTop + top) - floatDistance);
            if (reachBelow) {
                const double bottom = std::max(entry.currentRect.bottom, entry.zoomRect.bottom);
                zone.bottom = truncateToInt((rowTop + bottom) + floatDistance);
            } else {
                zone.bottom = truncateToInt(rowTop + entry.baseRect.bottom);
            }
        }
        if (zone.Contains(pointerX, pointerY)) return i;
    }
    return 0;
}

void animationTick(Dock& dock) {
    DockState& state = dock.state;
    if (state.busy) return;
    if (state.drag.phase == ItemDrag::Phase::dragging) {
        dragTick(dock);
        return;
    }
    saveWhenDue(dock);
    checkFullscreenOnTick(dock);

    DockWindowPort& window = dock.platform.window;
    const PointI pointer = window.CursorPos();
    RectI area = window.WindowRect();
    // The window may not have caught up with the item count yet; the row's
    // extent is what counts.
    area.right = truncateToInt(double(area.left) + double(state.metrics.leftMargin) * 2 +
                               double(state.metrics.cellWidth) * state.items.Count());

    int found = 0;
    if (area.Contains(pointer.x, pointer.y)) {
        state.pointerX = truncateToInt(double(pointer.x) - double(area.left));
        state.pointerY = truncateToInt(double(pointer.y) - double(area.top));
        found = hitTest(state, dock.settings, state.pointerX, state.pointerY);
    }
    state.hoverIndex = found;

    renderFrame(dock, false);
    if (state.hoverIndex != 0) window.ArmTimer(kFastPeriodMs);
}

}  // namespace dock
