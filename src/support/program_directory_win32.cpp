#include "support/program_directory_win32.h"

#include <windows.h>

#include <vector>

namespace dock {

std::string ProgramDirectory() {
    // MAX_PATH is only the usual size: a long-path folder reports more, and a
    // cut name would put config.ini in the wrong place. Grow until it fits.
    std::vector<char> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) break;
        if (buffer.size() >= 32768) return {};  // beyond any path the system can hold
        buffer.resize(buffer.size() * 2);
    }
    // The last backslash that is a character of its own: the second byte of a
    // double-byte character in the ANSI code page can have the same value.
    std::size_t cut = 0;
    bool found = false;
    for (std::size_t i = 0; i < length; ++i) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(buffer[i])) && i + 1 < length) {
            ++i;
        } else if (buffer[i] == '\\') {
            cut = i;
            found = true;
        }
    }
    return found ? std::string(buffer.data(), cut) : std::string();
}

}  // namespace dock
