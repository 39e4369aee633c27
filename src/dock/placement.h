#pragma once
// Keeping the dock where it can be seen. Only the strip shows anything or
// takes a click; the transparent margin around it does not count.
#include <optional>
#include <span>

#include "config/dock.h"

namespace dock {

// The strip in screen coordinates when the window's top-left corner is at
// `windowPosition`, saturated at the 32-bit range.
RectI stripOnScreen(const DockState& state, PointI windowPosition);
// Where the strip's top-left corner goes so that it lies wholly inside the
// work area it reaches by the shortest move (against that area's left or top
// edge when it is wider or taller); nothing when it already overlaps one of
// them, or there are none.
std::optional<PointI> nearestPlaceOnScreen(const RectI& strip, std::span<const RectI> workAreas);
// After the display configuration or the work area changed: a dock whose
// strip overlaps no work area any more comes back onto the nearest one.
void keepDockOnScreen(Dock& dock);

}  // namespace dock
