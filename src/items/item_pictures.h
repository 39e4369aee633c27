#pragma once
// Where an item's picture comes from, and taking the pictures again when the
// size they are chosen for changes.
#include <cstdint>
#include <string>

#include "config/dock.h"

namespace dock {

// The size the module icons are chosen for: with 高清图标 the largest size a
// picture is drawn at, else kClassicIconChoice.
std::int32_t wantedIconSize(const Dock& dock);

// The bytes of an item's picture: its custom icon file whenever that exists,
// even if it then fails to decode; else the icon of its executable or of its
// shortcut's target; empty for any other file.
Bytes itemPictureBytes(Dock& dock, const DockItem& item, const std::string& extension);

// Extracts the icons of the items without a custom icon file again, by the
// choice wantedIconSize gives now, and redraws. For a switch of 高清图标 and
// for a new magnified size while it is on; with it off the choice does not
// depend on the size.
void reloadItemPictures(Dock& dock);

}  // namespace dock
