#pragma once
// Private-profile (INI) access, in the argument order file, section, key, value.
#include <string>
#include <utility>
#include <vector>

namespace dock {

class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    // The value of the key, or `defaultText` when the key is absent. Read whole,
    // whatever its length.
    virtual std::string ReadProfileText(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& defaultText) = 0;
    // Whether the file has a section of that name (with or without keys).
    virtual bool HasSection(const std::string& file, const std::string& section) = 0;
    virtual bool WriteProfileText(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& value) = 0;
    // The same as one WriteProfileText per entry, in order; true when every
    // write was taken. An adapter may do it in one pass: a save of thousands
    // of items would otherwise rewrite the whole file once per key.
    virtual bool WriteProfileTexts(
        const std::string& file, const std::string& section,
        const std::vector<std::pair<std::string, std::string>>& entries) {
        bool allWritten = true;
        for (const auto& [key, value] : entries)
            allWritten = WriteProfileText(file, section, key, value) && allWritten;
        return allWritten;
    }
};

}  // namespace dock
