#pragma once
// Every item enters the list here, from config.ini or from a drop.
#include <string>
#include <vector>

#include "config/dock.h"

namespace dock {

// The text after the last dot (the whole path without one), ASCII lowered.
std::string fileExtension(const std::string& path, const LeadBytes& leadBytes);
// The file name without the dot and the extension; empty when that leaves nothing.
std::string deriveTitle(const std::string& path, const std::string& extension,
                        const LeadBytes& leadBytes);
// Where a dropped file goes, from hoverIndex and pointerX.
int dropPosition(const DockState& state);

// Inserts a copy of `record` at `position` (0 = append). For a drop (not
// fromConfig) the title is derived into `record` first, the window grows, the
// surface is re-created, the frame redrawn and a save of config.ini is due.
void addItem(Dock& dock, DockItem& record, int position, bool fromConfig);
// Adds each dropped path in the shell's order.
void addDroppedFiles(Dock& dock, const std::vector<std::string>& paths);

}  // namespace dock
