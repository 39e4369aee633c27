#pragma once
// Global hotkeys, registered on the dock window under the item's index.
#include <cstdint>
#include <string>

namespace dock {

class HotkeyPort {
  public:
    virtual ~HotkeyPort() = default;
    // RegisterHotKey(dockWindow, id, modifiers, virtualKey); true when registered.
    virtual bool RegisterHotkey(int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
    virtual void UnregisterHotkey(int id) = 0;
    // The system's name of a key (GetKeyNameTextA); empty when it has none.
    virtual std::string KeyName(std::uint32_t virtualKey) = 0;
};

}  // namespace dock
