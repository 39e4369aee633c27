#pragma once
// Dialog 1200: the four switches, the float distance and the cool-down.
#include <windows.h>

#include "config/dock.h"

namespace dock {

// lParam of WM_INITDIALOG is the Dock.
INT_PTR CALLBACK programSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, without owner.
void runProgramSettingsDialog(Dock& dock, HINSTANCE instance);

}  // namespace dock
