#pragma once
// What the dock shows of the items' hotkeys (快捷键角标): a label with the
// key's name at the lower right of each picture, and the whole combination
// in the caption of the magnified item.
#include <cstdint>
#include <string>

#include "config/dock.h"

namespace dock {

// The name of a key: letters, digits and F1..F24 as they are printed on the
// keys; any other key by the system's name when that is short printable
// ASCII, else by its code ("#BA").
std::string keyLabel(std::uint32_t virtualKey, KeyNames& keyNames);
// "Ctrl+Alt+A": the modifiers the hotkey registers with, then the key's
// name; empty for no hotkey.
std::string hotkeyCombination(std::uint16_t hotkey, KeyNames& keyNames);

// The item's label over its picture, drawn where the picture is drawn
// (window coordinates) and scaled with it. Nothing when the item has no
// hotkey.
void drawHotkeyBadge(DrawingSurface& canvas, KeyNames& keyNames, const DockItem& item, float x,
                     float top, float width, float height);
// Turning the badges on or off shows at once.
void redrawHotkeyBadges(const FrameContext& frame);

}  // namespace dock
