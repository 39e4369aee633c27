#pragma once
// WM_DROPFILES: every dropped name becomes an item.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "config/dock.h"

namespace dock {

// Adds the dropped names in the shell's order, none while the dock is busy,
// and releases the handle either way. When `opens` is given and takes the
// names (拖放打开), nothing is added.
using DropOpener = std::function<bool(Dock&, const std::vector<std::string>&)>;
void handleDroppedFiles(Dock& dock, HDROP drop, const DropOpener& opens = nullptr);

}  // namespace dock
