#pragma once
// Item hotkeys: the hotkey control's value becomes a registration under the
// item's index.
#include <cstdint>

#include "config/dock.h"

namespace dock {

// RegisterHotKey's modifier bits.
inline constexpr std::uint32_t kModAlt = 1, kModControl = 2, kModShift = 4;

// HOTKEYF_* bits (high byte of the value) to MOD_* bits; 0 for none, for all
// three modifiers and for anything with the extended bit.
std::uint32_t hotkeyModifiers(std::uint16_t hotkey);

bool registerItemHotkey(Dock& dock, int index, std::uint16_t hotkey);
// Renews the registrations of items 1..count in ascending order.
void reregisterHotkeys(Dock& dock);
// After items first..last changed places among themselves: every id of the
// range is released before any is registered again, so that no combination
// is still held under its old id when its item's new id asks for it.
void reregisterHotkeyRange(Dock& dock, int first, int last);

}  // namespace dock
