#pragma once
// Items added from the open-file dialog: they take the same way as a drop
// at the point where the context menu was opened.
#include <string>
#include <string_view>
#include <vector>

#include "config/dock.h"

namespace dock {

// The full paths in the buffer a multiple-selection open-file dialog fills:
// one full path, or the folder followed by the chosen names, each ending in
// a NUL, the list ending in a second NUL. The folder ends in a separator
// character, or gets one: in the ANSI code page a 0x5C byte may be the second
// byte of a character.
std::vector<std::string> chosenFilePaths(std::string_view buffer, const LeadBytes& leadBytes);
// Adds the paths as if dropped where the context menu was opened (its
// menuTargetIndex and menuPointerX), then saves when anything was added.
void addChosenFiles(Dock& dock, const std::vector<std::string>& paths);

}  // namespace dock
