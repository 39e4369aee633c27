#pragma once
// The dock window's life as the core sees it: initialisation when the dialog
// is created, and the part of shutdown that releases and saves.
#include <cstdint>

#include "config/dock.h"

namespace dock {

// Settings, pictures, placement, the items from config.ini, the surface, the
// first frame and the timer, with busy set throughout. The window must exist.
void startDock(Dock& dock);
// Keeps a hand-edited float distance within what leaves a usable window: at
// least one cell tall, so there is an icon to right-click, and no taller than
// kTallestWindow, so the surface stays a few megabytes. Needs the metrics of
// the loaded background.
inline constexpr std::int32_t kTallestWindow = 16384;
void limitFloatDistance(DockSettings& settings, const LayoutMetrics& metrics);
// Ends a drag under way, releases every item hotkey, stops the timer and
// saves config.ini.
void stopDock(Dock& dock);

}  // namespace dock
