#pragma once
// The dock dialog (resource 1000): its procedure and its timer callback. The
// dialog keeps its DockProgram in DWLP_USER, given as the creation parameter.
#include <windows.h>

#include "app/dock_program_win32.h"

namespace dock {

INT_PTR CALLBACK dockProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CALLBACK onAnimationTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// The close box, Escape or another program's WM_CLOSE: shuts the dock down,
// or, while a context-menu command waits for the user, ends its waits and
// leaves the shutdown to the command's end.
void closeDock(DockSession& session);
// Restores the drag setting, releases the hotkeys, stops the timer, saves,
// destroys the menu and ends the dock dialog.
void shutdownDock(DockSession& session);
// Loads the context menu and runs dialog 1000 until the dock is shut down.
INT_PTR runDock(DockProgram& program);

}  // namespace dock
