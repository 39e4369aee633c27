#pragma once
// The dock dialog (resource 1000): its procedure and its timer callback. The
// dialog keeps its DockProgram in DWLP_USER, given as the creation parameter.
#include <windows.h>

#include "app/dock_program_win32.h"

namespace dock {

INT_PTR CALLBACK dockProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CALLBACK onAnimationTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// Loads the context menu and runs dialog 1000 until the dock is shut down.
INT_PTR runDock(DockProgram& program);

}  // namespace dock
