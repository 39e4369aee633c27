#pragma once
// The 扩展功能 entries as commands: a toggle and what follows from it at once.
#include "config/extended_settings.h"

namespace dock {

// Flips the setting, carries out at once what it governs beyond the next
// frame (the dock's hotkey, the badges, the full-screen watch, the item
// pictures) and marks the change for saving.
void switchExtendedSetting(Dock& dock, const ExtendedSetting& setting);

}  // namespace dock
