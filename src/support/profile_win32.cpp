#include "support/profile_win32.h"

#include <windows.h>

#include <vector>

namespace dock {

std::string Win32ProfileStore::ReadProfileText(const std::string& file, const std::string& section,
                                               const std::string& key,
                                               const std::string& defaultText) {
    // The reader truncates silently: a result that fills the buffer may be
    // cut, so read again with room past what came back.
    DWORD size = 1024;
    std::vector<char> buffer;
    DWORD returned = 0;
    for (;;) {
        buffer.assign(size, '\0');
        returned = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(),
                                              buffer.data(), size, file.c_str());
        if (returned < size - 1) break;
        size = returned + 1024;
    }
    return std::string(buffer.data(), returned);
}

bool Win32ProfileStore::WriteProfileText(const std::string& file, const std::string& section,
                                         const std::string& key, const std::string& value) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
}

}  // namespace dock
