#pragma once
// The program settings dialog's rules: what its controls show and how saving
// applies them. The dialog procedure only moves values in and out.
#include <cstdint>
#include <string>

#include "config/dock.h"

namespace dock {

// The number edits are read with this many bytes, so 23 characters count.
inline constexpr int kNumberFieldBufferSize = 24;

struct ProgramSettingsForm {
    bool highQuality = false;
    bool reflection = false;
    bool autoSnap = false;
    bool floatBothWays = false;
    std::string floatDistance;   // decimal text of edit 1205
    std::string launchCooldown;  // decimal text of edit 1206
    friend bool operator==(const ProgramSettingsForm&, const ProgramSettingsForm&) = default;
};

ProgramSettingsForm programSettingsForm(const DockSettings& settings);
// The check boxes become 0 or 1, the texts numbers (no digits gives 0) and the
// cool-down is raised to its floor.
void storeProgramSettings(DockSettings& settings, const ProgramSettingsForm& form);
// Puts the stored settings into effect: the row position, a new surface with
// the quality flag, drops accepted again and a forced frame (the empty
// background, its top 8 px above the row, when there is no item), and a save
// of config.ini due.
void applyProgramSettings(Dock& dock);

}  // namespace dock
