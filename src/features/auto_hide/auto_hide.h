#pragma once
// 自动隐藏: the dock slides out of sight at the edge of its work area, when
// the pointer leaves it (1) or only while another program's window meets its
// strip (2), and comes back when the pointer touches that edge. The slide
// steps on the animation timer's ticks.
#include <cstdint>
#include <optional>
#include <span>

#include "config/dock.h"

namespace dock {

inline constexpr int kSlideTicks = 10;

// How far the dock has slid out of sight and where it came from.
struct AutoHideState {
    int position = 0;     // 0 shown .. kSlideTicks hidden
    bool hiding = false;  // sliding out or out of sight; false: in or shown
    bool due = false;     // a reason to hide came at dueSince and waits for the delay
    std::uint32_t dueSince = 0;
    int holds = 0;            // the menu and the window move loop keep it shown
    PointI shownAt;           // the window's place while shown
    PointI hiddenShift;       // from there to out of sight
    RectI revealZone;         // where the pointer brings it back, screen coordinates
    bool overlapped = false;  // another program's window meets the shown strip
    RectI overlapStrip;       // the strip that was judged
    std::uint32_t overlapJudgedTick = 0;
    bool watching = false;  // the window events hook is set
};

// What one tick knows for the decision.
struct HideInputs {
    std::int32_t mode = 0;  // 自动隐藏
    std::uint32_t now = 0;
    std::int32_t delayMs = 0;    // 隐藏延迟
    bool pointerOnDock = false;  // on the strip where it is now, or on a magnified item
    bool pointerAtEdge = false;  // in the reveal zone of the edge it hides at
    bool overlapped = false;     // another program's window meets the shown strip
    bool held = false;           // menu, move loop, item drag or keyboard mode
    bool fullscreen = false;     // 全屏避让 gives way to a full-screen program
    bool reveal = false;         // the keyboard mode wants the row seen
};

// One tick of the decision: whether the dock heads out of sight, and its
// position one slide step further that way.
void decideHiding(AutoHideState& state, const HideInputs& in);

// Where a strip hides: the window's shift from its shown place and the zone
// of the edge that brings it back.
struct HidePlace {
    PointI shift;
    RectI revealZone;
};
// Towards the nearest edge of the work area holding the strip's centre (else
// the first it overlaps) until the strip is just beyond it; at an edge shared
// with another work area 2 pixels stay inside. Nothing without such an area.
std::optional<HidePlace> hidePlaceOf(const RectI& strip, std::span<const RectI> workAreas);

// The animation tick's step: decides, slides the window one step, and says
// whether the slide goes on (the tick then keeps the fast period). An item
// pressed or dragged holds the dock shown; the keyboard mode holds it and
// wants the row seen.
bool autoHideTick(Dock& dock, AutoHideState& s, bool itemHeld, bool keyboardSelecting);
// Whether the dock is away from its shown place: the pointer's hover waits.
inline bool dockSlidOut(const AutoHideState& s) {
    return s.position != 0;
}
// Start-up, a change of 自动隐藏 (`place`: the z-order follows at once) and
// shutdown (`stop`): the window events are watched while the setting is 2.
void followAutoHideSetting(Dock& dock, AutoHideState& s, bool place);
void stopAutoHide(Dock& dock, AutoHideState& s);
// Back at the shown place at once, before the place is judged (a display or
// work area change).
void showDockAtOnce(Dock& dock, AutoHideState& s);

// Keeps the dock shown while the menu or the window move loop runs; a hide
// that came due meanwhile follows when it ends.
class HideHold {
  public:
    explicit HideHold(AutoHideState& state) : state_(state) { ++state_.holds; }
    ~HideHold() { --state_.holds; }
    HideHold(const HideHold&) = delete;
    HideHold& operator=(const HideHold&) = delete;

  private:
    AutoHideState& state_;
};

}  // namespace dock
