#pragma once
// Message boxes on MessageBoxA, never owned by a window.
#include "ports/message_port.h"

namespace dock {

class Win32MessagePort final : public MessagePort {
  public:
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       std::uint32_t style) override;
};

}  // namespace dock
