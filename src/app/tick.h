#pragma once
// The animation timer's tick: follows a drag, or samples the pointer, finds
// the item under it and renders the next frame.
#include "app/feature_table.h"
#include "config/dock.h"

namespace dock {

// onAnimationTick's work: nothing while busy; a drag follows the pointer;
// otherwise save when a save is due, run the feature table's steps before the
// hover, sample, set hoverIndex, run the steps after it, renderFrame (forced
// only when a step asks), and re-arm at 10 ms when hovered or a step keeps
// the fast period.
void animationTick(Dock& dock, FeatureStates& features);
// A button message at `point` (window coordinates) is judged where it
// happened, not where the last tick saw the pointer: the keyboard mode ends
// and hoverIndex becomes what the tick's hit test finds there now.
void hoverAtButton(Dock& dock, FeatureStates& features, PointI point);

}  // namespace dock
