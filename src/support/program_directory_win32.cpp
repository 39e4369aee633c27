#include "support/program_directory_win32.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "support/lead_bytes_win32.h"

namespace dock {

std::string ProgramPath() {
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
    return std::string(buffer.data(), length);
}

std::string ProgramDirectory() {
    // The last backslash that is a character of its own: the second byte of a
    // double-byte character in the ANSI code page can have the same value.
    const std::string path = ProgramPath();
    const std::size_t cut = FindLastCharacter(path, '\\', SystemLeadBytes());
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace dock
