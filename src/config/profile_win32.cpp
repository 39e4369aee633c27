#include "config/profile_win32.h"

#include <windows.h>

#include <string_view>
#include <unordered_set>
#include <vector>

#include "support/handles_win32.h"
#include "support/text.h"

namespace dock {
namespace {

std::string_view withoutBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Text the writer would store as it is: one line, no blanks it would trim.
bool storedAsIs(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
           withoutBlanks(text).size() == text.size();
}

std::string fileText(const std::string& file) {
    UniqueFile handle(::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string text;
    if (!handle) return text;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(handle.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

// When `section` is the last section of the file, its last line is the key
// `lastKey` just written and none of the entries exists yet, the writer would
// put each entry right after the previous one at the end of the file: append
// them there in one write. False (nothing written) in any other case.
bool appendNewKeys(const std::string& file, const std::string& section, std::string_view lastKey,
                   const std::vector<std::pair<std::string, std::string>>& entries,
                   std::size_t first, const LeadBytes& leadBytes) {
    auto lower = [&](std::string_view text) { return LowerAscii(text, leadBytes); };
    const std::string text = fileText(file);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    std::size_t header = lines.size();
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (!withoutBlanks(lines[i]).empty() && withoutBlanks(lines[i]).front() == '[') {
            header = i;
            break;
        }
    }
    if (header == lines.size()) return false;
    const std::string_view name = withoutBlanks(lines[header]).substr(1);
    const std::size_t close = name.find(']');
    if (close == std::string_view::npos ||
        lower(withoutBlanks(name.substr(0, close))) != lower(section))
        return false;
    std::unordered_set<std::string> keys;
    std::string_view lastLine;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        const std::string_view line = withoutBlanks(lines[i]);
        if (line.empty()) continue;
        keys.insert(lower(withoutBlanks(line.substr(0, line.find('=')))));
        lastLine = line;
    }
    if (lower(withoutBlanks(lastLine.substr(0, lastLine.find('=')))) != lower(lastKey))
        return false;
    std::string block = !text.empty() && text.back() != '\n' ? "\r\n" : "";
    for (std::size_t i = first; i < entries.size(); ++i) {
        const auto& [key, value] = entries[i];
        if (key.empty() || !storedAsIs(key) || !storedAsIs(value) ||
            key.find('=') != std::string::npos || !keys.insert(lower(key)).second)
            return false;
        block.append(key).append("=").append(value).append("\r\n");
    }
    UniqueFile handle(::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return false;
    LARGE_INTEGER end{};
    DWORD written = 0;
    const bool whole = ::SetFilePointerEx(handle.get(), end, nullptr, FILE_END) &&
                       ::WriteFile(handle.get(), block.data(), static_cast<DWORD>(block.size()),
                                   &written, nullptr) &&
                       written == block.size();
    handle.reset();
    // The profile functions may keep a parsed copy of the file: drop it.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    return whole;
}

}  // namespace

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

bool Win32ProfileStore::HasSection(const std::string& file, const std::string& section) {
    // The names come back NUL-separated; a full buffer may have cut the list.
    DWORD size = 1024;
    std::vector<char> buffer;
    DWORD returned = 0;
    for (;;) {
        buffer.assign(size, '\0');
        returned = ::GetPrivateProfileSectionNamesA(buffer.data(), size, file.c_str());
        if (returned < size - 2) break;
        size *= 2;
    }
    const std::string wanted = LowerAscii(section, leadBytes_);
    for (std::size_t start = 0; start < returned;) {
        const std::string name(buffer.data() + start);
        if (LowerAscii(name, leadBytes_) == wanted) return true;
        start += name.size() + 1;
    }
    return false;
}

bool Win32ProfileStore::WriteProfileText(const std::string& file, const std::string& section,
                                         const std::string& key, const std::string& value) {
    // Windows' writer fails on a read-only file; Wine's, run by root, does
    // not. The user's read-only config.ini stays as it is on both.
    const DWORD attributes = ::GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
}

}  // namespace dock

namespace dock {

bool Win32ProfileStore::WriteProfileTexts(
    const std::string& file, const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& entries) {
    if (entries.empty()) return true;
    // The first key goes through the writer, which lays the file out its own
    // way; the rest follow it in one append when that is where they belong.
    bool allWritten = WriteProfileText(file, section, entries[0].first, entries[0].second);
    if (entries.size() == 1) return allWritten;
    if (allWritten && appendNewKeys(file, section, entries[0].first, entries, 1, leadBytes_))
        return true;
    for (std::size_t i = 1; i < entries.size(); ++i)
        allWritten =
            WriteProfileText(file, section, entries[i].first, entries[i].second) && allWritten;
    return allWritten;
}

}  // namespace dock
