#pragma once
// Removing an item: the only way the list shrinks.
#include "config/dock.h"

namespace dock {

// The button a confirmation must return for the delete to go ahead (IDYES).
inline constexpr int kAnswerYes = 6;
// MB_YESNO | MB_ICONEXCLAMATION.
inline constexpr std::uint32_t kDeleteConfirmStyle = 0x34;

// Asks whether item `index` may go (its title, or its target path when the
// title is empty) and on Yes removes it: the hotkeys follow the new
// numbering, the window loses one cell around its centre, the row is
// redrawn and a save of config.ini is due. 0 does nothing. The timer is
// stopped meanwhile and re-armed at 10 ms, and busy cleared, on every path.
void deleteItem(Dock& dock, int index);

}  // namespace dock
