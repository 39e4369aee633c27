#pragma once
// 开机启动: a value of the user's Run key holding the quoted full path of the
// running executable, under a name of this executable's own. config.ini holds
// nothing of it; the Run key itself is the setting.
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

// The file name without its extension followed by the full path in
// parentheses: C:\Tools\dock.exe gives "dock (C:\Tools\dock.exe)". A value
// under the plain name may be another program's, or another copy's.
std::string runValueName(std::string_view programPath, const LeadBytes& leadBytes);
// The plain name earlier versions wrote the value under: C:\Tools\dock.exe
// gives dock. Only a value there that starts this executable is this one's.
std::string plainRunValueName(std::string_view programPath, const LeadBytes& leadBytes);
// Whether a value of either name starts this very executable (compared
// without regard to case, quoted or not).
bool startsWithWindows(RunKeyPort& runKey, std::string_view programPath,
                       const LeadBytes& leadBytes);
// Removes every value of either name that starts this executable; when there
// is none, writes the value under the executable's own name.
void toggleStartWithWindows(RunKeyPort& runKey, std::string_view programPath,
                            const LeadBytes& leadBytes);

}  // namespace dock
