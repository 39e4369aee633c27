#pragma once
// The handles the dock window, its timer and its commands share.
#include <windows.h>

#include "config/dock.h"

namespace dock {

struct DockSession {
    HINSTANCE instanceHandle = nullptr;
    HMENU menuHandle = nullptr;  // the loaded context menu resource
    HWND dockWindow = nullptr;
    Dock* dock = nullptr;
    bool ended = false;  // shutdownDock has run: a second close does nothing
};

// Restores the drag setting, releases the hotkeys, stops the timer, saves,
// destroys the menu and ends the dock dialog.
void shutdownDock(DockSession& session);
// Opens the context menu at the pointer and carries out the chosen command.
void showContextMenu(DockSession& session);

}  // namespace dock
