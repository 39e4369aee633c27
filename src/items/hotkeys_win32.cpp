#include "items/hotkeys_win32.h"

namespace dock {

bool Win32Hotkeys::RegisterHotkey(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    return ::RegisterHotKey(dockWindow_, id, modifiers, virtualKey) != FALSE;
}

void Win32Hotkeys::UnregisterHotkey(int id) {
    ::UnregisterHotKey(dockWindow_, id);
}

}  // namespace dock
