#include "app/placement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "config/configuration.h"
#include "render/layout.h"

namespace dock {
namespace {

constexpr std::int32_t kUnscaledDpi = 96;

std::int32_t saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Where an edge of `length` starting at `start` goes to lie inside [low, high).
std::int64_t placeWithin(std::int64_t start, std::int64_t length, std::int64_t low,
                         std::int64_t high) {
    if (length > high - low || start < low) return low;
    return std::min(start, high - length);
}

std::int32_t dpiOf(const MonitorScale& monitor) {
    return monitor.dpi > 0 ? monitor.dpi : kUnscaledDpi;
}

// `offset` pixels at `from` DPI in pixels at `to`, to the nearest.
std::int64_t rescaled(std::int64_t offset, std::int32_t from, std::int32_t to) {
    return std::llround(double(offset) * to / from);
}

// The monitor as a program the system scales sees it.
RectI unscaledMonitor(const MonitorScale& m) {
    const std::int32_t dpi = dpiOf(m);
    return {m.monitor.left, m.monitor.top,
            saturate(m.monitor.left + rescaled(m.monitor.Width(), dpi, kUnscaledDpi)),
            saturate(m.monitor.top + rescaled(m.monitor.Height(), dpi, kUnscaledDpi))};
}

double distanceSquared(const RectI& r, PointI p) {
    const double dx = p.x < r.left     ? double(r.left) - p.x
                      : p.x >= r.right ? double(p.x) - r.right + 1
                                       : 0;
    const double dy = p.y < r.top       ? double(r.top) - p.y
                      : p.y >= r.bottom ? double(p.y) - r.bottom + 1
                                        : 0;
    return dx * dx + dy * dy;
}

// The monitor `anchor` lies on, else the nearest; none when there are none.
const MonitorScale* monitorAt(PointI anchor, std::span<const MonitorScale> monitors,
                              bool unscaled) {
    const MonitorScale* nearest = nullptr;
    double nearestDistance = 0;
    for (const MonitorScale& m : monitors) {
        const double distance = distanceSquared(unscaled ? unscaledMonitor(m) : m.monitor, anchor);
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = &m;
            nearestDistance = distance;
        }
    }
    return nearest;
}

PointI rescaledFromCorner(PointI place, const MonitorScale& m, std::int32_t from, std::int32_t to) {
    return {saturate(m.monitor.left + rescaled(std::int64_t{place.x} - m.monitor.left, from, to)),
            saturate(m.monitor.top + rescaled(std::int64_t{place.y} - m.monitor.top, from, to))};
}

// The start of the row from the window's top-left corner, in window pixels.
PointI rowOffset(const LayoutMetrics& metrics) {
    return {metrics.leftMargin, metrics.rowTop};
}

PointI offsetBy(PointI place, PointI offset) {
    return {saturate(std::int64_t{place.x} + offset.x), saturate(std::int64_t{place.y} + offset.y)};
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
        if (strip.Overlaps(area)) return std::nullopt;
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

PointI toStoredPlace(PointI windowPlace, PointI anchor, std::span<const MonitorScale> monitors) {
    const MonitorScale* m = monitorAt(anchor, monitors, false);
    if (m == nullptr) return windowPlace;
    return rescaledFromCorner(windowPlace, *m, dpiOf(*m), kUnscaledDpi);
}

PointI toWindowPlace(PointI storedPlace, PointI anchor, std::span<const MonitorScale> monitors) {
    const MonitorScale* m = monitorAt(anchor, monitors, true);
    if (m == nullptr) return storedPlace;
    return rescaledFromCorner(storedPlace, *m, kUnscaledDpi, dpiOf(*m));
}

PointI chosenWindowPlace(Dock& dock) {
    const LayoutMetrics& metrics = dock.state.metrics;
    const PointI chosen = dock.state.place.chosen;
    const PointI offset = rowOffset(metrics);
    const PointI storedOffset{saturate(rescaled(offset.x, metrics.dpi, kUnscaledDpi)),
                              saturate(rescaled(offset.y, metrics.dpi, kUnscaledDpi))};
    return toWindowPlace(chosen, offsetBy(chosen, storedOffset),
                         dock.platform.window.MonitorScales());
}

namespace {

PointI storedPlaceOf(Dock& dock, PointI windowPlace) {
    return toStoredPlace(windowPlace, offsetBy(windowPlace, rowOffset(dock.state.metrics)),
                         dock.platform.window.MonitorScales());
}

}  // namespace

void dockMovedByUser(Dock& dock) {
    const RectI rect = dock.platform.window.WindowRect();
    dock.state.place.chosen = storedPlaceOf(dock, {rect.left, rect.top});
    markSaveDue(dock);
}

void keepDockOnScreen(Dock& dock) {
    DockWindowPort& window = dock.platform.window;
    const std::vector<RectI> areas = window.WorkAreas();
    if (areas.empty()) return;  // no monitor could be asked for
    const RectI rect = window.WindowRect();
    const PointI shown{rect.left, rect.top};
    const PointI chosen = chosenWindowPlace(dock);
    const RectI strip = stripOnScreen(dock.state, chosen);
    const std::optional<PointI> place = nearestPlaceOnScreen(strip, areas);
    if (!place) {
        // Where the user put it can be seen: there it goes. A place that only
        // rounds to the chosen one at another scale counts as that place.
        if (shown != chosen && storedPlaceOf(dock, shown) != dock.state.place.chosen)
            window.MoveTo(chosen.x, chosen.y);
        return;
    }
    // Shown elsewhere and seen there: nothing to gain by moving.
    if (!nearestPlaceOnScreen(stripOnScreen(dock.state, shown), areas)) return;
    const PointI recovered = offsetBy(chosen, {saturate(std::int64_t{place->x} - strip.left),
                                               saturate(std::int64_t{place->y} - strip.top)});
    if (recovered != shown) window.MoveTo(recovered.x, recovered.y);
}

}  // namespace dock
