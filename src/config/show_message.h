#pragma once
// The program's own message box call: no owner window, a default caption.
#include <cstdint>
#include <string_view>

#include "ports/message_port.h"

namespace dock {

// Shows `text` with the style flags and the caption ("信息" when empty);
// returns the pressed button's id minus 1 (Yes, IDYES = 6, gives 5).
int ShowMessage(MessagePort& messages, std::string_view text, std::uint32_t style,
                std::string_view caption = {});

}  // namespace dock
