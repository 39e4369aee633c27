#pragma once
// 开机启动: a value of the user's Run key, named after the program and holding
// the quoted full path of the running executable. config.ini holds nothing of
// it; the Run key itself is the setting.
#include <optional>
#include <string>
#include <string_view>

#include "support/text.h"

namespace dock {

// HKCU\Software\Microsoft\Windows\CurrentVersion\Run, whose values the
// system starts at log-on.
class RunKeyPort {
  public:
    virtual ~RunKeyPort() = default;
    // The text of value `name`; none when the key or the value is missing or
    // holds no text.
    virtual std::optional<std::string> RunValue(const std::string& name) = 0;
    virtual void SetRunValue(const std::string& name, const std::string& text) = 0;  // REG_SZ
    virtual void DeleteRunValue(const std::string& name) = 0;
};

// The executable's file name without its extension: C:\Tools\dock.exe gives
// dock.
std::string runValueName(std::string_view programPath, const LeadBytes& leadBytes);
// Whether the value exists and starts this very executable (compared without
// regard to case, quoted or not).
bool startsWithWindows(RunKeyPort& runKey, std::string_view programPath,
                       const LeadBytes& leadBytes);
// Removes the value when it starts this executable, and otherwise (re)writes
// it to do so.
void toggleStartWithWindows(RunKeyPort& runKey, std::string_view programPath,
                            const LeadBytes& leadBytes);

}  // namespace dock
