#include "items/hotkeys.h"

#include <string>

#include "support/texts.h"

namespace dock {

bool registerItemHotkey(Dock& dock, int index, std::uint16_t hotkey) {
    return dock.platform.hotkeys.RegisterHotkey(index, hotkeyModifiers(hotkey), hotkey & 0xFFu);
}

void reportHotkeyFailure(Dock& dock) {
    dock.platform.messages.ShowMessageBox(std::string(texts::kHotkeyFailedText),
                                          std::string(texts::kHotkeyFailedCaption),
                                          kHotkeyFailedStyle);
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
