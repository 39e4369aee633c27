#pragma once
// The dock window's life as the core sees it: initialisation when the dialog
// is created, and the part of shutdown that releases and saves.
#include "app/feature_table.h"
#include "config/dock.h"

namespace dock {

// Settings, pictures, placement, the items from config.ini, the surface, the
// first frame, the timer and each feature's start, with busy set throughout.
// The window must exist.
void startDock(Dock& dock, FeatureStates& features);
// Releases every item hotkey, stops each feature (a drag under way ends, the
// dock's own hotkey goes), stops the timer and saves config.ini.
void stopDock(Dock& dock, FeatureStates& features);

}  // namespace dock
