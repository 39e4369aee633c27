#pragma once
// Keeping the dock where it can be seen, and where the user put it. Only the
// strip shows anything or takes a click; the transparent margin around it
// does not count.
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

// config.ini's 左边/顶边 (DockPlace) against the window's pixels. A program that
// the system scales sees each monitor from the monitor's top-left corner in
// pixels of 96 DPI. The monitor is the one `anchor` (a point of the row, in
// the units of the place given) lies on, else the nearest.
PointI toStoredPlace(PointI windowPlace, PointI anchor, std::span<const MonitorScale> monitors);
PointI toWindowPlace(PointI storedPlace, PointI anchor, std::span<const MonitorScale> monitors);

// Where the window's top-left corner goes for the chosen place, on the
// monitors as they are now.
PointI chosenWindowPlace(Dock& dock);
// The user moved the window: where it stands now is the chosen place.
void dockMovedByUser(Dock& dock);
// After the display configuration or the work area changed: the dock goes
// back to the chosen place when its strip meets a work area there, and while
// it does not, a dock whose strip overlaps no work area comes onto the one
// nearest to the chosen place.
void keepDockOnScreen(Dock& dock);

}  // namespace dock
