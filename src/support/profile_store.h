#pragma once
// Private-profile (INI) access, in the argument order file, section, key, value.
#include <string>

namespace dock {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The value of the key, or `defaultText` when the key is absent. Read whole,
    // whatever its length.
    virtual std::string ReadProfileText(const std::string& file, const std::string& section,
                                        const std::string& key,
                                        const std::string& defaultText) = 0;
    virtual bool WriteProfileText(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& value) = 0;
};

}  // namespace dock
