#pragma once
// WM_DROPFILES: every dropped name becomes an item.
#include <windows.h>
#include <shellapi.h>

#include "config/dock.h"

namespace dock {

// Adds the dropped names in the shell's order, none while the dock is busy,
// and releases the handle either way.
void handleDroppedFiles(Dock& dock, HDROP drop);

}  // namespace dock
