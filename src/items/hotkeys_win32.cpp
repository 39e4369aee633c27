#include "items/hotkeys_win32.h"

namespace dock {

bool Win32Hotkeys::RegisterHotkey(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    return ::RegisterHotKey(dockWindow_, id, modifiers, virtualKey) != FALSE;
}

void Win32Hotkeys::UnregisterHotkey(int id) {
    ::UnregisterHotKey(dockWindow_, id);
}

std::string Win32Hotkeys::KeyName(std::uint32_t virtualKey) {
    const UINT scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) return {};
    LPARAM keyData = static_cast<LPARAM>(scanCode) << 16;
    // These share their scan codes with the number pad's keys; the extended
    // bit names the keys of their own block.
    switch (virtualKey) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_INSERT:
        case VK_DELETE:
        case VK_DIVIDE:
        case VK_NUMLOCK:
            keyData |= LPARAM{1} << 24;
            break;
        default:
            break;
    }
    char name[64] = {};
    const int length = ::GetKeyNameTextA(static_cast<LONG>(keyData), name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace dock
