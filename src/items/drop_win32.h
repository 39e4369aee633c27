#pragma once
// WM_DROPFILES: every dropped name becomes an item.
#include <windows.h>
#include <shellapi.h>

#include "config/dock.h"

namespace dock {

// Adds the dropped names in the shell's order and releases the handle.
void handleDroppedFiles(Dock& dock, HDROP drop);

}  // namespace dock
