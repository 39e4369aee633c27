#pragma once
// Item hotkeys registered with the system on the dock window.
#include <windows.h>

#include "ports/hotkey_port.h"

namespace dock {

class Win32Hotkeys : public HotkeyPort {
  public:
    explicit Win32Hotkeys(HWND dockWindow) : dockWindow_(dockWindow) {}
    bool RegisterHotkey(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void UnregisterHotkey(int id) override;
    std::string KeyName(std::uint32_t virtualKey) override;

  private:
    HWND dockWindow_;
};

}  // namespace dock
