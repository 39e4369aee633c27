#include "render/layout.h"

#include <algorithm>
#include <cmath>

namespace dock {
namespace {

// Clamps compare with this margin so that values a rounding step away from a
// limit count as on it.
constexpr double kTolerance = 1e-7;
constexpr int kZoomStep = 10;
constexpr int kFullZoom = 100;
// Pixel sizes at 96 DPI; the model takes them through px().
constexpr double kFollowLimit = 18;    // sideways shift of the magnified item, before scaling
constexpr double kNeighbourStep = 12;  // each further neighbour is this much smaller
constexpr double kNeighbourBonus = 12;
constexpr double kStripOverhang = 30;  // past the first and the last cell
constexpr double kStripTopOffset = 8;  // above rowTop
constexpr double kStripHeight = 50;
// The empty dock's strip ends 2 px further right than a one-item row's.
constexpr double kEmptyStripRightOverhang = 32;
constexpr double kGapStep = 9;  // pixels a neighbour slides per frame while the gap opens

// Every value the model keeps is a 32-bit float; the arithmetic leading to it
// runs in double and is rounded once, here.
RectF storedRect(double left, double top, double right, double bottom) {
    return {static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
            static_cast<float>(bottom)};
}

double px(const LayoutMetrics& metrics, double pixels) {
    return scaledPixels(metrics, pixels);
}

// The room the background takes in the window height, in the metrics' pixels.
double backgroundRoom(const LayoutMetrics& metrics) {
    return scaledPixels(metrics, metrics.backgroundHeight);
}

double widthOf(const RectF& r) {
    return double(r.right) - double(r.left);
}
double heightOf(const RectF& r) {
    return double(r.bottom) - double(r.top);
}

// The size of a neighbour: the previous one's size less a step (plus the
// bonus for the first one), never below the resting cell.
double neighbourSize(double previous, double step, double bonus, double restingSize) {
    double size = previous - step + bonus;
    return size - restingSize < -kTolerance ? restingSize : size;
}

}  // namespace

LayoutMetrics metricsAtDpi(std::int32_t dpi) {
    const LayoutMetrics classic;
    LayoutMetrics metrics;
    metrics.dpi = dpi;
    metrics.cellPadding = scaledPixels(metrics, classic.cellPadding);
    metrics.cellWidth = scaledPixels(metrics, classic.cellWidth);
    metrics.cellHeight = scaledPixels(metrics, classic.cellHeight);
    metrics.titleSize = scaledPixels(metrics, classic.titleSize);
    metrics.leftMargin = scaledPixels(metrics, classic.leftMargin);
    return metrics;
}

std::int32_t usableFloatDistance(const LayoutMetrics& metrics, std::int32_t floatDistance) {
    const double fixedPart = backgroundRoom(metrics) + double(metrics.titleSize);
    const double lowest = std::ceil(metrics.cellHeight / 2.0 - fixedPart);
    const double highest = std::floor(kTallestWindow / 2.0 - fixedPart);
    const std::int32_t wanted = scaledPixels(metrics, floatDistance);
    if (wanted < lowest) return static_cast<std::int32_t>(lowest);
    if (wanted > highest) return static_cast<std::int32_t>(highest);
    return wanted;
}

std::int32_t windowWidth(const LayoutMetrics& metrics, int itemCount) {
    return truncateToInt(double(metrics.leftMargin) * 2 + double(metrics.cellWidth) * itemCount);
}

std::int32_t windowHeight(const LayoutMetrics& metrics) {
    return truncateToInt(
        (backgroundRoom(metrics) + double(metrics.floatDistance) + double(metrics.titleSize)) * 2);
}

std::int32_t rowTop(const LayoutMetrics& metrics) {
    double height =
        (backgroundRoom(metrics) + double(metrics.floatDistance) + double(metrics.titleSize)) * 2;
    return truncateToInt((height - double(metrics.cellHeight)) / 2);
}

RectF stripRect(const DockState& state) {
    const LayoutMetrics& m = state.metrics;
    const DockItemList& items = state.items;
    if (items.Count() == 0) {
        const double left = double(m.leftMargin) - px(m, kStripOverhang);
        const double right = double(m.leftMargin) + m.cellWidth + px(m, kEmptyStripRightOverhang);
        const double top = state.metrics.emptyStripTop;
        return storedRect(left, top, right, top + px(m, kStripHeight));
    }
    return stripAcross(m, items[1].currentRect.left, items[items.Count()].currentRect.right);
}

double restingStripTop(const LayoutMetrics& metrics) {
    return double(metrics.rowTop) - px(metrics, kStripTopOffset);
}

RectF stripAcross(const LayoutMetrics& metrics, double rowLeft, double rowRight) {
    const double top = restingStripTop(metrics);
    const double overhang = px(metrics, kStripOverhang);
    return storedRect(rowLeft - overhang, top, rowRight + overhang,
                      top + px(metrics, kStripHeight));
}

void layoutRow(DockState& state, int first) {
    DockItemList& items = state.items;
    const int count = items.Count();
    if (first > count) return;
    const double cellWidth = state.metrics.cellWidth;
    const double cellHeight = state.metrics.cellHeight;

    std::int32_t x =
        first < 2 ? state.metrics.leftMargin : truncateToInt(items[first - 1].baseRect.right);
    for (int i = std::max(first, 1); i <= count; ++i) {
        DockEntry& entry = items[i];
        entry.baseRect = storedRect(x, 0, x + cellWidth, 0 + cellHeight);
        entry.currentRect = entry.baseRect;
        // Twice the cell, centred on it and standing on its bottom line; both
        // sizes come from cellWidth, which equals cellHeight.
        const float left = static_cast<float>(double(entry.baseRect.left) - cellWidth / 2);
        const float top = static_cast<float>(double(entry.baseRect.top) - cellWidth);
        entry.zoomRect =
            storedRect(left, top, double(left) + cellWidth * 2, double(top) + cellWidth * 2);
        x = truncateToInt(double(x) + cellWidth);
    }
}

std::int32_t magnifiedPictureSize(const LayoutMetrics& metrics) {
    return 2 * std::max(metrics.cellWidth, metrics.cellHeight) - 2 * metrics.cellPadding;
}

namespace {

// The frame with every item in its resting cell; none when nothing moved.
FrameResult restFrame(DockItemList& items, bool force) {
    FrameResult result;
    result.slowTimer = true;
    bool changed = false;
    for (int i = 1; i <= items.Count(); ++i) {
        DockEntry& entry = items[i];
        if (force || !(entry.currentRect == entry.baseRect)) {
            entry.currentRect = entry.baseRect;
            changed = true;
        }
    }
    result.frame = changed ? FrameKind::rest : FrameKind::none;
    return result;
}

// How the magnified item follows the pointer, at the frame's progress.
struct Follow {
    double p = 0;   // zoomPercent
    double dx = 0;  // sideways shift, already scaled by p
    double dy = 0;  // the pointer's height over the row, clamped, not scaled
};

Follow followPointer(const DockState& state, const DockSettings& settings, const RectF& base,
                     const RectF& zoom) {
    Follow follow;
    follow.p = state.frame.zoomPercent;
    const double cellWidth = state.metrics.cellWidth;
    const double cellHeight = state.metrics.cellHeight;
    const double floatDistance = state.metrics.floatDistance;
    const double followLimit = px(state.metrics, kFollowLimit);

    double dx = double(state.frame.pointerX) - (double(zoom.left) + cellWidth);
    if (dx - followLimit > kTolerance) {
        dx = followLimit;
    } else if (dx + followLimit < -kTolerance) {
        dx = -followLimit;
    }

    double dy = (double(state.metrics.rowTop) + double(base.top)) - double(state.frame.pointerY);
    if (dy - floatDistance > kTolerance) {
        dy = floatDistance;
    } else if (settings.floatBothWays == 0) {
        if (dy < -kTolerance) dy = 0;
    } else if (dy + (floatDistance + cellHeight) < -kTolerance) {
        dy = -(floatDistance + cellHeight);
    }
    follow.dx = dx / 100 * follow.p;
    follow.dy = dy;
    return follow;
}

// The neighbours on one side of the magnified item `c`, the right (side +1)
// or the left (-1): each stands against the one before it, outward.
void layoutSide(DockItemList& items, const LayoutMetrics& metrics, int c, const Follow& follow,
                double floor, int side) {
    const double cellWidth = metrics.cellWidth;
    const double cellHeight = metrics.cellHeight;
    const double neighbourStep = px(metrics, kNeighbourStep);
    const double neighbourBonus = px(metrics, kNeighbourBonus);
    // Neighbours rise in proportion to how much taller than a resting cell they are.
    auto neighbourLift = [&](double height) {
        return (follow.dy / 100 * follow.p * (height - cellHeight)) / cellHeight;
    };
    // The first neighbour is favoured when the pointer leans toward it.
    const double toward = side > 0 ? follow.dx : -follow.dx;
    const double bonus = ((cellWidth / 2 + toward) * neighbourBonus) / cellWidth;
    int n = c + side;
    for (; items.Contains(n); n += side) {
        const RectF& q = items[n - side].currentRect;
        const double extra = n == c + side ? bonus : 0;
        const double w = neighbourSize(widthOf(q), neighbourStep, extra, cellWidth);
        const double h = neighbourSize(heightOf(q), neighbourStep, extra, cellHeight);
        const double l = neighbourLift(h);
        const double inner = side > 0 ? q.right : q.left;
        const double outer = inner + side * w;
        DockEntry& entry = items[n];
        entry.currentRect = side > 0 ? storedRect(inner, floor - h - l, outer, floor - l)
                                     : storedRect(outer, floor - h - l, inner, floor - l);
        entry.lift = static_cast<float>(l);
        if (w == cellWidth && h == cellHeight) break;
    }
    // From the first resting-size neighbour on, every further one is a
    // resting cell too (a step less always clamps back), so only its place
    // moves; this is the same arithmetic without the per-item sizing.
    if (!items.Contains(n + side)) return;
    const double l = neighbourLift(cellHeight);
    const float top = static_cast<float>(floor - cellHeight - l);
    const float bottom = static_cast<float>(floor - l);
    const RectF& last = items[n].currentRect;
    float x = side > 0 ? last.right : last.left;
    for (n += side; items.Contains(n); n += side) {
        const float next = static_cast<float>(double(x) + side * cellWidth);
        DockEntry& entry = items[n];
        entry.currentRect = side > 0 ? RectF{x, top, next, bottom} : RectF{next, top, x, bottom};
        entry.lift = static_cast<float>(l);
        x = next;
    }
}

}  // namespace

FrameResult advanceFrame(DockState& state, const DockSettings& settings, bool force) {
    DockItemList& items = state.items;
    const int count = items.Count();
    FrameResult result;

    // A hover index that names no item is treated as no hover rather than
    // trusted as an index.
    const int hovered = items.Contains(state.frame.hoverIndex) ? state.frame.hoverIndex : 0;
    int c = hovered;

    // The fade-out ends when it has reached 0, and at once when the items it
    // was fading are gone: there is nothing left to magnify. A forced step
    // goes on to the rest frame, since its caller has just re-created the
    // surface and needs something presented on it.
    if (c == 0 && state.frame.zoomIndex != 0 &&
        (state.frame.zoomPercent <= 0 || count == 0 || state.frame.zoomIndex < 0)) {
        state.frame.zoomIndex = 0;
        state.frame.zoomPercent = 0;
        if (!force) {
            result.slowTimer = true;
            return result;
        }
    }

    if (c == 0 && state.frame.zoomIndex == 0) return restFrame(items, force);

    if (c == 0) {
        c = std::min(state.frame.zoomIndex, count);
        state.frame.zoomPercent -= kZoomStep;
    }

    if (hovered != 0) {
        // The progress carries over when the pointer moves to another item.
        state.frame.zoomIndex = hovered;
        if (state.frame.zoomPercent < kFullZoom) state.frame.zoomPercent += kZoomStep;
    }

    DockEntry& magnified = items[c];
    const RectF base = magnified.baseRect;
    const Follow follow = followPointer(state, settings, base, magnified.zoomRect);
    const double p = follow.p;
    const double lift = follow.dy / 100 * p;
    const double growX = (state.metrics.cellWidth / 100.0 * p) / 2;
    const double growY = state.metrics.cellHeight / 100.0 * p;
    const RectF rect =
        storedRect(double(base.left) - growX - follow.dx, double(base.top) - growY - lift,
                   double(base.right) + growX - follow.dx, double(base.bottom) - lift);
    if (rect == magnified.currentRect && !force) return result;
    magnified.currentRect = rect;
    magnified.lift = static_cast<float>(lift);

    const double floor = magnified.zoomRect.bottom;
    layoutSide(items, state.metrics, c, follow, floor, +1);
    layoutSide(items, state.metrics, c, follow, floor, -1);

    result.frame = FrameKind::zoom;
    result.item = c;
    result.progress = state.frame.zoomPercent;
    return result;
}

bool advanceDragFrame(DockState& state, const CarriedItem& drag, bool force) {
    DockItemList& items = state.items;
    if (!items.Contains(drag.item)) return false;
    const double cellWidth = state.metrics.cellWidth;
    const double cellHeight = state.metrics.cellHeight;
    const double gapStep = px(state.metrics, kGapStep);
    bool changed = force;
    for (int i = 1; i <= items.Count(); ++i) {
        if (i == drag.item) continue;
        // Its place in the row without the dragged item, then past the gap.
        const int rank = i < drag.item ? i : i - 1;
        const int slot = drag.landing != 0 && rank >= drag.landing ? rank + 1 : rank;
        DockEntry& entry = items[i];
        const double target = items[slot].baseRect.left;
        const double left = entry.currentRect.left;
        const double next =
            left < target ? std::min(target, left + gapStep) : std::max(target, left - gapStep);
        const RectF rect =
            storedRect(next, entry.baseRect.top, next + cellWidth, entry.baseRect.bottom);
        entry.lift = 0;
        if (rect == entry.currentRect) continue;
        entry.currentRect = rect;
        changed = true;
    }
    DockEntry& dragged = items[drag.item];
    const double left = double(drag.pointer.x) - cellWidth / 2;
    const double top = double(drag.pointer.y) - state.metrics.rowTop - cellHeight / 2;
    const RectF rect = storedRect(left, top, left + cellWidth, top + cellHeight);
    dragged.lift = 0;
    if (!(rect == dragged.currentRect)) {
        dragged.currentRect = rect;
        changed = true;
    }
    return changed;
}

}  // namespace dock
