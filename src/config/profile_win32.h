#pragma once
// The profile port on GetPrivateProfileStringA / WritePrivateProfileStringA.
#include "support/lead_bytes_win32.h"
#include "ports/profile_store.h"

namespace dock {

class Win32ProfileStore : public ProfileStore {
  public:
    std::string ReadProfileText(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& defaultText) override;
    bool HasSection(const std::string& file, const std::string& section) override;
    bool WriteProfileText(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override;
    bool WriteProfileTexts(
        const std::string& file, const std::string& section,
        const std::vector<std::pair<std::string, std::string>>& entries) override;

  private:
    // Key names match without regard to case, as the profile functions match
    // them in the ANSI code page.
    LeadBytes leadBytes_ = SystemLeadBytes();
};

}  // namespace dock
