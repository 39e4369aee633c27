#pragma once
// Global hotkeys, registered on the dock window under the item's index, and
// the names of keys.
#include <cstdint>
#include <string>

namespace dock {

// The names the system gives keys, which the badges and captions show.
class KeyNames {
  public:
    virtual ~KeyNames() = default;
    // The system's name of a key (GetKeyNameTextA); empty when it has none.
    virtual std::string KeyName(std::uint32_t virtualKey) = 0;
};

class HotkeyPort : public KeyNames {
  public:
    virtual ~HotkeyPort() = default;
    // RegisterHotKey(dockWindow, id, modifiers, virtualKey); true when registered.
    virtual bool RegisterHotkey(int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
    virtual void UnregisterHotkey(int id) = 0;
};

}  // namespace dock
