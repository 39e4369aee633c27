#include "features/auto_hide/auto_hide.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "config/on_top.h"
#include "render/layout.h"

namespace dock {
namespace {

// The overlap is judged again at least this often, for what the window events
// do not report: Wine sends no location changes of other programs' windows.
constexpr std::uint32_t kOverlapRecheckMs = 1000;

// Pixels of a strip kept in sight at an edge the pointer could cross.
constexpr std::int32_t kSharedEdgeKeep = 2;

bool spansMeet(std::int32_t a0, std::int32_t a1, std::int32_t b0, std::int32_t b1) {
    return a0 < b1 && b0 < a1;
}

const RectI* areaOf(const RectI& strip, std::span<const RectI> areas) {
    const std::int32_t cx = strip.left + strip.Width() / 2;
    const std::int32_t cy = strip.top + strip.Height() / 2;
    for (const RectI& area : areas)
        if (area.Contains(cx, cy)) return &area;
    for (const RectI& area : areas)
        if (strip.Overlaps(area)) return &area;
    return nullptr;
}

RectI stripAt(const DockState& state, PointI window) {
    const RectF strip = stripRect(state);
    return {window.x + truncateToInt(strip.left), window.y + truncateToInt(strip.top),
            window.x + truncateToInt(strip.right), window.y + truncateToInt(strip.bottom)};
}

PointI slidPlace(const AutoHideState& s) {
    return {s.shownAt.x + s.hiddenShift.x * s.position / kSlideTicks,
            s.shownAt.y + s.hiddenShift.y * s.position / kSlideTicks};
}

// The overlap is judged again only when a window event came or the strip
// moved: never by looking at every window on a rest tick.
void judgeOverlap(Dock& dock, AutoHideState& s, const RectI& shownStrip) {
    ForegroundPort& windows = dock.platform.foreground;
    if (!s.watching) {
        s.overlapped = false;
        return;
    }
    const std::uint32_t now = dock.platform.shell.TickCount();
    if (!windows.TakeWindowsChanged() && shownStrip == s.overlapStrip &&
        now - s.overlapJudgedTick < kOverlapRecheckMs)
        return;
    s.overlapStrip = shownStrip;
    s.overlapJudgedTick = now;
    s.overlapped = windows.OtherWindowMeets(shownStrip);
}

}  // namespace

void decideHiding(AutoHideState& s, const HideInputs& in) {
    const bool away =
        in.mode != 0 && (in.fullscreen || (!in.pointerOnDock && (in.mode == 1 || in.overlapped)));
    const bool reveal = in.reveal || (in.pointerAtEdge && !in.fullscreen);
    if (!away || reveal) {
        s.hiding = false;
        s.due = false;
    } else if (!s.hiding) {
        if (!s.due) {
            s.due = true;
            s.dueSince = in.now;
        }
        if (!in.held && in.now - s.dueSince >= std::uint32_t(std::max(0, in.delayMs))) {
            s.hiding = true;
            s.due = false;
        }
    }
    // A hold that begins while the dock slides out brings it back.
    if (in.held && s.position < kSlideTicks) s.hiding = false;
    s.position = std::clamp(s.position + (s.hiding ? 1 : -1), 0, kSlideTicks);
}

std::optional<HidePlace> hidePlaceOf(const RectI& strip, std::span<const RectI> workAreas) {
    const RectI* found = areaOf(strip, workAreas);
    if (found == nullptr) return std::nullopt;
    const RectI a = *found;
    enum Edge { bottom, top, left, right };
    const std::int64_t distance[] = {
        std::int64_t{a.bottom} - strip.bottom, std::int64_t{strip.top} - a.top,
        std::int64_t{strip.left} - a.left, std::int64_t{a.right} - strip.right};
    const Edge edge = static_cast<Edge>(std::min_element(std::begin(distance), std::end(distance)) -
                                        std::begin(distance));
    bool shared = false;
    for (const RectI& b : workAreas) {
        if (&b == found) continue;
        const bool across = edge == bottom || edge == top;
        const bool meets = across ? spansMeet(strip.left, strip.right, b.left, b.right)
                                  : spansMeet(strip.top, strip.bottom, b.top, b.bottom);
        const bool touches =
            (edge == bottom && b.top == a.bottom) || (edge == top && b.bottom == a.top) ||
            (edge == left && b.right == a.left) || (edge == right && b.left == a.right);
        shared = shared || (meets && touches);
    }
    const std::int32_t keep = shared ? kSharedEdgeKeep : 0;
    // The zone: the kept pixels, or the edge's last line and all beyond it.
    const std::int32_t inside = shared ? kSharedEdgeKeep : 1;
    switch (edge) {
        case bottom:
            return HidePlace{
                {0, a.bottom - keep - strip.top},
                {strip.left, a.bottom - inside, strip.right, shared ? a.bottom : INT32_MAX}};
        case top:
            return HidePlace{{0, a.top + keep - strip.bottom},
                             {strip.left, shared ? a.top : INT32_MIN, strip.right, a.top + inside}};
        case left:
            return HidePlace{
                {a.left + keep - strip.right, 0},
                {shared ? a.left : INT32_MIN, strip.top, a.left + inside, strip.bottom}};
        case right:
            break;
    }
    return HidePlace{{a.right - keep - strip.left, 0},
                     {a.right - inside, strip.top, shared ? a.right : INT32_MAX, strip.bottom}};
}

bool autoHideTick(Dock& dock, AutoHideState& s, bool itemHeld, bool keyboardSelecting) {
    DockState& state = dock.state;
    if (dock.settings.autoHide == 0 && s.position == 0) {
        s.hiding = s.due = false;
        return false;
    }
    DockWindowPort& window = dock.platform.window;
    const RectI rect = window.WindowRect();
    if (s.position == 0) s.shownAt = {rect.left, rect.top};
    const RectI shownStrip = stripAt(state, s.shownAt);
    judgeOverlap(dock, s, shownStrip);

    const PointI pointer = window.CursorPos();
    // Once the pointer has left the edge that brought the dock back, the edge
    // counts again only for the next hide.
    if (s.position == 0 && !s.revealZone.Contains(pointer.x, pointer.y)) s.revealZone = {};
    HideInputs in;
    in.mode = dock.settings.autoHide;
    in.now = dock.platform.shell.TickCount();
    in.delayMs = dock.settings.hideDelayMs;
    in.pointerOnDock = state.frame.hoverIndex != 0 ||
                       stripAt(state, {rect.left, rect.top}).Contains(pointer.x, pointer.y);
    in.pointerAtEdge = s.revealZone.Contains(pointer.x, pointer.y);
    in.overlapped = s.overlapped;
    in.held = s.holds > 0 || itemHeld || keyboardSelecting;
    in.fullscreen = state.place.yieldsToFullscreen;
    in.reveal = keyboardSelecting;

    const int before = s.position;
    decideHiding(s, in);
    if (before == 0 && s.position > 0) {
        const std::vector<RectI> areas = window.WorkAreas();
        const std::optional<HidePlace> place = hidePlaceOf(shownStrip, areas);
        if (!place) {
            // Nowhere to go: it stays, and asks again after the delay.
            s.position = 0;
            s.hiding = false;
            return false;
        }
        s.hiddenShift = place->shift;
        s.revealZone = place->revealZone;
    }
    if (s.position != before) {
        const PointI at = slidPlace(s);
        window.MoveTo(at.x, at.y);
    }
    return s.hiding ? s.position < kSlideTicks : s.position > 0;
}

void followAutoHideSetting(Dock& dock, AutoHideState& s, bool place) {
    const bool watch = dock.settings.autoHide == 2;
    if (watch != s.watching) {
        dock.platform.foreground.WatchWindows(watch);
        s.watching = watch;
        s.overlapStrip = {};  // judged afresh on the next tick
    }
    if (!place) return;
    // Shown above other windows while it may hide; 总在最前 as before when not.
    DockWindowPort& window = dock.platform.window;
    const RectI rect = window.WindowRect();
    window.PlaceWindow(dockOnTop(dock), rect.left, rect.top, rect.Width(), rect.Height());
}

void stopAutoHide(Dock& dock, AutoHideState& s) {
    if (!s.watching) return;
    dock.platform.foreground.WatchWindows(false);
    s.watching = false;
}

void showDockAtOnce(Dock& dock, AutoHideState& s) {
    if (s.position == 0) return;
    s.position = 0;
    s.hiding = s.due = false;
    dock.platform.window.MoveTo(s.shownAt.x, s.shownAt.y);
}

}  // namespace dock
