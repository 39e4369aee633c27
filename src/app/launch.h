#pragma once
// Launching items by double-click and by hotkey, with the per-index cool-down.
#include <cstdint>
#include <string>
#include <vector>

#include "app/feature_table.h"
#include "config/dock.h"

namespace dock {

// The working directory of a target: slashes become backslashes, the text up
// to and including the last backslash; empty without one.
std::string workingDirectory(const std::string& targetPath, const LeadBytes& leadBytes);
// With 激活已运行 on, a running program's window comes to the front instead,
// unless `newCopy` asks for another copy.
void launchItem(Dock& dock, FeatureStates& features, int index, bool newCopy = false);
// With 拖放打开 on and the pointer on the middle half of a program's picture,
// starts the program once per group of the paths that fits the shell's
// command line, in the item's working directory, and is true; the cool-down
// does not apply. False, having done nothing, for a drop that adds items.
bool openDroppedFiles(Dock& dock, FeatureStates& features, const std::vector<std::string>& paths);
// WM_HOTKEY: wParam is the item index, the high word of lParam the key.
void dispatchHotkey(Dock& dock, FeatureStates& features, std::uintptr_t id, std::uintptr_t lParam);

}  // namespace dock
