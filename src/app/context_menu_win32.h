#pragma once
// The context menu: showing it, ending its waits and its commands.
#include <windows.h>

#include "app/dock_program_win32.h"

namespace dock {

// Ends, as if cancelled, whatever the running command waits on: the menu as
// by a click elsewhere, each dialog or message box of this thread by the
// button that changes nothing.
void endCommandWaits(DockSession& session);

// Opens the context menu at the pointer and carries out the chosen command;
// a close that came meanwhile shuts the dock down afterwards.
void showContextMenu(DockSession& session);

// Sets the two item entries after menuTargetIndex and the two check marks
// after locked and alwaysOnTop; they persist in the menu between openings.
void prepareContextMenu(DockSession& session);
// Carries out a command id that TrackPopupMenu returned; 0 and unknown ids do
// nothing.
void carryOutMenuCommand(DockSession& session, UINT command);

}  // namespace dock
