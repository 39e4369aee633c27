#pragma once
// The item settings dialog's rules: its caption, the browse filter, the
// shared default picture and how saving changes an item.
#include <cstdint>
#include <string>

#include "config/dock.h"

namespace dock {

// The text fields are read with this many bytes, so 254 characters count.
inline constexpr int kItemFieldBufferSize = 255;

struct ItemSettingsForm {
    std::string title;
    std::string customIconPath;
    std::uint16_t hotkey = 0;  // the hotkey control's value
};

// "设置 - " and the title.
std::string itemSettingsCaption(const DockItem& item);
// The open-file filter: name, NUL, pattern, NUL for .ico and .png, then the
// closing NUL.
std::string iconFileFilter();

// The picture of an item that has none of its own: "/res/2.png" beside the
// program when it exists, else the built-in default picture.
void loadDefaultItemPicture(Dock& dock, Picture& picture);

// Saves the form into item `index` (nothing for an index outside the list):
// a changed title is taken as it is; a changed icon path is taken only when
// it names something that exists, and its picture replaces the old one (the
// default picture when it cannot be decoded); a changed hotkey releases the
// old registration and is kept only when it registers, else the user is told
// and the item is left without one. Then a save of config.ini is due.
void saveItemSettings(Dock& dock, int index, const ItemSettingsForm& form);

}  // namespace dock
