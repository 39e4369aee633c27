#pragma once
// Item hotkeys: the hotkey control's value becomes a registration under the
// item's index.
#include <cstdint>

#include "config/dock.h"
#include "config/hotkey_modifiers.h"

namespace dock {

// MB_OK | MB_ICONEXCLAMATION.
inline constexpr std::uint32_t kHotkeyFailedStyle = 0x30;

bool registerItemHotkey(Dock& dock, int index, std::uint16_t hotkey);
// The box "注册快捷键失败!" (caption "错误") that tells the user a hotkey they
// chose is held by another program.
void reportHotkeyFailure(Dock& dock);
// Renews the registrations of items 1..count in ascending order.
void reregisterHotkeys(Dock& dock);
// After items first..last changed places among themselves: every id of the
// range is released before any is registered again, so that no combination
// is still held under its old id when its item's new id asks for it.
void reregisterHotkeyRange(Dock& dock, int first, int last);

}  // namespace dock
