#pragma once
// The picture under each running item (运行指示).
#include "config/dock.h"

namespace dock {

// Whether the item at `index` was running at the last refresh.
bool itemRunning(const DockState& state, int index);

// Draws the indicator under every running item of the row but `skipped`
// (0 = none): centred on the item's cell as it stands in this frame, in the
// strip's band below the resting pictures, at the picture's own size.
void drawRunningIndicators(DrawingSurface& canvas, const DockState& state,
                           const DockSettings& settings, int skipped);

}  // namespace dock
