#pragma once
// The profile port on GetPrivateProfileStringA / WritePrivateProfileStringA.
#include "support/profile_store.h"

namespace dock {

class Win32ProfileStore final : public ProfileStore {
  public:
    std::string ReadProfileText(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& defaultText) override;
    bool HasSection(const std::string& file, const std::string& section) override;
    bool WriteProfileText(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override;
    bool WriteProfileTexts(
        const std::string& file, const std::string& section,
        const std::vector<std::pair<std::string, std::string>>& entries) override;
};

}  // namespace dock
