#pragma once
// The 扩展功能 entries as commands: a toggle and what follows from it at once.
#include "app/feature_table.h"
#include "config/extended_settings.h"

namespace dock {

// Flips the setting, carries out at once what its feature governs beyond the
// next frame (the seam `switched` of its entry in the feature table: the
// dock's hotkey, with the hotkey-failure box when another program holds it;
// the badges, the full-screen watch, the item pictures, the note that the DPI
// setting waits for the next start) and marks the change for saving. The
// dock is blocked meanwhile.
void switchExtendedSetting(Dock& dock, FeatureStates& features, const ExtendedSetting& setting);

}  // namespace dock
