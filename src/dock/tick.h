#pragma once
// The animation timer's tick: follows a drag, or samples the pointer, finds
// the item under it and renders the next frame.
#include "config/dock.h"

namespace dock {

// onAnimationTick's work: nothing while busy; a drag follows the pointer;
// otherwise save when a save is due, sample, set hoverIndex, renderFrame
// without force, and re-arm at 10 ms when hovered.
void animationTick(Dock& dock);

}  // namespace dock
