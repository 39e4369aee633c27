#include "render/hover.h"

#include <algorithm>

#include "render/layout.h"

namespace dock {
int hitTest(const DockState& state, const DockSettings& settings, std::int32_t pointerX,
            std::int32_t pointerY) {
    const DockItemList& items = state.items;
    const int count = items.Count();
    const double rowTop = state.metrics.rowTop;
    const double floatDistance = state.metrics.floatDistance;
    // At rest the pointer has to enter the cell itself; once something is
    // hovered (or snapping is on) the zone reaches up, and optionally down, so
    // the pointer can lead an icon without losing it.
    const bool restingZones = state.frame.hoverIndex == 0 && settings.autoSnap == 0;
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

}  // namespace dock
