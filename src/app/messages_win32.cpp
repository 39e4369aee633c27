#include "app/messages_win32.h"

#include <windows.h>

namespace dock {

int Win32MessagePort::ShowMessageBox(const std::string& text, const std::string& caption,
                                     std::uint32_t style) {
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

}  // namespace dock
