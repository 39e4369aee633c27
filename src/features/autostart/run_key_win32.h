#pragma once
// The user's Run key on the real registry, in the ANSI code page the
// program's paths are in.
#include "features/autostart/start_with_windows.h"

namespace dock {

class Win32RunKey final : public RunKeyPort {
  public:
    std::optional<std::string> RunValue(const std::string& name) override;
    void SetRunValue(const std::string& name, const std::string& text) override;
    void DeleteRunValue(const std::string& name) override;
};

}  // namespace dock
