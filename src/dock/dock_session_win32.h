#pragma once
// The handles the dock window, its timer and its commands share.
#include <windows.h>

#include "config/dock.h"
#include "dock/deferred_close.h"
#include "support/handles_win32.h"

namespace dock {

struct DockSession {
    HINSTANCE instanceHandle = nullptr;
    UniqueMenu menuHandle;  // the loaded context menu resource
    HWND dockWindow = nullptr;
    Dock* dock = nullptr;
    bool ended = false;    // shutdownDock has run: a second close does nothing
    DeferredClose closes;  // a close that arrives while the context menu's command runs
};

// The close box, Escape or another program's WM_CLOSE: shuts the dock down,
// or, while a context-menu command waits for the user, ends its waits and
// leaves the shutdown to the command's end.
void closeDock(DockSession& session);
// Ends, as if cancelled, whatever the running command waits on: the menu as
// by a click elsewhere, each dialog or message box of this thread by the
// button that changes nothing.
void endCommandWaits(DockSession& session);

// Restores the drag setting, releases the hotkeys, stops the timer, saves,
// destroys the menu and ends the dock dialog.
void shutdownDock(DockSession& session);
// Opens the context menu at the pointer and carries out the chosen command;
// a close that came meanwhile shuts the dock down afterwards.
void showContextMenu(DockSession& session);

}  // namespace dock
