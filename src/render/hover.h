#pragma once
// The animation timer's tick: samples the pointer, finds the item under it and
// renders the next frame.
#include "config/dock.h"

namespace dock {

// The item whose hit zone holds the pointer (window coordinates), lowest index
// first; 0 when none. The zone shape depends on the previous hoverIndex.
int hitTest(const DockState& state, const DockSettings& settings, std::int32_t pointerX,
            std::int32_t pointerY);

// onAnimationTick's work: nothing while busy; otherwise save when a save is
// due, refresh the running items, sample, set hoverIndex, renderFrame (forced
// only when the running items changed), and re-arm at 10 ms when hovered.
void animationTick(Dock& dock);

}  // namespace dock
