#include "features/arranging/item_drag.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "config/configuration.h"
#include "config/timer_periods.h"
#include "features/arranging/delete_item.h"
#include "items/hotkeys.h"
#include "render/frame.h"
#include "render/layout.h"

namespace dock {
namespace {

// Everything at rest: no magnification, every cell in its resting place.
void restRow(Dock& dock) {
    DockState& state = dock.state;
    state.frame.hoverIndex = 0;
    state.frame.zoomIndex = 0;
    state.frame.zoomPercent = 0;
    layoutRow(state, 1);
    renderFrame(frameOf(dock), true);
}

}  // namespace

int dragLandingIndex(const DockState& state, PointI pointer) {
    const LayoutMetrics& m = state.metrics;
    const int count = state.items.Count();
    if (count == 0) return 0;
    const RectF strip = stripRect(state);
    if (strip.top - pointer.y > m.cellHeight || pointer.y - strip.bottom > m.cellHeight) return 0;
    const double cell = std::floor((double(pointer.x) - m.leftMargin) / m.cellWidth) + 1;
    return static_cast<int>(std::clamp(cell, 1.0, double(count)));
}

int indexAfterMove(int index, int from, int to) {
    if (index == from) return to;
    if (from < to && index > from && index <= to) return index - 1;
    if (to < from && index >= to && index < from) return index + 1;
    return index;
}

void moveItem(Dock& dock, int from, int to) {
    DockState& state = dock.state;
    if (from == to || !state.items.Contains(from) || !state.items.Contains(to)) return;
    state.items.Move(from, to);
    reregisterHotkeyRange(dock, std::min(from, to), std::max(from, to));
    state.commands.lastLaunchIndex = indexAfterMove(state.commands.lastLaunchIndex, from, to);
    restRow(dock);
    markSaveDue(dock);
}

void pressItem(Dock& dock, ItemDrag& drag, PointI point) {
    DockState& state = dock.state;
    if (state.commands.busy || dock.settings.locked != 0 || dock.settings.dragReorder == 0) return;
    if (!state.items.Contains(state.frame.hoverIndex)) return;
    drag.phase = ItemDrag::Phase::pressed;
    drag.item = state.frame.hoverIndex;
    drag.press = point;
    drag.pointer = point;
    dock.platform.window.CapturePointer();
}

void movePressedPointer(Dock& dock, ItemDrag& drag, PointI point, PointI dragDistance) {
    DockState& state = dock.state;
    if (drag.phase != ItemDrag::Phase::pressed) return;
    if (std::abs(std::int64_t{point.x} - drag.press.x) <= dragDistance.x &&
        std::abs(std::int64_t{point.y} - drag.press.y) <= dragDistance.y)
        return;
    drag.phase = ItemDrag::Phase::dragging;
    state.frame.hoverIndex = 0;
    state.frame.zoomIndex = 0;
    state.frame.zoomPercent = 0;
    layoutRow(state, 1);
    followDragPointer(dock, drag, point);
    dock.platform.window.ArmTimer(kFastPeriodMs);
}

void followDragPointer(Dock& dock, ItemDrag& drag, PointI point) {
    if (!drag.Dragging()) return;
    drag.pointer = point;
    drag.landing = dragLandingIndex(dock.state, point);
    renderDragFrame(frameOf(dock), {drag.item, drag.pointer, drag.landing}, false);
}

void releaseItem(Dock& dock, ItemDrag& drag, PointI point) {
    const ItemDrag released = drag;
    // Idle before the capture goes, so that the capture-lost message the
    // release sends is no cancel.
    drag = ItemDrag{};
    dock.platform.window.ReleasePointer();
    if (!released.Dragging()) return;
    const int landing = dragLandingIndex(dock.state, point);
    if (landing == released.item) {
        restRow(dock);
    } else if (landing != 0) {
        moveItem(dock, released.item, landing);
    } else {
        // The row stands as it was while the confirmation asks; No leaves it so.
        restRow(dock);
        deleteItem(dock, released.item);
    }
}

bool cancelItemDrag(Dock& dock, ItemDrag& drag) {
    const ItemDrag::Phase phase = drag.phase;
    if (phase == ItemDrag::Phase::none) return false;
    drag = ItemDrag{};
    dock.platform.window.ReleasePointer();
    if (phase != ItemDrag::Phase::dragging) return false;
    restRow(dock);
    return true;
}

}  // namespace dock
