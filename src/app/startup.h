#pragma once
// The dock window's life as the core sees it: initialisation when the dialog
// is created, and the part of shutdown that releases and saves.
#include "config/dock.h"

namespace dock {

// Settings, pictures, placement, the items from config.ini, the surface, the
// first frame and the timer, with busy set throughout. The window must exist.
void startDock(Dock& dock);
// Ends a drag under way, releases every item hotkey, stops the timer and
// saves config.ini.
void stopDock(Dock& dock);

}  // namespace dock
