#pragma once
// Whether the dock window is to be always on top now: 总在最前 (or 自动隐藏), unless it
// gives way to a full-screen program (features/fullscreen_avoidance). Every
// placement of the window asks this, so a 总在最前 changed meanwhile waits.
#include "config/dock.h"

namespace dock {

inline bool dockOnTop(const Dock& dock) {
    // A dock that may hide is above other windows while shown: otherwise it
    // would come back behind the window it hid from.
    return (dock.settings.alwaysOnTop != 0 || dock.settings.autoHide != 0) &&
           !dock.state.place.yieldsToFullscreen;
}

}  // namespace dock
