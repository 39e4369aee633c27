#pragma once
// Whether the dock window is to be always on top now: 总在最前, unless it
// gives way to a full-screen program (dock/fullscreen_avoidance.h). Every
// placement of the window asks this, so a 总在最前 changed meanwhile waits.
#include "config/dock.h"

namespace dock {

inline bool dockOnTop(const Dock& dock) {
    return dock.settings.alwaysOnTop != 0 && !dock.state.fullscreen.avoiding;
}

}  // namespace dock
