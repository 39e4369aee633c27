#pragma once
// Launching items by double-click and by hotkey, with the per-index cool-down.
#include <cstdint>
#include <string>

#include "config/dock.h"

namespace dock {

// The working directory of a target: slashes become backslashes, the text up
// to and including the last backslash; empty without one.
std::string workingDirectory(const std::string& targetPath, const LeadBytes& leadBytes);
// With 激活已运行 on, a running program's window comes to the front instead,
// unless `newCopy` asks for another copy.
void launchItem(Dock& dock, int index, bool newCopy = false);
// WM_HOTKEY: wParam is the item index, the high word of lParam the key.
void dispatchHotkey(Dock& dock, std::uintptr_t id, std::uintptr_t lParam);

}  // namespace dock
