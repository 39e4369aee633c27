#pragma once
// The context menu's commands, apart from showing the menu (showContextMenu
// in dock_program_win32.h).
#include <windows.h>

#include "app/dock_program_win32.h"

namespace dock {

// Sets the two item entries after menuTargetIndex and the two check marks
// after locked and alwaysOnTop; they persist in the menu between openings.
void prepareContextMenu(DockSession& session);
// Carries out a command id that TrackPopupMenu returned; 0 and unknown ids do
// nothing.
void carryOutMenuCommand(DockSession& session, UINT command);

}  // namespace dock
