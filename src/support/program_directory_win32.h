#pragma once
// Where the running executable lives.
#include <string>

namespace dock {

// The executable's directory as GetModuleFileNameA reports it, without the
// trailing backslash (C:\Tools\dock.exe gives C:\Tools).
std::string ProgramDirectory();

}  // namespace dock
