#include "items/hotkeys.h"

namespace dock {

std::uint32_t hotkeyModifiers(std::uint16_t hotkey) {
    // Read as signed like the stored value, so a high byte of 0x80 and above
    // is negative and registers no modifier.
    const int modifiers = static_cast<std::int16_t>(hotkey) >> 8;
    switch (modifiers) {
        case 1:
            return kModShift;
        case 2:
            return kModControl;
        case 4:
            return kModAlt;
        case 6:
            return kModControl | kModAlt;
        case 3:
            return kModControl | kModShift;
        case 5:
            return kModShift | kModAlt;
        default:
            return 0;
    }
}

bool registerItemHotkey(Dock& dock, int index, std::uint16_t hotkey) {
    return dock.platform.hotkeys.RegisterHotkey(index, hotkeyModifiers(hotkey), hotkey & 0xFFu);
}

void reregisterHotkeys(Dock& dock) {
    const DockItemList& items = dock.state.items;
    for (int i = 1; i <= items.Count(); ++i) {
        dock.platform.hotkeys.UnregisterHotkey(i);
        if (items[i].item.hotkey != 0) registerItemHotkey(dock, i, items[i].item.hotkey);
    }
}

void reregisterHotkeyRange(Dock& dock, int first, int last) {
    const DockItemList& items = dock.state.items;
    for (int i = first; i <= last; ++i) dock.platform.hotkeys.UnregisterHotkey(i);
    for (int i = first; i <= last; ++i)
        if (items[i].item.hotkey != 0) registerItemHotkey(dock, i, items[i].item.hotkey);
}

}  // namespace dock
