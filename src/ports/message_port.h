#pragma once
// Message boxes without an owner window.
#include <cstdint>
#include <string>

namespace dock {

class MessagePort {
  public:
    virtual ~MessagePort() = default;
    // MessageBoxA(nullptr, text, caption, style); returns the button id
    // (IDYES = 6, IDNO = 7, IDOK = 1).
    virtual int ShowMessageBox(const std::string& text, const std::string& caption,
                               std::uint32_t style) = 0;
};

}  // namespace dock
