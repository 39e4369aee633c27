#include "dock/placement.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/layout.h"

namespace dock {
namespace {

std::int32_t saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// A shared edge is no overlap, as MonitorFromRect counts it.
bool overlaps(const RectI& a, const RectI& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where an edge of `length` starting at `start` goes to lie inside [low, high).
std::int64_t placeWithin(std::int64_t start, std::int64_t length, std::int64_t low,
                         std::int64_t high) {
    if (length > high - low || start < low) return low;
    return std::min(start, high - length);
}

}  // namespace

RectI stripOnScreen(const DockState& state, PointI windowPosition) {
    const RectF strip = stripRect(state);
    const std::int64_t x = windowPosition.x;
    const std::int64_t y = windowPosition.y;
    return {saturate(x + truncateToInt(strip.left)), saturate(y + truncateToInt(strip.top)),
            saturate(x + truncateToInt(strip.right)), saturate(y + truncateToInt(strip.bottom))};
}

std::optional<PointI> nearestPlaceOnScreen(const RectI& strip, std::span<const RectI> workAreas) {
    for (const RectI& area : workAreas)
        if (overlaps(strip, area)) return std::nullopt;
    std::optional<PointI> nearest;
    double nearestDistance = 0;
    for (const RectI& area : workAreas) {
        const std::int64_t x =
            placeWithin(strip.left, std::int64_t{strip.right} - strip.left, area.left, area.right);
        const std::int64_t y =
            placeWithin(strip.top, std::int64_t{strip.bottom} - strip.top, area.top, area.bottom);
        const double dx = double(x - strip.left);
        const double dy = double(y - strip.top);
        const double distance = dx * dx + dy * dy;
        if (!nearest || distance < nearestDistance) {
            nearest = PointI{saturate(x), saturate(y)};
            nearestDistance = distance;
        }
    }
    return nearest;
}

void keepDockOnScreen(Dock& dock) {
    DockWindowPort& window = dock.platform.window;
    const RectI rect = window.WindowRect();
    const RectI strip = stripOnScreen(dock.state, {rect.left, rect.top});
    const std::vector<RectI> areas = window.WorkAreas();
    const std::optional<PointI> place = nearestPlaceOnScreen(strip, areas);
    if (!place) return;
    window.MoveTo(saturate(std::int64_t{rect.left} + place->x - strip.left),
                  saturate(std::int64_t{rect.top} + place->y - strip.top));
}

}  // namespace dock
